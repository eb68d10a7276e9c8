// The add-in as a host meets it: the built KIVO.dll, loaded by the stand-in host's code and
// driven through its two exports and the host's records.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/host_hooks.h"
#include "resources/resource_ids.h"
#include "standin/host_window.h"
#include "tests/windows/dialog_driver.h"
#include "tests/windows/module_files.h"
#include "tests/windows/test_window.h"
#include "tests/windows/tree_helpers.h"

namespace {

class Host : public ::testing::Test {
  protected:
    void SetUp() override { Start(FixtureDirectory("standard")); }
    void TearDown() override {
        if (host.addin != nullptr)
            FreeLibrary(host.addin);
        host.addin = nullptr;
        DestroyStandinHost(host);
    }
    void Start(const std::string& folder) {
        StartModule(LoadLibraryA((folder + "KIVO.dll").c_str()));
    }
    void StartModule(HMODULE addin) {
        ASSERT_TRUE(CreateStandinHost(host, GetModuleHandleA(nullptr), true));
        // Loaded here rather than through LoadAddin, so each step can be checked on its own.
        host.addin = addin;
        ASSERT_NE(host.addin, nullptr);
        ASSERT_TRUE(FindAddinExports(host));
    }
    DWORD* Install() {
        DWORD* record = host.install(host.mainWindow);
        host.hookMask = record[0];
        return record;
    }
    LRESULT Proc(HWND window, UINT message, WPARAM first = 0) {
        return host.addinProc(window, message, first, 0);
    }
    int AddinItems() {
        int count = 0;
        for (int i = 0; i < GetMenuItemCount(host.addinsMenu); ++i) {
            char text[32] = {};
            GetMenuStringA(host.addinsMenu, UINT(i), text, sizeof text, MF_BYPOSITION);
            if (GetMenuItemID(host.addinsMenu, i) == host.reservedMenuId &&
                lstrcmpA(text, "KIVO") == 0)
                ++count;
        }
        return count;
    }
    // Runs a hook that opens the lookup window, closing it from the script.
    LRESULT ProcWithWindow(
        HWND window, UINT message, WPARAM first,
        const std::function<void(HWND)>& script = [](HWND) {}) {
        return DriveModal([&] { return Proc(window, message, first); }, "Quorvane", script);
    }
    void SetEditorText(const char* code) { ::SetEditorText(host, code); }
    StandinHost host{};
};

TEST_F(Host, InstallAsksTheFourQueriesInOrderAndReturnsTheHookRecord) {
    const DWORD* record = Install();
    ASSERT_EQ(host.queryCount, 4);
    EXPECT_EQ(host.queries[0], 1074u);
    EXPECT_EQ(host.queries[1], 1075u);
    EXPECT_EQ(host.queries[2], 1076u);
    EXPECT_EQ(host.queries[3], 1077u);
    EXPECT_EQ(record[0], 0x00200016u);
    EXPECT_EQ(record[1], 0u);
    EXPECT_EQ(record[2], 0u);
    EXPECT_EQ(record[3], 0u);
    EXPECT_EQ(Proc(host.mainWindow, WM_USER + 7), 0);
}

TEST_F(Host, EachMenuBuildAppendsOneItemAndCloseRemovesIt) {
    Install();
    EXPECT_EQ(Proc(host.mainWindow, HookMenuBuild), 0);
    EXPECT_EQ(AddinItems(), 1);
    EXPECT_EQ(Proc(host.mainWindow, HookClose), 0);
    EXPECT_EQ(AddinItems(), 0);
    // The identifier is now 0: a second close finds nothing to do.
    Proc(host.mainWindow, HookMenuBuild);
    EXPECT_EQ(AddinItems(), 0) << "the item now carries identifier 0";
    const int before = GetMenuItemCount(host.addinsMenu);
    EXPECT_EQ(Proc(host.mainWindow, HookClose), 0);
    EXPECT_EQ(GetMenuItemCount(host.addinsMenu), before);
}

TEST_F(Host, EveryMenuBuildAppendsAgain) {
    Install();
    Proc(host.mainWindow, HookMenuBuild);
    Proc(host.mainWindow, HookMenuBuild);
    EXPECT_EQ(AddinItems(), 2);
}

TEST_F(Host, AMenuWithoutTheAddinsItemOrItsSubmenuIsLeftAlone) {
    Install();
    HMENU tools = GetSubMenu(host.mainMenu, 6);
    // No submenu under 10043.
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_SUBMENU;
    item.hSubMenu = nullptr;
    SetMenuItemInfoA(tools, 10043, FALSE, &item);
    EXPECT_EQ(Proc(host.mainWindow, HookMenuBuild), 0);
    // No item 10043 at all.
    DeleteMenu(tools, 10043, MF_BYCOMMAND);
    EXPECT_EQ(Proc(host.mainWindow, HookMenuBuild), 0);
    EXPECT_EQ(Proc(host.mainWindow, HookClose), 0);
    DestroyMenu(host.addinsMenu);
    host.addinsMenu = nullptr;
}

TEST_F(Host, OtherCommandsOpenNothing) {
    Install();
    ShownWindowCounter shown;
    EXPECT_EQ(Proc(host.mainWindow, HookCommand, host.reservedMenuId + 1), 0);
    EXPECT_EQ(Proc(host.mainWindow, HookCommand, MAKEWPARAM(host.reservedMenuId, 1)), 0);
    EXPECT_EQ(shown.count(), 0);
}

TEST_F(Host, TheAddinsCommandOpensTheLookupWindowOwnedByTheHost) {
    Install();
    HWND owner = nullptr;
    const LRESULT result =
        ProcWithWindow(host.mainWindow, HookCommand, host.reservedMenuId, [&](HWND window) {
            owner = GetWindow(window, GW_OWNER);
            EXPECT_EQ(Text(window, IDC_CODE_ENTRY), "");
        });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(owner, host.mainWindow);
}

TEST_F(Host, EditorRequestsAnswerWhetherTheCodeWasFound) {
    Install();
    for (const char* unknown : {"A9999", "", "ML", "not a code at all"}) {
        SetEditorText(unknown);
        ShownWindowCounter shown;
        EXPECT_EQ(Proc(host.editor, HookEditorRequest), 0) << "\"" << unknown << "\"";
        EXPECT_EQ(shown.count(), 0) << "\"" << unknown << "\"";
    }
    SetEditorText("lnk1101");
    bool stillOpenAtScriptEnd = false;
    const LRESULT result = ProcWithWindow(host.editor, HookEditorRequest, 0, [&](HWND window) {
        EXPECT_EQ(GetWindow(window, GW_OWNER), host.mainWindow); // the editor's top level
        EXPECT_EQ(Text(window, IDC_CODE_ENTRY), "LNK1101");
        EXPECT_EQ(Text(window, IDC_ERROR_FIELD), "bbb");
        stillOpenAtScriptEnd = IsWindow(window) != FALSE;
    });
    EXPECT_TRUE(stillOpenAtScriptEnd) << "the answer came only after the window closed";
    EXPECT_EQ(result, 1);
}

// An editor that fills the whole buffer it is handed and ends it with no zero: a known code,
// then more of the line.
WNDPROC standinEditorProc = nullptr;
const char* const FillingEditorCode = "LNK1101";

LRESULT CALLBACK FillingEditorProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message != EditorGetText || second == 0)
        return CallWindowProcA(standinEditorProc, window, message, first, second);
    std::string line = FillingEditorCode;
    line.resize(first, '.');
    CopyMemory(reinterpret_cast<char*>(second), line.data(), line.size());
    return static_cast<LRESULT>(line.size());
}

