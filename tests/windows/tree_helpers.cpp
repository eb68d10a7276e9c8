#include "tests/windows/tree_helpers.h"

#include "tests/windows/test_window.h"

HWND Item(HWND window, int id) {
    return GetDlgItem(window, id);
}

std::string Text(HWND window, int id) {
    return WindowText(Item(window, id));
}

bool Enabled(HWND window, int id) {
    return IsWindowEnabled(Item(window, id)) != FALSE;
}

HWND Tree(HWND window, int id) {
    return Item(window, id);
}

HTREEITEM Selected(HWND window, int treeId) {
    return TreeView_GetSelection(Tree(window, treeId));
}

HTREEITEM FindHeading(HWND window, const char* heading, int treeId) {
    for (HTREEITEM root : TreeRoots(Tree(window, treeId)))
        if (TreeItem(Tree(window, treeId), root).text == heading)
            return root;
    return nullptr;
}

HTREEITEM FindEntry(HWND window, const char* heading, const char* label, int treeId) {
    HWND tree = Tree(window, treeId);
    HTREEITEM root = FindHeading(window, heading, treeId);
    if (root != nullptr)
        for (HTREEITEM entry : TreeChildren(tree, root))
            if (TreeItem(tree, entry).text == label)
                return entry;
    return nullptr;
}

void Select(HWND window, HTREEITEM item, int treeId) {
    TreeView_SelectItem(Tree(window, treeId), item);
}

std::string SelectedLabel(HWND window, int treeId) {
    HTREEITEM item = Selected(window, treeId);
    return item == nullptr ? "" : TreeItem(Tree(window, treeId), item).text;
}

void InsertEntry(HWND window, const char* heading, const char* label, LPARAM id) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = FindHeading(window, heading);
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(label);
    insert.item.lParam = id;
    TreeView_InsertItem(Tree(window), &insert);
}
