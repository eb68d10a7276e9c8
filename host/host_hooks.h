// The two exports the host calls.
#pragma once

#include <windows.h>

constexpr UINT HostGetHandles = 1074;
constexpr UINT HostGetProcs = 1075;
constexpr UINT HostGetData = 1076;
constexpr UINT HostGetMenuId = 1077;

constexpr DWORD HookRecordMessages = 0x00200016; // asks for 1125, 1126, 1128 and 1145

extern "C" {
DWORD* WINAPI InstallAddin(HWND hostWindow);
LRESULT WINAPI AddinProc(HWND window, UINT message, WPARAM first, LPARAM second);
}