// The text the add-in hands its lookup window, seen as the window starts, read no further
// than the editor's buffer.
struct PresetSeen {
    bool seen;
    bool ended; // a zero within the buffer
    std::string text;
} presetSeen;
HHOOK presetHook = nullptr;

LRESULT CALLBACK WatchPreset(int code, WPARAM first, LPARAM second) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(second);
    if (code == HC_ACTION && message->message == WM_INITDIALOG && message->lParam != 0) {
        const char* preset = reinterpret_cast<const char*>(message->lParam);
        const char* end = static_cast<const char*>(std::memchr(preset, 0, EditorTextSize));
        presetSeen = {true, end != nullptr,
                      std::string(preset, end != nullptr ? end - preset : EditorTextSize)};
    }
    return CallNextHookEx(presetHook, code, first, second);
}

TEST_F(Host, AnEditorThatFillsTheWholeBufferIsReadSafely) {
    Install();
    SetEditorText("");
    standinEditorProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        host.editor, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FillingEditorProc)));
    presetSeen = {};
    presetHook = SetWindowsHookExA(WH_CALLWNDPROC, WatchPreset, nullptr, GetCurrentThreadId());
    ShownWindowCounter shown;
    EXPECT_EQ(Proc(host.editor, HookEditorRequest), 0) << "the line is more than the code";
    UnhookWindowsHookEx(presetHook);
    EXPECT_EQ(shown.count(), 0);
    ASSERT_TRUE(presetSeen.seen) << "the add-in looked nothing up";
    EXPECT_TRUE(presetSeen.ended) << "the text runs past the end of the editor's buffer";
    EXPECT_EQ(presetSeen.text.rfind(FillingEditorCode, 0), 0u) << presetSeen.text;
}

