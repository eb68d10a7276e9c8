// Note store and note panel.
#pragma once

#include <windows.h>

// NotesDirectory = AddinDirectory + "Notes\" + user name; creates both levels if missing.
void PrepareNotesDirectory();

// Shows the note of code in the lookup window's note field and sets its note buttons.
void LoadNote(const char* code);
// Writes the editor's text as the note of code, then enables deleteButton.
void SaveNote(const char* code, HWND editor, HWND deleteButton);
// Asks, then deletes the note of CurrentCode.
void DeleteNote(HWND owner);
