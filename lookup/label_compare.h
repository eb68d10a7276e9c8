// Label comparison: same length, and every byte equal after folding through a 256-entry
// table that maps ASCII A-Z to a-z, 0x9D to 0x9C and 0xAE to 0xAD. Portable: no Windows header.
#pragma once

unsigned char FoldLabelByte(unsigned char c);

bool LabelsEqual(const char* a, const char* b);
