#include "tests/windows/dialog_driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string Caption(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

bool IsDialogWindow(HWND window) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

// What DriveModal and its driver thread share. The driver reads it, so DriveModal returns
// only once the driver has ended.
struct DriverContext {
    const std::function<void(HWND)>* script;
    const char* caption;
    DWORD uiThread;
    HANDLE shown;    // set by the hook once the window is shown
    HANDLE returned; // set once open() has returned
    HWND window;     // written by the hook before shown is set
};

// The DriveModal under way on this thread; the hook runs on the same thread.
DriverContext* driving = nullptr;

bool Shows(const CWPRETSTRUCT& message) {
    return message.message == WM_WINDOWPOSCHANGED &&
           (reinterpret_cast<const WINDOWPOS*>(message.lParam)->flags & SWP_SHOWWINDOW) != 0;
}

// Watches for the window being shown rather than activated: a dialog is activated as it takes
// the focus, before it shows, even when it ends at opening.
LRESULT CALLBACK WatchModalWindow(int code, WPARAM first, LPARAM second) {
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(second);
    if (code == HC_ACTION && driving != nullptr && driving->window == nullptr && Shows(*message) &&
        GetParent(message->hwnd) == nullptr && Caption(message->hwnd) == driving->caption) {
        driving->window = message->hwnd;
        SetEvent(driving->shown);
    }
    return CallNextHookEx(nullptr, code, first, second);
}

DWORD WINAPI DriverThread(LPVOID parameter) {
    auto* context = static_cast<DriverContext*>(parameter);
    HANDLE events[] = {context->shown, context->returned};
    switch (WaitForMultipleObjects(2, events, FALSE, Scaled(20000))) {
    case WAIT_OBJECT_0:
        // Answered once the window's own loop runs, when its opening is complete.
        SendMessageA(context->window, WM_NULL, 0, 0);
        (*context->script)(context->window);
        if (IsWindow(context->window))
            PostMessageA(context->window, WM_CLOSE, 0, 0);
        break;
    case WAIT_TIMEOUT:
        // A window the hook missed would keep open() from returning: close it, so the test
        // ends with its failure rather than at the watchdog.
        if (HWND missed = FindThreadWindow(context->uiThread, context->caption))
            PostMessageA(missed, WM_CLOSE, 0, 0);
        break;
    default: // open() returned without the window
        break;
    }
    return 0;
}

struct FindContext {
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM parameter) {
    auto* context = reinterpret_cast<FindContext*>(parameter);
    if (IsWindowVisible(window) && Caption(window) == context->caption) {
        context->found = window;
        return FALSE;
    }
    return TRUE;
}

// The watch under way and the lock that keeps its hook, on the owner's thread, from using it
// while the driver thread ends it.
struct WatchLock {
    CRITICAL_SECTION section;
    WatchLock() { InitializeCriticalSection(&section); }
    void Enter() { EnterCriticalSection(&section); }
    void Leave() { LeaveCriticalSection(&section); }
} watchLock;
OwnedDialogWatch* watching = nullptr;

LRESULT CALLBACK WatchOwnedDialogs(int code, WPARAM first, LPARAM second) {
    if (code == HCBT_ACTIVATE) {
        watchLock.Enter();
        if (watching != nullptr)
            watching->Activated(reinterpret_cast<HWND>(first));
        watchLock.Leave();
    }
    return CallNextHookEx(nullptr, code, first, second);
}

int shownCount = 0;
HHOOK shownHook = nullptr;

LRESULT CALLBACK WatchShow(int code, WPARAM first, LPARAM second) {
    if (code == HC_ACTION) {
        const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(second);
        if (Shows(*message) && IsDialogWindow(message->hwnd))
            ++shownCount;
    }
    return CallNextHookEx(shownHook, code, first, second);
}

} // namespace

INT_PTR DriveModal(const std::function<INT_PTR()>& open, const char* caption,
                   const std::function<void(HWND)>& script) {
    DriverContext context{&script,
                          caption,
                          GetCurrentThreadId(),
                          CreateEventA(nullptr, TRUE, FALSE, nullptr),
                          CreateEventA(nullptr, TRUE, FALSE, nullptr),
                          nullptr};
    DriverContext* outer = driving;
    driving = &context;
    HHOOK hook =
        SetWindowsHookExA(WH_CALLWNDPROCRET, WatchModalWindow, nullptr, GetCurrentThreadId());
    HANDLE driver = CreateThread(nullptr, 0, DriverThread, &context, 0, nullptr);
    const INT_PTR result = open();
    UnhookWindowsHookEx(hook);
    driving = outer;
    SetEvent(context.returned);
    // The driver may still be finishing its last checks, which can send to this thread's
    // windows: keep them served until it has ended.
    while (MsgWaitForMultipleObjects(1, &driver, FALSE, INFINITE, QS_ALLINPUT) ==
           WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    CloseHandle(driver);
    CloseHandle(context.shown);
    CloseHandle(context.returned);
    if (context.window == nullptr)
        ADD_FAILURE() << "window \"" << caption << "\" never showed";
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

OwnedDialogWatch::OwnedDialogWatch(HWND owner, int answer)
    : owner_(owner), answer_(answer), seen_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    watchLock.Enter();
    EXPECT_EQ(watching, nullptr) << "a dialog watch is already under way";
    watching = this;
    watchLock.Leave();
    hook_ = SetWindowsHookExA(WH_CBT, WatchOwnedDialogs, nullptr,
                              GetWindowThreadProcessId(owner, nullptr));
    EXPECT_NE(hook_, nullptr);
}

OwnedDialogWatch::~OwnedDialogWatch() {
    UnhookWindowsHookEx(hook_);
    watchLock.Enter();
    watching = nullptr;
    watchLock.Leave();
    CloseHandle(seen_);
}

HWND OwnedDialogWatch::Wait(DWORD milliseconds) {
    if (WaitForSingleObject(seen_, Scaled(milliseconds)) != WAIT_OBJECT_0)
        return nullptr;
    // Activation comes as the dialog takes the focus; it is shown and running its loop once it
    // answers.
    SendMessageA(first_, WM_NULL, 0, 0);
    return first_;
}

std::vector<AnsweredBox> OwnedDialogWatch::answered() const {
    watchLock.Enter();
    std::vector<AnsweredBox> boxes = answered_;
    watchLock.Leave();
    return boxes;
}

void OwnedDialogWatch::Activated(HWND window) {
    if (GetWindow(window, GW_OWNER) != owner_ || !IsDialogWindow(window))
        return;
    if (first_ == nullptr) {
        first_ = window;
        SetEvent(seen_);
    }
    // A box activated again before its answer arrived is answered once.
    if (answer_ == 0 || window == lastAnswered_)
        return;
    lastAnswered_ = window;
    char text[512] = {};
    GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
    answered_.push_back({text, Caption(window)});
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(answer_, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, answer_)));
}

void SendDialogKey(HWND dialog, UINT key) {
    int id = IDCANCEL;
    if (key == VK_RETURN) {
        const DWORD defaultId = static_cast<DWORD>(SendMessageA(dialog, DM_GETDEFID, 0, 0));
        id = HIWORD(defaultId) == DC_HASDEFID ? LOWORD(defaultId) : IDOK;
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
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
