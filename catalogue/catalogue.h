// The error catalogue: tool headings, catalogue loading into the error tree, error details.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "catalogue/message_table.h"
#include "catalogue/tool_table.h"

// Inserts the tool headings of a mode into tree (any mode but LookupMode means BrowserMode)
// and keeps their handles in AddinState.
void BuildToolHeadings(int mode, HWND tree);

// Builds AddinDirectory + stem + ".dll" for ToolIndex into a zeroed buffer; false (and an
// empty path) when the tool is unknown or the path would not fit.
bool BuildCataloguePath(int toolIndex, char* path, size_t size);

// The message table of a module opened as a data file, once its resource directory has been
// checked and its size bounded by what is really mapped: the platform's own resource functions
// are never asked about a directory that points outside the file.
struct MessageTable {
    HGLOBAL resource;
    const unsigned char* data;
    size_t size;
};
bool OpenMessageTable(HMODULE module, MessageTable* table);
void CloseMessageTable(MessageTable* table);

// Reads all eight catalogue modules into the lookup window's error tree.
void LoadCatalogue();
// Opens one module as data and walks its message table under the current ToolIndex.
void LoadCatalogueModule(const char* path);
// Walks one message table of size bytes and inserts an entry per 8-bit message.
void AddMessageTable(const unsigned char* data, size_t size);

// Fetches the message of the selected entry and fills the type, error and description fields;
// when it cannot, the details are cleared, so nothing of the entry shown before stays.
void ShowErrorDetails(HTREEITEM heading, MessageId messageId);
// Empties the type, error, description and note fields.
void ClearDetails();
