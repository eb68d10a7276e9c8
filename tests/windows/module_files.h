// Module files made and damaged at run time, for the faults a file on disk can hold: cut short,
// a resource directory that points outside, a table that ends on a page boundary.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// Where the message table of a module file lies, read from its headers and resource directory
// (first language): file offsets of the language entry, the data entry and the data.
struct MessageTableInFile {
    std::size_t languageEntry;
    std::size_t dataEntry;
    std::size_t data;
    std::size_t size;
};
bool FindMessageTableInFile(const std::string& module, MessageTableInFile* table);

void PutU16(std::string& bytes, std::size_t at, unsigned value);
void PutU32(std::string& bytes, std::size_t at, unsigned value);

// Catalogue modules whose tables the platform's formatter would read past the end of, as the
// ML module (an entry longer than the table, in the first block that holds the next
// identifier) and the H2INC module (a text with no zero byte that ends exactly where the file
// ends, on a page boundary), made from the formatter fixtures.
bool WriteUnreadableModules(const std::string& folder, const std::string& fixtureFolder);

// A fresh folder under the test's working folder, empty, ending in a backslash.
std::string FreshFolder(const std::string& name);
