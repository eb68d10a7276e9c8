#include "notes/note_names.h"

#include <cstring>

#include "host/text_copy.h"

namespace {

struct NoteClass {
    const char* text;
    int slot;
};

// In this order; slots as BrowserHeadingTexts: ML, CVTRES, NMAKE, H2INC, LINK, RC, MIDL.
constexpr NoteClass NoteClasses[] = {
    {"A", 0}, {"CVT", 1}, {"R", 5}, {"U", 2}, {"LNK", 4}, {"HI", 3}, {"MIDL", 6},
};

} // namespace

int ClassifyNoteFileName(const char* fileName) {
    for (const NoteClass& c : NoteClasses)
        if (std::strstr(fileName, c.text) != nullptr)
            return c.slot;
    return -1;
}

bool NoteLabelFromFileName(const char* fileName, char (&label)[ErrorLabelSize]) {
    for (char& c : label)
        c = '\0';
    std::size_t n = 0;
    while (fileName[n] != '\0' && fileName[n] != '.') {
        if (n + 1 >= ErrorLabelSize) {
            label[0] = '\0';
            return false;
        }
        label[n] = fileName[n];
        ++n;
    }
    return n > 0;
}

bool BuildNotePath(const char* notesDirectory, const char* label, char* path, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i)
        path[i] = '\0';
    if (notesDirectory[0] == '\0' || label[0] == '\0' ||
        std::strpbrk(label, "\\/:*?\"<>|") != nullptr || std::strcmp(label, ".") == 0 ||
        std::strcmp(label, "..") == 0)
        return false;
    if (!CopyText(path, size, notesDirectory) || !AppendText(path, size, "\\") ||
        !AppendText(path, size, label) || !AppendText(path, size, ".knote")) {
        for (std::size_t i = 0; i < size; ++i)
            path[i] = '\0';
        return false;
    }
    return true;
}
