#include "catalogue/error_label.h"

#include "host/text_copy.h"

bool FormatErrorLabel(const char* prefix, std::uint32_t id, char (&label)[ErrorLabelSize]) {
    for (char& c : label)
        c = '\0';
    // Identifiers are shown as signed 32-bit numbers: 0x80000001 reads -2147483647.
    const bool negative = (id & 0x80000000u) != 0;
    std::uint32_t magnitude = negative ? 0u - id : id;
    char digits[12] = {};
    std::size_t n = sizeof digits - 1;
    do {
        digits[--n] = char('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        digits[--n] = '-';
    if (!CopyText(label, prefix) || !AppendText(label, digits + n)) {
        label[0] = '\0';
        return false;
    }
    return true;
}
