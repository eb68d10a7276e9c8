// The two exports the host calls, and the host's message numbers.
#pragma once

#include <windows.h>

constexpr UINT HostGetHandles = 1074;
constexpr UINT HostGetProcs = 1075;
constexpr UINT HostGetData = 1076;
constexpr UINT HostGetMenuId = 1077;

constexpr UINT HookCommand = 1125;
constexpr UINT HookClose = 1126;
constexpr UINT HookMenuBuild = 1128;
constexpr UINT HookEditorRequest = 1145;
constexpr UINT EditorGetText = 2039;

constexpr DWORD HookRecordMessages = 0x00200016; // asks for 1125, 1126, 1128 and 1145

// Fields of the host's records, as byte offsets.
constexpr int HandlesOwnerWindow = 4;
constexpr int HandlesMainMenu = 20;
constexpr int DataMenuPosition = 24; // + 6: the popup the add-in's item is removed from

constexpr UINT HostAddinsMenuItem = 10043; // its submenu receives the add-in's item
constexpr int EditorTextSize = 256;

// The exports' types, for a host that finds them with GetProcAddress.
using InstallAddinFunction = DWORD*(WINAPI*)(HWND hostWindow);
using AddinProcFunction = LRESULT(WINAPI*)(HWND window, UINT message, WPARAM first, LPARAM second);

extern "C" {
DWORD* WINAPI InstallAddin(HWND hostWindow);
LRESULT WINAPI AddinProc(HWND window, UINT message, WPARAM first, LPARAM second);
}
