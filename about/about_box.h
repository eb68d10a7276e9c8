// The About box: version, host, supported tools and the number of catalogued errors.
#pragma once

#include <windows.h>

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM first, LPARAM second);

// The lookup headings in ToolIndex order, one per line (90 characters).
void BuildToolsList(char* text, size_t size);
