// Drives a modal window from a second thread while the test's own thread runs its modal
// loop, as the host's thread would. Message boxes are found and answered by the script.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Runs open() on this thread; once a top-level window of this thread with the given caption
// is visible, runs script(window) on a driver thread, then closes the window if the script
// left it open. Returns open()'s result.
INT_PTR DriveModal(const std::function<INT_PTR()>& open, const char* caption,
                   const std::function<void(HWND)>& script);

// A wait in milliseconds, stretched by KIVO_TIME_SCALE where the platform runs emulated.
DWORD Scaled(DWORD milliseconds);

// Polls until condition() holds or the time runs out; returns the last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD milliseconds = 5000);

// A visible top-level window of the given thread with this caption, or null.
HWND FindThreadWindow(DWORD thread, const char* caption);

// A message box (or any dialog) owned by owner, once it shows; null after the wait.
HWND WaitForOwnedDialog(HWND owner, DWORD milliseconds = 5000);
// The text of a message box, from its static control 0xFFFF.
std::string MessageBoxText(HWND box);
// Answers a box as a click on one of its buttons would, and waits until it has gone.
void AnswerDialog(HWND box, int command);

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
