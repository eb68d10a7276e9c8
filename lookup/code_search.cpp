#include "catalogue/catalogue.h"
#include "host/addin_state.h"
#include "lookup/code_chars.h"
#include "lookup/label_compare.h"
#include "lookup/lookup_window.h"

namespace {

constexpr int SearchTextSize = 50;

HTREEITEM NextItem(UINT relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(Addin.errorTree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

} // namespace

LRESULT CALLBACK CodeCharFilter(HWND window, UINT message, WPARAM first, LPARAM second) {
    // Typed characters only: pasted text arrives as WM_PASTE and is not filtered.
    if (message == WM_CHAR && !IsCodeCharacter(static_cast<unsigned int>(first)))
        return 0;
    return CallWindowProcA(Addin.codeEditPreviousProc, window, message, first, second);
}

BOOL FindErrorByLabel(const char* code) {
    for (HTREEITEM heading = NextItem(TVGN_ROOT, nullptr); heading != nullptr;
         heading = NextItem(TVGN_NEXT, heading)) {
        for (HTREEITEM entry = NextItem(TVGN_CHILD, heading); entry != nullptr;
             entry = NextItem(TVGN_NEXT, entry)) {
            char text[SearchTextSize] = {};
            TVITEMA query{};
            query.mask = TVIF_TEXT | TVIF_PARAM;
            query.hItem = entry;
            query.pszText = text;
            query.cchTextMax = SearchTextSize;
            SendMessageA(Addin.errorTree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
            if (LabelsEqual(text, code))
                return static_cast<BOOL>(SendMessageA(Addin.errorTree, TVM_SELECTITEM, TVGN_CARET,
                                                      reinterpret_cast<LPARAM>(entry)));
        }
    }
    return FALSE;
}

void RunLookupCommand() {
    ZeroMemory(Addin.currentCode, sizeof Addin.currentCode);
    SendMessageA(Addin.codeEdit, WM_GETTEXT, sizeof Addin.currentCode,
                 reinterpret_cast<LPARAM>(Addin.currentCode));
    HTREEITEM before = NextItem(TVGN_CARET, nullptr);
    if (FindErrorByLabel(Addin.currentCode)) {
        // Selecting the entry that is already selected changes nothing, so after a failed
        // lookup cleared the fields, show that entry again.
        if (NextItem(TVGN_CARET, nullptr) == before)
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
    SendMessageA(Addin.codeEdit, EM_SETSEL, 0, -1);
    SetFocus(Addin.codeEdit);
}
