#include "notes/notes.h"

#include "host/addin_state.h"
#include "host/text_copy.h"

void PrepareNotesDirectory() {
    ZeroMemory(Addin.notesDirectory, sizeof Addin.notesDirectory);
    char user[UserNameSize] = {};
    DWORD userSize = sizeof user;
    if (!GetUserNameA(user, &userSize) || user[0] == '\0')
        return;
    char root[PathBufferSize] = {};
    if (!CopyText(root, Addin.addinDirectory) || !AppendText(root, "Notes"))
        return;
    char notes[PathBufferSize] = {};
    // A folder that would not fit leaves NotesDirectory empty: no note is read or written.
    if (!CopyText(notes, root) || !AppendText(notes, "\\") || !AppendText(notes, user))
        return;
    CreateDirectoryA(root, nullptr);
    CreateDirectoryA(notes, nullptr);
    CopyText(Addin.notesDirectory, notes);
}
