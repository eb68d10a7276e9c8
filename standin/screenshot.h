// Saves what a window shows on screen as a 24-bit bitmap file.
#pragma once

#include <windows.h>

bool SaveWindowBitmap(HWND window, const char* path);
