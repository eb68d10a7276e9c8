#include "notes/note_names.h"

#include <gtest/gtest.h>

#include <string>

#include "catalogue/tool_table.h"

namespace {

// The heading the note browser puts a file under, by its text.
std::string BrowserHeadingOf(const char* fileName) {
    const int slot = ClassifyNoteFileName(fileName);
    return slot < 0 ? "none" : BrowserHeadingTexts[slot];
}

} // namespace

TEST(NoteNames, TheFirstContainedTextInTableOrderDecidesTheHeading) {
    const struct {
        const char* name;
        const char* heading;
    } cases[] = {
        {"A2008.knote", "ML"},
        {"CVT1100.knote", "CVTRES"},
        {"U1073.knote", "NMAKE"},
        {"HI1003.knote", "H2INC"},
        {"LNK1104.knote", "LINK\\LIB\\DUMPBIN\\EDITBIN"},
        {"RC2001.knote", "RC"},
        {"RW4001.knote", "RC"},
        {"MIDL2000.knote", "MIDL"},
        {"MIDL-2147483647.knote", "MIDL"},
        {"LNKA1.knote", "ML"}, // an upper-case A anywhere wins
        {"RCA.knote", "ML"},
        {"CVTR.knote", "CVTRES"},
        {"HIU.knote", "NMAKE"}, // U is tried before HI
        {"xyz.knote", "none"},
        {"a2008.knote", "none"}, // the test is case-sensitive
        {"", "none"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BrowserHeadingOf(c.name), c.heading) << c.name;
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
