// A whole game on the fake backend, built as WinMain builds it and stepped one Frame at a time
// with a scripted Space key and controller button 0. GameProbe reads (and, to arrange a case,
// writes) the game's members.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ArcadeGame.h"
#include "FakeCalls.h"
#include "fake/fake_d3d8.h"
#include "fake/fake_dinput8.h"
#include "fake/fake_dsound8.h"
#include "fake/fake_win32.h"
#include "platform/crt.h"
#include "platform/dinput8.h"

class GameProbe {
public:
    explicit GameProbe(ArcadeGame& kGame) : m_kGame(kGame) {}

    GameState& State() { return m_kGame.m_eState; }
    GameZone& Zone() { return m_kGame.m_eZone; }
    int& Direction() { return m_kGame.m_iDirection; }
    bool& PadLatch() { return m_kGame.m_bPadLatch; }
    bool& SpaceLatch() { return m_kGame.m_bSpaceLatch; }
    bool& TitleMusic() { return m_kGame.m_bTitleMusic; }
    float& LookAhead() { return m_kGame.m_fLookAhead; }
    int& Blink() { return m_kGame.m_iBlink; }
    int& GameOverCount() { return m_kGame.m_iGameOverCount; }
    int& PlayerX() { return m_kGame.m_iPlayerX; }
    int& PlayerY() { return m_kGame.m_iPlayerY; }
    int& BallX() { return m_kGame.m_iBallX; }
    int& BallY() { return m_kGame.m_iBallY; }
    int& BallDX() { return m_kGame.m_iBallDX; }
    int& BallDY() { return m_kGame.m_iBallDY; }
    int& PaddleHits() { return m_kGame.m_iPaddleHits; }
    int& PaddleSize() { return m_kGame.m_iPaddleSize; }
    int& FuelTick() { return m_kGame.m_iFuelTick; }
    int& Fuel() { return m_kGame.m_iFuel; }
    int& RowTimer() { return m_kGame.m_iRowTimer; }
    int& Row() { return m_kGame.m_iRow; }
    int& Shield() { return m_kGame.m_iShield; }
    int& Score() { return m_kGame.m_iScore; }
    int& Guns() { return m_kGame.m_iGuns; }
    int& FinishCount() { return m_kGame.m_iFinishCount; }
    int& FireTimer() { return m_kGame.m_iFireTimer; }
    int& Voice() { return m_kGame.m_iVoice; }
    int& Map(int iRow, int iColumn) { return m_kGame.m_aaiMap[iRow][iColumn]; }
    FieldObject& Object(int iSlot) { return m_kGame.m_akObjects[iSlot]; }
    Explosion& ExplosionSlot(int iSlot) { return m_kGame.m_akExplosions[iSlot]; }
    qnSprite& Template(int iType) { return m_kGame.m_akTemplates[iType]; }
    qnSoundBuffer& Voices(int iVoice) { return m_kGame.m_akVoices[iVoice]; }
    const qnSprite* Player() { return m_kGame.m_pkPlayer; }

    // The game's sprites by member name without its prefix ("Title", "CarHand", "CarMap0").
    qnSprite& Sprite(const std::string& kName);
    // The sound bank by file name ("e1", "shoot", "m5").
    qnSoundBuffer& Sound(const std::string& kName);

    int CountInPlay();
    int CountOfType(int iType);

private:
    ArcadeGame& m_kGame;
};

// Holds the game in place, as WinMain does; the game under test is of this final type so that
// destroying it needs no virtual destructor.
class GameSlot {
    class TestedGame final : public ArcadeGame {
    public:
        using ArcadeGame::ArcadeGame;
    };

public:
    void Build(const GameSettings& kSettings) { m_kGame.emplace(kSettings); }
    void reset() { m_kGame.reset(); }
    ArcadeGame* operator->() { return &*m_kGame; }
    ArcadeGame& operator*() { return *m_kGame; }

private:
    std::optional<TestedGame> m_kGame;
};

class GameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Builds and starts the game as the named program does; a controller is attached first
    // unless told otherwise.
    void StartGame(const GameSettings& kSettings = kPadToggleSettings, bool bController = true);
    // One frame with Space and button 0 held or not; returns what Frame returned.
    int Step(bool bSpace = false, bool bButton = false);
    void StepFrames(int iFrames, bool bSpace = false, bool bButton = false);
    // From the attract screen into the first play frame's state (Space down for one frame).
    void StartPlaying();
    // Places the player and sets the zone as a previous frame would have.
    void PlacePlayer(int iX, GameZone eZone);
    // Puts one object into the first free slot, as the game spawns it.
    void Spawn(int iType, int iX, int iY);

    // What the audio device says of the buffer a handle refers to (false and 0 for none).
    static bool IsPlaying(const qnSoundBuffer& kSound);
    static bool IsLooping(const qnSoundBuffer& kSound);
    static int Plays(const qnSoundBuffer& kSound);

    GameSlot m_pkGame;
    std::unique_ptr<GameProbe> m_pkProbe;
    int m_iController = -1;
};

// A copy of the data folder that a test may break, made the working directory while it lives.
class DataCopy {
public:
    DataCopy();
    ~DataCopy();
    DataCopy(const DataCopy&) = delete;
    DataCopy& operator=(const DataCopy&) = delete;

    std::string Path(const std::string& kRelative) const;
    void Remove(const std::string& kRelative) const;
    void Write(const std::string& kRelative, const std::string& kBytes) const;
    std::string Read(const std::string& kRelative) const;

private:
    std::string m_kRoot;
    std::string m_kPrevious;
};

// Standard error captured while it lives.
class StderrCapture {
public:
    StderrCapture() { testing::internal::CaptureStderr(); }
    std::string Text() { return testing::internal::GetCapturedStderr(); }
};
