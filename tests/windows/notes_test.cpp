// Notes on real files: the lookup window's note panel and the note browser, driven through
// their controls, with failures provoked on disk (read-only and locked files, a long folder,
// a folder that has gone).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "host/addin_state.h"
#include "lookup/lookup_window.h"
#include "notes/notes.h"
#include "resources/resource_ids.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/module_files.h"
#include "tests/windows/test_window.h"
#include "tests/windows/tree_helpers.h"

namespace {

const std::string Missing = "(no file)";
const char* const LinkHeading = "LINK\\LIB\\DUMPBIN\\EDITBIN";

std::string UserName() {
    char name[257] = {};
    DWORD size = sizeof name;
    GetUserNameA(name, &size);
    return name;
}

std::string NotesFolder() {
    return ProgramDirectory() + "Notes\\" + UserName() + "\\";
}

std::string NoteFile(const std::string& label) {
    return NotesFolder() + label + ".knote";
}

std::string ReadBytes(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Missing;
    return ReadFileBytes(path);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    WriteFileBytes(path, bytes);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

void EmptyNotesFolder() {
    CreateDirectoryA((ProgramDirectory() + "Notes").c_str(), nullptr);
    CreateDirectoryA(NotesFolder().c_str(), nullptr);
    for (const std::string& name : FilesIn(NotesFolder())) {
        SetFileAttributesA((NotesFolder() + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA((NotesFolder() + name).c_str());
    }
}

// A note file held open without sharing, as another program might hold it.
class Lock {
  public:
    explicit Lock(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~Lock() { CloseHandle(file_); }
    bool held() const { return file_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE file_;
};

std::string NoteText(HWND window) {
    return Text(window, IDC_NOTE_FIELD);
}

void SetNoteText(HWND window, const char* text) {
    SetWindowTextA(Item(window, IDC_NOTE_FIELD), text);
}

// Selects an entry afresh, so its note is read from disk again.
void Reselect(HWND window, const char* heading, const char* label) {
    Select(window, FindHeading(window, heading));
    Select(window, FindEntry(window, heading, label));
}

void ClickSave(HWND window, int id = IDC_SAVE_NOTE) {
    Click(Item(window, id));
}

// Clicks a Delete Note button and answers the prompt; returns the prompt's text once the
// click has been handled.
std::string DeleteAndAnswer(HWND owner, HWND button, int answer) {
    OwnedDialogWatch prompts(owner, answer);
    Click(button);
    const std::vector<AnsweredBox> boxes = prompts.answered();
    if (boxes.size() != 1)
        return std::to_string(boxes.size()) + " prompts";
    return boxes[0].text + "|" + boxes[0].caption;
}

struct Panel {
    std::string text;
    bool save, del;
    bool operator==(const Panel& o) const {
        return text == o.text && save == o.save && del == o.del;
    }
};

std::ostream& operator<<(std::ostream& out, const Panel& p) {
    return out << "[\"" << p.text << "\" save " << p.save << " delete " << p.del << "]";
}

Panel PanelOf(HWND window) {
    return {NoteText(window), Enabled(window, IDC_SAVE_NOTE), Enabled(window, IDC_DELETE_NOTE)};
}

class Notes : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { PrepareAddinInProcess(); }
    void SetUp() override { EmptyNotesFolder(); }
    void TearDown() override { EmptyNotesFolder(); }
    void Open(const std::function<void(HWND)>& script) {
        EXPECT_EQ(DriveModal([] { return OpenLookupWindow(nullptr, nullptr); }, "Quorvane", script),
                  0);
    }
};

TEST_F(Notes, AnEmptyNoteIsAOneByteFileShownEmptyWithDeleteEnabled) {
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        EXPECT_EQ(PanelOf(window), (Panel{"", true, false}));
        ClickSave(window);
        EXPECT_EQ(ReadBytes(NoteFile("A1000")), std::string(1, '\0'));
        EXPECT_TRUE(Enabled(window, IDC_DELETE_NOTE));
        Reselect(window, "ML", "A1000");
        EXPECT_EQ(PanelOf(window), (Panel{"", true, true}));
    });
}

TEST_F(Notes, ANoteIsTheLabelsFileHoldingTheTextAndItsZero) {
    Open([](HWND window) {
        Select(window, FindEntry(window, LinkHeading, "LNK1104"));
        SetNoteText(window, "Check the LIB path\r\nthen link again");
        const std::string shown = NoteText(window);
        ClickSave(window);
        const std::string bytes = ReadBytes(NoteFile("LNK1104"));
        ASSERT_GT(bytes.size(), shown.size());
        EXPECT_EQ(bytes.substr(0, shown.size()), shown);
        EXPECT_EQ(bytes.find_first_not_of('\0', shown.size()), std::string::npos)
            << "only zero bytes follow the text";
        EXPECT_EQ(FilesIn(NotesFolder()), (std::vector<std::string>{"LNK1104.knote"}))
            << "no temporary file is left";
        Reselect(window, LinkHeading, "LNK1104");
        EXPECT_EQ(PanelOf(window), (Panel{shown, true, true}));
    });
}

TEST_F(Notes, FilesOfEarlierVersionsReadTheSame) {
    WriteBytes(NoteFile("A1000"), std::string("old note\0\0\0", 11));
    WriteBytes(NoteFile("A1001"), "no terminator at all");
    WriteBytes(NoteFile("A1002"), std::string("first\0second", 12));
    Open([](HWND window) {
        const struct {
            const char* label;
            const char* text;
        } cases[] = {{"A1000", "old note"}, {"A1001", "no terminator at all"}, {"A1002", "first"}};
        for (const auto& c : cases) {
            Select(window, FindEntry(window, "ML", c.label));
            EXPECT_EQ(PanelOf(window), (Panel{c.text, true, true})) << c.label;
        }
    });
}

TEST_F(Notes, DeleteAsksAndOnlyYesDeletes) {
    WriteBytes(NoteFile("A2000"), std::string("keep me\0", 8));
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A2000"));
        EXPECT_EQ(DeleteAndAnswer(window, Item(window, IDC_DELETE_NOTE), IDNO),
                  "Are you sure you want to delete the note for error: A2000|Confirm Delete");
        EXPECT_EQ(ReadBytes(NoteFile("A2000")), std::string("keep me\0", 8));
        EXPECT_EQ(PanelOf(window), (Panel{"keep me", true, true}));

        DeleteAndAnswer(window, Item(window, IDC_DELETE_NOTE), IDYES);
        EXPECT_EQ(ReadBytes(NoteFile("A2000")), Missing);
        EXPECT_EQ(PanelOf(window), (Panel{"", true, false}));
        EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == Tree(window); }));
    });
}

