#include "catalogue/tool_table.h"

const ToolEntry ToolTable[ToolCount] = {
    {1, "ML", "ML", "ML", "A", "A"},
    {2, "CVTRES", "CVTRES", "CVTRES", "CVT", "CVT"},
    {3, "NMAKE", "NMAKE", "NMAKE", "U", "U"},
    {4, "LINK\\LIB\\DUMPBIN\\EDITBIN", "LINK\\LIB\\DUMPBIN\\EDITBIN", "link", "LNK", "LNK"},
    {5, "RC (\"C\" Errors)", "RC", "rcc", "RC", "R"},
    {6, "RC (\"W\" Errors)", "RC", "rcw", "RW", "R"},
    {7, "H2INC", "H2INC", "H2INC", "HI", "HI"},
    {8, "MIDL", "MIDL", "midl", "MIDL", "MIDL"},
};

const int LookupHeadingOrder[ToolCount] = {1, 2, 3, 7, 4, 5, 6, 8};
const int CatalogueLoadOrder[ToolCount] = {1, 2, 7, 4, 3, 5, 6, 8};

const char* const BrowserHeadingTexts[BrowserHeadingCount] = {
    "ML", "CVTRES", "NMAKE", "H2INC", "LINK\\LIB\\DUMPBIN\\EDITBIN", "RC", "MIDL",
};

const ToolEntry* FindTool(int toolIndex) {
    if (toolIndex < 1 || toolIndex > ToolCount)
        return nullptr;
    return &ToolTable[toolIndex - 1];
}

int BrowserSlotOfTool(int toolIndex) {
    // ML, CVTRES, NMAKE, LINK, RC, RC, H2INC, MIDL
    static const int slots[ToolCount] = {0, 1, 2, 4, 5, 5, 3, 6};
    if (toolIndex < 1 || toolIndex > ToolCount)
        return -1;
    return slots[toolIndex - 1];
}
