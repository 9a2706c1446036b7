// Whole games of the shipped course through the real frame: a test player that steers with Space
// from what it sees wins most of them, and a player that never touches Space loses every one.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "GameFixture.h"
#include "TestPlayer.h"

namespace {

constexpr int kRuns = 20;
constexpr int kMaxPlayFrames = 8100;

struct RunResult {
    bool bWon = false;
    int iFrame = 0;  // play frames until the end
    std::string kCause;
    int iScore = 0;
    int iFuel = 0;
    int iPaddleSize = 0;
    int iShield = 0;
    int iGuns = 0;
    int aiZoneFrames[3] = {0, 0, 0};  // play frames spent in the paddle, car and ship zones
};

class TestPlayerTest : public GameTest {
protected:
    // One game from a fresh start: iWait frames on the attract screen, Space to start, then
    // either the test player or no input at all until the game ends.
    RunResult Play(const GameSettings& kSettings, int iWait, bool bIdle)
    {
        m_pkProbe.reset();
        m_pkGame.reset();
        fake::Reset();
        crt::SeedRand(1);
        fake::SetTimeStep(1000);
        StartGame(kSettings, false);
        fake::SetRecording(false);
        StepFrames(iWait);
        Step(true);
        Step(!bIdle);
        TestPlayer kPlayer(*m_pkProbe, kSettings.eSpace);
        GameProbe& p = *m_pkProbe;
        RunResult kResult;
        while (p.State() == STATE_PLAY && kResult.iFrame < kMaxPlayFrames) {
            Step(!bIdle && kPlayer.Decide());
            ++kResult.iFrame;
            ++kResult.aiZoneFrames[p.Zone()];
        }
        kResult.bWon = p.State() == STATE_WIN;
        kResult.kCause = kResult.bWon ? "" : Cause();
        kResult.iScore = p.Score();
        kResult.iFuel = p.Fuel();
        kResult.iPaddleSize = p.PaddleSize();
        kResult.iShield = p.Shield();
        kResult.iGuns = p.Guns();
        return kResult;
    }

    // Why the game just ended, from what the losing frame left behind.
    std::string Cause()
    {
        GameProbe& p = *m_pkProbe;
        if (p.State() != STATE_GAME_OVER) {
            return "still playing";
        }
        if (p.Fuel() < 0) {
            return "fuel";
        }
        if (p.PaddleSize() < 0) {
            return "minus item";
        }
        if (p.Zone() == ZONE_PADDLE && p.BallY() > -100) {
            return "ball missed";
        }
        std::string kWhat = p.Zone() == ZONE_PADDLE ? "paddle hit by " : "ship hit by ";
        for (int iSlot = 0; iSlot < ArcadeGame::kObjectSlots; ++iSlot) {
            const FieldObject& kObject = p.Object(iSlot);
            if (kObject.InPlay() && std::abs(kObject.m_iX - p.PlayerX()) < 40 &&
                std::abs(kObject.m_iY - p.PlayerY()) < 40 && kObject.m_iType < OBJ_ITEM_MINUS &&
                kObject.m_iType != OBJ_PLAYER_BULLET) {
                return kWhat + "type " + std::to_string(kObject.m_iType);
            }
        }
        return kWhat + "object";
    }

    // Twenty games, each waiting one frame longer on the attract screen; returns the wins.
    int PlayAll(const GameSettings& kSettings, bool bIdle)
    {
        auto kStart = std::chrono::steady_clock::now();
        int iWins = 0;
        std::printf("%s, %s player\n", kSettings.acProgram, bIdle ? "idle" : "test");
        std::printf("wait  result  frame  cause                 score  fuel  paddle shield guns"
                    "  frames in paddle/car/ship\n");
        for (int iWait = 0; iWait < kRuns; ++iWait) {
            RunResult r = Play(kSettings, iWait, bIdle);
            iWins += r.bWon ? 1 : 0;
            std::printf("%4d  %-6s  %5d  %-20s  %5d  %4d  %6d %6d %4d  %d/%d/%d\n", iWait,
                        r.bWon ? "won" : "lost", r.iFrame, r.kCause.c_str(), r.iScore, r.iFuel,
                        r.iPaddleSize, r.iShield, r.iGuns, r.aiZoneFrames[ZONE_PADDLE],
                        r.aiZoneFrames[ZONE_CAR], r.aiZoneFrames[ZONE_SHIP]);
        }
        double dSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - kStart).count();
        std::printf("%s: %d of %d won in %.1f s\n", kSettings.acProgram, iWins, kRuns, dSeconds);
        return iWins;
    }
};

TEST_F(TestPlayerTest, WinsMostPadToggleGames)
{
    EXPECT_GE(PlayAll(kPadToggleSettings, false), kRuns / 2);
}

TEST_F(TestPlayerTest, WinsKeyHoldGames)
{
    EXPECT_GE(PlayAll(kKeyHoldSettings, false), kRuns / 2);
}

TEST_F(TestPlayerTest, IdlePlayerLosesEveryGame)
{
    EXPECT_EQ(PlayAll(kPadToggleSettings, true), 0);
    EXPECT_EQ(PlayAll(kKeyHoldSettings, true), 0);
}

}  // namespace
