// Test hooks of the SDL backend, for the real-window tests and benchmarks only: a virtual
// joystick that a test plugs in and drives, which DirectInput then enumerates like any attached
// controller, and the moments of the last presented frame.
#pragma once

#include <cstdint>

namespace sdl_test_hooks {

// Plugs in a virtual joystick with the given numbers of axes, buttons and hats.
bool AttachVirtualJoystick(int axes, int buttons, int hats);
// Raw values: axes from -32768 to 32767.
bool SetVirtualJoystickAxis(int axis, int16_t value);
bool SetVirtualJoystickButton(int button, bool down);
void DetachVirtualJoystick();

// Moments of one presented frame, in microseconds of the clock behind GetTickCount; 0 for a
// moment that did not happen in it.
struct PresentMoments {
    uint64_t sceneBegun;        // BeginScene
    uint64_t firstClockRead;    // the first read of the clock in the scene
    uint64_t drawingSubmitted;  // the last read that found drawing queued and handed it on
    uint64_t sceneEnded;        // EndScene
    uint64_t presentBlitted;    // Present's blit of the picture onto the window issued
    uint64_t presentSwapped;    // Present's swap returned
};
// The moments of the frame presented last; all 0 before the first present.
PresentMoments LastPresentMoments();

}  // namespace sdl_test_hooks
