#include "standin/host_window.h"

#include <commctrl.h>

#include <initializer_list>

namespace {

constexpr UINT ExitCommand = 100;

const char* const MainClass = "KivoStandinHost";
const char* const EditorClass = "KivoStandinEditor";

// Both window classes carry the host record, handed over at creation.
StandinHost* HostOf(HWND window, UINT message, LPARAM second) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(second)->lpCreateParams));
    return reinterpret_cast<StandinHost*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void SetStatus(StandinHost& host, const char* text) {
    lstrcpynA(host.status, text, sizeof host.status);
    SendMessageA(host.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(host.status));
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    StandinHost* host = HostOf(window, message, second);
    if (host != nullptr && message >= HostGetHandles && message <= HostGetMenuId &&
        host->queryCount < 8)
        host->queries[host->queryCount++] = message;
    switch (message) {
    case HostGetHandles:
        return reinterpret_cast<LRESULT>(host->handles);
    case HostGetProcs:
        return reinterpret_cast<LRESULT>(host->procs);
    case HostGetData:
        return reinterpret_cast<LRESULT>(host->data);
    case HostGetMenuId:
        return static_cast<LRESULT>(host->reservedMenuId);
    case WM_COMMAND:
        if (LOWORD(first) == ExitCommand) {
            DestroyWindow(window);
            return 0;
        }
        // Every menu command goes to the add-in, which tells whether it was its own.
        SendHook(*host, window, HookCommand, first, 0);
        return 0;
    case WM_SIZE:
        if (host != nullptr) {
            SendMessageA(host->statusBar, WM_SIZE, 0, 0);
            RECT client, status;
            GetClientRect(window, &client);
            GetWindowRect(host->statusBar, &status);
            if (host->editor != nullptr)
                MoveWindow(host->editor, 0, 0, client.right,
                           client.bottom - (status.bottom - status.top), TRUE);
        }
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (host != nullptr && host->addin != nullptr)
            ReleaseAddin(*host);
        if (host != nullptr && host->quitOnDestroy)
            PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, first, second);
    }
}

// The editor answers the add-in's text request with the word it holds.
LRESULT CALLBACK EditorProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    StandinHost* host = HostOf(window, message, second);
    switch (message) {
    case EditorGetText: {
        char* buffer = reinterpret_cast<char*>(second);
        const size_t size = first;
        if (buffer == nullptr || size == 0)
            return 0;
        lstrcpynA(buffer, host->editorText, static_cast<int>(size));
        return lstrlenA(buffer);
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        TextOutA(dc, 8, 8, host->editorText, lstrlenA(host->editorText));
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcA(window, message, first, second);
    }
}

HMENU Popup(HMENU bar, const char* title) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title);
    return popup;
}

// File Edit View Format Project Make Tools Window Help; Tools (position 0 + 6) holds the
// add-ins item 10043 with its submenu.
void BuildMainMenu(StandinHost& host) {
    host.mainMenu = CreateMenu();
    HMENU file = Popup(host.mainMenu, "&File");
    AppendMenuA(file, MF_STRING, ExitCommand, "E&xit");
    for (const char* title : {"&Edit", "&View", "F&ormat", "&Project", "&Make"})
        AppendMenuA(Popup(host.mainMenu, title), MF_STRING | MF_GRAYED, 0, "(empty)");
    HMENU tools = Popup(host.mainMenu, "&Tools");
    host.addinsMenu = CreatePopupMenu();
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    item.wID = HostAddinsMenuItem;
    item.hSubMenu = host.addinsMenu;
    item.dwTypeData = const_cast<char*>("&Add-ins");
    InsertMenuItemA(tools, 0, TRUE, &item);
    AppendMenuA(Popup(host.mainMenu, "&Window"), MF_STRING | MF_GRAYED, 0, "(empty)");
    AppendMenuA(Popup(host.mainMenu, "&Help"), MF_STRING | MF_GRAYED, 0, "(empty)");
}

} // namespace

