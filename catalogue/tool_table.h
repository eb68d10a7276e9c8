// The eight supported tools and the fixed orders in which each operation visits them.
// Portable: no Windows header.
#pragma once

struct ToolEntry {
    int toolIndex;             // 1..8
    const char* lookupHeading; // text in the lookup window's error tree
    int browserSlot;           // its heading in the note browser, as BrowserHeadingTexts
    const char* moduleStem;    // catalogue module is AddinDirectory + stem + ".dll"
    const char* labelPrefix;
    const char* browserMatch; // text whose presence in a note file name selects this tool
};

constexpr int ToolCount = 8;
constexpr int BrowserHeadingCount = 7;

enum HeadingMode { LookupMode = 1, BrowserMode = 2 };

// Indexed by ToolIndex - 1.
extern const ToolEntry ToolTable[ToolCount];

// Returns the row for ToolIndex 1..8, or nullptr.
const ToolEntry* FindTool(int toolIndex);

// Insertion order of the lookup headings (ToolIndex values).
extern const int LookupHeadingOrder[ToolCount];
// Order in which the catalogue modules are read (ToolIndex values).
extern const int CatalogueLoadOrder[ToolCount];

// The note browser's headings, slot 0..6 in insertion order; the two RC sets share one.
extern const char* const BrowserHeadingTexts[BrowserHeadingCount];
// The order in which the note browser tries the tools' browserMatch texts on a file name
// (ToolIndex values). The RC "W" set matches as the "C" set does, so it is not tried again.
extern const int NoteClassificationOrder[BrowserHeadingCount];
