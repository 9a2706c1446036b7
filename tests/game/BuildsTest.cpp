// The four programs side by side: the rules they share run once per program; the rules where
// they differ (steering, start input, controller, music voice) have cases of their own.
#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "GameFixture.h"

namespace {

// Which input holds the direction at 0 (toward -x) while it is down.
enum class HoldInput { None, Button, Space };

struct Program {
    const char* acName;
    const GameSettings* pkSettings;
    bool bController;  // set up, polled, starts and steers
    HoldInput eHold;
    float fLookAheadStep;
    float fLookAheadRest;
    int iFramesToRest;
    bool bMusicVoice;  // music on a voice of its own, a track per game
};

const Program kPrograms[] = {
    {"PadToggle", &kPadToggleSettings, true, HoldInput::None, 5.0f, 40.0f, 8, false},
    {"PadHold", &kPadHoldSettings, true, HoldInput::Button, 5.0f, 40.0f, 8, false},
    {"KeyToggle", &kKeyToggleSettings, false, HoldInput::None, 3.0f, 42.0f, 14, true},
    {"KeyHold", &kKeyHoldSettings, false, HoldInput::Space, 3.0f, 42.0f, 14, true},
};

void PrintTo(const Program& kProgram, std::ostream* pkStream)
{
    *pkStream << kProgram.acName;
}

const Program& ProgramNamed(const std::string& kName)
{
    for (const Program& kProgram : kPrograms) {
        if (kName == kProgram.acName) {
            return kProgram;
        }
    }
    return kPrograms[0];
}

constexpr int kMusicVoice = 20;
constexpr int kGameOverFrames = 51;
constexpr int kWinFrames = 151;
const char* const kTracks[] = {"m1", "m2", "m3", "m4", "m5"};

class BuildsTest : public GameTest {
protected:
    void Start(const Program& kProgram, bool bController = true)
    {
        m_pkProgram = &kProgram;
        StartGame(*kProgram.pkSettings, bController);
    }

    // A fresh test world and the program started in it.
    void Restart(const Program& kProgram, bool bController = true)
    {
        TearDown();
        SetUp();
        Start(kProgram, bController);
    }

    // One frame in the given direction from its camera placement on: the direction is put
    // there before the frame, and a hold program's input holds it there.
    void StepToward(int iDirection)
    {
        m_pkProbe->Direction() = iDirection;
        switch (m_pkProgram->eHold) {
        case HoldInput::Button:
            Step(false, iDirection == 0);
            break;
        case HoldInput::Space:
            Step(iDirection == 0, false);
            break;
        case HoldInput::None:
            Step();
            break;
        }
    }

    // One frame with the program's hold input down or up (Space for the toggle programs).
    int StepHolding(bool bDown)
    {
        return m_pkProgram->eHold == HoldInput::Button ? Step(false, bDown) : Step(bDown, false);
    }

    // The x of the eye that the last camera placement used, taken back out of the view matrix.
    static float EyeX()
    {
        D3DMATRIX kView = fake::d3d::Transform(D3DTS_VIEW);
        return -(kView._41 * kView._11 + kView._42 * kView._12 + kView._43 * kView._13);
    }

    // How many of the music tracks m1 to m5 the audio device is playing.
    int PlayingTracks()
    {
        std::set<IDirectSoundBuffer*> kPlaying;
        for (const char* acTrack : kTracks) {
            const qnSoundBuffer& kTrack = m_pkProbe->Sound(acTrack);
            if (IsPlaying(kTrack)) {
                kPlaying.insert(kTrack.GetBuffer());
            }
        }
        return static_cast<int>(kPlaying.size());
    }

    bool IsTrack(const qnSoundBuffer& kVoice)
    {
        for (const char* acTrack : kTracks) {
            if (kVoice.GetBuffer() && kVoice.GetBuffer() == m_pkProbe->Sound(acTrack).GetBuffer()) {
                return true;
            }
        }
        return false;
    }

