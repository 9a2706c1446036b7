// What the other parts of the SDL backend need from its Direct3D device. Internal to platform/sdl.
#pragma once

#include <cstdint>

namespace sdl {

// Tells the device whose scene the calling thread has begun that the clock was read at this
// moment (microseconds of the monotonic clock). A program that reads the clock after drawing
// is timing or waiting: the device hands what it has queued to the renderer then, so that a
// software renderer rasterises it meanwhile instead of at the present.
void OnClockRead(uint64_t microseconds);

}  // namespace sdl
