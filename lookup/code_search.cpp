#include <windows.h>
#include <windowsx.h>

#include "catalogue/catalogue.h"
#include "host/addin_state.h"
#include "lookup/code_chars.h"
#include "lookup/label_compare.h"
#include "lookup/lookup_window.h"

namespace {

constexpr int SearchTextSize = 50;

} // namespace

LRESULT CALLBACK CodeCharFilter(HWND window, UINT message, WPARAM first, LPARAM second) {
    // Typed characters only: pasted text arrives as WM_PASTE and is not filtered.
    if (message == WM_CHAR && !IsCodeCharacter(static_cast<unsigned int>(first)))
        return 0;
    return CallWindowProcA(Addin.codeEditPreviousProc, window, message, first, second);
}

BOOL FindErrorByLabel(const char* code) {
    for (HTREEITEM heading = TreeView_GetRoot(Addin.errorTree); heading != nullptr;
         heading = TreeView_GetNextSibling(Addin.errorTree, heading)) {
        for (HTREEITEM entry = TreeView_GetChild(Addin.errorTree, heading); entry != nullptr;
             entry = TreeView_GetNextSibling(Addin.errorTree, entry)) {
            char text[SearchTextSize] = {};
            TVITEMA query{};
            query.mask = TVIF_TEXT | TVIF_PARAM;
            query.hItem = entry;
            query.pszText = text;
            query.cchTextMax = SearchTextSize;
            TreeView_GetItem(Addin.errorTree, &query);
            if (LabelsEqual(text, code))
                return TreeView_SelectItem(Addin.errorTree, entry);
        }
    }
    return FALSE;
}

void RunLookupCommand() {
    ZeroMemory(Addin.currentCode, sizeof Addin.currentCode);
    GetWindowTextA(Addin.codeEdit, Addin.currentCode, sizeof Addin.currentCode);
    HTREEITEM before = TreeView_GetSelection(Addin.errorTree);
    if (FindErrorByLabel(Addin.currentCode)) {
        // Selecting the entry that is already selected changes nothing, so after a failed
        // lookup cleared the fields, show that entry again.
        if (TreeView_GetSelection(Addin.errorTree) == before)
            OnErrorTreeSelection();
        EnableWindow(Addin.saveNoteButton, TRUE);
        SetFocus(Addin.errorTree);
        return;
    }
    EnableWindow(Addin.saveNoteButton, FALSE);
    EnableWindow(Addin.deleteNoteButton, FALSE);
    ClearDetails();
    MessageBoxA(Addin.errorTree,
                "Could not find error number\r\n\r\nPlease check the error number and try again",
                nullptr, MB_ICONERROR);
    Edit_SetSel(Addin.codeEdit, 0, -1);
    SetFocus(Addin.codeEdit);
}
