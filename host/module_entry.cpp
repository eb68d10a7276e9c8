#include "host/addin_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
    Addin.instance = instance;
    return TRUE;
}
