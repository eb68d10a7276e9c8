// Drives a modal window from a second thread while the test's own thread runs its modal
// loop, as the host's thread would. Dialogs that a window raises are seen, and message boxes
// answered, by a CBT hook on the window's thread as the platform activates them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Runs open() on this thread; once a top-level window of this thread with the given caption
// is shown, runs script(window) on a driver thread, then closes the window if the script
// left it open. Returns open()'s result once the driver thread has ended; a window that never
// showed is a test failure.
INT_PTR DriveModal(const std::function<INT_PTR()>& open, const char* caption,
                   const std::function<void(HWND)>& script);

// A wait in milliseconds, stretched by KIVO_TIME_SCALE where the platform runs emulated.
DWORD Scaled(DWORD milliseconds);

// Polls until condition() holds or the time runs out; returns the last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 5000);

// A visible top-level window of the given thread with this caption, or null.
HWND FindThreadWindow(DWORD thread, const char* caption);

struct AnsweredBox {
    std::string text; // from the box's static control 0xFFFF
    std::string caption;
};

// Watches, while it lives, for the dialogs an owner window raises: a CBT hook on the owner's
// thread sees each one at HCBT_ACTIVATE, built and initialised. Given a command, the hook
// answers every box there and then, as a click on that button would; otherwise the first
// dialog is left for the caller to drive. One watch at a time.
class OwnedDialogWatch {
  public:
    explicit OwnedDialogWatch(HWND owner, int answer = 0);
    ~OwnedDialogWatch();
    OwnedDialogWatch(const OwnedDialogWatch&) = delete;
    OwnedDialogWatch& operator=(const OwnedDialogWatch&) = delete;

    // The first dialog seen, waiting for it from another thread; null if none showed in time.
    HWND Wait(DWORD milliseconds = 5000);
    // The boxes answered so far.
    std::vector<AnsweredBox> answered() const;

    void Activated(HWND window); // from the hook, on the owner's thread

  private:
    HWND owner_;
    int answer_;
    HANDLE seen_;
    HWND first_ = nullptr;
    HWND lastAnswered_ = nullptr;
    std::vector<AnsweredBox> answered_;
    HHOOK hook_;
};

// The command the dialog manager makes of Enter (the default button's, else IDOK) or Escape
// (IDCANCEL), sent to the dialog and handled before this returns.
void SendDialogKey(HWND dialog, UINT key);

// Input as the user would give it.
void TypeCharacters(HWND control, const char* text);
void PressKey(HWND control, UINT key);
void Click(HWND button);
void PasteText(HWND control, const char* text);
// Focused control of the given thread.
HWND FocusOf(HWND window);

// Counts dialog windows of the calling thread that get shown, while it lives.
class ShownWindowCounter {
  public:
    ShownWindowCounter();
    ~ShownWindowCounter();
    int count() const;
};
