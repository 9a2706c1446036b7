#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "fake/fake_mci.h"
#include "fake/fake_win32.h"
#include "qnCDPlayer.h"

namespace {

using Commands = std::vector<std::string>;

class CDPlayerTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }
};

TEST_F(CDPlayerTest, OpensWhenBuiltStopsAndClosesWhenDestroyed)
{
    {
        qnCDPlayer kPlayer;
        EXPECT_EQ(fake::MciCommands(), Commands{"open cdaudio"});
        EXPECT_EQ(kPlayer.GetTrackCount(), 0);
        EXPECT_STREQ(kPlayer.GetLengthText(), "");
    }
    EXPECT_EQ(fake::MciCommands(), (Commands{"open cdaudio", "stop cdaudio", "close cdaudio"}));
}

TEST_F(CDPlayerTest, PlayGoesFromTheTrackToTheLastTrackRead)
{
    fake::SetMciReply("status cdaudio number of tracks", "12");
    fake::SetMciReply("status cdaudio length", "48:10:33");
    qnCDPlayer kPlayer;
    EXPECT_EQ(kPlayer.ReadStatus(), 0u);
    EXPECT_EQ(kPlayer.GetTrackCount(), 12);
    EXPECT_STREQ(kPlayer.GetLengthText(), "48:10:33");
    fake::SetMciReply("play cdaudio from 1 to 12", "", MCIERR_DEVICE_NOT_READY);
    EXPECT_EQ(kPlayer.Play(1), uint32_t{MCIERR_DEVICE_NOT_READY});
    EXPECT_EQ(kPlayer.Play(-3), 0u);
    Commands akExpected = {"open cdaudio", "status cdaudio number of tracks",
                           "status cdaudio length", "play cdaudio from 1 to 12",
                           "play cdaudio from -3 to 12"};
    EXPECT_EQ(fake::MciCommands(), akExpected);
}

TEST_F(CDPlayerTest, TrackCountIsTheReplysLeadingNumber)
{
    struct Row {
        const char* reply;
        int32_t count;
    };
    const Row akRows[] = {{"7", 7},          {"x7", 0},       {"", 0},
                          {" 3 tracks", 3},  {"-2", -2},      {"99999999999", INT32_MAX},
                          {"-99999999999", INT32_MIN}};
    qnCDPlayer kPlayer;
    for (const Row& kRow : akRows) {
        fake::SetMciReply("status cdaudio number of tracks", kRow.reply);
        kPlayer.ReadStatus();
        EXPECT_EQ(kPlayer.GetTrackCount(), kRow.count) << kRow.reply;
    }
}

TEST_F(CDPlayerTest, ReadStatusGivesTheLengthCommandsCode)
{
    fake::SetMciReply("status cdaudio number of tracks", "9", MCIERR_HARDWARE);
    fake::SetMciReply("status cdaudio length", "", MCIERR_DEVICE_NOT_READY);
    qnCDPlayer kPlayer;
    EXPECT_EQ(kPlayer.ReadStatus(), uint32_t{MCIERR_DEVICE_NOT_READY});
    // The first reply is read whatever its command returned.
    EXPECT_EQ(kPlayer.GetTrackCount(), 9);
    EXPECT_STREQ(kPlayer.GetLengthText(), "");
}

TEST_F(CDPlayerTest, OverlongRepliesAreCutToTheirBuffers)
{
    std::string kLong(400, '7');
    fake::SetMciReply("status cdaudio number of tracks", kLong);
    fake::SetMciReply("status cdaudio length", kLong);
    fake::SetMciReply("status cdaudio ready", "true" + kLong);
    qnCDPlayer kPlayer;
    EXPECT_EQ(kPlayer.ReadStatus(), uint32_t{MCIERR_PARAM_OVERFLOW});
    EXPECT_EQ(std::strlen(kPlayer.GetLengthText()), 254u);
    EXPECT_EQ(kPlayer.GetTrackCount(), INT32_MAX);
    EXPECT_FALSE(kPlayer.IsReady());
}

TEST_F(CDPlayerTest, ReadyOnlyForExactlyTrue)
{
    struct Row {
        const char* reply;
        bool ready;
    };
    const Row akRows[] = {{"true", true},   {"True", false}, {"TRUE", false}, {"true ", false},
                          {" true", false}, {"false", false}, {"", false}};
    qnCDPlayer kPlayer;
    for (const Row& kRow : akRows) {
        fake::SetMciReply("status cdaudio ready", kRow.reply);
        EXPECT_EQ(kPlayer.IsReady(), kRow.ready) << '"' << kRow.reply << '"';
    }
    EXPECT_EQ(fake::CountCalls("mciSendStringA(status cdaudio ready)"), 7);
}

TEST_F(CDPlayerTest, DoorAndStopHandBackTheirCodes)
{
    fake::SetMciReply("set cdaudio door open", "", MCIERR_HARDWARE);
    qnCDPlayer kPlayer;
    EXPECT_EQ(kPlayer.OpenDoor(), uint32_t{MCIERR_HARDWARE});
    fake::FailCall("mciSendStringA", 1);
    EXPECT_EQ(kPlayer.Stop(), uint32_t{MCIERR_HARDWARE});
    EXPECT_EQ(kPlayer.Stop(), 0u);
    EXPECT_EQ(fake::MciCommands(),
              (Commands{"open cdaudio", "set cdaudio door open", "stop cdaudio", "stop cdaudio"}));
}

}  // namespace
