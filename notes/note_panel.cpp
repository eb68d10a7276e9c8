#include "notes/notes.h"

#include <richedit.h>

#include "host/addin_state.h"

namespace {

struct PlainTextSource {
    const char* next;
    size_t left;
};

DWORD CALLBACK ReadPlainText(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* done) {
    auto* source = reinterpret_cast<PlainTextSource*>(cookie);
    const size_t n = source->left < static_cast<size_t>(size) ? source->left : size_t(size);
    CopyMemory(buffer, source->next, n);
    source->next += n;
    source->left -= n;
    *done = static_cast<LONG>(n);
    return 0;
}

} // namespace

void SetNoteFieldText(HWND editor, const char* text) {
    // A rich-edit field reads a text set by WM_SETTEXT as rich text when it starts with
    // "{\rtf"; streamed in as plain text it is taken byte for byte.
    PlainTextSource source{text, static_cast<size_t>(lstrlenA(text))};
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadPlainText};
    SendMessageA(editor, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&stream));
}

void ShowNote(const char* label, HWND editor, HWND saveButton, HWND deleteButton) {
    char path[NoteReadPathSize];
    const bool buildable = NotePath(label, path, sizeof path);
    const bool exists = buildable && NoteExists(path);
    DWORD bytes = 0;
    char* note = exists ? ReadNote(path, &bytes) : nullptr;
    SetNoteFieldText(editor, note != nullptr ? note : "");
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
        SetNoteFieldText(Addin.noteField, "");
        EnableWindow(Addin.deleteNoteButton, FALSE);
    }
    SetFocus(Addin.errorTree);
}
