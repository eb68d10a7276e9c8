#include "catalogue/catalogue.h"

#include <algorithm>

#include "catalogue/error_label.h"
#include "host/addin_state.h"
#include "host/text_copy.h"

namespace {

void InsertErrorItem(const char* label, MessageId id) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = Addin.lookupHeadings[Addin.loadingTool - 1];
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(label);
    insert.item.iImage = 1;
    insert.item.iSelectedImage = 1;
    insert.item.lParam = static_cast<LPARAM>(id);
    TreeView_InsertItem(Addin.errorTree, &insert);
}

// The entries of one module, gathered by the walk before any reaches the tree.
struct PendingEntry {
    char label[ErrorLabelSize];
    MessageId id;
};

struct PendingEntries {
    PendingEntry* items;
    size_t count;
    size_t capacity;
};

void CollectErrorEntry(void* context, MessageId id) {
    const ToolEntry* tool = FindTool(Addin.loadingTool);
    if (tool == nullptr)
        return;
    PendingEntry entry{};
    if (!FormatErrorLabel(tool->labelPrefix, id, entry.label))
        return;
    entry.id = id;
    auto* pending = static_cast<PendingEntries*>(context);
    if (pending->count == pending->capacity) {
        const size_t capacity = pending->capacity == 0 ? 256 : pending->capacity * 2;
        void* grown =
            pending->items == nullptr
                ? HeapAlloc(ScratchHeap(), 0, capacity * sizeof(PendingEntry))
                : HeapReAlloc(ScratchHeap(), 0, pending->items, capacity * sizeof(PendingEntry));
        if (grown == nullptr) {
            // Out of memory costs only speed: the tree still places the item itself.
            InsertErrorItem(entry.label, id);
            return;
        }
        pending->items = static_cast<PendingEntry*>(grown);
        pending->capacity = capacity;
    }
    pending->items[pending->count++] = entry;
}

} // namespace

bool BuildCataloguePath(int toolIndex, char* path, size_t size) {
    ZeroMemory(path, size);
    const ToolEntry* tool = FindTool(toolIndex);
    // Without its folder a bare module name would be looked for along the search path, and
    // another program's ML.dll read.
    if (tool == nullptr || Addin.addinDirectory[0] == '\0' ||
        !CopyText(path, size, Addin.addinDirectory) || !AppendText(path, size, tool->moduleStem) ||
        !AppendText(path, size, ".dll")) {
        ZeroMemory(path, size);
        return false;
    }
    return true;
}

void LoadCatalogue() {
    for (int toolIndex : CatalogueLoadOrder) {
        Addin.loadingTool = toolIndex;
        char path[PathBufferSize];
        // A path that does not fit is not opened: the heading stays empty.
        if (BuildCataloguePath(toolIndex, path, sizeof path))
            LoadCatalogueModule(path);
    }
}

void LoadCatalogueModule(const char* path) {
    HMODULE module = LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr)
        return;
    MessageTable table;
    if (OpenMessageTable(module, &table)) {
        AddMessageTable(table.data, table.size);
        CloseMessageTable(&table);
    }
    FreeLibrary(module);
}

// TVI_SORT walks a heading's children from the first until the new label sorts before one.
// Entries come from the walk in ascending order, so each insert would walk the whole list;
// handed over in descending order of the tree's own comparison, each stops at the first child.
// The tree still places every item, so the order affects only the time.
void AddMessageTable(const unsigned char* data, size_t size) {
    PendingEntries pending{};
    WalkMessageTable(data, size, CollectErrorEntry, &pending);
    if (pending.items == nullptr)
        return;
    std::sort(pending.items, pending.items + pending.count,
              [](const PendingEntry& a, const PendingEntry& b) {
                  return lstrcmpiA(a.label, b.label) > 0;
              });
    for (size_t i = 0; i < pending.count; ++i)
        InsertErrorItem(pending.items[i].label, pending.items[i].id);
    HeapFree(ScratchHeap(), 0, pending.items);
}
