// What the other parts of the SDL backend need from its window system. Internal to platform/sdl.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>

#include "platform/win32.h"

namespace sdl {

// The SDL window behind a window handle, or null.
SDL_Window* NativeWindow(HWND window);

// Microseconds on the clock behind GetTickCount, read without telling the Direct3D device.
uint64_t ClockMicroseconds();

// Called with every SDL event the message pump takes, before it becomes a window message.
void AddEventListener(std::function<void(const SDL_Event&)> listener);

}  // namespace sdl