TEST_F(Host, TheStandinHostFallsBackWhenTheRequestIsNotHandled) {
    Install();
    SetEditorText("A9999");
    EXPECT_EQ(RequestHelp(host, "A9999"), 0);
    EXPECT_NE(std::string(host.status).find("did not handle \"A9999\""), std::string::npos)
        << host.status;
}

TEST_F(Host, NoRecordsFromTheHostDoNotCrashTheAddin) {
    // A host that answers every query with 0.
    HWND silent =
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    host.hookMask = host.install(silent)[0];
    EXPECT_EQ(Proc(silent, HookMenuBuild), 0);
    EXPECT_EQ(ProcWithWindow(silent, HookCommand, 0), 1) << "identifier 0 opens, as written";
    EXPECT_EQ(Proc(silent, HookClose), 0);
    DestroyWindow(silent);
}

std::string AboutTotal(HWND about) {
    return Text(about, IDC_ABOUT_TOTAL);
}

// Opens the About box from the lookup window's system menu and runs script on it.
void WithAboutBox(HWND lookup, const std::function<void(HWND)>& script) {
    HWND about = nullptr;
    {
        OwnedDialogWatch watch(lookup);
        PostMessageA(lookup, WM_SYSCOMMAND, 2, 0);
        about = watch.Wait();
    }
    ASSERT_NE(about, nullptr) << "no About box";
    EXPECT_EQ(WindowText(about), "About KIVO");
    script(about);
    if (IsWindow(about))
        SendDialogKey(about, VK_ESCAPE);
}

TEST_F(Host, TheAboutBoxListsTheToolsAndCountsTheCatalogue) {
    Install();
    ProcWithWindow(host.mainWindow, HookCommand, host.reservedMenuId, [](HWND lookup) {
        WithAboutBox(lookup, [](HWND about) {
            EXPECT_EQ(
                Text(about, IDC_ABOUT_TOOLS),
                "ML\r\nCVTRES\r\nNMAKE\r\nLINK\\LIB\\DUMPBIN\\EDITBIN\r\nRC (\"C\" Errors)\r\n"
                "RC (\"W\" Errors)\r\nH2INC\r\nMIDL");
            EXPECT_EQ(AboutTotal(about), "15");
            HFONT title = reinterpret_cast<HFONT>(
                SendDlgItemMessageA(about, IDC_ABOUT_TITLE, WM_GETFONT, 0, 0));
            LOGFONTA font{};
            ASSERT_TRUE(GetObjectA(title, sizeof font, &font));
            EXPECT_EQ(font.lfHeight, -12);
            EXPECT_EQ(font.lfWeight, 700);
            EXPECT_STREQ(font.lfFaceName, "Verdana");
            // Enter leaves the box open; Escape closes it.
            SendDialogKey(about, VK_RETURN);
            EXPECT_TRUE(IsWindowVisible(about));
            PressKey(about, VK_ESCAPE);
            EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
            // Its font went with it.
            EXPECT_EQ(GetObjectType(title), 0u);
        });
        EXPECT_TRUE(IsWindowVisible(lookup));
    });
}

class HostWithoutCatalogues : public Host {
    void SetUp() override { Start(FixtureDirectory("empty")); }
};

TEST_F(HostWithoutCatalogues, TheAboutBoxCountsZero) {
    Install();
    ProcWithWindow(host.mainWindow, HookCommand, host.reservedMenuId, [](HWND lookup) {
        WithAboutBox(lookup, [](HWND about) { EXPECT_EQ(AboutTotal(about), "0"); });
    });
}

TEST_F(Host, AnEditorRequestWithoutAWindowIsNotHandled) {
    Install();
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    ShownWindowCounter shown;
    EXPECT_EQ(Proc(gone, HookEditorRequest), 0);
    EXPECT_EQ(Proc(reinterpret_cast<HWND>(UINT_PTR(0x4321)), HookEditorRequest), 0);
    EXPECT_EQ(shown.count(), 0);
}

