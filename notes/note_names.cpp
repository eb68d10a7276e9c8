#include "notes/note_names.h"

#include <cstring>

#include "catalogue/tool_table.h"
#include "host/text_copy.h"

int ClassifyNoteFileName(const char* fileName) {
    for (int toolIndex : NoteClassificationOrder) {
        const ToolEntry* tool = FindTool(toolIndex);
        if (std::strstr(fileName, tool->browserMatch) != nullptr)
            return tool->browserSlot;
    }
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

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Device names are reserved with any extension and trailing spaces: "nul.txt", "COM1 ".
bool IsDeviceName(const char* name) {
    std::size_t base = 0;
    while (name[base] != '\0' && name[base] != '.')
        ++base;
    while (base > 0 && name[base - 1] == ' ')
        --base;
    static const char* const devices[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    for (const char* device : devices) {
        std::size_t n = 0;
        while (n < base && device[n] != '\0' && UpperAscii(name[n]) == device[n])
            ++n;
        if (n == base && device[n] == '\0')
            return true;
    }
    // COM0-9 and LPT0-9, with the superscript digits of the 8-bit code page too.
    if (base != 4)
        return false;
    const char prefix[3] = {UpperAscii(name[0]), UpperAscii(name[1]), UpperAscii(name[2])};
    const bool port = (prefix[0] == 'C' && prefix[1] == 'O' && prefix[2] == 'M') ||
                      (prefix[0] == 'L' && prefix[1] == 'P' && prefix[2] == 'T');
    const unsigned char digit = static_cast<unsigned char>(name[3]);
    return port &&
           ((digit >= '0' && digit <= '9') || digit == 0xB9 || digit == 0xB2 || digit == 0xB3);
}

} // namespace

bool IsPlainFolderName(const char* name) {
    if (name == nullptr || name[0] == '\0' || std::strcmp(name, ".") == 0 ||
        std::strcmp(name, "..") == 0)
        return false;
    std::size_t n = 0;
    for (; name[n] != '\0'; ++n) {
        const unsigned char c = static_cast<unsigned char>(name[n]);
        if (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr)
            return false;
    }
    if (name[n - 1] == '.' || name[n - 1] == ' ')
        return false;
    return !IsDeviceName(name);
}

bool BuildNotePath(const char* notesDirectory, const char* label, char* path, std::size_t size,
                   const char* extension) {
    for (std::size_t i = 0; i < size; ++i)
        path[i] = '\0';
    if (notesDirectory[0] == '\0' || label[0] == '\0' ||
        std::strpbrk(label, "\\/:*?\"<>|") != nullptr || std::strcmp(label, ".") == 0 ||
        std::strcmp(label, "..") == 0)
        return false;
    if (!CopyText(path, size, notesDirectory) || !AppendText(path, size, "\\") ||
        !AppendText(path, size, label) || !AppendText(path, size, extension)) {
        for (std::size_t i = 0; i < size; ++i)
            path[i] = '\0';
        return false;
    }
    return true;
}
