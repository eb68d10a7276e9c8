// The characters the code entry field accepts: digits, backspace and the letters of the
// tools' label prefixes in either case. Portable: no Windows header.
#pragma once

bool IsCodeCharacter(unsigned int character);
