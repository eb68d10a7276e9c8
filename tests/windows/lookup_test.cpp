// The lookup window, opened through the add-in's own code and driven as a user would:
// typed characters, Enter, clicks, tree selection, control texts and states read back.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "host/addin_state.h"
#include "lookup/lookup_window.h"
#include "resources/resource_ids.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/test_window.h"
#include "tests/windows/tree_helpers.h"

namespace {

const char* const NotFoundText =
    "Could not find error number\r\n\r\nPlease check the error number and try again";

class LookupWindow : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { PrepareAddinInProcess(); }

    // Opens the window, runs the script against it, and returns the dialog result.
    INT_PTR Open(const std::function<void(HWND)>& script, const char* preset = nullptr) {
        return DriveModal([&] { return OpenLookupWindow(nullptr, preset); }, "Quorvane", script);
    }
};

void ExpectDetailsEmpty(HWND window) {
    for (int id : {IDC_TYPE_FIELD, IDC_ERROR_FIELD, IDC_DESCRIPTION_FIELD, IDC_NOTE_FIELD})
        EXPECT_EQ(Text(window, id), "") << "field " << id;
}

void SetCode(HWND window, const char* text) {
    SetWindowTextA(Item(window, IDC_CODE_ENTRY), text);
}

// Enter in the code field as the dialog manager passes it on, handled before this returns;
// the boxes it raised, each answered with OK.
std::vector<AnsweredBox> Enter(HWND window) {
    OwnedDialogWatch boxes(window, IDOK);
    SendDialogKey(window, VK_RETURN);
    return boxes.answered();
}

void ExpectNotFoundBox(const std::vector<AnsweredBox>& boxes) {
    ASSERT_EQ(boxes.size(), 1u) << "message boxes";
    EXPECT_EQ(boxes[0].text, NotFoundText);
    EXPECT_EQ(boxes[0].caption, "Error");
}

