#include "tests/windows/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

struct DriverContext {
    const std::function<void(HWND)>* script;
    const char* caption;
    DWORD uiThread;
};

DWORD WINAPI DriverThread(LPVOID parameter) {
    auto* context = static_cast<DriverContext*>(parameter);
    HWND window = nullptr;
    if (!WaitFor(
            [&] {
                return (window = FindThreadWindow(context->uiThread, context->caption)) != nullptr;
            },
            Scaled(20000))) {
        ADD_FAILURE() << "window \"" << context->caption << "\" never showed";
        return 0;
    }
    (*context->script)(window);
    if (IsWindow(window))
        PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
}

struct FindContext {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter) {
    auto* context = reinterpret_cast<FindContext*>(parameter);
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    if (IsWindowVisible(window) && lstrcmpA(text, context->caption) == 0) {
        context->found = window;
        return FALSE;
    }
    return TRUE;
}

bool IsDialogWindow(HWND window) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

struct OwnedContext {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchOwned(HWND window, LPARAM parameter) {
    auto* context = reinterpret_cast<OwnedContext*>(parameter);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == context->owner &&
        IsDialogWindow(window)) {
        context->found = window;
        return FALSE;
    }
    return TRUE;
}

int shownCount = 0;
HHOOK shownHook = nullptr;

LRESULT CALLBACK WatchShow(int code, WPARAM first, LPARAM second) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(second);
        if (message->message == WM_WINDOWPOSCHANGED && IsDialogWindow(message->hwnd) &&
            (reinterpret_cast<const WINDOWPOS*>(message->lParam)->flags & SWP_SHOWWINDOW) != 0)
            ++shownCount;
    }
    return CallNextHookEx(shownHook, code, first, second);
}

} // namespace

INT_PTR DriveModal(const std::function<INT_PTR()>& open, const char* caption,
                   const std::function<void(HWND)>& script) {
    DriverContext context{&script, caption, GetCurrentThreadId()};
    HANDLE driver = CreateThread(nullptr, 0, DriverThread, &context, 0, nullptr);
    const INT_PTR result = open();
    // The driver may still be finishing its last checks after the window has closed.
    while (MsgWaitForMultipleObjects(1, &driver, FALSE, Scaled(20000), QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    CloseHandle(driver);
    return result;
}

DWORD Scaled(DWORD milliseconds) {
    static const DWORD scale = [] {
        const char* text = std::getenv("KIVO_TIME_SCALE");
        const unsigned long value = text != nullptr ? std::strtoul(text, nullptr, 10) : 1;
        return value > 0 ? static_cast<DWORD>(value) : DWORD(1);
    }();
    return milliseconds * scale;
}

bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds) {
    milliseconds = Scaled(milliseconds);
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds)
            return condition();
        Sleep(10);
    }
}

HWND FindThreadWindow(DWORD thread, const char* caption) {
    FindContext context{caption, nullptr};
    EnumThreadWindows(thread, MatchCaption, reinterpret_cast<LPARAM>(&context));
    return context.found;
}

HWND WaitForOwnedDialog(HWND owner, DWORD milliseconds) {
    OwnedContext context{owner, nullptr};
    const DWORD thread = GetWindowThreadProcessId(owner, nullptr);
    WaitFor(
        [&] {
            EnumThreadWindows(thread, MatchOwned, reinterpret_cast<LPARAM>(&context));
            return context.found != nullptr;
        },
        milliseconds);
    return context.found;
}

std::string MessageBoxText(HWND box) {
    char text[512] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

void AnswerDialog(HWND box, int command) {
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(command), 0);
    WaitFor([&] { return !IsWindow(box); });
}

void TypeCharacters(HWND control, const char* text) {
    for (const char* c = text; *c != '\0'; ++c)
        SendMessageA(control, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

void PressKey(HWND control, UINT key) {
    // Through the dialog manager's loop, as keyboard input arrives.
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
}

void Click(HWND button) {
    SendMessageA(button, BM_CLICK, 0, 0);
}

void PasteText(HWND control, const char* text) {
    const size_t size = lstrlenA(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    CopyMemory(GlobalLock(memory), text, size);
    GlobalUnlock(memory);
    WaitFor([] { return OpenClipboard(nullptr) != FALSE; });
    EmptyClipboard();
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(control, WM_PASTE, 0, 0);
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

ShownWindowCounter::ShownWindowCounter() {
    shownCount = 0;
    shownHook = SetWindowsHookExA(WH_CALLWNDPROCRET, WatchShow, nullptr, GetCurrentThreadId());
}

ShownWindowCounter::~ShownWindowCounter() {
    UnhookWindowsHookEx(shownHook);
}

int ShownWindowCounter::count() const {
    return shownCount;
}
