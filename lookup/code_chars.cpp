#include "lookup/code_chars.h"

bool IsCodeCharacter(unsigned int character) {
    if (character >= '0' && character <= '9')
        return true;
    if (character == 8) // backspace
        return true;
    if (character >= 'a' && character <= 'z')
        character -= 'a' - 'A';
    switch (character) {
    case 'A':
    case 'C':
    case 'D':
    case 'H':
    case 'I':
    case 'K':
    case 'L':
    case 'M':
    case 'N':
    case 'R':
    case 'T':
    case 'U':
    case 'V':
    case 'W':
        return true;
    default:
        return false;
    }
}