    static int CountCallsMentioning(const std::string& kText)
    {
        int iCount = 0;
        for (const std::string& kCall : fake::Calls()) {
            iCount += kCall.find(kText) != std::string::npos ? 1 : 0;
        }
        return iCount;
    }

    const Program* m_pkProgram = nullptr;
};

class EveryProgramTest : public BuildsTest, public ::testing::WithParamInterface<Program> {
protected:
    void Start(bool bController = true) { BuildsTest::Start(GetParam(), bController); }
};

TEST_P(EveryProgramTest, ControllerIsSetUpAndPolledOnlyWhereItIsUsed)
{
    Start();
    int iSetUps = fake::CountCalls("IDirectInput8A::EnumDevices");
    fake::ClearCalls();
    StepFrames(3);
    int iPolls = fake::CountCalls("IDirectInputDevice8A::Poll(controller");
    if (GetParam().bController) {
        EXPECT_EQ(iSetUps, 1);
        EXPECT_EQ(iPolls, 3);
    } else {
        EXPECT_EQ(iSetUps, 0);
        EXPECT_EQ(iPolls, 0);
        EXPECT_EQ(CountCallsMentioning("controller"), 0);
    }
}

TEST_P(EveryProgramTest, StartsAndPlaysWithNoControllerAttached)
{
    Start(false);
    EXPECT_EQ(fake::CountCalls("IDirectInputDevice8A::Poll(controller"), 0);
    EXPECT_EQ(Step(true), 1);
    EXPECT_EQ(m_pkProbe->State(), STATE_NEW_GAME);
    EXPECT_EQ(Step(), 1);
    ASSERT_EQ(m_pkProbe->State(), STATE_PLAY);
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(Step(), 1);
    }
    EXPECT_EQ(m_pkProbe->State(), STATE_PLAY);
    EXPECT_NE(m_pkProbe->PlayerX(), 1224);
}

// The look-ahead grows by the program's step from 0, rests one step past the limit, swings to
// the other side in twice as many frames, and is 0 again on the first frame outside play.
TEST_P(EveryProgramTest, LookAheadStepsToItsRestAndBack)
{
    const Program& kProgram = GetParam();
    Start();
    StartPlaying();
    for (int i = 1; i <= kProgram.iFramesToRest + 2; ++i) {
        StepToward(1);
        float fExpected = std::min(kProgram.fLookAheadStep * i, kProgram.fLookAheadRest);
        ASSERT_EQ(m_pkProbe->LookAhead(), fExpected) << "frame " << i;
    }
    for (int i = 1; i <= 2 * kProgram.iFramesToRest; ++i) {
        StepToward(0);
        float fLookAhead = m_pkProbe->LookAhead();
        ASSERT_EQ(std::fmod(fLookAhead, kProgram.fLookAheadStep), 0.0f) << "frame " << i;
        ASSERT_GT(fLookAhead, -kProgram.fLookAheadRest - 1.0f);
    }
    EXPECT_EQ(m_pkProbe->LookAhead(), -kProgram.fLookAheadRest);
    StepToward(0);
    EXPECT_EQ(m_pkProbe->LookAhead(), -kProgram.fLookAheadRest);
    m_pkProbe->State() = STATE_GAME_OVER;
    StepToward(0);
    EXPECT_EQ(m_pkProbe->LookAhead(), 0.0f);
}

// NewGame puts the ring index at 0; a game's own track moves it on without taking the voice.
TEST_P(EveryProgramTest, FirstEffectOfAGameAndWhereTheMusicPlays)
{
    const Program& kProgram = GetParam();
    Start();
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    if (kProgram.bMusicVoice) {
        EXPECT_TRUE(IsTrack(p.Voices(kMusicVoice)));
        EXPECT_TRUE(IsPlaying(p.Voices(kMusicVoice)));
        EXPECT_TRUE(IsLooping(p.Voices(kMusicVoice)));
        EXPECT_EQ(PlayingTracks(), 1);
    } else {
        EXPECT_EQ(p.Voices(kMusicVoice).GetBuffer(), nullptr);
        EXPECT_EQ(PlayingTracks(), 0);
    }
    m_pkGame->PlaySoundEvent(SOUND_PING);
    int iFirst = kProgram.bMusicVoice ? 2 : 1;
    EXPECT_EQ(p.Voice(), iFirst);
    EXPECT_EQ(p.Voices(iFirst).GetBuffer(), p.Sound("ping").GetBuffer());
    EXPECT_TRUE(IsPlaying(p.Voices(iFirst)));
}

