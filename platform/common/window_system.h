// The window system's shared bookkeeping: classes, windows and the thread's message queue.
// Internal to platform/; the backends feed it native events and read window records.
#pragma once

#include <string>
#include <vector>

#include "platform/win32.h"

struct HWND__ {
    std::string className;
    std::string title;
    WNDPROC procedure = nullptr;
    LONG userData = 0;
    DWORD style = 0;
    RECT outer = {0, 0, 0, 0};
    bool visible = false;
    bool destroyed = false;
    bool needsPaint = false;
    void* native = nullptr;
};

namespace window_system {

// The live window whose native window this is, or null.
HWND FindByNative(const void* native);
// Every window that has not been destroyed, oldest first.
std::vector<HWND> LiveWindows();
// Queues WM_PAINT for the window unless one is already waiting.
void InvalidateWindow(HWND window);
// Records a move or resize that the native window made by itself.
void SetOuterRect(HWND window, const RECT& outer);
// Forgets every class, window and queued message.
void Reset();

}  // namespace window_system
