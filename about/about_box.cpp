#include "about/about_box.h"

#include <commctrl.h>

#include "catalogue/tool_table.h"
#include "host/addin_state.h"
#include "host/text_copy.h"
#include "resources/resource_ids.h"

namespace {

constexpr int ToolsListSize = 128;

void OnInitDialog(HWND window) {
    LOGFONTA font{};
    font.lfHeight = -12;
    font.lfWeight = FW_BOLD;
    CopyText(font.lfFaceName, "Verdana");
    Addin.aboutFont = CreateFontIndirectA(&font);
    SendDlgItemMessageA(window, IDC_ABOUT_TITLE, WM_SETFONT,
                        reinterpret_cast<WPARAM>(Addin.aboutFont), FALSE);

    char tools[ToolsListSize];
    BuildToolsList(tools, sizeof tools);
    SetDlgItemTextA(window, IDC_ABOUT_TOOLS, tools);

    const UINT items = TreeView_GetCount(Addin.errorTree);
    const unsigned long errors = items > ToolCount ? items - ToolCount : 0;
    char total[16];
    wsprintfA(total, "%lu", errors);
    SetDlgItemTextA(window, IDC_ABOUT_TOTAL, total);
}

// Escape closes the box; Enter does nothing.
void OnCommand(HWND window, int id, HWND /*control*/, UINT code) {
    if (code == 0 && id == IDCANCEL)
        SendMessageA(window, WM_CLOSE, 0, 0);
}

void OnClose(HWND window) {
    DeleteObject(Addin.aboutFont);
    Addin.aboutFont = nullptr;
    EndDialog(window, 0);
}

} // namespace

void BuildToolsList(char* text, size_t size) {
    ZeroMemory(text, size);
    for (int toolIndex = 1; toolIndex <= ToolCount; ++toolIndex) {
        if (toolIndex > 1)
            AppendText(text, size, "\r\n");
        AppendText(text, size, FindTool(toolIndex)->lookupHeading);
    }
}

INT_PTR CALLBACK AboutDialogProc(HWND window, UINT message, WPARAM first, LPARAM second) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(window);
        return TRUE;
    case WM_COMMAND:
        OnCommand(window, LOWORD(first), reinterpret_cast<HWND>(second), HIWORD(first));
        return TRUE;
    case WM_CLOSE:
        OnClose(window);
        return TRUE;
    default:
        return FALSE;
    }
}
