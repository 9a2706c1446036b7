// brask-pad-toggle's game in a real window with SDL's virtual joystick unplugged in the middle
// of a game and plugged in again: the game plays on without it, and button 0 steers it again
// once it is back.
#include <cstdio>

#include "ArcadeGame.h"
#include "WindowTestSupport.h"
#include "platform/sdl_test_hooks.h"

// Reads the game's state for this program's checks, and keeps the player in the car zone.
class GameProbe {
public:
    explicit GameProbe(ArcadeGame& kGame) : m_kGame(kGame) {}
    GameState State() const { return m_kGame.m_eState; }
    int Direction() const { return m_kGame.m_iDirection; }
    void HoldPlayer() { m_kGame.m_iPlayerX = 1224; }

private:
    ArcadeGame& m_kGame;
};

namespace {

constexpr int kStartTap = 20;
constexpr int kFirstTap = 40;
constexpr int kUnplug = 50;
constexpr int kTapUnplugged = 60;
constexpr int kReplug = 70;
constexpr int kTapReplugged = 80;
constexpr int kLastFrame = 100;
constexpr int kTapFrames = 3;

bool PlugIn()
{
    return sdl_test_hooks::AttachVirtualJoystick(2, 4, 0);
}

class ReplugGame : public ArcadeGame {
public:
    ReplugGame() : ArcadeGame(kPadToggleSettings) {}

    int Frame() override
    {
        ++m_iFrame;
        GameProbe kProbe(*this);
        kProbe.HoldPlayer();
        for (int iTap : {kStartTap, kFirstTap, kTapUnplugged, kTapReplugged}) {
            Tap(iTap, kProbe);
        }
        if (m_iFrame == kStartTap + 2 * kTapFrames) {
            windowtest::Check(kProbe.State() == STATE_PLAY, "button 0 started a game");
        } else if (m_iFrame == kFirstTap + 2 * kTapFrames) {
            windowtest::Check(kProbe.Direction() != m_iDirectionBefore, "button 0 steers");
        } else if (m_iFrame == kUnplug) {
            sdl_test_hooks::DetachVirtualJoystick();
        } else if (m_iFrame == kTapUnplugged + 2 * kTapFrames) {
            windowtest::Check(kProbe.State() == STATE_PLAY, "the game plays on unplugged");
        } else if (m_iFrame == kReplug) {
            windowtest::Check(PlugIn(), "the virtual joystick plugged in again");
        } else if (m_iFrame == kTapReplugged + 2 * kTapFrames) {
            windowtest::Check(kProbe.Direction() != m_iDirectionBefore,
                              "button 0 steers again once plugged in again");
        }
        int iResult = ArcadeGame::Frame();
        return m_iFrame < kLastFrame ? iResult : 0;
    }

private:
    // Button 0 down for a few frames from the given one, then up.
    void Tap(int iFrame, GameProbe& kProbe)
    {
        if (m_iFrame == iFrame) {
            m_iDirectionBefore = kProbe.Direction();
            sdl_test_hooks::SetVirtualJoystickButton(0, true);
        } else if (m_iFrame == iFrame + kTapFrames) {
            sdl_test_hooks::SetVirtualJoystickButton(0, false);
        }
    }

    int m_iFrame = 0;
    int m_iDirectionBefore = -1;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    windowtest::SetProgramName("game_pad_replug");
    if (!PlugIn()) {
        std::fprintf(stderr, "game_pad_replug: no virtual joystick\n");
        return 1;
    }
    {
        ReplugGame kGame;
        kGame.StartUp(hInstance);
        kGame.Run();
    }
    sdl_test_hooks::DetachVirtualJoystick();
    std::printf("game_pad_replug: %d failed checks\n", windowtest::Failures());
    return windowtest::Failures() == 0 ? 0 : 1;
}
