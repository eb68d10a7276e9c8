#include "lookup/code_chars.h"
#include "lookup/label_compare.h"

#include <gtest/gtest.h>

TEST(LabelCompare, FoldsAsciiLettersAndTheTwoExtraBytesOnly) {
    for (int c = 0; c < 256; ++c) {
        unsigned char expected = static_cast<unsigned char>(c);
        if (c >= 'A' && c <= 'Z')
            expected = static_cast<unsigned char>(c + 32);
        if (c == 0x9D)
            expected = 0x9C;
        if (c == 0xAE)
            expected = 0xAD;
        EXPECT_EQ(FoldLabelByte(static_cast<unsigned char>(c)), expected) << c;
    }
}

TEST(LabelCompare, EqualityIgnoresAsciiCaseAndNeedsTheSameLength) {
    const struct {
        const char* a;
        const char* b;
        bool equal;
    } cases[] = {
        {"LNK1104", "lnk1104", true}, {"A2008", "A2008", true}, {"", "", true},
        {"A2008", "A20080", false},   {"A200", "A2008", false}, {"\x9D", "\x9C", true},
        {"\xAE", "\xAD", true},       {"\xC4", "\xE4", false},  {"[", "{", false},
        {"A2008", "B2008", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LabelsEqual(c.a, c.b), c.equal) << c.a << " / " << c.b;
        EXPECT_EQ(LabelsEqual(c.b, c.a), c.equal) << c.b << " / " << c.a;
    }
}

TEST(CodeChars, DigitsBackspaceAndThePrefixLettersInEitherCase) {
    const char* accepted = "0123456789ACDHIKLMNRTUVWacdhiklmnrtuvw\b";
    for (unsigned int c = 0; c < 256; ++c) {
        bool expected = false;
        for (const char* p = accepted; *p != '\0'; ++p)
            expected = expected || static_cast<unsigned char>(*p) == c;
        EXPECT_EQ(IsCodeCharacter(c), expected) << c;
    }
    EXPECT_FALSE(IsCodeCharacter(0x141)); // a wide character whose low byte is 'A'
}
