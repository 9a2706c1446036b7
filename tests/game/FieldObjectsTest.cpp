#include <set>
#include <string>

#include "GameFixture.h"

namespace {

class FieldObjectsTest : public GameTest {
protected:
    void SetUp() override
    {
        GameTest::SetUp();
        StartGame();
    }

    // Every sound of the bank: how many times it has been started so far.
    int AllPlays()
    {
        int iPlays = 0;
        for (IDirectSoundBuffer* pkBuffer : fake::SoundBuffers()) {
            iPlays += fake::SoundBufferInfo(pkBuffer).plays;
        }
        return iPlays;
    }

    int ParticleDraws(int iExplosions)
    {
        for (int i = 0; i < iExplosions; ++i) {
            m_pkGame->StartExplosion(100 * i, -500);
        }
        fake::d3d::ClearDraws();
        m_pkGame->UpdateExplosions();
        return static_cast<int>(fake::d3d::Draws().size());
    }
};

std::string MapOf(int iValue, int iCount)
{
    std::string kMap;
    for (int k = 0; k < iCount; ++k) {
        kMap += std::to_string(iValue) + (k % 24 == 23 ? "\n" : " ");
    }
    return kMap;
}

TEST_F(FieldObjectsTest, ASpawnedObjectTakesItsTemplateSizeAndHitPoints)
{
    GameProbe& p = *m_pkProbe;
    for (int iType = 0; iType < 25; ++iType) {
        SCOPED_TRACE(iType);
        p.Object(0).Reset();
        m_pkGame->SpawnObject(iType, 10 * iType - 450, -2000);
        FieldObject& kObject = p.Object(0);
        uint32_t uiSize = iType == 18 || iType == 19 ? 70u : 150u;
        EXPECT_EQ(kObject.m_iType, iType);
        EXPECT_EQ(kObject.m_iX, 10 * iType - 450);
        EXPECT_EQ(kObject.m_iY, -2000);
        EXPECT_EQ(kObject.m_kSprite.GetX(), 10 * iType - 450);
        EXPECT_EQ(kObject.m_kSprite.GetY(), -2000);
        EXPECT_EQ(kObject.m_kSprite.GetWidth(), uiSize);
        EXPECT_EQ(kObject.m_kSprite.GetHeight(), uiSize);
        EXPECT_EQ(kObject.m_kSprite.GetColor(), 0xFFFFFFFFu);
        fake::d3d::ClearDraws();
        kObject.m_kSprite.Draw(0);
        ASSERT_EQ(fake::d3d::Draws().size(), 1u);
        EXPECT_EQ(kObject.m_iHitPoints, iType == 17 ? 15 : 0);
        EXPECT_EQ(kObject.m_iTimer, 0);
        EXPECT_EQ(kObject.m_uiZigZag, 0);
        EXPECT_EQ(p.CountInPlay(), 1);
    }
    p.Object(0).Reset();
    m_pkGame->SpawnObject(OBJ_FREE, 0, 0);
    EXPECT_EQ(p.CountInPlay(), 0);
}

TEST_F(FieldObjectsTest, AFullPoolDropsTheSpawnAndAFreedSlotIsReusedLowestFirst)
{
    GameProbe& p = *m_pkProbe;
    for (int i = 0; i < 300; ++i) {
        m_pkGame->SpawnObject(i % 18, i, -i);
    }
    EXPECT_EQ(p.Object(299).m_iX, 299);
    m_pkGame->SpawnObject(20, 5000, 5000);
    EXPECT_EQ(p.CountInPlay(), 300);
    EXPECT_EQ(p.CountOfType(20), 0);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(p.Object(i).m_iX, i);
    }
    p.Object(200).Reset();
    p.Object(45).Reset();
    EXPECT_EQ(p.Object(45).m_iType, OBJ_FREE);
    EXPECT_EQ(p.Object(45).m_kSprite.GetWidth(), 0u);
    m_pkGame->SpawnObject(21, 7, 8);
    EXPECT_EQ(p.Object(45).m_iType, 21);
    m_pkGame->SpawnObject(22, 9, 10);
    EXPECT_EQ(p.Object(200).m_iType, 22);
    EXPECT_EQ(p.Object(200).m_kSprite.GetWidth(), 150u);
}

TEST_F(FieldObjectsTest, ThirtyExplosionsRunAtOnceAndAThirtyFirstIsNotShown)
{
    EXPECT_EQ(ParticleDraws(31), 300);
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(m_pkProbe->ExplosionSlot(i).m_iFrame, 1);
        EXPECT_EQ(m_pkProbe->ExplosionSlot(i).m_iX, 100 * i);
    }
}

