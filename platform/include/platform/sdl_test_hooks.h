// Test hooks of the SDL backend, for the real-window tests only: a virtual joystick that a
// test plugs in and drives, which DirectInput then enumerates like any attached controller.
#pragma once

#include <cstdint>

namespace sdl_test_hooks {

// Plugs in a virtual joystick with the given numbers of axes, buttons and hats.
bool AttachVirtualJoystick(int axes, int buttons, int hats);
// Raw values: axes from -32768 to 32767.
bool SetVirtualJoystickAxis(int axis, int16_t value);
bool SetVirtualJoystickButton(int button, bool down);
void DetachVirtualJoystick();

}  // namespace sdl_test_hooks
