#include "lookup/lookup_window.h"

#include <windowsx.h>

#include <initializer_list>

#include "about/about_box.h"
#include "catalogue/catalogue.h"
#include "host/addin_state.h"
#include "notes/notes.h"
#include "resources/resource_ids.h"

namespace {

constexpr UINT BrowseNotesCommand = 1;
constexpr UINT AboutCommand = 2;
constexpr UINT OnTopCommand = 0;

void SetWindowIcons(HWND window) {
    HANDLE big = LoadImageA(Addin.instance, MAKEINTRESOURCEA(IDI_KIVO), IMAGE_ICON, 32, 32, 0);
    HANDLE small = LoadImageA(Addin.instance, MAKEINTRESOURCEA(IDI_KIVO), IMAGE_ICON, 16, 16, 0);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void FetchControls(HWND window) {
    Addin.codeEdit = GetDlgItem(window, IDC_CODE_ENTRY);
    Addin.typeField = GetDlgItem(window, IDC_TYPE_FIELD);
    Addin.errorField = GetDlgItem(window, IDC_ERROR_FIELD);
    Addin.descriptionField = GetDlgItem(window, IDC_DESCRIPTION_FIELD);
    Addin.noteField = GetDlgItem(window, IDC_NOTE_FIELD);
    Addin.errorTree = GetDlgItem(window, IDC_ERROR_TREE);
    Addin.saveNoteButton = GetDlgItem(window, IDC_SAVE_NOTE);
    Addin.deleteNoteButton = GetDlgItem(window, IDC_DELETE_NOTE);
}

// "On Top" goes above "Browse Notes" and "About": the toggle relabels position 0, and the
// two commands stay right under it.
void ExtendSystemMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, BrowseNotesCommand, "Browse Notes");
    InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, AboutCommand, "About");
    InsertMenuA(menu, 2, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    InsertMenuA(menu, 0, MF_BYPOSITION | MF_STRING, OnTopCommand, "On Top");
    DrawMenuBar(window);
}

BOOL OnInitDialog(HWND window, LPARAM preset) {
    Addin.lookupWindow = window;
    SetWindowIcons(window);
    FetchControls(window);
    // A code has at most 15 characters; a long paste would only keep the field busy.
    Edit_LimitText(Addin.codeEdit, ErrorLabelSize - 1);
    TreeView_SetImageList(Addin.errorTree, Addin.smallIconList, TVSIL_NORMAL);
    FindAddinDirectory();
    PrepareNotesDirectory();
    ExtendSystemMenu(window);
    Addin.codeEditPreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongA(Addin.codeEdit, GWL_WNDPROC,
                       static_cast<LONG>(reinterpret_cast<LONG_PTR>(CodeCharFilter))));
    BuildToolHeadings(LookupMode, Addin.errorTree);
    LoadCatalogue();
    Addin.onTopFlag = 0;
    Addin.lookupEndedAtOpening = 0;
    if (preset != 0) {
        const char* code = reinterpret_cast<const char*>(preset);
        if (FindErrorByLabel(code)) {
            SetWindowTextA(Addin.codeEdit, code);
        } else {
            Addin.lookupEndedAtOpening = 1;
            EndDialog(window, NotFoundResult);
        }
    }
    return TRUE;
}

