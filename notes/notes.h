// Note store, note panel and note browser. A note is the file
// NotesDirectory\<label>.knote holding the note's text and its terminating zero byte(s).
#pragma once

#include <windows.h>

constexpr int NoteReadPathSize = 1044;

// NotesDirectory = AddinDirectory + "Notes\" + user name; creates both levels if missing.
// Without a user name, or when the folder would not fit, NotesDirectory stays empty and
// every note operation does nothing.
void PrepareNotesDirectory();

// Note path of a label in NotesDirectory; false (nothing to do) when it cannot be built.
bool NotePath(const char* label, char* path, size_t size);
// True when the platform reports no file at this path.
bool NoteIsGone(const char* path);
// Puts text into a note field as plain text: a note that starts like rich text is still
// shown, and saved again, exactly as written.
void SetNoteFieldText(HWND editor, const char* text);
// True when a directory search for exactly this path finds an entry.
bool NoteExists(const char* path);
// The whole file in a zero-filled block (size + 32) that the caller frees with GlobalFree,
// or null when it cannot be read.
char* ReadNote(const char* path, DWORD* bytesRead);

// Writes the editor's text as the note of code, replacing the old file only once the new one
// is completely written; enables deleteButton when the note file exists afterwards.
void SaveNote(const char* code, HWND editor, HWND deleteButton);
// Shows the note of a label in an editor and sets the two note buttons beside it.
void ShowNote(const char* label, HWND editor, HWND saveButton, HWND deleteButton);
// Shows the note of code in the lookup window's note field and sets its note buttons.
void LoadNote(const char* code);
// The confirmation prompt for a label; true when the user answered Yes.
bool ConfirmNoteDelete(HWND owner, const char* label);
// Deletes a note file; true when it is gone afterwards.
bool RemoveNoteFile(const char* label);
// Asks, then deletes the note of CurrentCode.
void DeleteNote(HWND owner);

// The note browser.
INT_PTR CALLBACK NoteBrowserDialogProc(HWND window, UINT message, WPARAM first, LPARAM second);
void ListNotes();
void AddNoteEntry(const char* fileName);
void DeleteBrowserNote(HWND owner);
