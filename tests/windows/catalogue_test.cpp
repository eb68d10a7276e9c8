// Tool headings, catalogue loading and error details, through the real tree control,
// module loader and message formatter.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/error_label.h"
#include "host/addin_state.h"
#include "tests/windows/module_files.h"
#include "tests/windows/test_window.h"

namespace {

using Texts = std::vector<std::string>;
using Entries = std::vector<TreeEntry>;

HTREEITEM Heading(int toolIndex) {
    return Addin.lookupHeadings[toolIndex - 1];
}

class Catalogue : public ::testing::Test {
  protected:
    TestWindow window;
    HWND tree() const { return Addin.errorTree; }
    UINT Count() const { return TreeView_GetCount(tree()); }
    void Load(const char* set) {
        UseAddinDirectory(FixtureDirectory(set));
        BuildToolHeadings(LookupMode, tree());
        LoadCatalogue();
    }
};

TEST_F(Catalogue, LookupHeadingsAreEightSortedRootsWithImageZero) {
    BuildToolHeadings(LookupMode, tree());
    EXPECT_EQ(Count(), 8u);
    EXPECT_EQ(TreeTexts(tree(), TreeRoots(tree())),
              (Texts{"CVTRES", "H2INC", "LINK\\LIB\\DUMPBIN\\EDITBIN", "MIDL", "ML", "NMAKE",
                     "RC (\"C\" Errors)", "RC (\"W\" Errors)"}));
    for (int i = 1; i <= ToolCount; ++i) {
        EXPECT_EQ(TreeItem(tree(), Heading(i)).text, FindTool(i)->lookupHeading);
        EXPECT_EQ(TreeItem(tree(), Heading(i)).image, 0);
    }
}

TEST_F(Catalogue, BrowserHeadingsAreSevenAndAnyOtherModeIsBrowserMode) {
    for (int mode : {int(BrowserMode), 0, 7}) {
        TreeView_DeleteAllItems(tree());
        BuildToolHeadings(mode, tree());
        EXPECT_EQ(Count(), 7u) << "mode " << mode;
        EXPECT_EQ(
            TreeTexts(tree(), TreeRoots(tree())),
            (Texts{"CVTRES", "H2INC", "LINK\\LIB\\DUMPBIN\\EDITBIN", "MIDL", "ML", "NMAKE", "RC"}));
        EXPECT_EQ(TreeItem(tree(), Addin.browserHeadings[FindTool(6)->browserSlot]).text, "RC");
    }
}

TEST_F(Catalogue, EveryModuleLoadsUnderItsHeadingAndTheMissingOneStaysEmpty) {
    Load("standard");
    EXPECT_EQ(
        TreeEntries(tree(), Heading(1)),
        (Entries{{"A1000", 1000, 1}, {"A1001", 1001, 1}, {"A1002", 1002, 1}, {"A2000", 2000, 1}}));
    // A zero length word before LNK1000; a UTF-16 third entry ends the second block, and a
    // third block holds LNK1104.
    EXPECT_EQ(TreeEntries(tree(), Heading(4)), (Entries{{"LNK1000", 1000, 1},
                                                        {"LNK1001", 1001, 1},
                                                        {"LNK1100", 1100, 1},
                                                        {"LNK1101", 1101, 1},
                                                        {"LNK1104", 1104, 1}}));
    // The tree's own sorting ignores the hyphen, as the platform's string comparison does.
    EXPECT_EQ(TreeEntries(tree(), Heading(8)),
              (Entries{{"MIDL2000", 2000, 1}, {"MIDL-2147483647", LPARAM(0x80000001u), 1}}));
    EXPECT_EQ(TreeEntries(tree(), Heading(2)), (Entries{{"CVT1100", 1100, 1}}));
    EXPECT_EQ(TreeEntries(tree(), Heading(3)), (Entries{{"U1000", 1000, 1}}));
    EXPECT_EQ(TreeEntries(tree(), Heading(5)), (Entries{{"RC2001", 2001, 1}}));
    EXPECT_EQ(TreeEntries(tree(), Heading(7)), (Entries{{"HI1003", 1003, 1}}));
    EXPECT_TRUE(TreeEntries(tree(), Heading(6)).empty()) << "rcw.dll is missing";
    EXPECT_EQ(Count(), StandardFixtureTreeItems);
}

TEST_F(Catalogue, MalformedTablesKeepWhatLiesInsideTheResource) {
    struct Case {
        const char* module;
        Texts labels;
    } cases[] = {
        {"no-table", {}},         {"block-count", {"A7", "A8"}},
        {"block-offset", {"A9"}}, {"entry-header", {"A1"}},
        {"entry-length", {"A1"}}, {"highest-below-lowest", {"A5", "A6"}},
        {"not-there", {}},
    };
    for (const Case& c : cases) {
        TreeView_DeleteAllItems(tree());
        BuildToolHeadings(LookupMode, tree());
        Addin.loadingTool = 1;
        LoadCatalogueModule((FixtureDirectory("malformed") + c.module + ".dll").c_str());
        EXPECT_EQ(TreeTexts(tree(), TreeChildren(tree(), Heading(1))), c.labels) << c.module;
    }
}

TEST_F(Catalogue, ModulePathsThatDoNotFitAreNotOpened) {
    // 256 characters of folder leave no room for "H2INC.dll" and friends.
    UseAddinDirectory(FixtureDirectory("standard"));
    std::string longFolder(Addin.addinDirectory);
    longFolder.append(256 - longFolder.size() - 1, 'x');
    longFolder += '\\';
    UseAddinDirectory(longFolder);
    BuildToolHeadings(LookupMode, tree());
    LoadCatalogue();
    EXPECT_EQ(Count(), 8u);
    char path[PathBufferSize];
    EXPECT_FALSE(BuildCataloguePath(1, path, sizeof path));
    EXPECT_EQ(path[0], '\0');
}

TEST_F(Catalogue, FindAddinDirectoryIsTheModuleFolderWithATrailingBackslash) {
    FindAddinDirectory();
    EXPECT_EQ(std::string(Addin.addinDirectory), ProgramDirectory());
}

struct Details {
    std::string type, error, description;
    bool operator==(const Details& o) const {
        return type == o.type && error == o.error && description == o.description;
    }
};

std::ostream& operator<<(std::ostream& out, const Details& d) {
    return out << "[" << d.type << "|" << d.error << "|" << d.description << "]";
}

Details Shown() {
    return {WindowText(Addin.typeField), WindowText(Addin.errorField),
            WindowText(Addin.descriptionField)};
}

// Every case starts from another entry's text, so a field left unset shows up.
void ShowAfterStaleText(HTREEITEM heading, MessageId id) {
    for (HWND field : {Addin.typeField, Addin.errorField, Addin.descriptionField})
        SetWindowTextA(field, "stale");
    ShowErrorDetails(heading, id);
}

TEST_F(Catalogue, DetailsSplitTheTextIntoTypeErrorAndDescription) {
    Load("standard");
    struct Case {
        int tool;
        MessageId id;
        Details expected;
    } cases[] = {
        {1,
         1000,
         {"Warning", "operand size mismatch", "The two operands have different sizes.\r\n"}},
        {1,
         1001,
         {"Warning (Level1,4)", "level one and four", "Shown at warning levels 1 and 4.\r\n"}},
        {1, 1002, {"Non Fatal", "", "Nothing stands before the separator.\r\n"}},
        {1, 2000, {"Fatal", "cannot open file", "The second block's only entry.\r\n"}},
        {8, 0x80000001u, {"Compiler", "neg", "ok"}},
        {7, 1003, {"Fatal", "h2inc fixture", "Description of the H2INC fixture.\r\n"}},
    };
    for (const Case& c : cases) {
        ShowAfterStaleText(Heading(c.tool), c.id);
        EXPECT_EQ(Shown(), c.expected) << FindTool(c.tool)->labelPrefix << c.id;
    }
}

TEST_F(Catalogue, TextsThatBreakTheLayoutShowWhatIsThere) {
    Load("details");
    const Details empty{"", "", ""};
    struct Case {
        MessageId id;
        Details expected;
    } cases[] = {
        {1, {"Warning", "", ""}},
        {2, {"Fatal", "no separator", ""}},
        {3, {"Non Fatal", "sep", ""}},
        {4, {"Non Fatal", "one", ""}},
        {5, {"", "letter", "desc"}},
        {6, empty},  // an insert with no arguments: the formatter fails
        {7, empty},  // an empty text
        {99, empty}, // not in the table
    };
    for (const Case& c : cases) {
        ShowAfterStaleText(Heading(1), c.id);
        EXPECT_EQ(Shown(), c.expected) << "A" << c.id;
    }
}

TEST_F(Catalogue, DetailsAreEmptiedWhenTheModuleCannotBeRead) {
    Load("standard");
    ShowAfterStaleText(Heading(6), 4001); // rcw.dll is missing
    EXPECT_EQ(Shown(), (Details{"", "", ""}));
    ShowAfterStaleText(nullptr, 1000); // not a lookup heading
    EXPECT_EQ(Shown(), (Details{"", "", ""}));
    std::string longFolder(Addin.addinDirectory);
    longFolder.append(258 - longFolder.size(), 'x');
    UseAddinDirectory(longFolder + "\\");
    ShowAfterStaleText(Heading(1), 1000);
    EXPECT_EQ(Shown(), (Details{"", "", ""}));
}

// ---- Module files that lie about themselves: nothing may read outside the mapped file ----

// The standard ML module, damaged by the given function, as the ML module of a fresh folder.
std::string DamagedModuleFolder(const char* name,
                                void (*damage)(std::string&, const MessageTableInFile&)) {
    std::string bytes = ReadFileBytes(FixtureDirectory("standard") + "ML.dll");
    MessageTableInFile table{};
    EXPECT_TRUE(FindMessageTableInFile(bytes, &table));
    damage(bytes, table);
    const std::string folder = FreshFolder(name);
    EXPECT_TRUE(WriteFileBytes(folder + "ML.dll", bytes));
    return folder;
}

TEST_F(Catalogue, ADirectoryThatPointsOutsideTheFileLeavesTheHeadingEmpty) {
    struct Case {
        const char* name;
        void (*damage)(std::string&, const MessageTableInFile&);
    } cases[] = {
        {"data-entry-outside",
         [](std::string& b, const MessageTableInFile& t) {
             PutU32(b, t.languageEntry + 4, 0x7FFFFFF0u);
         }},
        {"data-outside",
         [](std::string& b, const MessageTableInFile& t) { PutU32(b, t.dataEntry, 0x7FFF0000u); }},
    };
    for (const Case& c : cases) {
        const std::string folder = DamagedModuleFolder(c.name, c.damage);
        TreeView_DeleteAllItems(tree());
        UseAddinDirectory(folder);
        BuildToolHeadings(LookupMode, tree());
        LoadCatalogue();
        EXPECT_EQ(Count(), 8u) << c.name;
        ShowAfterStaleText(Heading(1), 1000);
        EXPECT_EQ(Shown(), (Details{"", "", ""})) << c.name;
    }
}

TEST_F(Catalogue, AModuleCutShortIsReadOnlyAsFarAsTheFileGoes) {
    const std::string full = ReadFileBytes(FixtureDirectory("cut") + "ML.dll");
    MessageTableInFile table{};
    ASSERT_TRUE(FindMessageTableInFile(full, &table));
    ASSERT_EQ(table.size, 4u + 750 * 12 + 1500 * 8);
    struct Case {
        const char* where;
        size_t length;
    } cases[] = {
        {"inside the block records", table.data + 4 + 300 * 12 + 5},
        {"inside the entries", table.data + 4 + 750 * 12 + 700 * 8 + 3},
    };
    for (const Case& c : cases) {
        const std::string folder = FreshFolder("cut");
        ASSERT_TRUE(WriteFileBytes(folder + "ML.dll", full.substr(0, c.length)));
        TreeView_DeleteAllItems(tree());
        UseAddinDirectory(folder);
        BuildToolHeadings(LookupMode, tree());
        LoadCatalogue();
        const auto entries = TreeEntries(tree(), Heading(1));
        EXPECT_LT(entries.size(), 1500u) << c.where;
        // What was listed can be shown, or shows nothing, without reading past the end.
        if (!entries.empty()) {
            ShowErrorDetails(Heading(1), static_cast<MessageId>(entries.front().data));
            ShowErrorDetails(Heading(1), static_cast<MessageId>(entries.back().data));
        }
    }
}

// A table of one-entry blocks, one block per identifier, in the order given.
std::string OneEntryBlocks(const std::vector<MessageId>& ids) {
    std::string bytes(4 + 12 * ids.size(), '\0');
    PutU32(bytes, 0, static_cast<unsigned>(ids.size()));
    for (size_t i = 0; i < ids.size(); ++i) {
        PutU32(bytes, 4 + 12 * i, ids[i]);
        PutU32(bytes, 8 + 12 * i, ids[i]);
        PutU32(bytes, 12 + 12 * i, static_cast<unsigned>(bytes.size()));
        bytes += std::string("\x08\0\0\0"
                             "3 \x95\0",
                             8);
    }
    return bytes;
}

void InsertInWalkOrder(void* context, MessageId id) {
    const int tool = *static_cast<int*>(context);
    char label[ErrorLabelSize];
    FormatErrorLabel(FindTool(tool)->labelPrefix, id, label);
    TVINSERTSTRUCTA insert{};
    insert.hParent = Heading(tool);
    insert.hInsertAfter = TVI_SORT;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    insert.item.pszText = label;
    insert.item.iImage = insert.item.iSelectedImage = 1;
    insert.item.lParam = static_cast<LPARAM>(id);
    TreeView_InsertItem(Addin.errorTree, &insert);
}

// The order in which a module's entries reach the tree is a matter of speed only: the tree
// is the one that inserting each entry as the walk meets it gives.
TEST_F(Catalogue, TheTreeIsTheOneTheWalkOrderGives) {
    const std::string cut = ReadFileBytes(FixtureDirectory("cut") + "ML.dll");
    MessageTableInFile inFile{};
    ASSERT_TRUE(FindMessageTableInFile(cut, &inFile));
    const struct {
        const char* name;
        int tool;
        std::string table;
    } cases[] = {
        // Labels of every width, a hyphen, a repeated identifier, out of order.
        {"mixed", 8,
         OneEntryBlocks(
             {7, 10, 9, 100, 0x80000001u, 1000, 99, 0, 2147483647u, 10, 0xFFFFFFFFu, 12})},
        {"1,500 entries", 1, cut.substr(inFile.data, inFile.size)},
    };
    for (const auto& c : cases) {
        const auto* data = reinterpret_cast<const unsigned char*>(c.table.data());
        TreeView_DeleteAllItems(tree());
        BuildToolHeadings(LookupMode, tree());
        Addin.loadingTool = c.tool;
        AddMessageTable(data, c.table.size());
        const Entries loaded = TreeEntries(tree(), Heading(c.tool));
        const UINT count = Count();

        TreeView_DeleteAllItems(tree());
        BuildToolHeadings(LookupMode, tree());
        int tool = c.tool;
        const size_t walked = WalkMessageTable(data, c.table.size(), InsertInWalkOrder, &tool);
        EXPECT_EQ(loaded, TreeEntries(tree(), Heading(c.tool))) << c.name;
        EXPECT_EQ(count, Count()) << c.name;
        EXPECT_EQ(count, 8u + walked) << c.name;
    }
}

TEST_F(Catalogue, TheFormatterIsNeverGivenAnEntryItWouldReadPastTheEndOf) {
    const std::string folder = FreshFolder("formatter");
    ASSERT_TRUE(WriteUnreadableModules(folder, FixtureDirectory("formatter")));
    UseAddinDirectory(folder);
    BuildToolHeadings(LookupMode, tree());
    LoadCatalogue();
    EXPECT_EQ(TreeTexts(tree(), TreeChildren(tree(), Heading(1))), (Texts{"A101", "A102"}));
    EXPECT_EQ(TreeTexts(tree(), TreeChildren(tree(), Heading(7))), (Texts{"HI1", "HI2"}));
    const struct {
        int tool;
        MessageId id;
        Details expected;
    } cases[] = {
        {1, 101, {"", "", ""}}, // the first block holding 101 runs out of the table
        {1, 102, {"Fatal", "ab", "next"}},
        {7, 1, {"Warning", "one", "first"}},
        {7, 2, {"", "", ""}}, // no zero byte before the end of the file
    };
    for (const auto& c : cases) {
        ShowAfterStaleText(Heading(c.tool), c.id);
        EXPECT_EQ(Shown(), c.expected) << FindTool(c.tool)->labelPrefix << c.id;
    }
}

} // namespace
