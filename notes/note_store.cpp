#include "notes/notes.h"

#include "host/addin_state.h"
#include "host/text_copy.h"
#include "notes/note_names.h"

namespace {

// Larger notes are not a note this add-in wrote; they are treated as unreadable.
constexpr DWORD LargestNote = 64u * 1024u * 1024u;

bool WriteAll(HANDLE file, const char* data, DWORD size) {
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

// An existing note may be replaced only when the platform would let it be deleted: not
// read-only, and not held open by anyone who denies that. Checked here, before the rename,
// because Wine's MoveFileEx replaces such a file where Windows would refuse.
bool MayReplace(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return GetLastError() == ERROR_FILE_NOT_FOUND;
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;
    HANDLE file =
        CreateFileA(path, DELETE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

} // namespace

void PrepareNotesDirectory() {
    ZeroMemory(Addin.notesDirectory, sizeof Addin.notesDirectory);
    // The name becomes a folder: it must be spelled exactly and be a plain folder name, or
    // notes would land in another user's folder, beside the add-in, or nowhere sensible.
    wchar_t wide[UserNameSize] = {};
    DWORD wideSize = UserNameSize;
    char user[UserNameSize] = {};
    if (!GetUserNameW(wide, &wideSize) || !ExactAnsiText(wide, user, sizeof user) ||
        !IsPlainFolderName(user))
        return;
    char root[PathBufferSize] = {};
    if (Addin.addinDirectory[0] == '\0' || !CopyText(root, Addin.addinDirectory) ||
        !AppendText(root, "Notes"))
        return;
    char notes[PathBufferSize] = {};
    if (!CopyText(notes, root) || !AppendText(notes, "\\") || !AppendText(notes, user))
        return;
    CreateDirectoryA(root, nullptr);
    CreateDirectoryA(notes, nullptr);
    CopyText(Addin.notesDirectory, notes);
}

bool NotePath(const char* label, char* path, size_t size) {
    // Every operation on a label agrees on whether its note can exist: the larger read buffers
    // get no longer paths than the save and delete ones, which the file system takes anyway,
    // and a note whose save file would not fit is a note that cannot be kept.
    ZeroMemory(path, size);
    char savePath[PathBufferSize];
    if (!BuildNotePath(Addin.notesDirectory, label, savePath, sizeof savePath, NoteSaveExtension))
        return false;
    return BuildNotePath(Addin.notesDirectory, label, path,
                         size < PathBufferSize ? size : PathBufferSize);
}

bool NoteIsGone(const char* path) {
    if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool NoteExists(const char* path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return true;
}

char* ReadNote(const char* path, DWORD* bytesRead) {
    *bytesRead = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return nullptr;
    const DWORD size = GetFileSize(file, nullptr);
    char* block = nullptr;
    if (size != INVALID_FILE_SIZE && size <= LargestNote) {
        block = static_cast<char*>(GlobalAlloc(GMEM_ZEROINIT, size + 32));
        // The 32 zero bytes past the file keep the text terminated whatever the file holds.
        if (block != nullptr && !ReadFile(file, block, size, bytesRead, nullptr)) {
            GlobalFree(block);
            block = nullptr;
            *bytesRead = 0;
        }
    }
    CloseHandle(file);
    return block;
}

void SaveNote(const char* code, HWND editor, HWND deleteButton) {
    char path[PathBufferSize];
    char temporary[PathBufferSize];
    if (!NotePath(code, path, sizeof path) ||
        !BuildNotePath(Addin.notesDirectory, code, temporary, sizeof temporary, NoteSaveExtension))
        return;
    // The new text goes to the label's save file beside the note first; the old note is
    // replaced only once that file is complete, so no failure can leave a cut or empty note
    // behind, and a save that fails leaves no file of its own.
    bool written = false;
    HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const DWORD size = static_cast<DWORD>(GetWindowTextLengthA(editor)) + 1;
        char* text = static_cast<char*>(HeapAlloc(ScratchHeap(), HEAP_ZERO_MEMORY, size));
        if (text != nullptr) {
            GetWindowTextA(editor, text, static_cast<int>(size));
            written = WriteAll(file, text, size) && FlushFileBuffers(file);
            HeapFree(ScratchHeap(), 0, text);
        }
        written = CloseHandle(file) && written;
        if (!written || !MayReplace(path) ||
            !MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            DeleteFileA(temporary);
    }
    if (NoteExists(path))
        EnableWindow(deleteButton, TRUE);
}

bool ConfirmNoteDelete(HWND owner, const char* label) {
    char question[68] = {};
    CopyText(question, "Are you sure you want to delete the note for error: ");
    AppendText(question, label);
    return MessageBoxA(owner, question, "Confirm Delete", MB_YESNO | MB_ICONWARNING) == IDYES;
}

bool RemoveNoteFile(const char* label) {
    char path[PathBufferSize];
    if (!NotePath(label, path, sizeof path))
        return false;
    // A delete can report success and leave the file (a folder the user may not change, a
    // program that still holds it): only the file's absence counts.
    DeleteFileA(path);
    return NoteIsGone(path);
}
