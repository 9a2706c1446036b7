#include "qnJoystick.h"

#include "qnInputManager.h"

namespace {

constexpr uint8_t kDownBit = 0x80;
constexpr int kButtonCount = 128;
constexpr DWORD kDeadZoneUnitsPerPercent = 100;

IDirectInput8A* DirectInput()
{
    qnInputManager* pkManager = qnInputManager::GetSingleton();
    return pkManager ? pkManager->GetDirectInput() : nullptr;
}

DIPROPHEADER DeviceHeader(DWORD uiSize)
{
    return {uiSize, sizeof(DIPROPHEADER), 0, DIPH_DEVICE};
}

}  // namespace

qnJoystick::qnJoystick() : m_pkDevice(nullptr), m_kJoystickState{} {}

qnJoystick::~qnJoystick()
{
    if (m_pkDevice) {
        m_pkDevice->Unacquire();
        m_pkDevice->Release();
        m_pkDevice = nullptr;
    }
}

BOOL CALLBACK qnJoystick::EnumJoysticksCallback(const DIDEVICEINSTANCEA* pkInstance,
                                                void* pvReference)
{
    auto* pkJoystick = static_cast<qnJoystick*>(pvReference);
    IDirectInput8A* pkDirectInput = DirectInput();
    if (!pkDirectInput || FAILED(pkDirectInput->CreateDevice(pkInstance->guidInstance,
                                                             &pkJoystick->m_pkDevice, nullptr))) {
        return DIENUM_CONTINUE;
    }
    return DIENUM_STOP;
}

qnError qnJoystick::Init(HWND hWindow, int32_t iMin, int32_t iMax, int iDeadZonePercent)
{
    IDirectInput8A* pkDirectInput = DirectInput();
    if (!pkDirectInput ||
        FAILED(pkDirectInput->EnumDevices(DI8DEVCLASS_GAMECTRL, EnumJoysticksCallback, this,
                                          DIEDFL_ATTACHEDONLY))) {
        return QN_ERR_JOYSTICK_ENUM;
    }
    // No controller attached: nothing to set up.
    if (!m_pkDevice) {
        return QN_ERR_JOYSTICK_ENUM;
    }
    if (FAILED(m_pkDevice->SetDataFormat(&c_dfDIJoystick2))) {
        return QN_ERR_JOYSTICK_FORMAT;
    }
    if (FAILED(m_pkDevice->SetCooperativeLevel(hWindow, DISCL_EXCLUSIVE | DISCL_FOREGROUND))) {
        return QN_ERR_JOYSTICK_COOPERATIVE;
    }
    DIPROPRANGE kRange = {DeviceHeader(sizeof(DIPROPRANGE)), iMin, iMax};
    if (FAILED(m_pkDevice->SetProperty(DIPROP_RANGE, &kRange.diph))) {
        return QN_ERR_JOYSTICK_PROPERTY;
    }
    DIPROPDWORD kDeadZone = {DeviceHeader(sizeof(DIPROPDWORD)),
                             static_cast<DWORD>(iDeadZonePercent) * kDeadZoneUnitsPerPercent};
    if (FAILED(m_pkDevice->SetProperty(DIPROP_DEADZONE, &kDeadZone.diph))) {
        return QN_ERR_JOYSTICK_PROPERTY;
    }
    if (SUCCEEDED(m_pkDevice->Poll())) {
        return QN_OK;
    }
    HRESULT hResult = m_pkDevice->Acquire();
    while (hResult == DIERR_INPUTLOST) {
        hResult = m_pkDevice->Acquire();
    }
    return QN_OK;
}

qnError qnJoystick::Update()
{
    if (!m_pkDevice) {
        return QN_ERR_JOYSTICK_POLL;
    }
    if (FAILED(m_pkDevice->Poll())) {
        if (m_pkDevice->Acquire() != DIERR_INPUTLOST) {
            return QN_ERR_JOYSTICK_POLL;
        }
        m_pkDevice->Acquire();
    }
    if (FAILED(m_pkDevice->GetDeviceState(sizeof(DIJOYSTATE2), &m_kJoystickState))) {
        return QN_ERR_JOYSTICK_READ;
    }
    return QN_OK;
}

bool qnJoystick::IsButtonDown(int iButton) const
{
    if (iButton < 0 || iButton >= kButtonCount) {
        return false;
    }
    return (m_kJoystickState.rgbButtons[iButton] & kDownBit) != 0;
}

bool qnJoystick::IsButtonUp(int iButton) const
{
    return !IsButtonDown(iButton);
}

int32_t qnJoystick::GetXAxis() const
{
    return m_kJoystickState.lX;
}

int32_t qnJoystick::GetYAxis() const
{
    return m_kJoystickState.lY;
}
