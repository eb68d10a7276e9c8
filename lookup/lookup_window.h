// The lookup window: error tree, code entry, details and note panel.
#pragma once

#include <windows.h>
#include <commctrl.h>

constexpr INT_PTR NotFoundResult = 3;

// Opens the lookup window modally; preset is a code to look up at opening, or null.
// Returns 0 when the user closed it, NotFoundResult when the preset is not in the tree.
INT_PTR OpenLookupWindow(HWND owner, const char* preset);

// Looks a preset code up in the lookup window that is already open, as an opening at that code
// would; nonzero when it was found.
BOOL ShowPresetInOpenWindow(const char* preset);

INT_PTR CALLBACK LookupDialogProc(HWND window, UINT message, WPARAM first, LPARAM second);

// The selection handling of the error tree.
void OnErrorTreeSelection();

// Code entry and search.
LRESULT CALLBACK CodeCharFilter(HWND window, UINT message, WPARAM first, LPARAM second);
void RunLookupCommand();
BOOL FindErrorByLabel(const char* code);
