#include "tests/windows/module_files.h"

namespace {

unsigned U16(const std::string& b, std::size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}

unsigned U32(const std::string& b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

void EmptyFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            EmptyFolder(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

std::string ReadFileBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(file, nullptr), '\0');
    DWORD read = 0;
    ReadFile(file, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

void PutU16(std::string& bytes, std::size_t at, unsigned value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& bytes, std::size_t at, unsigned value) {
    PutU16(bytes, at, value & 0xFFFF);
    PutU16(bytes, at + 2, value >> 16);
}

bool FindMessageTableInFile(const std::string& m, MessageTableInFile* table) {
    if (m.size() < 0x40)
        return false;
    const std::size_t nt = U32(m, 0x3C);
    const unsigned sections = U16(m, nt + 6);
    const std::size_t optional = nt + 24;
    const std::size_t section = optional + U16(m, nt + 20);
    const unsigned rootRva = U32(m, optional + (U16(m, optional) == 0x20B ? 112 : 96) + 16);
    auto fileOffset = [&](unsigned rva) -> std::size_t {
        for (unsigned i = 0; i < sections; ++i) {
            const std::size_t h = section + i * 40;
            const unsigned address = U32(m, h + 12), raw = U32(m, h + 16);
            if (address <= rva && rva < address + raw)
                return U32(m, h + 20) + (rva - address);
        }
        return 0;
    };
    const std::size_t root = fileOffset(rootRva);
    // The first identifier entry whose id matches, one level after the other.
    auto child = [&](std::size_t directory, unsigned id) -> std::size_t {
        const unsigned named = U16(m, directory + 12), ids = U16(m, directory + 14);
        for (unsigned i = named; i < named + ids; ++i) {
            const std::size_t entry = directory + 16 + i * 8;
            if (id == 0 || U32(m, entry) == id)
                return entry;
        }
        return 0;
    };
    const std::size_t type = child(root, 11);
    if (root == 0 || type == 0)
        return false;
    const std::size_t name = child(root + (U32(m, type + 4) & 0x7FFFFFFF), 1);
    if (name == 0)
        return false;
    table->languageEntry = child(root + (U32(m, name + 4) & 0x7FFFFFFF), 0);
    if (table->languageEntry == 0)
        return false;
    table->dataEntry = root + U32(m, table->languageEntry + 4);
    table->data = fileOffset(U32(m, table->dataEntry));
    table->size = U32(m, table->dataEntry + 4);
    return table->data != 0;
}

namespace {

std::string UnterminatedAtPageEnd(const std::string& fixtureFolder) {
    std::string bytes = ReadFileBytes(fixtureFolder + "unterminated.dll");
    MessageTableInFile table{};
    if (!FindMessageTableInFile(bytes, &table))
        return std::string();
    const std::size_t entry = table.data + 36;
    const std::size_t end = (entry + 8 + 4095) / 4096 * 4096;
    bytes.resize(entry);
    bytes.resize(end, 'x');
    PutU16(bytes, entry, static_cast<unsigned>(end - entry));
    PutU16(bytes, entry + 2, 0);
    PutU32(bytes, table.dataEntry + 4, static_cast<unsigned>(end - table.data));
    return bytes;
}

} // namespace

bool WriteUnreadableModules(const std::string& folder, const std::string& fixtureFolder) {
    return CopyFileA((fixtureFolder + "long-entry.dll").c_str(), (folder + "ML.dll").c_str(),
                     FALSE) &&
           WriteFileBytes(folder + "H2INC.dll", UnterminatedAtPageEnd(fixtureFolder));
}

std::string FreshFolder(const std::string& name) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string runtime = std::string(current) + "\\runtime";
    CreateDirectoryA(runtime.c_str(), nullptr);
    const std::string folder = runtime + "\\" + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    EmptyFolder(folder);
    return folder;
}