TEST_F(Notes, AFailedDeleteLeavesTheNoteAsItWas) {
    const std::string bytes("precious\0", 9);
    for (const char* how : {"read-only", "locked"}) {
        WriteBytes(NoteFile("A1001"), bytes);
        Open([&](HWND window) {
            Select(window, FindEntry(window, "ML", "A1001"));
            const bool readOnly = std::string(how) == "read-only";
            if (readOnly)
                SetFileAttributesA(NoteFile("A1001").c_str(), FILE_ATTRIBUTE_READONLY);
            Lock lock(readOnly ? std::string() : NoteFile("A1001"));
            ASSERT_TRUE(readOnly || lock.held());
            DeleteAndAnswer(window, Item(window, IDC_DELETE_NOTE), IDYES);
            EXPECT_EQ(PanelOf(window), (Panel{"precious", true, true})) << how;
            SetFileAttributesA(NoteFile("A1001").c_str(), FILE_ATTRIBUTE_NORMAL);
        });
        EXPECT_EQ(ReadBytes(NoteFile("A1001")), bytes) << how;
    }
}

TEST_F(Notes, ASaveThatCannotReplaceTheNoteKeepsThePreviousOne) {
    const std::string bytes("the old text\0", 13);
    for (const char* how : {"read-only", "locked"}) {
        WriteBytes(NoteFile("A1002"), bytes);
        Open([&](HWND window) {
            Select(window, FindEntry(window, "ML", "A1002"));
            const bool readOnly = std::string(how) == "read-only";
            if (readOnly)
                SetFileAttributesA(NoteFile("A1002").c_str(), FILE_ATTRIBUTE_READONLY);
            Lock lock(readOnly ? std::string() : NoteFile("A1002"));
            SetNoteText(window, "a new text that must not half replace the old one");
            ClickSave(window);
            EXPECT_TRUE(Enabled(window, IDC_DELETE_NOTE)) << how << ": the old note is still there";
            SetFileAttributesA(NoteFile("A1002").c_str(), FILE_ATTRIBUTE_NORMAL);
        });
        EXPECT_EQ(ReadBytes(NoteFile("A1002")), bytes) << how;
        EXPECT_EQ(FilesIn(NotesFolder()), (std::vector<std::string>{"A1002.knote"})) << how;
    }
}

