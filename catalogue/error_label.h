// ErrorLabel: a tool's prefix followed by the message identifier in signed decimal.
// Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t ErrorLabelSize = 16; // at most 15 characters and the terminator

// Writes prefix + signed decimal id into label (zero-filled first). Returns false, leaving an
// empty label, when the result would not fit.
bool FormatErrorLabel(const char* prefix, std::uint32_t id, char (&label)[ErrorLabelSize]);