// A track raised when the ring index is at its last voice: the index wraps to 0 either way.
TEST_P(EveryProgramTest, MusicEventAdvancesTheRingIndex)
{
    const Program& kProgram = GetParam();
    Start();
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    p.Voice() = 19;
    p.Voices(0) = p.Sound("pong");
    IDirectSoundBuffer* pkMusicBefore = p.Voices(kMusicVoice).GetBuffer();
    m_pkGame->PlaySoundEvent(SOUND_M);
    EXPECT_EQ(p.Voice(), 0);
    if (kProgram.bMusicVoice) {
        EXPECT_EQ(p.Voices(0).GetBuffer(), p.Sound("pong").GetBuffer());
        EXPECT_TRUE(IsTrack(p.Voices(kMusicVoice)));
    } else {
        EXPECT_TRUE(IsTrack(p.Voices(0)));
        EXPECT_EQ(p.Voices(kMusicVoice).GetBuffer(), pkMusicBefore);
    }
    m_pkGame->PlaySoundEvent(SOUND_SHOOT);
    EXPECT_EQ(p.Voice(), 1);
    EXPECT_EQ(p.Voices(1).GetBuffer(), p.Sound("shoot").GetBuffer());
}

// No track sounds on the last frame of the state; the attract screen starts exactly one.
TEST_P(EveryProgramTest, OneTrackOnTheAttractScreenAfterAGameOverOrAWin)
{
    const struct {
        GameState eEnd;
        int iFrames;
    } kCases[] = {{STATE_GAME_OVER, kGameOverFrames}, {STATE_WIN, kWinFrames}};
    Start();
    for (const auto& kCase : kCases) {
        SCOPED_TRACE(kCase.eEnd);
        StartPlaying();
        StepFrames(5);
        m_pkProbe->State() = kCase.eEnd;
        m_pkProbe->FinishCount() = 0;
        StepFrames(kCase.iFrames - 1);
        ASSERT_EQ(m_pkProbe->State(), kCase.eEnd);
        Step();
        ASSERT_EQ(m_pkProbe->State(), STATE_ATTRACT);
        EXPECT_EQ(PlayingTracks(), 0);
        Step();
        EXPECT_EQ(PlayingTracks(), 1);
        StepFrames(30);
        EXPECT_EQ(PlayingTracks(), 1);
    }
}

// The keyboard programs stop the tracks on every frame of the game over, not only the first.
TEST_P(EveryProgramTest, GameOverStopsTheTracksOnEveryFrame)
{
    const Program& kProgram = GetParam();
    Start();
    StartPlaying();
    m_pkProbe->State() = STATE_GAME_OVER;
    Step();
    for (int iFrame = 2; iFrame <= kGameOverFrames; ++iFrame) {
        m_pkProbe->Sound("m2").Play(1);
        Step();
        ASSERT_EQ(IsPlaying(m_pkProbe->Sound("m2")), !kProgram.bMusicVoice) << "frame " << iFrame;
    }
    EXPECT_EQ(m_pkProbe->State(), STATE_ATTRACT);
}

INSTANTIATE_TEST_SUITE_P(Programs, EveryProgramTest, ::testing::ValuesIn(kPrograms),
                         [](const ::testing::TestParamInfo<Program>& kInfo) {
                             return std::string(kInfo.param.acName);
                         });

