// The first attached game controller: polled and copied once a frame. Without a controller
// every button answers as released and the axes as 0.
#pragma once

#include <cstdint>

#include "platform/dinput8.h"
#include "qnError.h"

class qnJoystick {
public:
    qnJoystick();
    ~qnJoystick();
    qnJoystick(const qnJoystick&) = delete;
    qnJoystick& operator=(const qnJoystick&) = delete;

    // Offered each attached controller in turn; the first one created ends the enumeration.
    static BOOL CALLBACK EnumJoysticksCallback(const DIDEVICEINSTANCEA* pkInstance,
                                               void* pvReference);
    // Axes report from iMin to iMax with a dead zone of iDeadZonePercent percent.
    qnError Init(HWND hWindow, int32_t iMin, int32_t iMax, int iDeadZonePercent);
    qnError Update();
    // A button is down when bit 0x80 of its byte is set; buttons outside 0..127 are up.
    bool IsButtonDown(int iButton) const;
    bool IsButtonUp(int iButton) const;
    int32_t GetXAxis() const;
    int32_t GetYAxis() const;

private:
    IDirectInputDevice8A* m_pkDevice;
    DIJOYSTATE2 m_kJoystickState;
};
