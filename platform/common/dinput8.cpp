// DirectInput 8 on a backend's raw input: the factory, device enumeration, and the devices'
// data formats, cooperative levels, properties, acquisition and state reads.
#include "platform/dinput8.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "backend.h"
#include "dinput_backend.h"
#include "ref_counted.h"

const GUID IID_IDirectInput8A = {
    0xBF798030, 0x483A, 0x4DA2, {0xAA, 0x99, 0x5D, 0x64, 0xED, 0x36, 0x97, 0x00}};
const GUID GUID_SysMouse = {
    0x6F1D2B60, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
const GUID GUID_SysKeyboard = {
    0x6F1D2B61, 0xD5A0, 0x11CF, {0xBF, 0xC7, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

namespace {

constexpr DIDATAFORMAT Format(DWORD flags, DWORD dataSize)
{
    return {sizeof(DIDATAFORMAT), sizeof(DIOBJECTDATAFORMAT), flags, dataSize, 0, nullptr};
}

}  // namespace

const DIDATAFORMAT c_dfDIKeyboard = Format(DIDF_RELAXIS, 256);
const DIDATAFORMAT c_dfDIMouse = Format(DIDF_RELAXIS, sizeof(DIMOUSESTATE));
const DIDATAFORMAT c_dfDIJoystick2 = Format(DIDF_ABSAXIS, sizeof(DIJOYSTATE2));

namespace {

using dinput::Kind;

// Controller instances: the controller's id in Data1 under a mark of our own.
constexpr uint16_t kControllerMark = 0x4A53;
constexpr DWORD kMaxDeadZone = 10000;
constexpr DWORD kPovCentred = 0xFFFFFFFF;

GUID ControllerGuid(uint32_t id)
{
    return {id, kControllerMark, 0, {'b', 'r', 'a', 's', 'k', 'j', 'o', 'y'}};
}

bool IsControllerGuid(REFGUID guid)
{
    return IsEqualGUID(guid, ControllerGuid(guid.Data1));
}

std::string Hex(HRESULT status)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(status));
    return text;
}

std::string PropertyName(REFGUID property)
{
    if (IsEqualGUID(property, DIPROP_BUFFERSIZE)) {
        return "DIPROP_BUFFERSIZE";
    }
    if (IsEqualGUID(property, DIPROP_RANGE)) {
        return "DIPROP_RANGE";
    }
    if (IsEqualGUID(property, DIPROP_DEADZONE)) {
        return "DIPROP_DEADZONE";
    }
    return "property " + std::to_string(property.Data1);
}

const DIDATAFORMAT* FormatOf(Kind kind)
{
    switch (kind) {
    case Kind::Keyboard: return &c_dfDIKeyboard;
    case Kind::Mouse: return &c_dfDIMouse;
    case Kind::Controller: return &c_dfDIJoystick2;
    }
    return nullptr;
}

const char* KindName(Kind kind)
{
    switch (kind) {
    case Kind::Keyboard: return "keyboard";
    case Kind::Mouse: return "mouse";
    case Kind::Controller: return "controller";
    }
    return "";
}

// An axis's raw value in the device's range, with the dead zone about the centre.
int32_t ScaleAxis(int32_t raw, int32_t min, int32_t max, DWORD deadZone)
{
    double unit = std::clamp(raw / 32767.0, -1.0, 1.0);
    double zone = deadZone / static_cast<double>(kMaxDeadZone);
    double magnitude = std::fabs(unit);
    double scaled = magnitude <= zone || zone >= 1.0 ? 0.0 : (magnitude - zone) / (1.0 - zone);
    double centre = (static_cast<double>(min) + max) / 2.0;
    double half = (static_cast<double>(max) - min) / 2.0;
    return static_cast<int32_t>(std::lround(centre + std::copysign(scaled, unit) * half));
}

class Device final : public IDirectInputDevice8A {
public:
    Device(Kind kind, std::unique_ptr<dinput::Source> source)
        : m_kind(kind), m_source(std::move(source))
    {
    }

    ULONG AddRef() override { return ++m_references; }

    ULONG Release() override
    {
        ULONG left = --m_references;
        if (left == 0) {
            Drop();
            delete this;
        }
        return left;
    }

    HRESULT SetDataFormat(const DIDATAFORMAT* format) override
    {
        const char* name = format == &c_dfDIKeyboard    ? "c_dfDIKeyboard"
                           : format == &c_dfDIMouse     ? "c_dfDIMouse"
                           : format == &c_dfDIJoystick2 ? "c_dfDIJoystick2"
                                                        : "unknown";
        return Traced("SetDataFormat", name, [&] {
            if (m_acquired) {
                return DIERR_ACQUIRED;
            }
            if (format != FormatOf(m_kind)) {
                return DIERR_INVALIDPARAM;
            }
            m_format = format;
            return DI_OK;
        });
    }

    HRESULT SetCooperativeLevel(HWND window, DWORD flags) override
    {
        return Traced("SetCooperativeLevel", std::to_string(flags), [&] {
            bool exclusive = (flags & DISCL_EXCLUSIVE) != 0;
            bool foreground = (flags & DISCL_FOREGROUND) != 0;
            if (exclusive == ((flags & DISCL_NONEXCLUSIVE) != 0) ||
                foreground == ((flags & DISCL_BACKGROUND) != 0) || !window) {
                return DIERR_INVALIDPARAM;
            }
            if (exclusive && !foreground && m_kind != Kind::Controller) {
                return DIERR_UNSUPPORTED;
            }
            m_window = window;
            m_exclusive = exclusive;
            m_foreground = foreground;
            return DI_OK;
        });
    }

    HRESULT SetProperty(REFGUID property, const DIPROPHEADER* header) override
    {
        return Traced("SetProperty", DescribeProperty(property, header),
                      [&] { return StoreProperty(property, header); });
    }

    HRESULT Acquire() override
    {
        return Traced("Acquire", "", [&] {
            if (!m_format) {
                return DIERR_INVALIDPARAM;
            }
            if (m_acquired && !CheckLost()) {
                return DI_NOEFFECT;
            }
            if (m_foreground && !dinput_backend::HasFocus(m_window)) {
                // Reads report lost input until an acquisition succeeds, so that a device
                // set up before its window took the focus is acquired again by its reader.
                m_lost = true;
                return DIERR_OTHERAPPHASPRIO;
            }
            if (m_kind == Kind::Controller && !FindController()) {
                return DIERR_UNPLUGGED;
            }
            m_acquired = true;
            m_lost = false;
            m_focusLosses = dinput_backend::FocusLosses(m_window);
            if (m_kind == Kind::Mouse) {
                DIMOUSESTATE flushed;
                m_source->ReadMouse(flushed);
                m_source->Capture(m_exclusive);
            }
            return DI_OK;
        });
    }

    HRESULT Unacquire() override
    {
        return Traced("Unacquire", "", [&] {
            if (!m_acquired) {
                return DI_NOEFFECT;
            }
            Drop();
            return DI_OK;
        });
    }

    HRESULT GetDeviceState(DWORD size, LPVOID data) override
    {
        return Traced("GetDeviceState", std::to_string(size), [&] {
            if (!data || !m_format || size != m_format->dwDataSize) {
                return DIERR_INVALIDPARAM;
            }
            HRESULT status = Readiness();
            if (FAILED(status)) {
                return status;
            }
            ReadState(data);
            return DI_OK;
        });
    }

    HRESULT GetDeviceData(DWORD objectDataSize, DIDEVICEOBJECTDATA* data, DWORD* inOut,
                          DWORD flags) override
    {
        std::string arguments = std::to_string(objectDataSize) + ", " + (data ? "buffer" : "null") +
                                ", " + (inOut ? std::to_string(*inOut) : "null") + ", " +
                                std::to_string(flags);
        return Traced("GetDeviceData", arguments, [&] {
            if (objectDataSize != sizeof(DIDEVICEOBJECTDATA) || !inOut) {
                return DIERR_INVALIDPARAM;
            }
            if (m_bufferSize == 0) {
                return DIERR_NOTBUFFERED;
            }
            HRESULT status = Readiness();
            if (FAILED(status)) {
                return status;
            }
            // No events are kept: the buffer is always empty.
            *inOut = 0;
            return DI_OK;
        });
    }

    HRESULT Poll() override
    {
        return Traced("Poll", "", [&] {
            HRESULT status = Readiness();
            if (FAILED(status)) {
                return status;
            }
            return m_kind == Kind::Controller ? DI_OK : DI_NOEFFECT;
        });
    }

private:
    template <class Body>
    HRESULT Traced(const char* call, const std::string& arguments, Body body)
    {
        // A backend that keeps no log injects no failures either.
        if (!backend::Tracing()) {
            return body();
        }
        std::string name = std::string("IDirectInputDevice8A::") + call;
        HRESULT status = dinput_backend::InjectedFailure(name.c_str());
        if (status == S_OK) {
            status = body();
        }
        std::string separator = arguments.empty() ? "" : ", ";
        backend::Trace(name + "(" + KindName(m_kind) + separator + arguments +
                       ") = " + Hex(status));
        return status;
    }

    std::string DescribeProperty(REFGUID property, const DIPROPHEADER* header) const
    {
        std::string text = PropertyName(property);
        if (!header) {
            return text + ", null";
        }
        text += ", size " + std::to_string(header->dwSize) + ", header " +
                std::to_string(header->dwHeaderSize) + ", object " + std::to_string(header->dwObj) +
                ", how " + std::to_string(header->dwHow);
        if (header->dwSize == sizeof(DIPROPRANGE) && IsEqualGUID(property, DIPROP_RANGE)) {
            const auto* range = reinterpret_cast<const DIPROPRANGE*>(header);
            return text + ", " + std::to_string(range->lMin) + ".." + std::to_string(range->lMax);
        }
        if (header->dwSize == sizeof(DIPROPDWORD)) {
            return text + ", " +
                   std::to_string(reinterpret_cast<const DIPROPDWORD*>(header)->dwData);
        }
        return text;
    }

    HRESULT StoreProperty(REFGUID property, const DIPROPHEADER* header)
    {
        if (!header || header->dwHeaderSize != sizeof(DIPROPHEADER)) {
            return DIERR_INVALIDPARAM;
        }
        if (header->dwHow != DIPH_DEVICE || header->dwObj != 0) {
            return DIERR_UNSUPPORTED;
        }
        if (IsEqualGUID(property, DIPROP_BUFFERSIZE)) {
            if (header->dwSize != sizeof(DIPROPDWORD)) {
                return DIERR_INVALIDPARAM;
            }
            if (m_acquired) {
                return DIERR_ACQUIRED;
            }
            m_bufferSize = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
            return DI_OK;
        }
        if (m_kind != Kind::Controller) {
            return DIERR_UNSUPPORTED;
        }
        if (IsEqualGUID(property, DIPROP_RANGE)) {
            const auto* range = reinterpret_cast<const DIPROPRANGE*>(header);
            if (header->dwSize != sizeof(DIPROPRANGE) || range->lMin >= range->lMax) {
                return DIERR_INVALIDPARAM;
            }
            m_rangeMin = range->lMin;
            m_rangeMax = range->lMax;
            return DI_OK;
        }
        if (IsEqualGUID(property, DIPROP_DEADZONE)) {
            DWORD zone = reinterpret_cast<const DIPROPDWORD*>(header)->dwData;
            if (header->dwSize != sizeof(DIPROPDWORD) || zone > kMaxDeadZone) {
                return DIERR_INVALIDPARAM;
            }
            m_deadZone = zone;
            return DI_OK;
        }
        return DIERR_UNSUPPORTED;
    }

    // A foreground acquisition ends when its window loses the focus; an unplugged controller
    // ends every acquisition. True when the acquisition has just been lost.
    bool CheckLost()
    {
        if (!m_acquired) {
            return false;
        }
        bool focusGone = m_foreground && (!dinput_backend::HasFocus(m_window) ||
                                          dinput_backend::FocusLosses(m_window) != m_focusLosses);
        bool unplugged = m_kind == Kind::Controller && !m_source->UpdateController();
        if (!focusGone && !unplugged) {
            return false;
        }
        Drop();
        m_lost = true;
        return true;
    }

    // A controller plugged in again comes back under a new id: an unplugged device takes the
    // first attached controller that opens in its place.
    bool FindController()
    {
        if (m_source->UpdateController()) {
            return true;
        }
        for (const auto& controller : dinput_backend::Controllers()) {
            if (auto source = dinput_backend::Open(Kind::Controller, controller.id)) {
                m_source = std::move(source);
                return m_source->UpdateController();
            }
        }
        return false;
    }

    // Lost input stays reported until the device is acquired again.
    HRESULT Readiness()
    {
        CheckLost();
        if (m_lost) {
            return DIERR_INPUTLOST;
        }
        return m_acquired ? DI_OK : DIERR_NOTACQUIRED;
    }

    void Drop()
    {
        m_acquired = false;
        if (m_kind == Kind::Mouse) {
            m_source->Capture(false);
        }
    }

    void ReadState(LPVOID data)
    {
        switch (m_kind) {
        case Kind::Keyboard: m_source->ReadKeys(static_cast<uint8_t*>(data)); break;
        case Kind::Mouse: m_source->ReadMouse(*static_cast<DIMOUSESTATE*>(data)); break;
        case Kind::Controller: ReadController(*static_cast<DIJOYSTATE2*>(data)); break;
        }
    }

    void ReadController(DIJOYSTATE2& state)
    {
        dinput::ControllerReading reading;
        m_source->ReadController(reading);
        state = {};
        int32_t* axes[dinput::ControllerReading::kAxes] = {
            &state.lX,  &state.lY,  &state.lZ,           &state.lRx,
            &state.lRy, &state.lRz, &state.rglSlider[0], &state.rglSlider[1]};
        for (int i = 0; i < dinput::ControllerReading::kAxes; ++i) {
            *axes[i] = ScaleAxis(reading.aiAxes[i], m_rangeMin, m_rangeMax, m_deadZone);
        }
        for (int i = 0; i < dinput::ControllerReading::kPovs; ++i) {
            int32_t pov = reading.aiPovs[i];
            state.rgdwPOV[i] = pov < 0 ? kPovCentred : static_cast<DWORD>(pov);
        }
        for (int i = 0; i < dinput::ControllerReading::kButtons; ++i) {
            state.rgbButtons[i] = reading.aucButtons[i];
        }
    }

    Kind m_kind;
    std::unique_ptr<dinput::Source> m_source;
    ULONG m_references = 1;
    const DIDATAFORMAT* m_format = nullptr;
    HWND m_window = nullptr;
    bool m_exclusive = false;
    bool m_foreground = false;
    bool m_acquired = false;
    bool m_lost = false;
    uint64_t m_focusLosses = 0;
    DWORD m_bufferSize = 0;
    int32_t m_rangeMin = 0;
    int32_t m_rangeMax = 65535;
    DWORD m_deadZone = 0;
};

DIDEVICEINSTANCEA Instance(REFGUID guid, DWORD type, const std::string& name)
{
    DIDEVICEINSTANCEA instance = {};
    instance.dwSize = sizeof instance;
    instance.guidInstance = guid;
    instance.guidProduct = guid;
    instance.dwDevType = type;
    std::snprintf(instance.tszInstanceName, sizeof instance.tszInstanceName, "%s", name.c_str());
    std::snprintf(instance.tszProductName, sizeof instance.tszProductName, "%s", name.c_str());
    return instance;
}

std::vector<DIDEVICEINSTANCEA> Instances(DWORD deviceType)
{
    std::vector<DIDEVICEINSTANCEA> instances;
    bool all = deviceType == DI8DEVCLASS_ALL;
    if (all || deviceType == DI8DEVCLASS_KEYBOARD) {
        instances.push_back(Instance(GUID_SysKeyboard, DI8DEVTYPE_KEYBOARD, "Keyboard"));
    }
    if (all || deviceType == DI8DEVCLASS_POINTER) {
        instances.push_back(Instance(GUID_SysMouse, DI8DEVTYPE_MOUSE, "Mouse"));
    }
    if (all || deviceType == DI8DEVCLASS_GAMECTRL) {
        for (const auto& controller : dinput_backend::Controllers()) {
            instances.push_back(
                Instance(ControllerGuid(controller.id), DI8DEVTYPE_JOYSTICK, controller.name));
        }
    }
    return instances;
}

class DirectInput final : public RefCounted<IDirectInput8A> {
public:
    HRESULT CreateDevice(REFGUID instance, IDirectInputDevice8A** device, LPUNKNOWN outer) override
    {
        HRESULT status = dinput_backend::InjectedFailure("IDirectInput8A::CreateDevice");
        std::string name = "controller " + std::to_string(instance.Data1);
        if (IsEqualGUID(instance, GUID_SysKeyboard)) {
            name = "GUID_SysKeyboard";
        } else if (IsEqualGUID(instance, GUID_SysMouse)) {
            name = "GUID_SysMouse";
        }
        if (status == S_OK) {
            status = Create(instance, device, outer);
        }
        backend::Trace("IDirectInput8A::CreateDevice(" + name + ") = " + Hex(status));
        return status;
    }

    HRESULT EnumDevices(DWORD deviceType, LPDIENUMDEVICESCALLBACKA callback, LPVOID reference,
                        DWORD flags) override
    {
        HRESULT status = dinput_backend::InjectedFailure("IDirectInput8A::EnumDevices");
        backend::Trace("IDirectInput8A::EnumDevices(" + std::to_string(deviceType) + ", " +
                       std::to_string(flags) + ")");
        if (status != S_OK) {
            return status;
        }
        if (!callback || deviceType > DI8DEVCLASS_GAMECTRL) {
            return DIERR_INVALIDPARAM;
        }
        for (const auto& instance : Instances(deviceType)) {
            if (callback(&instance, reference) == DIENUM_STOP) {
                break;
            }
        }
        return DI_OK;
    }

private:
    static HRESULT Create(REFGUID instance, IDirectInputDevice8A** device, LPUNKNOWN outer)
    {
        if (!device) {
            return DIERR_INVALIDPARAM;
        }
        *device = nullptr;
        if (outer) {
            return DIERR_NOINTERFACE;
        }
        Kind kind = Kind::Controller;
        if (IsEqualGUID(instance, GUID_SysKeyboard)) {
            kind = Kind::Keyboard;
        } else if (IsEqualGUID(instance, GUID_SysMouse)) {
            kind = Kind::Mouse;
        } else if (!IsControllerGuid(instance)) {
            return DIERR_DEVICENOTREG;
        }
        auto source = dinput_backend::Open(kind, instance.Data1);
        if (!source) {
            return DIERR_DEVICENOTREG;
        }
        *device = new Device(kind, std::move(source));
        return DI_OK;
    }

};

}  // namespace

HRESULT WINAPI DirectInput8Create(HINSTANCE, DWORD version, REFIID interfaceId, LPVOID* object,
                                  LPUNKNOWN outer)
{
    HRESULT status = dinput_backend::InjectedFailure("DirectInput8Create");
    if (status == S_OK && !object) {
        status = DIERR_INVALIDPARAM;
    } else if (status == S_OK) {
        *object = nullptr;
        if (version < DIRECTINPUT_VERSION) {
            status = DIERR_OLDDIRECTINPUTVERSION;
        } else if (version > DIRECTINPUT_VERSION) {
            status = DIERR_BETADIRECTINPUTVERSION;
        } else if (!IsEqualGUID(interfaceId, IID_IDirectInput8A) || outer) {
            status = DIERR_NOINTERFACE;
        } else {
            *object = static_cast<IDirectInput8A*>(new DirectInput);
        }
    }
    char versionText[16];
    std::snprintf(versionText, sizeof versionText, "0x%04X", static_cast<unsigned>(version));
    backend::Trace(std::string("DirectInput8Create(") + versionText + ") = " + Hex(status));
    return status;
}
