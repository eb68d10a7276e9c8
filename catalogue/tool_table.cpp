#include "catalogue/tool_table.h"

const char* const BrowserHeadingTexts[BrowserHeadingCount] = {
    "ML", "CVTRES", "NMAKE", "H2INC", "LINK\\LIB\\DUMPBIN\\EDITBIN", "RC", "MIDL",
};

const ToolEntry ToolTable[ToolCount] = {
    {1, "ML", 0, "ML", "A", "A"},
    {2, "CVTRES", 1, "CVTRES", "CVT", "CVT"},
    {3, "NMAKE", 2, "NMAKE", "U", "U"},
    {4, "LINK\\LIB\\DUMPBIN\\EDITBIN", 4, "link", "LNK", "LNK"},
    {5, "RC (\"C\" Errors)", 5, "rcc", "RC", "R"},
    {6, "RC (\"W\" Errors)", 5, "rcw", "RW", "R"},
    {7, "H2INC", 3, "H2INC", "HI", "HI"},
    {8, "MIDL", 6, "midl", "MIDL", "MIDL"},
};

const int LookupHeadingOrder[ToolCount] = {1, 2, 3, 7, 4, 5, 6, 8};
const int CatalogueLoadOrder[ToolCount] = {1, 2, 7, 4, 3, 5, 6, 8};
const int NoteClassificationOrder[BrowserHeadingCount] = {1, 2, 5, 3, 4, 7, 8};

const ToolEntry* FindTool(int toolIndex) {
    if (toolIndex < 1 || toolIndex > ToolCount)
        return nullptr;
    return &ToolTable[toolIndex - 1];
}
