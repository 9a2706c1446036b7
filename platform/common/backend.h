// What each backend supplies to the shared part of the platform layer. Internal to platform/.
#pragma once

#include <cstdint>
#include <string>

#include "platform/win32.h"

namespace backend {

// A record of one platform call, for the backends that keep a log.
void Trace(const std::string& call);
// Whether Trace keeps anything: callers on a per-frame path build their record only then.
bool Tracing();
// True when the backend has been told to make this call fail.
bool ShouldFail(const char* call);

// The native window behind an HWND: made, placed, titled, shown, taken away.
bool CreateNativeWindow(HWND window);
void DestroyNativeWindow(HWND window);
void UpdateNativeTitle(HWND window);
void UpdateNativePlacement(HWND window);
void UpdateNativeVisibility(HWND window);

// Turns the native events that are waiting into window messages, without blocking.
void PumpEvents();
// Blocks until a native event is waiting; false when none can ever come.
bool WaitForEvent();

// Microseconds on a clock that never goes back.
uint64_t MonotonicMicroseconds();

int ShowMessageBox(HWND window, const char* text, const char* caption, UINT type);
bool CursorPosition(POINT* point);

}  // namespace backend