TEST_F(FieldObjectsTest, AnExplosionDrawsTenParticlesAFrameForTwentyFrames)
{
    std::vector<int> kDraws;
    kDraws.push_back(ParticleDraws(1));
    for (int i = 0; i < 20; ++i) {
        kDraws.push_back(ParticleDraws(0));
    }
    std::vector<int> kExpected(20, 10);
    kExpected.push_back(0);
    EXPECT_EQ(kDraws, kExpected);
    EXPECT_EQ(m_pkProbe->ExplosionSlot(0).m_iActive, 0);
}

// a - b, a drawn first.
int Jitter(int iRange)
{
    int iAdded = crt::Rand() % iRange;
    return iAdded - crt::Rand() % iRange;
}

TEST_F(FieldObjectsTest, ParticlesDrawTheirRandomNumbersInOrder)
{
    m_pkGame->StartExplosion(300, -700);
    crt::SeedRand(77);
    int iX = 0, iY = 0, iRed = 0, iGreen = 0, iBlue = 0, iWidth = 0, iHeight = 0;
    for (int i = 0; i < 10; ++i) {
        iY = -700 + Jitter(10);
        iX = 300 + Jitter(10);
        iBlue = crt::Rand() % 255;
        iGreen = crt::Rand() % 255;
        iRed = crt::Rand() % 255;
        iHeight = 80 + Jitter(60);
        iWidth = 80 + Jitter(60);
    }
    int iNext = crt::Rand();
    crt::SeedRand(77);
    m_pkGame->UpdateExplosions();
    const qnSprite& kParticle = m_pkProbe->Sprite("Particle");
    EXPECT_EQ(kParticle.GetX(), iX);
    EXPECT_EQ(kParticle.GetY(), iY);
    EXPECT_EQ(kParticle.GetColor(),
              0xFF000000u | static_cast<uint32_t>(iRed << 16 | iGreen << 8 | iBlue));
    EXPECT_EQ(kParticle.GetWidth(), static_cast<uint32_t>(iWidth));
    EXPECT_EQ(kParticle.GetHeight(), static_cast<uint32_t>(iHeight));
    EXPECT_EQ(crt::Rand(), iNext);
}

struct EventCase {
    int iEvent;
    std::vector<std::string> kSounds;  // picked by rand() % size when more than one
    bool bLooping;
};

TEST_F(FieldObjectsTest, EachEventPlaysItsBankSoundOnTheNextVoice)
{
    const EventCase kCases[] = {
        {SOUND_E, {"e1", "e2", "e3", "e4", "e5"}, false},
        {SOUND_SHOOT, {"shoot"}, false},
        {SOUND_PING, {"ping"}, false},
        {SOUND_PONG, {"pong"}, false},
        {SOUND_BARM, {"barm"}, false},
        {SOUND_BARP, {"barp"}, false},
        {SOUND_SHIP, {"ship"}, false},
        {SOUND_BUFFER, {"buffer"}, false},
        {SOUND_FUEL, {"fuel"}, false},
        {SOUND_DIE, {"die1", "die2"}, false},
        {SOUND_M, {"m1", "m2", "m3", "m4", "m5"}, true},
    };
    GameProbe& p = *m_pkProbe;
    for (const EventCase& kCase : kCases) {
        for (unsigned int uiSeed : {3u, 4u, 9u}) {
            SCOPED_TRACE(kCase.iEvent);
            p.Voice() = kCase.iEvent;
            crt::SeedRand(uiSeed);
            size_t uiPick = kCase.kSounds.size() > 1 ? crt::Rand() % kCase.kSounds.size() : 0;
            crt::SeedRand(uiSeed);
            const qnSoundBuffer& kBank = p.Sound(kCase.kSounds[uiPick]);
            int iPlays = Plays(kBank);
            m_pkGame->PlaySoundEvent(kCase.iEvent);
            EXPECT_EQ(p.Voice(), kCase.iEvent + 1);
            const qnSoundBuffer& kVoice = p.Voices(kCase.iEvent + 1);
            EXPECT_EQ(kVoice.GetBuffer(), kBank.GetBuffer());
            EXPECT_TRUE(IsPlaying(kVoice));
            EXPECT_EQ(IsLooping(kVoice), kCase.bLooping);
            EXPECT_EQ(Plays(kBank), iPlays + 1);
            kBank.GetBuffer()->Stop();
        }
    }
    EXPECT_EQ(fake::SoundBuffers().size(), 20u);
}

TEST_F(FieldObjectsTest, AnEventOutside0To10PlaysNothingButMovesTheRingOn)
{
    GameProbe& p = *m_pkProbe;
    int iPlays = AllPlays();
    int iVoice = 0;
    for (int iEvent : {11, -1, 12, 1000}) {
        SCOPED_TRACE(iEvent);
        m_pkGame->PlaySoundEvent(iEvent);
        ++iVoice;
        EXPECT_EQ(p.Voice(), iVoice);
        EXPECT_EQ(p.Voices(iVoice).GetBuffer(), nullptr);
    }
    EXPECT_EQ(AllPlays(), iPlays);
}

