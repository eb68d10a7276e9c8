// A bare host window for driving the add-in's code: a tree and three detail fields that
// stand where the lookup window's controls will be, registered in AddinState.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

struct TreeEntry {
    std::string text;
    LPARAM data;
    int image;
    bool operator==(const TreeEntry& o) const {
        return text == o.text && data == o.data && image == o.image;
    }
};

class TestWindow {
  public:
    TestWindow();
    ~TestWindow();
    HWND window() const { return window_; }

  private:
    HWND window_;
};

// The add-in's code linked into the test program, set up as InstallAddin would: the program
// is the module whose resources and folder it uses.
void PrepareAddinInProcess();

// Directory of the running test program, ending in a backslash.
std::string ProgramDirectory();
// The folder of one fixture set, ending in a backslash. Programs that live inside a fixture
// set reach the others one level up.
#ifdef KIVO_PROGRAM_IN_FIXTURE_SET
#define KIVO_FIXTURES_FROM_PROGRAM "..\\"
#else
#define KIVO_FIXTURES_FROM_PROGRAM "fixtures\\"
#endif
inline std::string FixtureDirectory(const char* set) {
    return ProgramDirectory() + KIVO_FIXTURES_FROM_PROGRAM + set + "\\";
}
// Items in the lookup window's tree with the standard fixture set: eight headings and the
// entries of the seven modules the set holds.
constexpr unsigned StandardFixtureTreeItems = 8 + 15;
// Points AddinDirectory at a folder.
void UseAddinDirectory(const std::string& directory);

std::string WindowText(HWND window);
std::vector<HTREEITEM> TreeRoots(HWND tree);
std::vector<HTREEITEM> TreeChildren(HWND tree, HTREEITEM parent);
TreeEntry TreeItem(HWND tree, HTREEITEM item);
std::vector<std::string> TreeTexts(HWND tree, const std::vector<HTREEITEM>& items);
std::vector<TreeEntry> TreeEntries(HWND tree, HTREEITEM parent);

std::ostream& operator<<(std::ostream& out, const TreeEntry& entry);
