// The layout of a catalogue message text:
//   type digit, one skipped character, short text up to the byte 0x95, the separator,
//   two skipped characters (the line break), then the description to the end.
// Portable: no Windows header.
#pragma once

#include <cstddef>

constexpr unsigned char ErrorTextSeparator = 0x95;

struct ErrorTextParts {
    const char* typeWord; // never null; empty when the first character is not a digit
    const char* shortText;
    std::size_t shortLength;
    const char* description;
    std::size_t descriptionLength;
};

// The text shown in the type field for a type code; "" for anything but "0".."9".
const char* TypeWords(char typeCode);

// Splits text[0, length) without reading outside it. Texts that break the layout yield what
// is there: a missing separator leaves the description empty, and so does a separator with
// fewer than two characters behind it.
ErrorTextParts SplitErrorText(const char* text, std::size_t length);