void ToggleOnTop(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    Addin.onTopFlag = Addin.onTopFlag == 0 ? 1 : 0;
    SetWindowPos(window, Addin.onTopFlag ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
    ModifyMenuA(menu, 0, MF_BYPOSITION | MF_STRING | (Addin.onTopFlag ? MF_CHECKED : MF_UNCHECKED),
                OnTopCommand, "On Top");
    DrawMenuBar(window);
}

void OnSysCommand(HWND window, WPARAM command) {
    switch (command) {
    case BrowseNotesCommand:
        DialogBoxParamA(Addin.instance, MAKEINTRESOURCEA(IDD_NOTE_BROWSER), window,
                        NoteBrowserDialogProc, 0);
        break;
    case AboutCommand:
        DialogBoxParamA(Addin.instance, MAKEINTRESOURCEA(IDD_ABOUT), window, AboutDialogProc, 0);
        break;
    case OnTopCommand:
        ToggleOnTop(window);
        break;
    default:
        break;
    }
}

void OnCommand(HWND window, int id, HWND /*control*/, UINT code) {
    if (code != 0)
        return;
    switch (id) {
    case IDC_SAVE_NOTE:
        SaveNote(Addin.currentCode, Addin.noteField, Addin.deleteNoteButton);
        break;
    case IDC_DELETE_NOTE:
        DeleteNote(window);
        break;
    case IDC_LOOKUP:
        RunLookupCommand();
        break;
    default: // Escape's cancel command is ignored
        break;
    }
}

void OnNotify(const NMHDR* header) {
    if (header->idFrom == IDC_ERROR_TREE && header->code == TVN_SELCHANGEDA)
        OnErrorTreeSelection();
}

} // namespace

INT_PTR OpenLookupWindow(HWND owner, const char* preset) {
    return DialogBoxParamA(Addin.instance, MAKEINTRESOURCEA(IDD_LOOKUP), owner, LookupDialogProc,
                           reinterpret_cast<LPARAM>(preset));
}

BOOL ShowPresetInOpenWindow(const char* preset) {
    HTREEITEM before = TreeView_GetSelection(Addin.errorTree);
    if (!FindErrorByLabel(preset))
        return FALSE;
    // The entry may be selected already: shown, with a note the user may be writing, which
    // stays; or with its fields emptied by a failed lookup, which are filled again.
    if (TreeView_GetSelection(Addin.errorTree) == before && !IsWindowEnabled(Addin.saveNoteButton))
        OnErrorTreeSelection();
    SetWindowTextA(Addin.codeEdit, preset);
    return TRUE;
}

void OnErrorTreeSelection() {
    HTREEITEM item = TreeView_GetSelection(Addin.errorTree);
    HTREEITEM parent = item == nullptr ? nullptr : TreeView_GetParent(Addin.errorTree, item);
    if (parent == nullptr) {
        ClearDetails();
        EnableWindow(Addin.deleteNoteButton, FALSE);
        EnableWindow(Addin.saveNoteButton, FALSE);
        return;
    }
    ZeroMemory(Addin.currentCode, sizeof Addin.currentCode);
    TVITEMA query{};
    query.mask = TVIF_TEXT | TVIF_PARAM;
    query.hItem = item;
    query.pszText = Addin.currentCode;
    query.cchTextMax = sizeof Addin.currentCode;
    TreeView_GetItem(Addin.errorTree, &query);
    SetWindowTextA(Addin.codeEdit, Addin.currentCode);
    ShowErrorDetails(parent, static_cast<MessageId>(query.lParam));
    LoadNote(Addin.currentCode);
}

INT_PTR CALLBACK LookupDialogProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog(window, second);
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<const NMHDR*>(second));
        return FALSE;
    case WM_COMMAND:
        OnCommand(window, LOWORD(first), reinterpret_cast<HWND>(second), HIWORD(first));
        return TRUE;
    case WM_SYSCOMMAND:
        // Reported as not handled, so moving, minimising and closing keep working.
        OnSysCommand(window, first);
        return FALSE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    case WM_DESTROY:
        if (Addin.lookupWindow == window)
            Addin.lookupWindow = nullptr;
        // The two icons were loaded for this window alone.
        for (WPARAM size : {ICON_BIG, ICON_SMALL}) {
            HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_SETICON, size, 0));
            if (icon != nullptr)
                DestroyIcon(icon);
        }
        return FALSE;
    case WM_WINDOWPOSCHANGING:
        // Some dialog managers show a template's visible window after its initialisation
        // even when it already ended there; keep it from flashing up.
        if (Addin.lookupEndedAtOpening)
            reinterpret_cast<WINDOWPOS*>(second)->flags &= ~UINT(SWP_SHOWWINDOW);
        return FALSE;
    default:
        return FALSE;
    }
}