bool CreateStandinHost(StandinHost& host, HINSTANCE instance, bool visible) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA mainClass{};
    mainClass.lpfnWndProc = MainProc;
    mainClass.hInstance = instance;
    mainClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    mainClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
    mainClass.lpszClassName = MainClass;
    RegisterClassA(&mainClass);
    WNDCLASSA editorClass{};
    editorClass.lpfnWndProc = EditorProc;
    editorClass.hInstance = instance;
    editorClass.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
    editorClass.lpszClassName = EditorClass;
    RegisterClassA(&editorClass);

    if (host.reservedMenuId == 0)
        host.reservedMenuId = StandinMenuId;
    BuildMainMenu(host);
    host.mainWindow = CreateWindowExA(0, MainClass, "RadASM stand-in host",
                                      WS_OVERLAPPEDWINDOW | (visible ? WS_VISIBLE : 0), 20, 20, 760,
                                      560, nullptr, host.mainMenu, instance, &host);
    if (host.mainWindow == nullptr)
        return false;
    host.statusBar = CreateWindowExA(0, STATUSCLASSNAMEA, "Ready", WS_CHILD | WS_VISIBLE, 0, 0, 0,
                                     0, host.mainWindow, nullptr, instance, nullptr);
    host.handles[HandlesOwnerWindow / sizeof(DWORD)] =
        static_cast<DWORD>(reinterpret_cast<UINT_PTR>(host.mainWindow));
    host.handles[HandlesMainMenu / sizeof(DWORD)] =
        static_cast<DWORD>(reinterpret_cast<UINT_PTR>(host.mainMenu));
    host.data[DataMenuPosition / sizeof(DWORD)] = 0;
    return true;
}

bool FindAddinExports(StandinHost& host) {
    host.install = reinterpret_cast<InstallAddinFunction>(
        reinterpret_cast<void*>(GetProcAddress(host.addin, "InstallAddin")));
    host.addinProc = reinterpret_cast<AddinProcFunction>(
        reinterpret_cast<void*>(GetProcAddress(host.addin, "AddinProc")));
    return host.install != nullptr && host.addinProc != nullptr;
}

bool LoadAddin(StandinHost& host, const char* path) {
    host.addin = LoadLibraryA(path);
    if (host.addin == nullptr)
        return false;
    if (!FindAddinExports(host)) {
        FreeLibrary(host.addin);
        host.addin = nullptr;
        return false;
    }
    const DWORD* record = host.install(host.mainWindow);
    host.hookMask = record != nullptr ? record[0] : 0;
    SendHook(host, host.mainWindow, HookMenuBuild, 0, 0);
    DrawMenuBar(host.mainWindow);
    return true;
}

LRESULT SendHook(StandinHost& host, HWND window, UINT message, WPARAM first, LPARAM second) {
    const UINT bit = message - 1124;
    if (host.addinProc == nullptr || bit > 31 || (host.hookMask & (1u << bit)) == 0)
        return 0;
    return host.addinProc(window, message, first, second);
}

LRESULT ChooseAddinItem(StandinHost& host) {
    return SendHook(host, host.mainWindow, HookCommand, host.reservedMenuId, 0);
}

void SetEditorText(StandinHost& host, const char* text) {
    lstrcpynA(host.editorText, text, sizeof host.editorText);
    if (host.editor == nullptr) {
        RECT client;
        GetClientRect(host.mainWindow, &client);
        host.editor = CreateWindowExA(WS_EX_CLIENTEDGE, EditorClass, "", WS_CHILD | WS_VISIBLE, 0,
                                      0, client.right, client.bottom - 24, host.mainWindow, nullptr,
                                      GetModuleHandleA(nullptr), &host);
    }
    InvalidateRect(host.editor, nullptr, TRUE);
}

LRESULT RequestHelp(StandinHost& host, const char* code) {
    SetEditorText(host, code);
    SetStatus(host, "Asking the add-in for help");
    const LRESULT handled = SendHook(host, host.editor, HookEditorRequest, 0, 0);
    char status[320];
    if (handled)
        wsprintfA(status, "Help on \"%s\" was shown by the add-in", host.editorText);
    else
        wsprintfA(status, "The add-in did not handle \"%s\": falling back to the host's help",
                  host.editorText);
    SetStatus(host, status);
    return handled;
}

void ReleaseAddin(StandinHost& host) {
    if (host.addin == nullptr)
        return;
    SendHook(host, host.mainWindow, HookClose, 0, 0);
    if (IsWindow(host.mainWindow))
        DrawMenuBar(host.mainWindow);
    FreeLibrary(host.addin);
    host.addin = nullptr;
    host.install = nullptr;
    host.addinProc = nullptr;
    host.hookMask = 0;
}

void DestroyStandinHost(StandinHost& host) {
    if (IsWindow(host.mainWindow))
        DestroyWindow(host.mainWindow);
    host.mainWindow = nullptr;
    host.editor = nullptr;
}
