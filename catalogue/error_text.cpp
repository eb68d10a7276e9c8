#include "catalogue/error_text.h"

const char* TypeWords(char typeCode) {
    switch (typeCode) {
    case '0':
        return "Compiler";
    case '1':
        return "Fatal";
    case '2':
        return "Non Fatal";
    case '3':
        return "Warning";
    case '4':
        return "Warning (Level1)";
    case '5':
        return "Warning (Level2)";
    case '6':
        return "Warning (Level3)";
    case '7':
        return "Warning (Level4)";
    case '8':
        return "Warning (Level1,4)";
    case '9':
        return "Preprocessor";
    default:
        return "";
    }
}

ErrorTextParts SplitErrorText(const char* text, std::size_t length) {
    ErrorTextParts parts{"", text + length, 0, text + length, 0};
    if (length == 0)
        return parts;
    parts.typeWord = TypeWords(text[0]);
    std::size_t position = length < 2 ? length : 2;
    parts.shortText = text + position;
    while (position < length && static_cast<unsigned char>(text[position]) != ErrorTextSeparator)
        ++position;
    parts.shortLength = std::size_t(text + position - parts.shortText);
    if (position == length)
        return parts;
    // Behind the separator: two characters of line break, then the description.
    position += 1;
    if (length - position < 2)
        return parts;
    position += 2;
    parts.description = text + position;
    parts.descriptionLength = length - position;
    return parts;
}
