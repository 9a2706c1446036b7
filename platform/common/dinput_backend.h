// What each backend supplies to the shared DirectInput layer: the raw state of the system
// keyboard, the system mouse and the attached game controllers, and the window focus that
// foreground acquisition follows. Internal to platform/.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dinput8.h"

namespace dinput {

enum class Kind { Keyboard, Mouse, Controller };

// A controller's raw reading: axes from -32768 to 32767 (lX, lY, lZ, lRx, lRy, lRz, then the
// two sliders), point-of-view hats in hundredths of a degree or -1 when centred, and the
// buttons' bytes as the device reports them (0x80 when down).
struct ControllerReading {
    static constexpr int kAxes = 8;
    static constexpr int kPovs = 4;
    static constexpr int kButtons = 128;
    int32_t aiAxes[kAxes] = {};
    int32_t aiPovs[kPovs] = {-1, -1, -1, -1};
    uint8_t aucButtons[kButtons] = {};
};

struct ControllerInfo {
    uint32_t id;
    std::string name;
};

// One opened device's raw input.
class Source {
public:
    virtual ~Source() = default;
    // Keyboard: 256 bytes by scan code, 0x80 when down.
    virtual void ReadKeys(uint8_t* keys) { (void)keys; }
    // Mouse: motion since the previous read (wheel in 120ths of a notch), buttons 0x80 when down.
    virtual void ReadMouse(DIMOUSESTATE& state) { state = {}; }
    // Mouse: exclusive capture on or off.
    virtual void Capture(bool captured) { (void)captured; }
    // Controller: brings the reading up to date; false when the controller has gone.
    virtual bool UpdateController() { return true; }
    virtual void ReadController(ControllerReading& reading) { reading = {}; }
};

}  // namespace dinput

namespace dinput_backend {

// The status a call is to fail with now, or S_OK when it is to run.
HRESULT InjectedFailure(const char* call);
// The attached game controllers, in the system's order.
std::vector<dinput::ControllerInfo> Controllers();
// Opens a device; the controller id is that of Controllers(). Null when it cannot be opened.
std::unique_ptr<dinput::Source> Open(dinput::Kind kind, uint32_t controller);
// Whether the window has the input focus, and how many times it lost it so far.
bool HasFocus(HWND window);
uint64_t FocusLosses(HWND window);

}  // namespace dinput_backend