TEST_F(Host, BeforeInstallTheWindowStillShowsWholeEntries) {
    // The host may have the rich-edit library loaded already; the add-in has no heap yet.
    HMODULE richEdit = LoadLibraryA("RichEd32");
    const LRESULT result = ProcWithWindow(host.mainWindow, HookCommand, 0, [](HWND window) {
        Select(window, FindEntry(window, "ML", "A1000"));
        EXPECT_EQ(Text(window, IDC_ERROR_FIELD), "operand size mismatch");
        EXPECT_EQ(Text(window, IDC_DESCRIPTION_FIELD),
                  "The two operands have different sizes.\r\n");
    });
    EXPECT_EQ(result, 1);
    FreeLibrary(richEdit);
}

// Asks the add-in on the host's own thread while the lookup window runs its loop there, as a
// host does when a request comes in from inside that loop.
struct Reentry {
    StandinHost* host;
    HWND window;
    UINT message;
    WPARAM first;
};

LRESULT CALLBACK ReentryProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    if (message != WM_APP)
        return DefWindowProcA(window, message, first, second);
    const auto* r = reinterpret_cast<const Reentry*>(second);
    return r->host->addinProc(r->window, r->message, r->first, 0);
}

BOOL CALLBACK CountLookupWindow(HWND window, LPARAM counter) {
    char caption[32] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(caption, "Quorvane") == 0)
        ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

