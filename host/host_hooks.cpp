#include "host/host_hooks.h"

#include "host/addin_state.h"
#include "lookup/lookup_window.h"

namespace {

const BYTE* HostRecord(HWND hostWindow, UINT query) {
    return reinterpret_cast<const BYTE*>(SendMessageA(hostWindow, query, 0, 0));
}

// A host that answered a query with no record gives zero fields rather than a crash.
DWORD HostField(const BYTE* record, int offset) {
    if (record == nullptr)
        return 0;
    DWORD value;
    CopyMemory(&value, record + offset, sizeof value);
    return value;
}

HWND OwnerWindow() {
    return reinterpret_cast<HWND>(
        static_cast<UINT_PTR>(HostField(Addin.hostHandles, HandlesOwnerWindow)));
}

HMENU MainMenu() {
    return reinterpret_cast<HMENU>(
        static_cast<UINT_PTR>(HostField(Addin.hostHandles, HandlesMainMenu)));
}

// A host may ask again while the lookup window runs its loop (from its menu, or for the
// editor). A second window would take over the module-wide control handles and leave the first
// one writing to a closed window, so the open one serves the request instead.
bool LookupWindowIsOpen() {
    return Addin.lookupWindow != nullptr && IsWindow(Addin.lookupWindow);
}

void BringLookupWindowForward() {
    if (IsIconic(Addin.lookupWindow))
        ShowWindow(Addin.lookupWindow, SW_RESTORE);
    SetForegroundWindow(Addin.lookupWindow);
}

LRESULT OnHookCommand(WPARAM first) {
    if (LOWORD(first) != Addin.menuId || HIWORD(first) != 0)
        return 0;
    if (LookupWindowIsOpen())
        BringLookupWindowForward();
    else
        OpenLookupWindow(OwnerWindow(), nullptr);
    return 1;
}

LRESULT OnHookMenuBuild() {
    MENUITEMINFOA item{};
    item.cbSize = 44; // the form without the item bitmap, which every host understands
    item.fMask = MIIM_SUBMENU;
    // Without the host's add-in menu there is nowhere to put the item.
    if (GetMenuItemInfoA(MainMenu(), HostAddinsMenuItem, FALSE, &item) && item.hSubMenu != nullptr)
        AppendMenuA(item.hSubMenu, MF_STRING, Addin.menuId, "KIVO");
    return 0;
}

LRESULT OnHookClose() {
    if (Addin.menuId == 0)
        return 0;
    const int position = static_cast<int>(HostField(Addin.hostData, DataMenuPosition)) + 6;
    HMENU popup = GetSubMenu(MainMenu(), position);
    if (popup != nullptr)
        DeleteMenu(popup, Addin.menuId, MF_BYCOMMAND);
    Addin.menuId = 0;
    return 0;
}

LRESULT OnHookEditorRequest(HWND window) {
    // Nothing to ask and nothing to own the window: the request was not handled.
    if (!IsWindow(window))
        return 0;
    char code[EditorTextSize] = {};
    SendMessageA(window, EditorGetText, EditorTextSize, reinterpret_cast<LPARAM>(code));
    code[EditorTextSize - 1] = '\0'; // a host that fills the whole buffer gets it cut
    if (LookupWindowIsOpen()) {
        if (!ShowPresetInOpenWindow(code))
            return 0;
        BringLookupWindowForward();
        return 1;
    }
    const INT_PTR result = OpenLookupWindow(window, code);
    // A window that could not be made handled nothing: the host should fall back.
    return result == NotFoundResult || result == -1 ? 0 : 1;
}

} // namespace

DWORD* WINAPI InstallAddin(HWND hostWindow) {
    Addin.hostHandles = HostRecord(hostWindow, HostGetHandles);
    Addin.hostProcs = HostRecord(hostWindow, HostGetProcs);
    Addin.hostData = HostRecord(hostWindow, HostGetData);
    Addin.menuId = static_cast<DWORD>(SendMessageA(hostWindow, HostGetMenuId, 0, 0));
    InitAddinState();
    Addin.hookRecord[0] = HookRecordMessages;
    Addin.hookRecord[1] = 0;
    Addin.hookRecord[2] = 0;
    Addin.hookRecord[3] = 0;
    return Addin.hookRecord;
}

LRESULT WINAPI AddinProc(HWND window, UINT message, WPARAM first, LPARAM /*second*/) {
    switch (message) {
    case HookCommand:
        return OnHookCommand(first);
    case HookMenuBuild:
        return OnHookMenuBuild();
    case HookClose:
        return OnHookClose();
    case HookEditorRequest:
        return OnHookEditorRequest(window);
    default:
        return 0;
    }
}