// brask-pad-hold follows button 0 and brask-key-hold follows Space, on every frame.
const char* const kHoldPrograms[] = {"PadHold", "KeyHold"};

TEST_F(BuildsTest, HoldProgramsRunTowardPlusXWhileTheInputIsNeverDown)
{
    for (const char* acName : kHoldPrograms) {
        SCOPED_TRACE(acName);
        Restart(ProgramNamed(acName));
        GameProbe& p = *m_pkProbe;
        p.Direction() = 0;
        Step();
        EXPECT_EQ(p.Direction(), 1);
        p.State() = STATE_NEW_GAME;
        Step();
        ASSERT_EQ(p.State(), STATE_PLAY);
        int iPreviousX = p.PlayerX();
        for (int i = 0; i < 20; ++i) {
            Step();
            ASSERT_EQ(p.Direction(), 1);
            ASSERT_GT(p.PlayerX(), iPreviousX);
            iPreviousX = p.PlayerX();
        }
        p.State() = STATE_GAME_OVER;
        p.Direction() = 0;
        Step();
        EXPECT_EQ(p.Direction(), 1);
    }
}

// Holding the input at the title starts a game. On the first play frame the input decides the
// direction whatever the new game drew; the drawn direction reaches only that frame's camera.
TEST_F(BuildsTest, HoldProgramsStartAndSteerWithTheHeldInput)
{
    for (const char* acName : kHoldPrograms) {
        for (bool bHeldInPlay : {true, false}) {
            SCOPED_TRACE(std::string(acName) + (bHeldInPlay ? " held" : " released"));
            Restart(ProgramNamed(acName));
            GameProbe& p = *m_pkProbe;
            StepHolding(true);
            EXPECT_EQ(p.State(), STATE_NEW_GAME);
            EXPECT_EQ(p.Direction(), 0);
            StepHolding(true);
            ASSERT_EQ(p.State(), STATE_PLAY);
            int iDrawn = p.Direction();
            int iX = p.PlayerX();
            int iWanted = bHeldInPlay ? 0 : 1;
            int iSign = bHeldInPlay ? -1 : 1;
            StepHolding(bHeldInPlay);
            EXPECT_FLOAT_EQ(EyeX(), static_cast<float>(iX + 10 - 20 * iDrawn));
            EXPECT_EQ(p.Direction(), iWanted);
            EXPECT_EQ(p.PlayerX(), iX + 8 * iSign);
            StepHolding(bHeldInPlay);
            EXPECT_EQ(p.PlayerX(), iX + 16 * iSign);
            StepHolding(!bHeldInPlay);
            EXPECT_EQ(p.Direction(), 1 - iWanted);
            EXPECT_EQ(p.PlayerX(), iX + 8 * iSign);
        }
    }
}

// Pointed into an end of the playfield, a hold program's player steps back and forth there: the
// edge turns it for one frame and the next reading of the input undoes it. A toggle program
// keeps the turned direction and runs back.
TEST_F(BuildsTest, PlayerAtAnEndOfThePlayfield)
{
    const struct {
        const char* acProgram;
        int iX;  // one beyond the end
        GameZone eZone;
        int iDirection;
        int aiX[4];
    } kCases[] = {
        {"PadHold", -411, ZONE_PADDLE, 0, {-405, -411, -405, -411}},
        {"PadHold", 2901, ZONE_SHIP, 1, {2895, 2901, 2895, 2901}},
        {"KeyHold", -411, ZONE_PADDLE, 0, {-405, -411, -405, -411}},
        {"KeyHold", 2901, ZONE_SHIP, 1, {2895, 2901, 2895, 2901}},
        {"KeyToggle", -411, ZONE_PADDLE, 0, {-405, -399, -393, -387}},
        {"PadToggle", 2901, ZONE_SHIP, 1, {2895, 2889, 2883, 2877}},
    };
    for (const auto& kCase : kCases) {
        SCOPED_TRACE(std::string(kCase.acProgram) + " at " + std::to_string(kCase.iX));
        Restart(ProgramNamed(kCase.acProgram));
        StartPlaying();
        PlacePlayer(kCase.iX, kCase.eZone);
        m_pkProbe->Direction() = kCase.iDirection;
        for (int iX : kCase.aiX) {
            StepHolding(kCase.iDirection == 0 && m_pkProgram->eHold != HoldInput::None);
            ASSERT_EQ(m_pkProbe->State(), STATE_PLAY);
            EXPECT_EQ(m_pkProbe->PlayerX(), iX);
        }
    }
}