TEST_F(LookupWindow, OpensWithTheCatalogueTreeMenuAndIcons) {
    const INT_PTR result = Open([](HWND window) {
        HWND tree = Tree(window);
        EXPECT_EQ(
            TreeTexts(tree, TreeRoots(tree)),
            (std::vector<std::string>{"CVTRES", "H2INC", "LINK\\LIB\\DUMPBIN\\EDITBIN", "MIDL",
                                      "ML", "NMAKE", "RC (\"C\" Errors)", "RC (\"W\" Errors)"}));
        EXPECT_EQ(TreeView_GetCount(tree), StandardFixtureTreeItems);
        EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
        HMENU menu = GetSystemMenu(window, FALSE);
        char text[64];
        const struct {
            int position;
            const char* text;
            UINT id;
        } items[] = {{0, "On Top", 0}, {1, "Browse Notes", 1}, {2, "About", 2}};
        for (const auto& item : items) {
            GetMenuStringA(menu, UINT(item.position), text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(text, item.text);
            EXPECT_EQ(GetMenuItemID(menu, item.position), item.id);
        }
        EXPECT_EQ(GetMenuState(menu, 3, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
        EXPECT_FALSE(Enabled(window, IDC_SAVE_NOTE));
        EXPECT_FALSE(Enabled(window, IDC_DELETE_NOTE));
        EXPECT_EQ(FocusOf(window), Item(window, IDC_CODE_ENTRY));
        const std::string notes = ProgramDirectory() + "Notes";
        EXPECT_NE(GetFileAttributesA(notes.c_str()), INVALID_FILE_ATTRIBUTES);
        EXPECT_EQ(std::string(Addin.notesDirectory).rfind(notes + "\\", 0), 0u);
        EXPECT_NE(GetFileAttributesA(Addin.notesDirectory), INVALID_FILE_ATTRIBUTES);
    });
    EXPECT_EQ(result, 0);
}

TEST_F(LookupWindow, SelectingAnEntryShowsItAndAHeadingClearsTheDetails) {
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        EXPECT_EQ(Text(window, IDC_CODE_ENTRY), "A1000");
        EXPECT_STREQ(Addin.currentCode, "A1000");
        EXPECT_EQ(Text(window, IDC_TYPE_FIELD), "Warning");
        EXPECT_EQ(Text(window, IDC_ERROR_FIELD), "operand size mismatch");
        EXPECT_EQ(Text(window, IDC_DESCRIPTION_FIELD),
                  "The two operands have different sizes.\r\n");

        Select(window, FindHeading(window, "ML"));
        ExpectDetailsEmpty(window);
        EXPECT_FALSE(Enabled(window, IDC_SAVE_NOTE));
        EXPECT_FALSE(Enabled(window, IDC_DELETE_NOTE));
        EXPECT_EQ(Text(window, IDC_CODE_ENTRY), "A1000") << "the field keeps its code";
        EXPECT_STREQ(Addin.currentCode, "A1000");
    });
}

TEST_F(LookupWindow, ClickingAnEntrySelectsIt) {
    Open([](HWND window) {
        HWND tree = Tree(window);
        HTREEITEM heading = FindHeading(window, "LINK\\LIB\\DUMPBIN\\EDITBIN");
        TreeView_Expand(tree, heading, TVE_EXPAND);
        HTREEITEM entry = FindEntry(window, "LINK\\LIB\\DUMPBIN\\EDITBIN", "LNK1101");
        TreeView_EnsureVisible(tree, entry);
        RECT rect{};
        ASSERT_TRUE(TreeView_GetItemRect(tree, entry, &rect, TRUE));
        const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageA(tree, WM_LBUTTONUP, 0, point);
        EXPECT_TRUE(WaitFor([&] { return Text(window, IDC_CODE_ENTRY) == "LNK1101"; }));
        EXPECT_EQ(Text(window, IDC_ERROR_FIELD), "bbb");
    });
}

TEST_F(LookupWindow, TheCodeFieldTakesOnlyCodeCharactersAndShowsCapitals) {
    Open([](HWND window) {
        HWND field = Item(window, IDC_CODE_ENTRY);
        const struct {
            const char* typed;
            const char* shown;
        } cases[] = {
            {"lnk1104", "LNK1104"}, {"x", ""},    {"-", ""},        {" ", ""},
            {"\x16", ""}, // Ctrl+V typed as a character
            {"a2x0-0 8", "A2008"},  {"hi", "HI"}, {"midl", "MIDL"}, {"cvt", "CVT"},
            {"rw", "RW"},           {"u", "U"},   {"BE", ""},
        };
        for (const auto& c : cases) {
            SetWindowTextA(field, "");
            TypeCharacters(field, c.typed);
            EXPECT_EQ(WindowText(field), c.shown) << "typed " << c.typed;
        }
        SetWindowTextA(field, "A20");
        SendMessageA(field, EM_SETSEL, 3, 3);
        TypeCharacters(field, "\b");
        EXPECT_EQ(WindowText(field), "A2") << "backspace";
    });
}

TEST_F(LookupWindow, EnterFindsATypedCodeInAnyCase) {
    Open([](HWND window) {
        HWND field = Item(window, IDC_CODE_ENTRY);
        SetFocus(field);
        TypeCharacters(field, "lnk1100");
        PressKey(field, VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return SelectedLabel(window) == "LNK1100"; }));
        EXPECT_EQ(TreeView_GetParent(Tree(window), Selected(window)),
                  FindHeading(window, "LINK\\LIB\\DUMPBIN\\EDITBIN"));
        EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == Tree(window); }));
        EXPECT_EQ(Text(window, IDC_ERROR_FIELD), "aaa");
        EXPECT_TRUE(Enabled(window, IDC_SAVE_NOTE));
    });
}

TEST_F(LookupWindow, EnterOnAnEmptyFieldShowsTheNotFoundBox) {
    Open([](HWND window) { ExpectNotFoundBox(Enter(window)); });
}