TEST_F(Notes, ASaveThatWritesNothingDoesNotOfferDelete) {
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        RemoveDirectoryA(NotesFolder().c_str()); // the folder has gone
        SetNoteText(window, "nowhere to go");
        ClickSave(window);
        EXPECT_FALSE(Enabled(window, IDC_DELETE_NOTE));
        EXPECT_EQ(ReadBytes(NoteFile("A1000")), Missing);
    });
}

TEST_F(Notes, ANoteThatCannotBeReadOffersOnlyDelete) {
    WriteBytes(NoteFile("A2000"), std::string("held elsewhere\0", 15));
    Lock lock(NoteFile("A2000"));
    ASSERT_TRUE(lock.held());
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A2000"));
        EXPECT_EQ(PanelOf(window), (Panel{"", false, true}));
    });
}

// A real folder whose note paths cannot fit a path buffer.
std::string MakeLongFolder() {
    std::string folder = ProgramDirectory() + "long";
    CreateDirectoryA(folder.c_str(), nullptr);
    // 247 characters: the longest folder the platform creates.
    while (folder.size() + 1 < 247) {
        folder += "\\" + std::string(std::min<size_t>(40, 247 - folder.size() - 1), 'd');
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    return folder;
}

TEST_F(Notes, NotePathsThatDoNotFitDoNothingAndClaimNothing) {
    const std::string longFolder = MakeLongFolder();
    ASSERT_EQ(longFolder.size(), 247u);
    ASSERT_NE(GetFileAttributesA(longFolder.c_str()), INVALID_FILE_ATTRIBUTES);
    Open([&](HWND window) {
        ZeroMemory(Addin.notesDirectory, sizeof Addin.notesDirectory);
        lstrcpynA(Addin.notesDirectory, longFolder.c_str(), sizeof Addin.notesDirectory);
        Select(window, FindEntry(window, LinkHeading, "LNK1100"));
        EXPECT_EQ(PanelOf(window), (Panel{"", false, false}));
        SetNoteText(window, "x");
        SendMessageA(window, WM_COMMAND, IDC_SAVE_NOTE, 0); // as if it could be clicked
        EXPECT_FALSE(Enabled(window, IDC_DELETE_NOTE));
        EXPECT_TRUE(FilesIn(longFolder + "\\").empty());
        // The window goes on working.
        Select(window, FindEntry(window, "ML", "A1000"));
        EXPECT_EQ(Text(window, IDC_TYPE_FIELD), "Warning");

        // With the add-in itself in such a folder, no note path fits either.
        lstrcpynA(Addin.addinDirectory, (longFolder + "\\").c_str(), sizeof Addin.addinDirectory);
        PrepareNotesDirectory();
        Select(window, FindEntry(window, "ML", "A1001"));
        EXPECT_EQ(PanelOf(window), (Panel{"", false, false}));
    });
}

// ---- The note browser ----

HWND OpenBrowser(HWND lookup) {
    OwnedDialogWatch watch(lookup);
    PostMessageA(lookup, WM_SYSCOMMAND, 1, 0);
    HWND browser = watch.Wait();
    EXPECT_NE(browser, nullptr) << "no note browser";
    EXPECT_EQ(WindowText(browser), "Note Browser");
    return browser;
}

void CloseBrowser(HWND browser) {
    PostMessageA(browser, WM_CLOSE, 0, 0);
    WaitFor([&] { return !IsWindow(browser); });
}

std::vector<std::string> BrowserLabels(HWND browser, const char* heading) {
    HWND tree = Tree(browser, IDC_BROWSER_TREE);
    return TreeTexts(tree, TreeChildren(tree, FindHeading(browser, heading, IDC_BROWSER_TREE)));
}

void SelectBrowserNote(HWND browser, const char* heading, const char* label) {
    Select(browser, FindEntry(browser, heading, label, IDC_BROWSER_TREE), IDC_BROWSER_TREE);
}

Panel BrowserPanel(HWND browser) {
    return {Text(browser, IDC_BROWSER_EDITOR), Enabled(browser, IDC_BROWSER_SAVE),
            Enabled(browser, IDC_BROWSER_DELETE)};
}

using Labels = std::vector<std::string>;

TEST_F(Notes, TheBrowserGroupsNotesByToolAndListsOnlyNotesOfOurs) {
    for (const char* name :
         {"A2008", "RW4001", "LNK1104", "LNKA1", "MIDL-21474836470", "zzz", "a1000"})
        WriteBytes(NoteFile(name), std::string("n\0", 2));
    Open([](HWND window) {
        HWND browser = OpenBrowser(window);
        HWND tree = Tree(browser, IDC_BROWSER_TREE);
        EXPECT_EQ(TreeTexts(tree, TreeRoots(tree)),
                  (Labels{"CVTRES", "H2INC", LinkHeading, "MIDL", "ML", "NMAKE", "RC"}));
        EXPECT_EQ(BrowserLabels(browser, "ML"), (Labels{"A2008", "LNKA1"}));
        EXPECT_EQ(BrowserLabels(browser, "RC"), (Labels{"RW4001"}));
        EXPECT_EQ(BrowserLabels(browser, LinkHeading), (Labels{"LNK1104"}));
        EXPECT_TRUE(BrowserLabels(browser, "MIDL").empty()) << "a label of 16 characters";
        EXPECT_EQ(TreeView_GetCount(tree), 7u + 4u);
        EXPECT_EQ(FocusOf(browser), tree);

        SelectBrowserNote(browser, LinkHeading, "LNK1104");
        EXPECT_EQ(BrowserPanel(browser), (Panel{"n", true, true}));
        Select(browser, FindHeading(browser, "ML", IDC_BROWSER_TREE), IDC_BROWSER_TREE);
        EXPECT_EQ(BrowserPanel(browser), (Panel{"", false, false}));
        // A file that went after the list was made.
        DeleteFileA(NoteFile("A2008").c_str());
        SelectBrowserNote(browser, "ML", "A2008");
        EXPECT_EQ(BrowserPanel(browser), (Panel{"", true, false}));
        // Escape and Enter do not close it.
        SendDialogKey(browser, VK_ESCAPE);
        SendDialogKey(browser, VK_RETURN);
        EXPECT_TRUE(IsWindowVisible(browser));
        CloseBrowser(browser);
    });
}

TEST_F(Notes, DeletingInTheBrowserKeepsTheLookupWindowInStep) {
    WriteBytes(NoteFile("A1000"), std::string("shown\0", 6));
    WriteBytes(NoteFile("A2000"), std::string("other\0", 6));
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        HWND browser = OpenBrowser(window);
        // Another note: the lookup window's Delete Note goes off, its text stays.
        SelectBrowserNote(browser, "ML", "A2000");
        EXPECT_EQ(DeleteAndAnswer(browser, Item(browser, IDC_BROWSER_DELETE), IDYES),
                  "Are you sure you want to delete the note for error: A2000|Confirm Delete");
        EXPECT_EQ(ReadBytes(NoteFile("A2000")), Missing);
        EXPECT_EQ(BrowserLabels(browser, "ML"), (Labels{"A1000"}));
        EXPECT_EQ(PanelOf(window), (Panel{"shown", true, false}));
        // The note the lookup window shows: its text goes too.
        SelectBrowserNote(browser, "ML", "A1000");
        DeleteAndAnswer(browser, Item(browser, IDC_BROWSER_DELETE), IDYES);
        EXPECT_EQ(PanelOf(window), (Panel{"", true, false}));
        // The tree selects a neighbour of the removed entry, here the heading.
        EXPECT_EQ(BrowserPanel(browser), (Panel{"", false, false}));
        EXPECT_TRUE(BrowserLabels(browser, "ML").empty());
        CloseBrowser(browser);
    });
}

