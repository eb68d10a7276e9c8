#include "host/addin_state.h"

#include <objbase.h>

#include "host/text_copy.h"

AddinState Addin;

namespace {

// The shell may have no icon for an extension; a stock icon keeps the image indices
// (0 for headings, 1 for entries) where the trees expect them.
void AppendShellIcon(const char* extension) {
    HICON icon = nullptr;
    ZeroMemory(&Addin.fileInfo, sizeof Addin.fileInfo);
    if (SHGetFileInfoA(extension, 0, &Addin.fileInfo, sizeof Addin.fileInfo,
                       SHGFI_ICON | SHGFI_SMALLICON | SHGFI_USEFILEATTRIBUTES) != 0)
        icon = Addin.fileInfo.hIcon;
    if (icon != nullptr) {
        ImageList_ReplaceIcon(Addin.smallIconList, -1, icon);
        DestroyIcon(icon);
    } else {
        ImageList_ReplaceIcon(Addin.smallIconList, -1, LoadIconA(nullptr, IDI_APPLICATION));
    }
}

} // namespace

// What is held stays for the life of the process; a second InstallAddin (a host that lets the
// add-in go and takes it back) reuses it rather than acquiring it twice.
void InitAddinState() {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED | COINIT_DISABLE_OLE1DDE);
    Addin.heap = GetProcessHeap();
    if (Addin.richEditLibrary == nullptr)
        Addin.richEditLibrary = LoadLibraryA("RichEd32");
    if (Addin.smallIconList == nullptr) {
        Addin.smallIconList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 0);
        AppendShellIcon(".exe");
        AppendShellIcon(".txt");
    }
}

bool ExactAnsiText(const wchar_t* wide, char* text, size_t size) {
    ZeroMemory(text, size);
    const UINT codePage = GetACP();
    // UTF-8 spells everything, and takes neither flag nor default-character report.
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(
        codePage, codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, -1, text,
        static_cast<int>(size), nullptr, codePage == CP_UTF8 ? nullptr : &usedDefault);
    if (written == 0 || usedDefault) {
        ZeroMemory(text, size);
        return false;
    }
    return true;
}

HANDLE ScratchHeap() {
    return Addin.heap != nullptr ? Addin.heap : GetProcessHeap();
}

void FindAddinDirectory() {
    ZeroMemory(Addin.addinDirectory, sizeof Addin.addinDirectory);
    // Wide first: the 8-bit call would cut a long name and best-fit one it cannot spell, and
    // either would point at another folder.
    wchar_t wide[4 * PathBufferSize] = {};
    const DWORD length = GetModuleFileNameW(Addin.instance, wide, ARRAYSIZE(wide));
    if (length == 0 || length >= ARRAYSIZE(wide) ||
        !ExactAnsiText(wide, Addin.addinDirectory, PathBufferSize))
        return;
    KeepFolder(Addin.addinDirectory, sizeof Addin.addinDirectory);
}
