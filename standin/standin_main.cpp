// The stand-in host program:
//   standin.exe [--open] [--screenshot FILE.bmp [--system-command N]] [CODE]
// loads KIVO.dll from its own folder. With CODE it puts the code into an editor window and asks
// the add-in for help on it; with --open it chooses the add-in's menu item. With --screenshot
// the lookup window is saved as a bitmap once it shows, and the host then quits (exit status 3
// when the add-in did not handle the code, so no window showed); with
// --system-command the lookup window is first given that system-menu command (1 note browser,
// 2 About box) and the window it opens is saved instead.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "host/text_copy.h"
#include "resources/resource_ids.h"
#include "standin/host_window.h"
#include "standin/screenshot.h"

namespace {

StandinHost Host;
const char* ScreenshotPath = nullptr;
int SystemCommand = -1;

HWND OwnedDialog(HWND owner) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT))
        if (GetWindow(window, GW_OWNER) == owner && IsWindowVisible(window))
            return window;
    return nullptr;
}

// KIVO_TIME_SCALE stretches the waits where the platform runs emulated.
int Scale() {
    const char* text = std::getenv("KIVO_TIME_SCALE");
    const int scale = text != nullptr ? std::atoi(text) : 1;
    return scale > 0 ? scale : 1;
}

// For the picture: the focus moves to the tree, as a Tab by the user would move it, so the
// found entry shows in the selection colour rather than a faint grey, and the tree scrolls so
// that the tool's heading stands above the entry where both fit.
void ShowSelectedEntryPlainly(HWND lookup) {
    HWND tree = GetDlgItem(lookup, IDC_ERROR_TREE);
    HTREEITEM selected = TreeView_GetSelection(tree);
    if (selected == nullptr)
        return;
    HTREEITEM heading = TreeView_GetParent(tree, selected);
    if (heading != nullptr)
        TreeView_SelectSetFirstVisible(tree, heading);
    TreeView_EnsureVisible(tree, selected);
    SendMessageA(lookup, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree), TRUE);
}

void CALLBACK CaptureLookupWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    static int waiting = 0;  // ticks before the window showed
    static int shownFor = 0; // ticks since
    HWND lookup = FindWindowA("#32770", "Quorvane");
    if (lookup == nullptr || !IsWindowVisible(lookup)) {
        if (++waiting > 200 * Scale()) // ten seconds without a window: give up
            PostMessageA(Host.mainWindow, WM_CLOSE, 0, 0);
        return;
    }
    const int settle = 10 * Scale(); // let it paint
    if (++shownFor == 1 && SystemCommand < 0)
        ShowSelectedEntryPlainly(lookup);
    if (shownFor < settle)
        return;
    HWND shown = lookup;
    if (SystemCommand >= 0) {
        if (shownFor == settle)
            PostMessageA(lookup, WM_SYSCOMMAND, static_cast<WPARAM>(SystemCommand), 0);
        shown = OwnedDialog(lookup);
        if (shown == nullptr || shownFor < 2 * settle)
            return;
    }
    KillTimer(nullptr, timer);
    SaveWindowBitmap(shown, ScreenshotPath);
    if (shown != lookup)
        PostMessageA(shown, WM_CLOSE, 0, 0);
    PostMessageA(lookup, WM_CLOSE, 0, 0);
    PostMessageA(Host.mainWindow, WM_CLOSE, 0, 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    bool open = false;
    const char* code = nullptr;
    for (int i = 1; i < __argc; ++i) {
        if (lstrcmpA(__argv[i], "--open") == 0)
            open = true;
        else if (lstrcmpA(__argv[i], "--screenshot") == 0 && i + 1 < __argc)
            ScreenshotPath = __argv[++i];
        else if (lstrcmpA(__argv[i], "--system-command") == 0 && i + 1 < __argc)
            SystemCommand = std::atoi(__argv[++i]);
        else
            code = __argv[i];
    }
    Host.quitOnDestroy = true;
    if (!CreateStandinHost(Host, instance, true))
        return 1;
    char path[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    KeepFolder(path, sizeof path);
    AppendText(path, "KIVO.dll");
    if (!LoadAddin(Host, path)) {
        MessageBoxA(Host.mainWindow, "KIVO.dll could not be loaded from the host's folder.",
                    "Stand-in host", MB_ICONERROR);
        return 2;
    }
    if (ScreenshotPath != nullptr)
        SetTimer(nullptr, 0, 50, CaptureLookupWindow);
    bool notHandled = false;
    if (code != nullptr)
        notHandled = RequestHelp(Host, code) == 0;
    else if (open)
        ChooseAddinItem(Host);
    if (ScreenshotPath != nullptr && IsWindow(Host.mainWindow))
        PostMessageA(Host.mainWindow, WM_CLOSE, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return notHandled ? 3 : 0;
}
