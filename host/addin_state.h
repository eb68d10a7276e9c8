// The one module-wide state record. It lives from module load to process end; window handles
// in it are stale once their window has closed and are overwritten at the next opening.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "catalogue/error_label.h"
#include "catalogue/tool_table.h"

constexpr int PathBufferSize = 261; // MAX_PATH characters and the terminator
constexpr int UserNameSize = 257;

struct AddinState {
    // Host records (their fields are read at fixed offsets).
    const BYTE* hostHandles;
    const BYTE* hostProcs;
    const BYTE* hostData;
    DWORD menuId; // 0 before InstallAddin and after HookClose

    HINSTANCE instance;
    HANDLE heap;
    HIMAGELIST smallIconList; // image 0: tool headings, image 1: error and note entries

    // Lookup window controls.
    HWND codeEdit;
    HWND typeField;
    HWND errorField;
    HWND descriptionField;
    HWND noteField;
    HWND errorTree;
    HWND saveNoteButton;
    HWND deleteNoteButton;

    // Note browser controls and its remembered entry.
    HWND browserTree;
    HWND browserEditor;
    HWND browserSaveButton;
    HWND browserDeleteButton;
    HTREEITEM browserEntry;

    HWND lookupWindow; // the open lookup window, or null: there is never a second one

    HFONT aboutFont;

    HTREEITEM lookupHeadings[ToolCount]; // by ToolIndex - 1
    HTREEITEM browserHeadings[BrowserHeadingCount];

    SHFILEINFOA fileInfo; // scratch while SmallIconList is built

    int loadingTool; // ToolIndex whose catalogue is being read

    HMODULE richEditLibrary;
    WNDPROC codeEditPreviousProc;

    char notesDirectory[PathBufferSize];
    char addinDirectory[PathBufferSize];

    char currentCode[ErrorLabelSize];
    char browserCode[ErrorLabelSize];

    int onTopFlag;
    int lookupEndedAtOpening; // a preset was not found: the window must never show

    DWORD hookRecord[4];
};

extern AddinState Addin;

// Install-time set-up: COM, heap, the rich-edit library and SmallIconList.
void InitAddinState();

// Fills AddinDirectory with the add-in module's directory, ending in a backslash; empty when
// that path does not fit or the 8-bit code page cannot spell it exactly.
void FindAddinDirectory();

// Converts wide text to the 8-bit code page only when every character converts exactly (no
// best fit: an "O" for an Omega would name another folder) and it fits size; false otherwise,
// leaving an empty text.
bool ExactAnsiText(const wchar_t* wide, char* text, size_t size);

// The heap for scratch texts: the process heap, also before InstallAddin has recorded it.
HANDLE ScratchHeap();
