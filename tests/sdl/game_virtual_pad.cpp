// A controller program of the game in a real window with SDL's virtual joystick plugged in:
// button 0 starts a game and steers it. "hold" on the command line plays brask-pad-hold's
// settings, anything else brask-pad-toggle's.
#include <cstdio>
#include <cstring>

#include "ArcadeGame.h"
#include "WindowTestSupport.h"
#include "platform/sdl_test_hooks.h"

// Reads the game's state for this program's checks.
class GameProbe {
public:
    explicit GameProbe(const ArcadeGame& kGame) : m_kGame(kGame) {}
    GameState State() const { return m_kGame.m_eState; }
    int Direction() const { return m_kGame.m_iDirection; }

private:
    const ArcadeGame& m_kGame;
};

namespace {

constexpr int kPressFrame = 30;
constexpr int kLastFrame = 200;

// Presses button 0 on a script of frames and checks what the game made of it.
class VirtualPadGame : public ArcadeGame {
public:
    explicit VirtualPadGame(const GameSettings& kSettings)
        : ArcadeGame(kSettings), m_bHold(&kSettings == &kPadHoldSettings)
    {
    }

    int Frame() override
    {
        ++m_iFrame;
        GameProbe kProbe(*this);
        if (m_iFrame == kPressFrame) {
            sdl_test_hooks::SetVirtualJoystickButton(0, true);
        } else if (m_iFrame == kPressFrame + 5) {
            windowtest::Check(kProbe.State() == STATE_PLAY, "button 0 started a game");
            m_iDirectionBefore = kProbe.Direction();
            if (!m_bHold) {
                sdl_test_hooks::SetVirtualJoystickButton(0, false);
            }
        } else if (m_iFrame == kPressFrame + 10) {
            CheckSteering(kProbe.Direction());
            sdl_test_hooks::SetVirtualJoystickButton(0, false);
        } else if (m_iFrame == kPressFrame + 15 && m_bHold) {
            windowtest::Check(kProbe.Direction() == 1, "released button 0 steers toward +x");
        }
        int iResult = ArcadeGame::Frame();
        return m_iFrame < kLastFrame ? iResult : 0;
    }

private:
    void CheckSteering(int iDirection)
    {
        if (m_bHold) {
            windowtest::Check(iDirection == 0, "held button 0 steers toward -x");
        } else {
            windowtest::Check(iDirection != m_iDirectionBefore,
                              "a press and release of button 0 reversed the direction");
        }
    }

    bool m_bHold;
    int m_iFrame = 0;
    int m_iDirectionBefore = -1;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR acCommandLine, int)
{
    bool bHold = acCommandLine && std::strcmp(acCommandLine, "hold") == 0;
    windowtest::SetProgramName(bHold ? "game_virtual_pad hold" : "game_virtual_pad");
    if (!sdl_test_hooks::AttachVirtualJoystick(2, 4, 0)) {
        std::fprintf(stderr, "game_virtual_pad: no virtual joystick\n");
        return 1;
    }
    {
        VirtualPadGame kGame(bHold ? kPadHoldSettings : kPadToggleSettings);
        kGame.StartUp(hInstance);
        kGame.Run();
    }
    sdl_test_hooks::DetachVirtualJoystick();
    std::printf("game_virtual_pad: %d failed checks\n", windowtest::Failures());
    return windowtest::Failures() == 0 ? 0 : 1;
}
