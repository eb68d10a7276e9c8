// Bounded check of a module's resource directory before the platform's resource functions
// read it. The platform follows the directory's offsets without looking where they lead, so a
// damaged module could make it read outside the mapping; this reader visits every entry the
// platform could pick for the message table (type 11, name 1, any language) and says whether
// all of them lie inside the mapped bytes. Portable: no Windows header.
#pragma once

#include <cstddef>

enum class ModuleLayout {
    File,  // mapped as a data file: sections at their file offsets
    Image, // mapped as an image: sections at their relative virtual addresses
};

// image[0, size) is the whole mapping. True when the module headers, the resource directory
// path to type 11 and name 1, every language entry under it, each data entry and the first
// byte of each resource's data lie inside it. Offsets are resolved as the platform's loader
// resolves them, so what is checked is what the platform will read.
bool IsMessageTableDirectorySound(const unsigned char* image, std::size_t size,
                                  ModuleLayout layout);