TEST_F(FieldObjectsTest, TheRingWrapsAfterTwentyAndLeavesTheOverwrittenSoundPlaying)
{
    GameProbe& p = *m_pkProbe;
    m_pkGame->PlaySoundEvent(SOUND_M);
    IDirectSoundBuffer* pkMusic = p.Voices(1).GetBuffer();
    for (int i = 0; i < 19; ++i) {
        m_pkGame->PlaySoundEvent(SOUND_PING);
    }
    EXPECT_EQ(p.Voice(), 0);
    m_pkGame->PlaySoundEvent(SOUND_PONG);
    EXPECT_EQ(p.Voice(), 1);
    EXPECT_EQ(p.Voices(1).GetBuffer(), p.Sound("pong").GetBuffer());
    EXPECT_TRUE(fake::SoundBufferInfo(pkMusic).playing);
    // Every ping voice refers to the one ping buffer, restarted each time.
    EXPECT_EQ(p.Voices(0).GetBuffer(), p.Sound("ping").GetBuffer());
    EXPECT_EQ(p.Voices(19).GetBuffer(), p.Sound("ping").GetBuffer());
    EXPECT_EQ(Plays(p.Sound("ping")), 19);
    EXPECT_EQ(fake::SoundBuffers().size(), 20u);
}

TEST_F(FieldObjectsTest, ANewGameReadsTheMapAgainAndResetsTheRun)
{
    DataCopy kData;
    kData.Write("graphics/map.txt", MapOf(3, 12000));
    GameProbe& p = *m_pkProbe;
    StartPlaying();
    EXPECT_EQ(p.Map(0, 0), 3);
    EXPECT_EQ(p.Map(499, 23), 3);

    m_pkGame->SpawnObject(5, 100, -100);
    m_pkGame->StartExplosion(40, -60);
    m_pkGame->PlaySoundEvent(SOUND_PING);
    p.FireTimer() = 4;
    p.Row() = 77;
    p.Score() = 900;
    p.Guns() = 2;
    p.PlayerX() = 2000;
    p.Zone() = ZONE_SHIP;
    p.Blink() = 6;
    p.Sprite("FuelIcon").SetColor(255, 255, 255, 0);
    kData.Write("graphics/map.txt", std::string("7 -1 24 ") + MapOf(0, 5));
    StderrCapture kErrors;
    m_pkGame->NewGame();
    EXPECT_EQ(kErrors.Text(),
              "brask-pad-toggle: graphics/map.txt holds only 8 of its 12000 cells\n");

    // Cells the short file did not reach keep what the last game read.
    EXPECT_EQ(p.Map(0, 0), 7);
    EXPECT_EQ(p.Map(0, 1), -1);
    EXPECT_EQ(p.Map(0, 2), 24);
    EXPECT_EQ(p.Map(0, 7), 0);
    EXPECT_EQ(p.Map(0, 8), 3);
    EXPECT_EQ(p.Map(499, 23), 3);
    EXPECT_EQ(p.CountInPlay(), 0);
    EXPECT_EQ(p.ExplosionSlot(0).m_iActive, 0);
    EXPECT_EQ(p.ExplosionSlot(0).m_iX, 40);
    EXPECT_EQ(p.Voice(), 0);
    EXPECT_TRUE(IsPlaying(p.Sound("ping")));
    EXPECT_EQ(p.FireTimer(), 0);
    EXPECT_EQ(p.Row(), 0);
    EXPECT_EQ(p.Score(), 0);
    EXPECT_EQ(p.Guns(), 0);
    EXPECT_EQ(p.PlayerX(), 1224);
    EXPECT_EQ(p.Zone(), ZONE_CAR);
    EXPECT_EQ(p.State(), STATE_PLAY);
    EXPECT_EQ(p.Blink(), 6);
    EXPECT_EQ(p.Sprite("FuelIcon").GetColor(), 0xFFFFFFFFu);
    EXPECT_EQ(p.Player(), &p.Sprite("Car"));
}

TEST_F(FieldObjectsTest, NewGameDrawsDirectionThenBallInOrder)
{
    crt::SeedRand(21);
    int iDirection = crt::Rand() % 2;
    int iSubtracted = crt::Rand() % 200;
    int iBallX = -iSubtracted + crt::Rand() % 200;
    int iBallDX = crt::Rand() % 3 + 7;
    crt::SeedRand(21);
    m_pkGame->NewGame();
    EXPECT_EQ(m_pkProbe->Direction(), iDirection);
    EXPECT_EQ(m_pkProbe->BallX(), iBallX);
    EXPECT_EQ(m_pkProbe->BallDX(), iBallDX);
    EXPECT_EQ(m_pkProbe->BallY(), -820);
    EXPECT_EQ(m_pkProbe->BallDY(), 5);
}

}  // namespace
