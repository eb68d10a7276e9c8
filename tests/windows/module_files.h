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

// The formatter fixture "unterminated.dll" with its last entry rewritten as a text with no zero
// byte that ends exactly where the file ends, on a page boundary.
std::string UnterminatedAtPageEnd(const std::string& fixtureFolder);

// A fresh folder under the test's working folder, empty, ending in a backslash.
std::string FreshFolder(const std::string& name);
