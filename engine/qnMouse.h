// The system mouse: relative motion and buttons copied once a frame; the cursor position is
// asked from the window system at each call.
#pragma once

#include <cstdint>

#include "platform/dinput8.h"
#include "qnError.h"

class qnMouse {
public:
    qnMouse();
    ~qnMouse();
    qnMouse(const qnMouse&) = delete;
    qnMouse& operator=(const qnMouse&) = delete;

    qnError Init(HWND hWindow);
    // Reads the state; never re-acquires.
    qnError Update();
    // Buttons 0 to 3; any other number answers for button 0. Any nonzero byte is down.
    bool IsButtonDown(uint32_t uiButton) const;
    bool IsButtonUp(uint32_t uiButton) const;
    int32_t GetXDelta() const;
    int32_t GetYDelta() const;
    int32_t GetCursorX() const;
    int32_t GetCursorY() const;
    // Zeroes the buffered records and empties the device's event buffer.
    qnError Clear();

private:
    static constexpr int kBufferedRecords = 8;
    IDirectInputDevice8A* m_pkDevice;
    DIDEVICEOBJECTDATA m_akBufferedData[kBufferedRecords];
    DIMOUSESTATE m_kMouseState;
};
