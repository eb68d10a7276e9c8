// Prints how long the add-in's catalogue work takes on the shipped catalogues: filling the
// error tree (every opening of the lookup window does it), fetching and splitting every
// message text, and looking up the code that the search reaches last. Not a test: figures only.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <vector>

#include "catalogue/catalogue.h"
#include "host/addin_state.h"
#include "lookup/lookup_window.h"

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return t;
}

SIZE_T WorkingSetKiB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.WorkingSetSize / 1024;
}

void FillTree() {
    SendMessageA(Addin.errorTree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    BuildToolHeadings(LookupMode, Addin.errorTree);
    LoadCatalogue();
}

} // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    Addin.instance = GetModuleHandleA(nullptr);
    InitAddinState();
    FindAddinDirectory();
    HWND window = CreateWindowExA(0, "STATIC", "bench", WS_POPUP, 0, 0, 400, 600, nullptr, nullptr,
                                  nullptr, nullptr);
    Addin.errorTree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | TVS_HASLINES, 0, 0, 200, 600,
                                      window, nullptr, nullptr, nullptr);
    Addin.typeField =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
    Addin.errorField =
        CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
    Addin.descriptionField = CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_MULTILINE, 0, 0, 10, 10,
                                             window, nullptr, nullptr, nullptr);

    const SIZE_T before = WorkingSetKiB();
    const int rounds = 20;
    LARGE_INTEGER start = Now();
    for (int i = 0; i < rounds; ++i)
        FillTree();
    const double fill = Milliseconds(start, Now()) / rounds;
    const UINT entries =
        static_cast<UINT>(SendMessageA(Addin.errorTree, TVM_GETCOUNT, 0, 0)) - ToolCount;
    std::printf("tree fill (headings + all eight modules): %.2f ms per opening, %u entries\n", fill,
                entries);
    std::printf("working set: %lu KiB before, %lu KiB with the tree filled\n",
                static_cast<unsigned long>(before), static_cast<unsigned long>(WorkingSetKiB()));

    std::vector<std::pair<HTREEITEM, LPARAM>> all;
    for (int tool = 1; tool <= ToolCount; ++tool) {
        HTREEITEM heading = Addin.lookupHeadings[tool - 1];
        for (HTREEITEM item = TreeView_GetChild(Addin.errorTree, heading); item != nullptr;
             item = TreeView_GetNextSibling(Addin.errorTree, item)) {
            TVITEMA query{};
            query.mask = TVIF_PARAM;
            query.hItem = item;
            TreeView_GetItem(Addin.errorTree, &query);
            all.emplace_back(heading, query.lParam);
        }
    }
    start = Now();
    for (const auto& entry : all)
        ShowErrorDetails(entry.first, static_cast<MessageId>(entry.second));
    const double details = Milliseconds(start, Now());
    std::printf("error details for every entry: %.1f ms in all, %.1f us per entry\n", details,
                1000.0 * details / double(all.size()));

    // The search walks headings in display order; RC ("W" Errors) comes last.
    start = Now();
    const int lookups = 50;
    for (int i = 0; i < lookups; ++i)
        FindErrorByLabel("RW4002");
    std::printf("lookup of the last entry in display order: %.1f us\n",
                1000.0 * Milliseconds(start, Now()) / lookups);
    DestroyWindow(window);
    return 0;
}
