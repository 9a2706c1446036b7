#include "fake/fake_dinput8.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "dinput_backend.h"
#include "fake/fake_win32.h"

namespace {

struct Controller {
    uint32_t id;
    std::string name;
    bool attached = true;
    bool refused = false;
    dinput::ControllerReading reading;
};

struct InputWorld {
    std::map<std::string, HRESULT> failureStatuses;
    uint8_t keys[256] = {};
    DIMOUSESTATE mouse = {};
    bool mouseCaptured = false;
    std::vector<Controller> controllers;
    bool focused = true;
    uint64_t focusLosses = 0;
};

InputWorld& TheInput()
{
    static InputWorld world;
    return world;
}

void ResetInput()
{
    TheInput() = InputWorld();
}

const bool g_registered = (fake::OnReset(ResetInput), true);

Controller* FindController(uint32_t id)
{
    for (auto& controller : TheInput().controllers) {
        if (controller.id == id) {
            return &controller;
        }
    }
    return nullptr;
}

Controller* ControllerAt(int index)
{
    auto& controllers = TheInput().controllers;
    return index >= 0 && index < static_cast<int>(controllers.size()) ? &controllers[index]
                                                                       : nullptr;
}

class KeyboardSource : public dinput::Source {
public:
    void ReadKeys(uint8_t* keys) override
    {
        std::copy(std::begin(TheInput().keys), std::end(TheInput().keys), keys);
    }
};

class MouseSource : public dinput::Source {
public:
    void ReadMouse(DIMOUSESTATE& state) override
    {
        DIMOUSESTATE& mouse = TheInput().mouse;
        state = mouse;
        mouse.lX = 0;
        mouse.lY = 0;
        mouse.lZ = 0;
    }
    void Capture(bool captured) override { TheInput().mouseCaptured = captured; }
};

class ControllerSource : public dinput::Source {
public:
    explicit ControllerSource(uint32_t id) : m_id(id) {}
    bool UpdateController() override
    {
        Controller* controller = FindController(m_id);
        return controller && controller->attached;
    }
    void ReadController(dinput::ControllerReading& reading) override
    {
        Controller* controller = FindController(m_id);
        reading = controller ? controller->reading : dinput::ControllerReading();
    }

private:
    uint32_t m_id;
};

}  // namespace

namespace fake {

void FailWith(const std::string& call, HRESULT status, int times)
{
    TheInput().failureStatuses[call] = status;
    FailCall(call, times);
}

void SetKey(int scanCode, uint8_t value)
{
    TheInput().keys[scanCode & 0xFF] = value;
}

void MoveMouse(int32_t dx, int32_t dy, int32_t dz)
{
    DIMOUSESTATE& mouse = TheInput().mouse;
    mouse.lX += dx;
    mouse.lY += dy;
    mouse.lZ += dz;
}

void SetMouseButton(int button, uint8_t value)
{
    TheInput().mouse.rgbButtons[button & 3] = value;
}

bool MouseCaptured()
{
    return TheInput().mouseCaptured;
}

int AttachController(const std::string& name)
{
    auto& controllers = TheInput().controllers;
    Controller controller;
    controller.id = static_cast<uint32_t>(controllers.size()) + 1;
    controller.name = name;
    controllers.push_back(controller);
    return static_cast<int>(controllers.size()) - 1;
}

void DetachController(int controller)
{
    if (Controller* found = ControllerAt(controller)) {
        found->attached = false;
    }
}

void RefuseController(int controller)
{
    if (Controller* found = ControllerAt(controller)) {
        found->refused = true;
    }
}

void SetControllerAxis(int controller, int axis, int32_t value)
{
    Controller* found = ControllerAt(controller);
    if (found && axis >= 0 && axis < dinput::ControllerReading::kAxes) {
        found->reading.aiAxes[axis] = value;
    }
}

void SetControllerButton(int controller, int button, uint8_t value)
{
    Controller* found = ControllerAt(controller);
    if (found && button >= 0 && button < dinput::ControllerReading::kButtons) {
        found->reading.aucButtons[button] = value;
    }
}

void SetControllerPov(int controller, int pov, int32_t value)
{
    Controller* found = ControllerAt(controller);
    if (found && pov >= 0 && pov < dinput::ControllerReading::kPovs) {
        found->reading.aiPovs[pov] = value;
    }
}

void SetInputFocus(bool focused)
{
    InputWorld& world = TheInput();
    if (world.focused && !focused) {
        ++world.focusLosses;
    }
    world.focused = focused;
}

}  // namespace fake

namespace dinput_backend {

HRESULT InjectedFailure(const char* call)
{
    (void)g_registered;
    if (!fake::ShouldFail(call)) {
        return S_OK;
    }
    auto found = TheInput().failureStatuses.find(call);
    return found == TheInput().failureStatuses.end() ? DIERR_GENERIC : found->second;
}

std::vector<dinput::ControllerInfo> Controllers()
{
    std::vector<dinput::ControllerInfo> attached;
    for (const auto& controller : TheInput().controllers) {
        if (controller.attached) {
            attached.push_back({controller.id, controller.name});
        }
    }
    return attached;
}

std::unique_ptr<dinput::Source> Open(dinput::Kind kind, uint32_t controller)
{
    switch (kind) {
    case dinput::Kind::Keyboard: return std::make_unique<KeyboardSource>();
    case dinput::Kind::Mouse: return std::make_unique<MouseSource>();
    case dinput::Kind::Controller: break;
    }
    Controller* found = FindController(controller);
    if (!found || !found->attached || found->refused) {
        return nullptr;
    }
    return std::make_unique<ControllerSource>(controller);
}

bool HasFocus(HWND)
{
    return TheInput().focused;
}

uint64_t FocusLosses(HWND)
{
    return TheInput().focusLosses;
}

}  // namespace dinput_backend