TEST_F(Notes, AFailedDeleteInTheBrowserChangesNothing) {
    WriteBytes(NoteFile("A1000"), std::string("stays\0", 6));
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        HWND browser = OpenBrowser(window);
        SelectBrowserNote(browser, "ML", "A1000");
        SetFileAttributesA(NoteFile("A1000").c_str(), FILE_ATTRIBUTE_READONLY);
        DeleteAndAnswer(browser, Item(browser, IDC_BROWSER_DELETE), IDYES);
        EXPECT_EQ(BrowserPanel(browser), (Panel{"stays", true, true}));
        EXPECT_EQ(BrowserLabels(browser, "ML"), (Labels{"A1000"}));
        EXPECT_EQ(PanelOf(window), (Panel{"stays", true, true}));
        SetFileAttributesA(NoteFile("A1000").c_str(), FILE_ATTRIBUTE_NORMAL);
        CloseBrowser(browser);
    });
    EXPECT_EQ(ReadBytes(NoteFile("A1000")), std::string("stays\0", 6));
}

TEST_F(Notes, SavingInTheBrowserUpdatesTheLookupWindow) {
    WriteBytes(NoteFile("A1001"), std::string("before\0", 7));
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A1001"));
        HWND browser = OpenBrowser(window);
        SelectBrowserNote(browser, "ML", "A1001");
        SetWindowTextA(Item(browser, IDC_BROWSER_EDITOR), "after");
        ClickSave(browser, IDC_BROWSER_SAVE);
        EXPECT_EQ(PanelOf(window), (Panel{"after", true, true}));
        EXPECT_EQ(ReadBytes(NoteFile("A1001")), std::string("after\0", 6));
        CloseBrowser(browser);
    });
}

