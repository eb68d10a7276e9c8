#include "host/host_hooks.h"

#include "host/addin_state.h"

DWORD* WINAPI InstallAddin(HWND hostWindow) {
    Addin.hostHandles = reinterpret_cast<const BYTE*>(SendMessageA(hostWindow, HostGetHandles, 0, 0));
    Addin.hostProcs = reinterpret_cast<const BYTE*>(SendMessageA(hostWindow, HostGetProcs, 0, 0));
    Addin.hostData = reinterpret_cast<const BYTE*>(SendMessageA(hostWindow, HostGetData, 0, 0));
    Addin.menuId = static_cast<DWORD>(SendMessageA(hostWindow, HostGetMenuId, 0, 0));
    InitAddinState();
    Addin.hookRecord[0] = HookRecordMessages;
    Addin.hookRecord[1] = 0;
    Addin.hookRecord[2] = 0;
    Addin.hookRecord[3] = 0;
    return Addin.hookRecord;
}

LRESULT WINAPI AddinProc(HWND /*window*/, UINT /*message*/, WPARAM /*first*/, LPARAM /*second*/) {
    // The menu item, the lookup window and the editor request arrive with the lookup window.
    return 0;
}
