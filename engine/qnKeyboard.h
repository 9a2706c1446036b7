// The system keyboard: its whole key state copied once a frame, queried by scan code.
#pragma once

#include <cstdint>

#include "platform/dinput8.h"
#include "qnError.h"

class qnKeyboard {
public:
    qnKeyboard();
    ~qnKeyboard();
    qnKeyboard(const qnKeyboard&) = delete;
    qnKeyboard& operator=(const qnKeyboard&) = delete;

    qnError Init(HWND hWindow);
    // Reads the key state; lost input is re-acquired for the next frame.
    qnError Update();
    // A key is down when bit 0x80 of its byte is set; scan codes outside 0..255 are up.
    bool IsKeyDown(int iScanCode) const;
    bool IsKeyUp(int iScanCode) const;

private:
    void ReleaseDevice();

    static constexpr int kKeyCount = 256;
    IDirectInputDevice8A* m_pkDevice;
    uint8_t m_acKeys[kKeyCount];
};
