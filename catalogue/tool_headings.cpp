#include "catalogue/catalogue.h"
#include "host/addin_state.h"

namespace {

HTREEITEM InsertHeading(HWND tree, const char* text) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = 0;
    return TreeView_InsertItem(tree, &insert);
}

} // namespace

void BuildToolHeadings(int mode, HWND tree) {
    if (mode == LookupMode) {
        for (int toolIndex : LookupHeadingOrder)
            Addin.lookupHeadings[toolIndex - 1] =
                InsertHeading(tree, FindTool(toolIndex)->lookupHeading);
        return;
    }
    for (int slot = 0; slot < BrowserHeadingCount; ++slot)
        Addin.browserHeadings[slot] = InsertHeading(tree, BrowserHeadingTexts[slot]);
}