// brask-pad-hold keeps the Space rule: a press and release moves the player one frame the other
// way, the next frame's camera follows that direction, then button 0 decides again.
TEST_F(BuildsTest, PadHoldSpaceReversesForOneFrame)
{
    Restart(ProgramNamed("PadHold"));
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    const struct {
        bool bSpace;
        bool bButton;
        int iDirection;
        int iMove;
        int iEyeDirection;  // the direction the frame's camera was placed for
    } kFrames[] = {
        {false, true, 0, -8, -1},  {true, true, 0, -8, 0},   {false, true, 1, 8, 0},
        {false, true, 0, -8, 1},   {false, false, 1, 8, 0},  {true, false, 1, 8, 1},
        {false, false, 0, -8, 1},  {false, false, 1, 8, 0},  {false, false, 1, 8, 1},
    };
    int iFrame = 0;
    for (const auto& kFrame : kFrames) {
        SCOPED_TRACE(++iFrame);
        int iX = p.PlayerX();
        Step(kFrame.bSpace, kFrame.bButton);
        EXPECT_EQ(p.Direction(), kFrame.iDirection);
        EXPECT_EQ(p.PlayerX(), iX + kFrame.iMove);
        if (kFrame.iEyeDirection >= 0) {
            EXPECT_FLOAT_EQ(EyeX(), static_cast<float>(iX + 10 - 20 * kFrame.iEyeDirection));
        }
        EXPECT_FALSE(p.PadLatch());
    }
}

// The Space press that starts a game sets the latch. Let go after the new-game frame, it
// reverses the drawn direction; let go in that frame, the drawn direction stands.
TEST_F(BuildsTest, KeyToggleStartPressReversesOnlyAfterTheNewGame)
{
    for (bool bReleasedInNewGame : {false, true}) {
        SCOPED_TRACE(bReleasedInNewGame ? "released in the new-game frame" : "released in play");
        Restart(ProgramNamed("KeyToggle"));
        GameProbe& p = *m_pkProbe;
        Step(true);
        EXPECT_TRUE(p.SpaceLatch());
        Step(!bReleasedInNewGame);
        ASSERT_EQ(p.State(), STATE_PLAY);
        int iDrawn = p.Direction();
        Step();
        EXPECT_EQ(p.Direction(), bReleasedInNewGame ? iDrawn : 1 - iDrawn);
        EXPECT_FALSE(p.SpaceLatch());
        Step();
        EXPECT_EQ(p.Direction(), bReleasedInNewGame ? iDrawn : 1 - iDrawn);
    }
}

// brask-key-hold never uses the Space latch.
TEST_F(BuildsTest, KeyHoldLeavesTheSpaceLatchAlone)
{
    Restart(ProgramNamed("KeyHold"));
    StartPlaying();
    for (bool bSpace : {true, false, true, true, false}) {
        Step(bSpace);
        EXPECT_FALSE(m_pkProbe->SpaceLatch());
        EXPECT_EQ(m_pkProbe->Direction(), bSpace ? 0 : 1);
    }
}

// An attached controller's button 0 neither starts nor steers a keyboard program.
TEST_F(BuildsTest, KeyboardProgramsIgnoreAnAttachedController)
{
    for (const char* acName : {"KeyToggle", "KeyHold"}) {
        SCOPED_TRACE(acName);
        Restart(ProgramNamed(acName));
        GameProbe& p = *m_pkProbe;
        StepFrames(5, false, true);
        EXPECT_EQ(p.State(), STATE_ATTRACT);
        StartPlaying();
        int iDirection = p.Direction();
        for (bool bButton : {true, true, false, true, false}) {
            Step(false, bButton);
            EXPECT_EQ(p.Direction(), iDirection);
        }
        EXPECT_FALSE(p.PadLatch());
        EXPECT_EQ(CountCallsMentioning("controller"), 0);
    }
}

