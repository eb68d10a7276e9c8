#include "catalogue/error_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Shown {
    std::string type, error, description;
};

// Splits a copy of exactly the given bytes, so a read past them is caught by the sanitizer.
Shown Split(const std::string& text) {
    std::unique_ptr<char[]> exact(new char[text.size() ? text.size() : 1]);
    text.copy(exact.get(), text.size());
    const ErrorTextParts p = SplitErrorText(exact.get(), text.size());
    return {p.typeWord, std::string(p.shortText, p.shortLength),
            std::string(p.description, p.descriptionLength)};
}

} // namespace

TEST(ErrorText, TypeWordsForEveryDigit) {
    const char* expected[] = {"Compiler",           "Fatal",
                              "Non Fatal",          "Warning",
                              "Warning (Level1)",   "Warning (Level2)",
                              "Warning (Level3)",   "Warning (Level4)",
                              "Warning (Level1,4)", "Preprocessor"};
    for (char digit = '0'; digit <= '9'; ++digit)
        EXPECT_STREQ(TypeWords(digit), expected[digit - '0']);
    EXPECT_STREQ(TypeWords('X'), "");
    EXPECT_STREQ(TypeWords(' '), "");
}

TEST(ErrorText, SplitsWellFormedAndMalformedTexts) {
    struct Case {
        const char* name;
        std::string text;
        Shown expected;
    } cases[] = {
        {"warning with separator and line break",
         "3 operand mismatch\x95\r\nSizes differ.\r\n",
         {"Warning", "operand mismatch", "Sizes differ.\r\n"}},
        {"level one and four", "8 x\x95\r\ny", {"Warning (Level1,4)", "x", "y"}},
        {"empty short text",
         "2 \x95\r\nOnly a description.",
         {"Non Fatal", "", "Only a description."}},
        {"no separator", "1 cannot open file", {"Fatal", "cannot open file", ""}},
        {"one character after the separator", "1 short\x95\r", {"Fatal", "short", ""}},
        {"two characters after the separator", "1 short\x95\r\n", {"Fatal", "short", ""}},
        {"the first separator ends the short text",
         "1 a\x95\r\nb\x95 c",
         {"Fatal", "a", "b\x95 c"}},
        {"a single digit", "3", {"Warning", "", ""}},
        {"a single letter", "x", {"", "", ""}},
        {"two characters", "9 ", {"Preprocessor", "", ""}},
        {"empty", "", {"", "", ""}},
        {"not a digit first", "Z short\x95\r\nlong", {"", "short", "long"}},
    };
    for (const Case& c : cases) {
        const Shown s = Split(c.text);
        EXPECT_EQ(s.type, c.expected.type) << c.name;
        EXPECT_EQ(s.error, c.expected.error) << c.name;
        EXPECT_EQ(s.description, c.expected.description) << c.name;
    }
}
