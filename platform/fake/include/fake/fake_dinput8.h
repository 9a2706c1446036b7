// The input side of the test world: the keys, the mouse and the game controllers that the
// fake DirectInput reads, and the window focus that its foreground acquisitions follow.
// fake::Reset puts all of it back: no key or button down, no controller, the focus held.
// Failing calls: fake::FailCall("IDirectInputDevice8A::Acquire") fails with DIERR_GENERIC,
// FailWith gives the status.
#pragma once

#include <cstdint>
#include <string>

#include "platform/dinput8.h"

namespace fake {

// Makes a DirectInput call fail with the given status: the next `times` calls, or every one.
void FailWith(const std::string& call, HRESULT status, int times = -1);

// The keyboard's byte of one scan code, as the device reports it.
void SetKey(int scanCode, uint8_t value);

// Mouse motion piles up until the device reads it; the buttons' bytes are reported as set.
void MoveMouse(int32_t dx, int32_t dy, int32_t dz = 0);
void SetMouseButton(int button, uint8_t value);
// Whether the mouse is captured by an exclusive acquisition.
bool MouseCaptured();

// Attaches a controller and returns its index; controllers enumerate in the order attached.
int AttachController(const std::string& name);
// Unplugs it: it no longer enumerates, and its devices lose their input.
void DetachController(int controller);
// Makes opening the controller fail, so that the enumeration moves on to the next one.
void RefuseController(int controller);
// A raw axis value from -32768 to 32767: 0 lX, 1 lY, 2 lZ, 3 lRx, 4 lRy, 5 lRz, 6 and 7 sliders.
void SetControllerAxis(int controller, int axis, int32_t value);
// The byte the device reports for the button.
void SetControllerButton(int controller, int button, uint8_t value);
// A point-of-view hat in hundredths of a degree, -1 centred.
void SetControllerPov(int controller, int pov, int32_t value);

// Every window has the input focus, or none has; each loss ends foreground acquisitions.
void SetInputFocus(bool focused);

}  // namespace fake
