// Reading and steering the add-in's windows from a test's driver thread.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

HWND Item(HWND window, int id);
std::string Text(HWND window, int id);
bool Enabled(HWND window, int id);
// The lookup window's error tree, or the tree of another window by its control id.
HWND Tree(HWND window, int id = 1009);
HTREEITEM Selected(HWND window, int treeId = 1009);
HTREEITEM FindHeading(HWND window, const char* heading, int treeId = 1009);
HTREEITEM FindEntry(HWND window, const char* heading, const char* label, int treeId = 1009);
void Select(HWND window, HTREEITEM item, int treeId = 1009);
std::string SelectedLabel(HWND window, int treeId = 1009);
// Puts an entry of our own under a heading of the lookup window's tree, sorted as the
// catalogue's are.
void InsertEntry(HWND window, const char* heading, const char* label, LPARAM id);