// A new game stops every track and starts its own from the beginning, looping, even when that
// track was playing already.
TEST_F(BuildsTest, KeyboardProgramsStartAGameTrackFromItsBeginning)
{
    for (const char* acName : {"KeyToggle", "KeyHold"}) {
        SCOPED_TRACE(acName);
        Restart(ProgramNamed(acName));
        GameProbe& p = *m_pkProbe;
        Step();
        ASSERT_TRUE(IsTrack(p.Voices(kMusicVoice)));
        ASSERT_TRUE(IsPlaying(p.Voices(kMusicVoice)));
        int aiPlays[5];
        for (int i = 0; i < 5; ++i) {
            qnSoundBuffer& kTrack = p.Sound(kTracks[i]);
            kTrack.Play(1);
            kTrack.GetBuffer()->SetCurrentPosition(400);
            aiPlays[i] = Plays(kTrack);
        }
        Step(true);
        Step();
        ASSERT_EQ(p.State(), STATE_PLAY);
        const qnSoundBuffer& kVoice = p.Voices(kMusicVoice);
        ASSERT_TRUE(IsTrack(kVoice));
        for (int i = 0; i < 5; ++i) {
            const qnSoundBuffer& kTrack = p.Sound(kTracks[i]);
            bool bChosen = kTrack.GetBuffer() == kVoice.GetBuffer();
            SCOPED_TRACE(kTracks[i]);
            EXPECT_EQ(IsPlaying(kTrack), bChosen);
            EXPECT_EQ(Plays(kTrack), aiPlays[i] + (bChosen ? 1 : 0));
            if (bChosen) {
                EXPECT_TRUE(IsLooping(kTrack));
                EXPECT_EQ(fake::SoundBufferInfo(kTrack.GetBuffer()).position, 0u);
            }
        }
    }
}

// A music sound that did not load: choosing it plays nothing, stopping it does nothing, and
// the games go on.
TEST_F(BuildsTest, MissingMusicSoundIsSkipped)
{
    for (const Program& kProgram : kPrograms) {
        SCOPED_TRACE(kProgram.acName);
        TearDown();
        SetUp();
        DataCopy kData;
        kData.Remove("sounds/m3.wav");
        StderrCapture kStderr;
        Start(kProgram);
        EXPECT_NE(kStderr.Text().find("m3.wav"), std::string::npos);
        ASSERT_FALSE(m_pkProbe->Sound("m3").IsLoaded());
        int iSilentStarts = 0;
        for (int iGame = 0; iGame < 12; ++iGame) {
            StartPlaying();
            const qnSoundBuffer& kVoice =
                m_pkProbe->Voices(kProgram.bMusicVoice ? kMusicVoice : m_pkProbe->Voice());
            iSilentStarts += kProgram.bMusicVoice && !kVoice.IsLoaded() ? 1 : 0;
            EXPECT_EQ(PlayingTracks(), kProgram.bMusicVoice && kVoice.IsLoaded() ? 1 : 0);
            for (int i = 0; i < 10; ++i) {
                ASSERT_EQ(Step(), 1);
            }
            ASSERT_EQ(m_pkProbe->State(), STATE_PLAY);
            m_pkProbe->State() = STATE_GAME_OVER;
            StepFrames(kGameOverFrames);
            ASSERT_EQ(m_pkProbe->State(), STATE_ATTRACT);
            EXPECT_EQ(PlayingTracks(), 0);
        }
        if (kProgram.bMusicVoice) {
            EXPECT_GT(iSilentStarts, 0);
        }
    }
}

}  // namespace
