#include "catalogue/error_label.h"

#include <gtest/gtest.h>

#include <string>

TEST(ErrorLabel, PrefixAndSignedDecimalIdentifier) {
    struct Case {
        const char* prefix;
        std::uint32_t id;
        const char* expected;
    } cases[] = {
        {"A", 2008, "A2008"},
        {"LNK", 1104, "LNK1104"},
        {"U", 0, "U0"},
        {"MIDL", 0x80000001u, "MIDL-2147483647"},
        {"MIDL", 0x80000000u, "MIDL-2147483648"},
        {"MIDL", 0xFFFFFFFFu, "MIDL-1"},
        {"MIDL", 0x7FFFFFFFu, "MIDL2147483647"},
    };
    for (const Case& c : cases) {
        char label[ErrorLabelSize];
        EXPECT_TRUE(FormatErrorLabel(c.prefix, c.id, label));
        EXPECT_EQ(std::string(label), c.expected);
    }
}

TEST(ErrorLabel, TooLongForSixteenBytesGivesAnEmptyLabel) {
    char label[ErrorLabelSize];
    EXPECT_FALSE(FormatErrorLabel("PREFIX", 0x80000000u, label));
    EXPECT_EQ(label[0], '\0');
}
