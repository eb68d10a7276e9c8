#include "notes/notes.h"

#include "host/addin_state.h"

void ShowNote(const char* label, HWND editor, HWND saveButton, HWND deleteButton) {
    char path[NoteReadPathSize];
    const bool buildable = NotePath(label, path, sizeof path);
    const bool exists = buildable && NoteExists(path);
    DWORD bytes = 0;
    char* note = exists ? ReadNote(path, &bytes) : nullptr;
    SendMessageA(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(note != nullptr ? note : ""));
    if (note != nullptr)
        GlobalFree(note);
    EnableWindow(deleteButton, exists);
    // Saving is offered when a note can be kept for this label and would not replace one
    // that cannot be read (held by another program, say) with a text never seen.
    EnableWindow(saveButton, buildable && (!exists || note != nullptr));
}

void LoadNote(const char* code) {
    ShowNote(code, Addin.noteField, Addin.saveNoteButton, Addin.deleteNoteButton);
}

void DeleteNote(HWND owner) {
    if (!ConfirmNoteDelete(owner, Addin.currentCode))
        return;
    // A delete that fails (a locked or read-only file) leaves the note shown as it is.
    if (RemoveNoteFile(Addin.currentCode)) {
        SendMessageA(Addin.noteField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
        EnableWindow(Addin.deleteNoteButton, FALSE);
    }
    SetFocus(Addin.errorTree);
}