int LookupWindowsOf(DWORD thread) {
    int count = 0;
    EnumThreadWindows(thread, CountLookupWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(Host, ARequestWhileTheWindowIsOpenIsServedByThatWindow) {
    Install();
    WNDCLASSA reentryClass{};
    reentryClass.lpfnWndProc = ReentryProc;
    reentryClass.lpszClassName = "KivoReentry";
    RegisterClassA(&reentryClass);
    HWND reentry = CreateWindowExA(0, "KivoReentry", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   nullptr, nullptr);
    SetEditorText("A1000");
    const std::string note = FixtureDirectory("standard") + "Notes\\" + [] {
        char name[257] = {};
        DWORD size = sizeof name;
        GetUserNameA(name, &size);
        return std::string(name);
    }() + "\\A1000.knote";
    DeleteFileA(note.c_str());
    const DWORD thread = GetCurrentThreadId();
    ProcWithWindow(host.mainWindow, HookCommand, host.reservedMenuId, [&](HWND window) {
        auto ask = [&](HWND target, UINT message, WPARAM first) {
            Reentry r{&host, target, message, first};
            return SendMessageA(reentry, WM_APP, 0, reinterpret_cast<LPARAM>(&r));
        };
        Select(window, FindEntry(window, "ML", "A1000"));
        TypeCharacters(Item(window, IDC_NOTE_FIELD), "typed");

        EXPECT_EQ(ask(host.mainWindow, HookCommand, host.reservedMenuId), 1);
        EXPECT_EQ(LookupWindowsOf(thread), 1) << "a second window opened from the menu";
        ::SetEditorText(host, "a1000"); // the entry already shown: the note being typed stays
        EXPECT_EQ(ask(host.editor, HookEditorRequest, 0), 1);
        ::SetEditorText(host, "A9999");
        EXPECT_EQ(ask(host.editor, HookEditorRequest, 0), 0);
        EXPECT_EQ(LookupWindowsOf(thread), 1) << "a second window opened for the editor";
        EXPECT_EQ(Text(window, IDC_NOTE_FIELD), "typed");
        Click(Item(window, IDC_SAVE_NOTE));
        EXPECT_EQ(ReadFileBytes(note), std::string("typed\0", 6));

        ::SetEditorText(host, "lnk1101");
        EXPECT_EQ(ask(host.editor, HookEditorRequest, 0), 1);
        EXPECT_EQ(SelectedLabel(window), "LNK1101");
        EXPECT_EQ(Text(window, IDC_CODE_ENTRY), "LNK1101");
        EXPECT_EQ(Text(window, IDC_ERROR_FIELD), "bbb");
    });
    DeleteFileA(note.c_str());
    DestroyWindow(reentry);
}

// A folder holding a copy of the built add-in and the given catalogue modules.
std::string AddinFolder(const char* name) {
    const std::string folder = FreshFolder(name);
    EXPECT_TRUE(CopyFileA((FixtureDirectory("standard") + "KIVO.dll").c_str(),
                          (folder + "KIVO.dll").c_str(), FALSE));
    return folder;
}

class HostElsewhere : public Host {
    void SetUp() override {}
};

TEST_F(HostElsewhere, EntriesTheFormatterCannotReadShowNothingWhenReachedByKeyboard) {
    const std::string folder = AddinFolder("keyboard");
    ASSERT_TRUE(WriteUnreadableModules(folder, FixtureDirectory("formatter")));
    Start(folder);
    Install();
    ProcWithWindow(host.mainWindow, HookCommand, host.reservedMenuId, [](HWND window) {
        const struct {
            const char* heading;
            const char* readable;
            UINT key;
            const char* unreadable;
        } cases[] = {{"ML", "A102", VK_UP, "A101"}, {"H2INC", "HI1", VK_DOWN, "HI2"}};
        for (const auto& c : cases) {
            Select(window, FindEntry(window, c.heading, c.readable));
            ASSERT_NE(Text(window, IDC_ERROR_FIELD), "") << c.readable;
            // Arrow keys, handled on the window's own thread as a user's would be.
            PressKey(Tree(window), c.key);
            ASSERT_TRUE(WaitFor([&] { return SelectedLabel(window) == c.unreadable; }));
            EXPECT_TRUE(WaitFor([&] { return Text(window, IDC_CODE_ENTRY) == c.unreadable; }));
            for (int id : {IDC_TYPE_FIELD, IDC_ERROR_FIELD, IDC_DESCRIPTION_FIELD})
                EXPECT_EQ(Text(window, id), "") << c.unreadable << ", field " << id;
            // And selected directly.
            Select(window, FindEntry(window, c.heading, c.readable));
            Select(window, FindEntry(window, c.heading, c.unreadable));
            EXPECT_EQ(Text(window, IDC_ERROR_FIELD), "") << c.unreadable;
        }
    });
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST_F(HostElsewhere, AnAddinPathTooLongForItsBufferReadsNoCatalogueAndKeepsNoNotes) {
    // A 255-character folder, so the add-in's own path has 264; the host's folder holds a
    // full set of catalogue modules that a bare module name would find.
    std::wstring folder = Wide(FreshFolder("long-path"));
    folder.pop_back();
    while (folder.size() < 255) {
        folder += L"\\" + std::wstring(std::min<size_t>(60, 255 - folder.size() - 1), L'p');
        CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr);
    }
    ASSERT_EQ(folder.size(), 255u);
    const std::wstring addin = L"\\\\?\\" + folder + L"\\KIVO.dll";
    ASSERT_TRUE(
        CopyFileW(Wide(FixtureDirectory("standard") + "KIVO.dll").c_str(), addin.c_str(), FALSE));
    StartModule(LoadLibraryW(addin.c_str()));
    Install();
    ProcWithWindow(host.mainWindow, HookCommand, host.reservedMenuId, [](HWND window) {
        EXPECT_EQ(TreeView_GetCount(Tree(window)), 8u) << "catalogues read from elsewhere";
    });
    EXPECT_FALSE(Exists(L"\\\\?\\" + folder + L"\\Notes"));
    EXPECT_FALSE(Exists(L"Notes"));
}

TEST_F(HostElsewhere, AnAddinFolderTheCodePageCannotSpellReadsNoOtherFolder) {
    // The add-in in "\u03A9kivo"; a sibling "Okivo", the best 8-bit fit, holds a catalogue.
    const std::wstring parent = Wide(FreshFolder("code-page"));
    const std::wstring home = parent + L"\u03A9kivo\\", decoy = parent + L"Okivo\\";
    CreateDirectoryW(home.c_str(), nullptr);
    CreateDirectoryW(decoy.c_str(), nullptr);
    ASSERT_TRUE(CopyFileW(Wide(FixtureDirectory("standard") + "KIVO.dll").c_str(),
                          (home + L"KIVO.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(Wide(FixtureDirectory("standard") + "ML.dll").c_str(),
                          (decoy + L"ML.dll").c_str(), FALSE));
    StartModule(LoadLibraryW((home + L"KIVO.dll").c_str()));
    Install();
    ProcWithWindow(host.mainWindow, HookCommand, host.reservedMenuId, [](HWND window) {
        EXPECT_EQ(TreeView_GetCount(Tree(window)), 8u) << "the decoy's catalogue was read";
    });
    EXPECT_FALSE(Exists(decoy + L"Notes"));
    EXPECT_FALSE(Exists(home + L"Notes"));
}

} // namespace
