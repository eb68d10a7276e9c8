#include "notes/note_names.h"

#include <gtest/gtest.h>

#include <string>

TEST(NoteNames, TheFirstContainedTextInTableOrderDecidesTheHeading) {
    constexpr int ML = 0, CVTRES = 1, NMAKE = 2, H2INC = 3, LINK = 4, RC = 5, MIDL = 6;
    const struct {
        const char* name;
        int slot;
    } cases[] = {
        {"A2008.knote", ML},
        {"CVT1100.knote", CVTRES},
        {"U1073.knote", NMAKE},
        {"HI1003.knote", H2INC},
        {"LNK1104.knote", LINK},
        {"RC2001.knote", RC},
        {"RW4001.knote", RC},
        {"MIDL2000.knote", MIDL},
        {"MIDL-2147483647.knote", MIDL},
        {"LNKA1.knote", ML}, // an upper-case A anywhere wins
        {"RCA.knote", ML},
        {"CVTR.knote", CVTRES},
        {"xyz.knote", -1},
        {"a2008.knote", -1}, // the test is case-sensitive
        {"", -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyNoteFileName(c.name), c.slot) << c.name;
}

TEST(NoteNames, LabelIsTheNameBeforeTheFirstDotAndAtMostFifteenCharacters) {
    const struct {
        const char* name;
        bool ok;
        const char* label;
    } cases[] = {
        {"LNK1104.knote", true, "LNK1104"},
        {"A1.b.knote", true, "A1"},
        {"MIDL-2147483647.knote", true, "MIDL-2147483647"}, // exactly 15
        {"MIDL-21474836470.knote", false, ""},              // 16: would save as another note
        {".knote", false, ""},
        {"NODOT", true, "NODOT"},
    };
    for (const auto& c : cases) {
        char label[ErrorLabelSize];
        EXPECT_EQ(NoteLabelFromFileName(c.name, label), c.ok) << c.name;
        EXPECT_EQ(std::string(label), c.label) << c.name;
    }
}

TEST(NoteNames, NotePathsAreBoundedAndStayInTheNotesFolder) {
    char path[261];
    EXPECT_TRUE(BuildNotePath("C:\\K\\Notes\\ann", "LNK1104", path, sizeof path));
    EXPECT_STREQ(path, "C:\\K\\Notes\\ann\\LNK1104.knote");
    for (const char* label : {"", "..", ".", "..\\x", "a/b", "C:x"}) {
        EXPECT_FALSE(BuildNotePath("C:\\K", label, path, sizeof path)) << label;
        EXPECT_STREQ(path, "");
    }
    EXPECT_FALSE(BuildNotePath("", "A1", path, sizeof path));
    const std::string longFolder(250, 'd');
    EXPECT_FALSE(BuildNotePath(longFolder.c_str(), "LNK1104", path, sizeof path));
    EXPECT_STREQ(path, "");
    EXPECT_TRUE(BuildNotePath(longFolder.c_str(), "A1", path, sizeof path)); // 250+1+2+6 = 259
}

TEST(NoteNames, OnlyAPlainFolderNameCanHoldAUsersNotes) {
    for (const char* name : {"ann", "Ann Smith", "kivo-bob", "a.b", "x$", "caf\xe9", "COM10",
                             "console", "nul1", "LPT"})
        EXPECT_TRUE(IsPlainFolderName(name)) << name;
    for (const char* name :
         {"",        ".",   "..",   "...",  "a\\b",  "a/b",     "c:",     "a*",       "a?",  "a\"b",
          "a<b",     "a>b", "a|b",  "a\tb", "a\x01", "a\x7f",   "ann.",   "ann ",     "CON", "con",
          "nul.txt", "Aux", "PRN ", "COM1", "lpt9",  "COM\xb9", "CONIN$", "conout$.x"})
        EXPECT_FALSE(IsPlainFolderName(name)) << name;
}
