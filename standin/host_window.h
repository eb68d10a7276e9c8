// A stand-in for the RadASM 3 host, as far as the add-in asks of one: it answers the four host
// queries with its records, has a main menu with the add-ins popup, loads the add-in, calls its
// exports in the host's order and hands it editor requests.
#pragma once

#include <windows.h>

#include "host/host_hooks.h"

struct StandinHost {
    // Records the add-in reads: HostHandles + 4 owner window, + 20 main menu;
    // HostData + 24 the popup position less six.
    DWORD handles[16];
    DWORD procs[16];
    DWORD data[16];
    UINT reservedMenuId;

    HWND mainWindow;
    HMENU mainMenu;
    HMENU addinsMenu; // submenu of item 10043
    HWND statusBar;
    HWND editor;
    char editorText[256];
    char status[320]; // the status bar's text

    bool quitOnDestroy; // the program's main window ends the message loop

    HMODULE addin;
    InstallAddinFunction install;
    AddinProcFunction addinProc;
    DWORD hookMask; // word 1 of the add-in's hook record

    // Host queries in the order they arrived, for tests.
    UINT queries[8];
    int queryCount;
};

constexpr UINT StandinMenuId = 20001;

// Registers the window classes and makes the main window with its menu and status bar.
bool CreateStandinHost(StandinHost& host, HINSTANCE instance, bool visible);
// Finds the two exports of the loaded add-in module; false when either is missing.
bool FindAddinExports(StandinHost& host);
// Loads the add-in from path, calls InstallAddin and, if asked for, HookMenuBuild.
bool LoadAddin(StandinHost& host, const char* path);
// Sends a hook message if the add-in asked for it; returns its answer (0 when not asked for).
LRESULT SendHook(StandinHost& host, HWND window, UINT message, WPARAM first, LPARAM second);
// Chooses the add-in's menu item, as the user would.
LRESULT ChooseAddinItem(StandinHost& host);
// Puts text into the editor window, making it the first time.
void SetEditorText(StandinHost& host, const char* text);
// Puts code into an editor window and asks the add-in for help on it; a not-handled answer
// is shown in the status bar, where a host would fall back to its own help.
LRESULT RequestHelp(StandinHost& host, const char* code);
// HookClose, then the module is released.
void ReleaseAddin(StandinHost& host);
void DestroyStandinHost(StandinHost& host);
