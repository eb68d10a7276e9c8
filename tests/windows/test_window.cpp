#include "tests/windows/test_window.h"

#include <ostream>

#include "host/addin_state.h"
#include "host/text_copy.h"

void PrepareAddinInProcess() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Addin.instance = GetModuleHandleA(nullptr);
    InitAddinState();
}

TestWindow::TestWindow() {
    if (Addin.heap == nullptr)
        PrepareAddinInProcess();
    window_ = CreateWindowExA(0, "STATIC", "KIVO test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 640,
                              480, nullptr, nullptr, nullptr, nullptr);
    HINSTANCE self = GetModuleHandleA(nullptr);
    Addin.errorTree =
        CreateWindowExA(0, WC_TREEVIEWA, "",
                        WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
                        0, 200, 440, window_, nullptr, self, nullptr);
    TreeView_SetImageList(Addin.errorTree, Addin.smallIconList, TVSIL_NORMAL);
    Addin.typeField = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 210, 0, 300, 20,
                                      window_, nullptr, self, nullptr);
    Addin.errorField = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 210, 30, 300, 40,
                                       window_, nullptr, self, nullptr);
    Addin.descriptionField =
        CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY, 210, 80,
                        400, 200, window_, nullptr, self, nullptr);
}

TestWindow::~TestWindow() {
    DestroyWindow(window_);
}

std::string ProgramDirectory() {
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    KeepFolder(path, sizeof path);
    return path;
}

void UseAddinDirectory(const std::string& directory) {
    ZeroMemory(Addin.addinDirectory, sizeof Addin.addinDirectory);
    CopyText(Addin.addinDirectory, directory.c_str());
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    GetWindowTextA(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

namespace {

std::vector<HTREEITEM> Siblings(HWND tree, HTREEITEM first) {
    std::vector<HTREEITEM> items;
    for (HTREEITEM item = first; item != nullptr; item = TreeView_GetNextSibling(tree, item))
        items.push_back(item);
    return items;
}

} // namespace

std::vector<HTREEITEM> TreeRoots(HWND tree) {
    return Siblings(tree, TreeView_GetRoot(tree));
}

std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent) {
    return Siblings(tree, TreeView_GetChild(tree, parent));
}

TreeEntry TreeItem(HWND tree, HTREEITEM item) {
    char text[64] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &query);
    return {text, query.lParam, query.iImage};
}

std::vector<std::string> TreeTexts(HWND tree, const std::vector<HTREEITEM>& items) {
    std::vector<std::string> texts;
    for (HTREEITEM item : items)
        texts.push_back(TreeItem(tree, item).text);
    return texts;
}

std::vector<TreeEntry> TreeEntries(HWND tree, HTREEITEM parent) {
    std::vector<TreeEntry> entries;
    for (HTREEITEM item : TreeChildren(tree, parent))
        entries.push_back(TreeItem(tree, item));
    return entries;
}

std::ostream& operator<<(std::ostream& out, const TreeEntry& entry) {
    return out << "{" << entry.text << ", " << entry.data << ", image " << entry.image << "}";
}
