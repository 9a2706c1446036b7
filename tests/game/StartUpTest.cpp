#include "GameFixture.h"

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
