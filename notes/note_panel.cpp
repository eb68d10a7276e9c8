#include "notes/notes.h"

#include "host/addin_state.h"

namespace {

void SetNoteText(const char* text) {
    SendMessageA(Addin.noteField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

} // namespace

void LoadNote(const char* code) {
    char path[NoteReadPathSize];
    if (!NotePath(code, path, sizeof path)) {
        // No note can be kept for this label here: offer nothing.
        SetNoteText("");
        EnableWindow(Addin.deleteNoteButton, FALSE);
        EnableWindow(Addin.saveNoteButton, FALSE);
        return;
    }
    if (!NoteExists(path)) {
        EnableWindow(Addin.deleteNoteButton, FALSE);
        EnableWindow(Addin.saveNoteButton, TRUE);
        SetNoteText("");
        return;
    }
    DWORD bytes = 0;
    char* note = ReadNote(path, &bytes);
    if (note == nullptr) {
        // The note is there but cannot be read (locked, say): saving now would replace it
        // with an empty text, so only deleting is offered.
        SetNoteText("");
        EnableWindow(Addin.deleteNoteButton, TRUE);
        EnableWindow(Addin.saveNoteButton, FALSE);
        return;
    }
    SetNoteText(note);
    GlobalFree(note);
    EnableWindow(Addin.deleteNoteButton, TRUE);
    EnableWindow(Addin.saveNoteButton, TRUE);
}

void DeleteNote(HWND owner) {
    if (!ConfirmNoteDelete(owner, Addin.currentCode))
        return;
    // A delete that fails (a locked or read-only file) leaves the note shown as it is.
    if (RemoveNoteFile(Addin.currentCode)) {
        SetNoteText("");
        EnableWindow(Addin.deleteNoteButton, FALSE);
    }
    SetFocus(Addin.errorTree);
}
