#include "lookup/label_compare.h"

namespace {

struct FoldTable {
    unsigned char map[256];
    constexpr FoldTable() : map() {
        for (int i = 0; i < 256; ++i)
            map[i] = static_cast<unsigned char>(i);
        for (int c = 'A'; c <= 'Z'; ++c)
            map[c] = static_cast<unsigned char>(c - 'A' + 'a');
        map[0x9D] = 0x9C;
        map[0xAE] = 0xAD;
    }
};

constexpr FoldTable Folds;

} // namespace

unsigned char FoldLabelByte(unsigned char c) {
    return Folds.map[c];
}

bool LabelsEqual(const char* a, const char* b) {
    for (;; ++a, ++b) {
        if (FoldLabelByte(static_cast<unsigned char>(*a)) !=
            FoldLabelByte(static_cast<unsigned char>(*b)))
            return false;
        if (*a == '\0')
            return true;
    }
}
