#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/fake_dsound8.h"
#include "fake/fake_win32.h"
#include "platform/crt.h"
#include "qnSoundPlayer.h"

namespace {

char g_cWindow;
HWND const kWindow = reinterpret_cast<HWND>(&g_cWindow);

std::vector<std::string> g_akReports;

void Record(const char* expression, const char* module, int)
{
    g_akReports.push_back(std::string(module) + ": " + expression);
}

class SoundPlayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        g_akReports.clear();
        m_pfnPrevious = crt::SetAssertHandler(Record);
    }
    void TearDown() override { crt::SetAssertHandler(m_pfnPrevious); }
    crt::AssertHandler m_pfnPrevious = nullptr;
};

TEST_F(SoundPlayerTest, InitCreatesTheDefaultDeviceAtTheNormalLevel)
{
    qnSoundPlayer kPlayer;
    EXPECT_EQ(kPlayer.GetDevice(), nullptr);
    ASSERT_EQ(kPlayer.Init(kWindow), QN_OK);
    EXPECT_NE(kPlayer.GetDevice(), nullptr);
    EXPECT_EQ(kPlayer.GetDevice(), fake::SoundDevice());
    EXPECT_EQ(fake::SoundCooperativeLevel(), DWORD{DSSCL_NORMAL});
    std::vector<std::string> akExpected = {"DirectSoundCreate8(null)",
                                           "IDirectSound8::SetCooperativeLevel(1)"};
    EXPECT_EQ(fake::Calls(), akExpected);
    EXPECT_TRUE(g_akReports.empty());
}

TEST_F(SoundPlayerTest, NoDeviceGives41AndStopsThere)
{
    qnSoundPlayer kPlayer;
    fake::FailCall("DirectSoundCreate8", 1);
    EXPECT_EQ(kPlayer.Init(kWindow), QN_ERR_SOUND_CREATE);
    EXPECT_EQ(kPlayer.GetDevice(), nullptr);
    EXPECT_EQ(fake::CountCalls("IDirectSound8::"), 0);
}

TEST_F(SoundPlayerTest, RefusedCooperativeLevelGives17AndKeepsTheDevice)
{
    qnSoundPlayer kPlayer;
    fake::FailCall("IDirectSound8::SetCooperativeLevel", 1);
    EXPECT_EQ(kPlayer.Init(kWindow), QN_ERR_SOUND_COOPERATIVE);
    EXPECT_NE(kPlayer.GetDevice(), nullptr);
}

TEST_F(SoundPlayerTest, DestructorReleasesTheDeviceThenClearsTheSingleton)
{
    {
        qnSoundPlayer kPlayer;
        ASSERT_EQ(kPlayer.Init(kWindow), QN_OK);
        EXPECT_EQ(qnSoundPlayer::GetSingleton(), &kPlayer);
        fake::ClearCalls();
    }
    EXPECT_EQ(fake::SoundDevice(), nullptr);
    EXPECT_EQ(fake::Calls(), std::vector<std::string>{"IDirectSound8::Release()"});
    EXPECT_TRUE(g_akReports.empty());
    EXPECT_EQ(qnSoundPlayer::GetSingleton(), nullptr);
    EXPECT_EQ(g_akReports, std::vector<std::string>{"qnSoundPlayer: m_pkSingleton"});
}

TEST_F(SoundPlayerTest, SecondInstanceReports)
{
    qnSoundPlayer kFirst;
    {
        qnSoundPlayer kSecond;
        EXPECT_EQ(g_akReports, std::vector<std::string>{"qnSoundPlayer: !m_pkSingleton"});
    }
    // The second one's destructor cleared the pointer whatever it held.
    EXPECT_EQ(qnSoundPlayer::GetSingleton(), nullptr);
    EXPECT_EQ(g_akReports.back(), "qnSoundPlayer: m_pkSingleton");
}

}  // namespace
