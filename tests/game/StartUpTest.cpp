#include "GameFixture.h"

#include <set>

namespace {

TEST_F(GameTest, StartsOnTheAttractScreenWithAGamePrepared)
{
    StartGame();
    GameProbe& p = *m_pkProbe;
    EXPECT_EQ(p.State(), STATE_ATTRACT);
    EXPECT_EQ(p.PlayerX(), 1224);
    EXPECT_EQ(p.PlayerY(), -300);
    EXPECT_EQ(p.Player(), &p.Sprite("Car"));
    EXPECT_FALSE(p.TitleMusic());
    EXPECT_EQ(p.Zone(), ZONE_CAR);
    EXPECT_EQ(p.Fuel(), 100);
    EXPECT_EQ(p.CountInPlay(), 0);
    EXPECT_EQ(fake::LastWindow() ? fake::WindowTitle(fake::LastWindow()) : "",
              "Orvik  -  Tamberlo Arcade");
}

TEST_F(GameTest, FirstFrameStartsTheTitleMusicLooping)
{
    StartGame();
    EXPECT_EQ(Step(), 1);
    EXPECT_TRUE(m_pkProbe->TitleMusic());
    const qnSoundBuffer& kVoice = m_pkProbe->Voices(1);
    EXPECT_TRUE(IsPlaying(kVoice));
    EXPECT_TRUE(IsLooping(kVoice));
}

}  // namespace

namespace {

class StartUpTest : public GameTest {};

struct SpriteSize {
    const char* acName;
    uint32_t uiSize;  // 0: no size given at start-up
};

const SpriteSize kSprites[] = {
    {"Title", 0},         {"PaddlePanel", 0},   {"PaddleHand", 0},    {"CarPanel", 0},
    {"CarHand", 0},       {"CarDial", 0},       {"ShipPanel", 0},     {"ShipHand", 0},
    {"ShipHand2", 0},     {"FrameLine", 0},     {"Paddle", 150},      {"Car", 150},
    {"Ship", 150},        {"WallRight", 0},     {"WallLeft", 0},      {"CentreLine", 0},
    {"Ball", 0},          {"TopBar", 0},        {"CarMap0", 1100},    {"CarMap1", 1100},
    {"CarShield1", 150},  {"CarShield2", 150},  {"CarShield3", 150},  {"CarShield4", 150},
    {"ShipMap0", 1100},   {"ShipMap1", 1100},   {"Gauge", 0},         {"FuelIcon", 0},
    {"Track", 0},         {"Flag", 0},          {"Particle", 0},
};

TEST_F(StartUpTest, EverySpriteIsLoadedOpaqueWhiteAndThePlayerSpritesAre150)
{
    StartGame();
    for (const SpriteSize& kCase : kSprites) {
        SCOPED_TRACE(kCase.acName);
        const qnSprite& kSprite = m_pkProbe->Sprite(kCase.acName);
        EXPECT_TRUE(kSprite.IsLoaded());
        EXPECT_EQ(kSprite.GetColor(), 0xFFFFFFFFu);
        if (kCase.uiSize == 150) {
            EXPECT_EQ(kSprite.GetWidth(), 150u);
            EXPECT_EQ(kSprite.GetHeight(), 150u);
        }
    }
    // The backgrounds are sized by the first game: 1100 x 2000.
    EXPECT_EQ(m_pkProbe->Sprite("CarMap1").GetHeight(), 2000u);
    EXPECT_EQ(m_pkProbe->Sprite("ShipMap0").GetY(), -1000);
    EXPECT_EQ(m_pkProbe->Sprite("ShipMap1").GetY(), -3000);
}

TEST_F(StartUpTest, TemplatesAreWhiteAndSizedByType)
{
    StartGame();
    for (int iType = 0; iType < 30; ++iType) {
        SCOPED_TRACE(iType);
        const qnSprite& kTemplate = m_pkProbe->Template(iType);
        if (iType >= 25) {
            EXPECT_FALSE(kTemplate.IsLoaded());
            continue;
        }
        uint32_t uiSize = iType == OBJ_PLAYER_BULLET || iType == OBJ_ENEMY_BULLET ? 70u : 150u;
        EXPECT_TRUE(kTemplate.IsLoaded());
        EXPECT_EQ(kTemplate.GetWidth(), uiSize);
        EXPECT_EQ(kTemplate.GetHeight(), uiSize);
        EXPECT_EQ(kTemplate.GetColor(), 0xFFFFFFFFu);
    }
}

TEST_F(StartUpTest, TheMapIsReadOnceAndTheFirstGameIsPrepared)
{
    DataCopy kData;
    std::string kMap;
    for (int k = 0; k < 100; ++k) {
        kMap += std::to_string(k % 25) + " ";
    }
    kData.Write("graphics/map.txt", kMap);
    StderrCapture kErrors;
    StartGame();
    EXPECT_EQ(kErrors.Text(),
              "brask-pad-toggle: graphics/map.txt holds only 100 of its 12000 cells\n");
    GameProbe& p = *m_pkProbe;
    EXPECT_EQ(p.Map(0, 0), 0);
    EXPECT_EQ(p.Map(4, 3), 99 % 25);
    EXPECT_EQ(p.Map(4, 4), -1);
    EXPECT_EQ(p.State(), STATE_ATTRACT);
    EXPECT_EQ(p.Voice(), 0);
    EXPECT_EQ(p.Row(), 0);
    EXPECT_EQ(p.PaddleSize(), 2);
    EXPECT_EQ(p.BallY(), -820);
    EXPECT_EQ(p.Blink(), 0);
    EXPECT_FALSE(p.PadLatch());
    EXPECT_FALSE(p.SpaceLatch());
}

TEST_F(StartUpTest, TheSoundBankHoldsTwentySeparateBuffersAtFullVolume)
{
    StartGame();
    const char* const aacBank[] = {"e1",   "e2",   "e3",     "e4",   "e5",   "shoot", "ping",
                                   "pong", "barp", "barm",   "ship", "buffer", "fuel", "die1",
                                   "die2", "m1",   "m2",     "m3",   "m4",   "m5"};
    std::set<IDirectSoundBuffer*> kBuffers;
    for (const char* acName : aacBank) {
        SCOPED_TRACE(acName);
        IDirectSoundBuffer* pkBuffer = m_pkProbe->Sound(acName).GetBuffer();
        ASSERT_NE(pkBuffer, nullptr);
        kBuffers.insert(pkBuffer);
        EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).volume, 0);
        EXPECT_FALSE(IsPlaying(m_pkProbe->Sound(acName)));
    }
    EXPECT_EQ(kBuffers.size(), 20u);
    EXPECT_EQ(fake::SoundBuffers().size(), 20u);
}

TEST_F(StartUpTest, TheFirstFramePlaysOneOfTheFiveTitleTracks)
{
    StartGame();
    crt::SeedRand(5);
    int iTrack = crt::Rand() % 5;
    crt::SeedRand(5);
    Step();
    // The title music is drawn from the generator before the panels' dial.
    EXPECT_EQ(m_pkProbe->Voices(1).GetBuffer(),
              m_pkProbe->Sound("m" + std::to_string(iTrack + 1)).GetBuffer());
    Step();
    EXPECT_EQ(m_pkProbe->Voice(), 1);
}

}  // namespace