TEST_F(LookupWindow, AFailedLookupClearsAndSelectsTheTypedText) {
    Open([](HWND window) {
        Select(window, FindEntry(window, "ML", "A2000"));
        HWND field = Item(window, IDC_CODE_ENTRY);
        SetWindowTextA(field, "");
        TypeCharacters(field, "a9999");
        ExpectNotFoundBox(Enter(window));
        ExpectDetailsEmpty(window);
        EXPECT_FALSE(Enabled(window, IDC_SAVE_NOTE));
        EXPECT_FALSE(Enabled(window, IDC_DELETE_NOTE));
        EXPECT_STREQ(Addin.currentCode, "A9999");
        EXPECT_TRUE(WaitFor([&] { return FocusOf(window) == field; }));
        DWORD start = 1, end = 0;
        SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 5u);

        // Looking up the entry that is still selected shows it again.
        TypeCharacters(field, "a2000");
        EXPECT_EQ(WindowText(field), "A2000") << "typing replaced the selected text";
        PressKey(field, VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return Text(window, IDC_ERROR_FIELD) == "cannot open file"; }));
        EXPECT_EQ(Text(window, IDC_TYPE_FIELD), "Fatal");
        EXPECT_STREQ(Addin.currentCode, "A2000");
        EXPECT_EQ(SelectedLabel(window), "A2000");
    });
}

TEST_F(LookupWindow, TheSameLabelUnderTwoHeadingsFindsTheFirstInDisplayOrder) {
    Open([](HWND window) {
        // CVTRES comes before ML in the tree; give it an entry that reads like ML's.
        InsertEntry(window, "CVTRES", "A1000", 1100);
        SetCode(window, "A1000");
        PressKey(Item(window, IDC_CODE_ENTRY), VK_RETURN);
        ASSERT_TRUE(WaitFor([&] { return SelectedLabel(window) == "A1000"; }));
        EXPECT_EQ(TreeView_GetParent(Tree(window), Selected(window)),
                  FindHeading(window, "CVTRES"));
        EXPECT_TRUE(WaitFor([&] { return Text(window, IDC_ERROR_FIELD) == "cvtres fixture"; }));
    });
}

TEST_F(LookupWindow, PastedTextIsNotFilteredAndIsLookedUpAsTheFieldHoldsIt) {
    Open([](HWND window) {
        HWND field = Item(window, IDC_CODE_ENTRY);
        PasteText(field, "x-1");
        EXPECT_EQ(WindowText(field), "X-1");
        ExpectNotFoundBox(Enter(window));
        EXPECT_STREQ(Addin.currentCode, "X-1");
        SetWindowTextA(field, "");
        PasteText(field, "u1000");
        PressKey(field, VK_RETURN);
        EXPECT_TRUE(WaitFor([&] { return SelectedLabel(window) == "U1000"; }));
    });
}

TEST_F(LookupWindow, TheCodeFieldHoldsAtMostFifteenCharactersEvenPasted) {
    Open([](HWND window) {
        HWND field = Item(window, IDC_CODE_ENTRY);
        EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), 15);
        // The paste stops at the limit, or sooner at the field's visible width.
        PasteText(field, std::string(10000, '7').c_str());
        const std::string shown = WindowText(field);
        EXPECT_LE(shown.size(), 15u);
        EXPECT_EQ(shown, std::string(shown.size(), '7'));
    });
}

TEST_F(LookupWindow, EscapeIsIgnoredAndACloseRequestEndsWithZero) {
    const INT_PTR result = Open([](HWND window) {
        SendDialogKey(window, VK_ESCAPE);
        EXPECT_TRUE(IsWindowVisible(window));
        PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(window); }));
    });
    EXPECT_EQ(result, 0);
}

// Wine without a window manager keeps no topmost style on the dialog, so the test watches
// the z-order request the window makes of the platform.
HWND lastInsertAfter = nullptr;
HHOOK positionHook = nullptr;

