#include "notes/notes.h"

#include <commctrl.h>

#include "catalogue/catalogue.h"
#include "host/addin_state.h"
#include "host/text_copy.h"
#include "lookup/label_compare.h"
#include "notes/note_names.h"
#include "resources/resource_ids.h"

namespace {

void SetEditorText(const char* text) {
    SetNoteFieldText(Addin.browserEditor, text);
}

void OnInitDialog(HWND window) {
    Addin.browserTree = GetDlgItem(window, IDC_BROWSER_TREE);
    Addin.browserEditor = GetDlgItem(window, IDC_BROWSER_EDITOR);
    Addin.browserSaveButton = GetDlgItem(window, IDC_BROWSER_SAVE);
    Addin.browserDeleteButton = GetDlgItem(window, IDC_BROWSER_DELETE);
    Addin.browserEntry = nullptr;
    TreeView_SetImageList(Addin.browserTree, Addin.smallIconList, TVSIL_NORMAL);
    BuildToolHeadings(BrowserMode, Addin.browserTree);
    ListNotes();
    SetFocus(Addin.browserTree);
}

void OnSelectionChanged() {
    HTREEITEM item = TreeView_GetSelection(Addin.browserTree);
    if (item == nullptr || TreeView_GetParent(Addin.browserTree, item) == nullptr) {
        SetEditorText("");
        EnableWindow(Addin.browserDeleteButton, FALSE);
        EnableWindow(Addin.browserSaveButton, FALSE);
        return;
    }
    Addin.browserEntry = item;
    ZeroMemory(Addin.browserCode, sizeof Addin.browserCode);
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = Addin.browserCode;
    query.cchTextMax = sizeof Addin.browserCode;
    TreeView_GetItem(Addin.browserTree, &query);
    // A file that went since the list was built shows as an empty note that can be saved.
    ShowNote(Addin.browserCode, Addin.browserEditor, Addin.browserSaveButton,
             Addin.browserDeleteButton);
}

void OnCommand(HWND window, int id, HWND /*control*/, UINT code) {
    if (code != 0)
        return;
    switch (id) {
    case IDC_BROWSER_SAVE:
        SaveNote(Addin.browserCode, Addin.browserEditor, Addin.browserDeleteButton);
        if (LabelsEqual(Addin.currentCode, Addin.browserCode))
            LoadNote(Addin.currentCode);
        break;
    case IDC_BROWSER_DELETE:
        DeleteBrowserNote(window);
        break;
    default: // Escape and Enter are ignored
        break;
    }
}

} // namespace

void ListNotes() {
    char pattern[PathBufferSize] = {};
    if (Addin.notesDirectory[0] == '\0' || !CopyText(pattern, Addin.notesDirectory) ||
        !AppendText(pattern, "\\*.knote"))
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        AddNoteEntry(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
}

void AddNoteEntry(const char* fileName) {
    char label[ErrorLabelSize];
    const int slot = ClassifyNoteFileName(fileName);
    // Names that fit no heading, or whose label would be cut, are not notes of ours.
    if (slot < 0 || !NoteLabelFromFileName(fileName, label))
        return;
    TVINSERTSTRUCTA insert{};
    insert.hParent = Addin.browserHeadings[slot];
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = label;
    insert.item.iImage = 1;
    insert.item.iSelectedImage = 1;
    TreeView_InsertItem(Addin.browserTree, &insert);
}

void DeleteBrowserNote(HWND owner) {
    if (!ConfirmNoteDelete(owner, Addin.browserCode))
        return;
    // A delete that fails leaves the file, both windows and the entry as they were.
    if (!RemoveNoteFile(Addin.browserCode)) {
        SetFocus(Addin.browserTree);
        return;
    }
    SetEditorText("");
    EnableWindow(Addin.browserDeleteButton, FALSE);
    EnableWindow(Addin.deleteNoteButton, FALSE);
    if (LabelsEqual(Addin.currentCode, Addin.browserCode))
        SetNoteFieldText(Addin.noteField, "");
    // Removing the entry moves the selection, and the selection handling then remembers the
    // entry that is selected now: forget the deleted one first, never afterwards. A null item
    // would remove every item of the tree.
    HTREEITEM deleted = Addin.browserEntry;
    Addin.browserEntry = nullptr;
    if (deleted != nullptr)
        TreeView_DeleteItem(Addin.browserTree, deleted);
    SetFocus(Addin.browserTree);
}

INT_PTR CALLBACK NoteBrowserDialogProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return FALSE; // the focus is set
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(second);
        if (header->idFrom == IDC_BROWSER_TREE && header->code == TVN_SELCHANGEDA)
            OnSelectionChanged();
        return FALSE;
    }
    case WM_COMMAND:
        OnCommand(window, LOWORD(first), reinterpret_cast<HWND>(second), HIWORD(first));
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
