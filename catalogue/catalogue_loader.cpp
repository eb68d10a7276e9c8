#include "catalogue/catalogue.h"

#include "catalogue/error_label.h"
#include "host/addin_state.h"
#include "host/text_copy.h"

namespace {

void InsertErrorEntry(void* /*context*/, MessageId id) {
    const ToolEntry* tool = FindTool(Addin.loadingTool);
    if (tool == nullptr)
        return;
    char label[ErrorLabelSize];
    if (!FormatErrorLabel(tool->labelPrefix, id, label))
        return;
    TVINSERTSTRUCTA insert{};
    insert.hParent = Addin.lookupHeadings[Addin.loadingTool - 1];
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = label;
    insert.item.iImage = 1;
    insert.item.iSelectedImage = 1;
    insert.item.lParam = static_cast<LPARAM>(id);
    SendMessageA(Addin.errorTree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
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

void AddMessageTable(const unsigned char* data, size_t size) {
    WalkMessageTable(data, size, InsertErrorEntry, nullptr);
}