LRESULT CALLBACK WatchPosition(int code, WPARAM first, LPARAM second) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(second);
    if (code == HC_ACTION && message->message == WM_WINDOWPOSCHANGING) {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(message->lParam);
        if ((position->flags & SWP_NOZORDER) == 0)
            lastInsertAfter = position->hwndInsertAfter;
    }
    return CallNextHookEx(positionHook, code, first, second);
}

TEST_F(LookupWindow, OnTopTogglesTheWindowAndItsCheckMark) {
    Open([](HWND window) {
        HMENU menu = GetSystemMenu(window, FALSE);
        positionHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchPosition, nullptr,
                                         GetWindowThreadProcessId(window, nullptr));
        for (bool on : {true, false}) {
            lastInsertAfter = nullptr;
            SendMessageA(window, WM_SYSCOMMAND, 0, 0);
            EXPECT_EQ(lastInsertAfter, on ? HWND_TOPMOST : HWND_NOTOPMOST);
            EXPECT_EQ((GetMenuState(menu, 0, MF_BYPOSITION) & MF_CHECKED) != 0, on);
            EXPECT_EQ(GetMenuItemID(menu, 0), 0u);
            EXPECT_EQ(Addin.onTopFlag, on ? 1 : 0);
        }
        UnhookWindowsHookEx(positionHook);
        char text[32];
        GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, "Browse Notes");
    });
}

TEST_F(LookupWindow, APresetThatMatchesInAnyCaseSelectsItsEntry) {
    const INT_PTR result = Open(
        [](HWND window) {
            EXPECT_EQ(SelectedLabel(window), "A1001");
            EXPECT_EQ(Text(window, IDC_CODE_ENTRY), "A1001");
            EXPECT_EQ(Text(window, IDC_TYPE_FIELD), "Warning (Level1,4)");
        },
        "a1001");
    EXPECT_EQ(result, 0);
}

TEST_F(LookupWindow, AnEmptyOrUnknownPresetEndsAtOnceWithNotFound) {
    for (const char* preset : {"", "A9999", "ML"}) {
        ShownWindowCounter shown;
        EXPECT_EQ(OpenLookupWindow(nullptr, preset), NotFoundResult) << "\"" << preset << "\"";
        EXPECT_EQ(shown.count(), 0) << "a window was shown for \"" << preset << "\"";
        EXPECT_EQ(FindThreadWindow(GetCurrentThreadId(), "Quorvane"), nullptr);
    }
}

// The standard set has no rcw.dll on purpose; a test that puts one there takes it away again
// however it ends.
class RemovedOnExit {
  public:
    explicit RemovedOnExit(std::string path) : path_(std::move(path)) {
        DeleteFileA(path_.c_str());
    }
    ~RemovedOnExit() { DeleteFileA(path_.c_str()); }
    RemovedOnExit(const RemovedOnExit&) = delete;
    RemovedOnExit& operator=(const RemovedOnExit&) = delete;

  private:
    std::string path_;
};

TEST_F(LookupWindow, EveryOpeningReadsTheModulesAgainAndKeepsCurrentCode) {
    const std::string spare = FixtureDirectory("spare") + "rcw.dll";
    const std::string beside = ProgramDirectory() + "rcw.dll";
    const RemovedOnExit guard(beside);
    Open([](HWND window) {
        EXPECT_EQ(TreeView_GetCount(Tree(window)), 23u);
        Select(window, FindEntry(window, "ML", "A1002"));
    });
    ASSERT_TRUE(CopyFileA(spare.c_str(), beside.c_str(), FALSE));
    Open([](HWND window) {
        EXPECT_EQ(TreeView_GetCount(Tree(window)), 25u);
        EXPECT_NE(FindEntry(window, "RC (\"W\" Errors)", "RW4001"), nullptr);
        EXPECT_STREQ(Addin.currentCode, "A1002") << "carried over from the last opening";
        EXPECT_EQ(Selected(window), nullptr);
    });
    DeleteFileA(beside.c_str());
    Open([](HWND window) { EXPECT_EQ(TreeView_GetCount(Tree(window)), 23u); });
}

} // namespace
