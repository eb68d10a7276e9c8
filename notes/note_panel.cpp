#include "notes/notes.h"

#include "host/addin_state.h"

// The note panel stays empty and inactive until notes are stored.
void LoadNote(const char* /*code*/) {
    SendMessageA(Addin.noteField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    EnableWindow(Addin.deleteNoteButton, FALSE);
    EnableWindow(Addin.saveNoteButton, FALSE);
}

void SaveNote(const char* /*code*/, HWND /*editor*/, HWND /*deleteButton*/) {}

void DeleteNote(HWND /*owner*/) {}
