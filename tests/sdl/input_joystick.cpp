// A virtual joystick plugged into SDL reaches qnJoystick as the first attached controller:
// its button 0 and its two axes, scaled to the range -10..10 with a 1 % dead zone.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/sdl_test_hooks.h"
#include "qnInputManager.h"
#include "qnJoystick.h"
#include "qnWindow.h"

namespace {

const char* const kTitle = "Input joystick test";

class JoystickWindow : public qnWindow {
public:
    int Frame() override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ++m_iFrames;
        qnError iResult = m_kJoystick.Update();
        switch (m_iFrames) {
        case 10:
            m_bFocused = std::system("xdotool search --name '^Input joystick test$' "
                                     "windowfocus --sync") == 0;
            break;
        case 20:
            sdl_test_hooks::SetVirtualJoystickButton(0, true);
            sdl_test_hooks::SetVirtualJoystickAxis(0, 32767);
            sdl_test_hooks::SetVirtualJoystickAxis(1, -32768);
            break;
        case 30:
            m_bPressedSeen = iResult == QN_OK && m_kJoystick.IsButtonDown(0) &&
                             m_kJoystick.IsButtonUp(1) && m_kJoystick.GetXAxis() == 10 &&
                             m_kJoystick.GetYAxis() == -10;
            sdl_test_hooks::SetVirtualJoystickButton(0, false);
            sdl_test_hooks::SetVirtualJoystickAxis(0, 16384);
            sdl_test_hooks::SetVirtualJoystickAxis(1, 100);
            break;
        case 40:
            m_bReleasedSeen = iResult == QN_OK && m_kJoystick.IsButtonUp(0) &&
                              m_kJoystick.GetXAxis() == 5 && m_kJoystick.GetYAxis() == 0;
            break;
        default:
            break;
        }
        return m_iFrames < 40 ? 1 : 0;
    }

    qnJoystick m_kJoystick;
    int m_iFrames = 0;
    bool m_bFocused = false;
    bool m_bPressedSeen = false;
    bool m_bReleasedSeen = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    if (!sdl_test_hooks::AttachVirtualJoystick(2, 4, 0)) {
        std::fprintf(stderr, "input_joystick: no virtual joystick\n");
        return 1;
    }
    qnInputManager kInput;
    JoystickWindow kWindow;
    if (kWindow.Create(hInstance, kTitle, 640, 480, WS_OVERLAPPEDWINDOW | WS_VISIBLE) != QN_OK) {
        std::fprintf(stderr, "input_joystick: Create failed\n");
        return 1;
    }
    kWindow.SetPosition(0, 0);
    qnError iInput = kInput.Init(hInstance);
    qnError iJoystick = kWindow.m_kJoystick.Init(kWindow.GetHandle(), -10, 10, 1);
    kWindow.Run();
    std::printf("input_joystick: init %d %d, focused %s, pressed %s, released %s\n", iInput,
                iJoystick, kWindow.m_bFocused ? "yes" : "no",
                kWindow.m_bPressedSeen ? "yes" : "no", kWindow.m_bReleasedSeen ? "yes" : "no");
    sdl_test_hooks::DetachVirtualJoystick();
    bool bPassed = iInput == QN_OK && iJoystick == QN_OK && kWindow.m_bFocused &&
                   kWindow.m_bPressedSeen && kWindow.m_bReleasedSeen;
    return bPassed ? 0 : 1;
}