TEST_F(Notes, NotesThatLookLikeRichTextAreKeptByteForByte) {
    const std::string stored("{\\rtf1\\ansi plain words}\0", 25);
    WriteBytes(NoteFile("A1000"), stored);
    Open([&](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        EXPECT_EQ(NoteText(window), "{\\rtf1\\ansi plain words}");
        ClickSave(window);
        EXPECT_EQ(ReadBytes(NoteFile("A1000")), stored) << "saved unchanged";

        HWND note = Item(window, IDC_NOTE_FIELD);
        SendMessageA(note, EM_SETSEL, 0, -1);
        TypeCharacters(note, "{\\rtf1 typed words}");
        ClickSave(window);
        Reselect(window, "ML", "A1000");
        EXPECT_EQ(NoteText(window), "{\\rtf1 typed words}");
        HWND browser = OpenBrowser(window);
        SelectBrowserNote(browser, "ML", "A1000");
        EXPECT_EQ(Text(browser, IDC_BROWSER_EDITOR), "{\\rtf1 typed words}");
        CloseBrowser(browser);
    });
    EXPECT_EQ(ReadBytes(NoteFile("A1000")), std::string("{\\rtf1 typed words}\0", 20));
}

// A program that holds the note open and lets others delete it: the platform reports the
// delete as done, yet the file stays as long as that program holds it.
class HeldForDeletion {
  public:
    explicit HeldForDeletion(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr)) {}
    ~HeldForDeletion() { CloseHandle(file_); }
    bool held() const { return file_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE file_;
};

TEST_F(Notes, ADeleteThatLeavesTheFileChangesNothingInEitherWindow) {
    WriteBytes(NoteFile("A1000"), std::string("kept\0", 5));
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        HeldForDeletion held(NoteFile("A1000"));
        ASSERT_TRUE(held.held());
        DeleteAndAnswer(window, Item(window, IDC_DELETE_NOTE), IDYES);
        ASSERT_NE(ReadBytes(NoteFile("A1000")), Missing);
        EXPECT_EQ(PanelOf(window), (Panel{"kept", true, true}));

        HWND browser = OpenBrowser(window);
        SelectBrowserNote(browser, "ML", "A1000");
        DeleteAndAnswer(browser, Item(browser, IDC_BROWSER_DELETE), IDYES);
        ASSERT_NE(ReadBytes(NoteFile("A1000")), Missing);
        EXPECT_EQ(BrowserPanel(browser), (Panel{"kept", true, true}));
        EXPECT_EQ(BrowserLabels(browser, "ML"), (Labels{"A1000"}));
        EXPECT_EQ(PanelOf(window), (Panel{"kept", true, true}));
        CloseBrowser(browser);
    });
}

TEST_F(Notes, TwoDeletesInTurnInTheBrowserRemoveJustThoseTwoEntries) {
    WriteBytes(NoteFile("A1000"), std::string("one\0", 4));
    WriteBytes(NoteFile("A2000"), std::string("two\0", 4));
    Open([](HWND window) {
        HWND browser = OpenBrowser(window);
        HWND tree = Tree(browser, IDC_BROWSER_TREE);
        SelectBrowserNote(browser, "ML", "A1000");
        DeleteAndAnswer(browser, Item(browser, IDC_BROWSER_DELETE), IDYES);
        // The selection moved on to the next note, which is now the one to delete.
        EXPECT_EQ(SelectedLabel(browser, IDC_BROWSER_TREE), "A2000");
        EXPECT_EQ(BrowserPanel(browser), (Panel{"two", true, true}));
        DeleteAndAnswer(browser, Item(browser, IDC_BROWSER_DELETE), IDYES);
        EXPECT_EQ(ReadBytes(NoteFile("A2000")), Missing);
        EXPECT_EQ(TreeTexts(tree, TreeRoots(tree)),
                  (Labels{"CVTRES", "H2INC", LinkHeading, "MIDL", "ML", "NMAKE", "RC"}));
        EXPECT_TRUE(BrowserLabels(browser, "ML").empty());
        CloseBrowser(browser);
    });
}

// A real folder of exactly this many characters, made through the long-path form.
std::string MakeFolderOfLength(size_t length) {
    std::string folder = ProgramDirectory() + "near-limit";
    CreateDirectoryA(folder.c_str(), nullptr);
    while (folder.size() < length) {
        folder += "\\" + std::string(std::min<size_t>(40, length - folder.size() - 1), 'n');
        const std::string wide = "\\\\?\\" + folder;
        CreateDirectoryW(std::wstring(wide.begin(), wide.end()).c_str(), nullptr);
    }
    return folder;
}

TEST_F(Notes, ASaveNearThePathLimitLeavesNoFileButTheNote) {
    const std::string folder = MakeFolderOfLength(251);
    ASSERT_EQ(folder.size(), 251u);
    ASSERT_NE(GetFileAttributesA(folder.c_str()), INVALID_FILE_ATTRIBUTES);
    Open([&](HWND window) {
        ZeroMemory(Addin.notesDirectory, sizeof Addin.notesDirectory);
        lstrcpynA(Addin.notesDirectory, folder.c_str(), sizeof Addin.notesDirectory);
        // "A1": the longest label whose note path fits beside this folder.
        InsertEntry(window, "ML", "A1", 1000);
        Select(window, FindEntry(window, "ML", "A1"));
        SetNoteText(window, "near the limit");
        ClickSave(window);
        const std::vector<std::string> files = FilesIn(folder + "\\");
        EXPECT_TRUE(files.empty() || files == std::vector<std::string>{"A1.knote"})
            << files.size() << " files, the first " << (files.empty() ? "" : files[0]);
        EXPECT_EQ(Enabled(window, IDC_DELETE_NOTE), !files.empty());
        DeleteFileA((folder + "\\A1.knote").c_str());
    });
}

// Run by odd_users.sh with user names that are no plain folder name.
TEST(OddUsers, NotesAreUnavailableAndNothingIsWritten) {
    if (std::getenv("KIVO_ODD_USER_RUN") == nullptr)
        GTEST_SKIP() << "run by odd_users.sh";
    PrepareAddinInProcess();
    const std::vector<std::string> before = FilesIn(ProgramDirectory());
    DriveModal([] { return OpenLookupWindow(nullptr, nullptr); }, "Quorvane",
               [](HWND window) {
                   EXPECT_STREQ(Addin.notesDirectory, "") << "user \"" << UserName() << "\"";
                   Select(window, FindEntry(window, "ML", "A1000"));
                   EXPECT_EQ(PanelOf(window), (Panel{"", false, false}));
                   SetNoteText(window, "nowhere");
                   SendMessageA(window, WM_COMMAND, IDC_SAVE_NOTE, 0); // as if it could be clicked
               });
    EXPECT_EQ(FilesIn(ProgramDirectory()), before) << "a file beside the add-in";
    EXPECT_TRUE(FilesIn(ProgramDirectory() + "Notes\\").empty()) << "a file in the notes root";
}

// Run by two_users.sh as two Windows users, one after the other.
TEST(TwoUsers, EachUserSeesOnlyTheirOwnNote) {
    const char* step = std::getenv("KIVO_TWO_USERS_STEP");
    if (step == nullptr)
        GTEST_SKIP() << "run by two_users.sh";
    PrepareAddinInProcess();
    const std::string mine = "note of " + UserName();
    const bool first = std::string(step) == "1";
    if (first)
        EmptyNotesFolder();
    DriveModal(
        [] { return OpenLookupWindow(nullptr, nullptr); }, "Quorvane",
        [&](HWND window) {
            Select(window, FindEntry(window, "ML", "A1000"));
            EXPECT_EQ(PanelOf(window), (Panel{"", true, false})) << "another user's note showed";
            SetNoteText(window, mine.c_str());
            ClickSave(window);
        });
    EXPECT_EQ(ReadBytes(NoteFile("A1000")), mine + std::string(1, '\0'));
    if (!first) {
        const std::string other =
            ProgramDirectory() + "Notes\\" + std::getenv("KIVO_FIRST_USER") + "\\A1000.knote";
        EXPECT_EQ(ReadBytes(other),
                  "note of " + std::string(std::getenv("KIVO_FIRST_USER")) + std::string(1, '\0'));
        DeleteFileA(other.c_str());
        EmptyNotesFolder();
    }
}

} // namespace
