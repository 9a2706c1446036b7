#include "qnCDPlayer.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

constexpr UINT kReplySize = 255;

uint32_t Send(const char* acCommand)
{
    return mciSendStringA(acCommand, nullptr, 0, nullptr);
}

// The reply's leading decimal number, as the runtime's atoi reads it, held to the int32 range
// instead of overflowing.
int32_t LeadingNumber(const char* acReply)
{
    long iValue = std::strtol(acReply, nullptr, 10);
    if (iValue > std::numeric_limits<int32_t>::max()) {
        return std::numeric_limits<int32_t>::max();
    }
    if (iValue < std::numeric_limits<int32_t>::min()) {
        return std::numeric_limits<int32_t>::min();
    }
    return static_cast<int32_t>(iValue);
}

}  // namespace

qnCDPlayer::qnCDPlayer() : m_iTrackCount(0), m_acLength()
{
    Send("open cdaudio");
}

qnCDPlayer::~qnCDPlayer()
{
    Stop();
    Send("close cdaudio");
}

uint32_t qnCDPlayer::OpenDoor()
{
    return Send("set cdaudio door open");
}

uint32_t qnCDPlayer::Play(int32_t iFrom)
{
    char acCommand[256];
    std::snprintf(acCommand, sizeof acCommand, "play cdaudio from %d to %d", iFrom, m_iTrackCount);
    return Send(acCommand);
}

uint32_t qnCDPlayer::Stop()
{
    return Send("stop cdaudio");
}

uint32_t qnCDPlayer::ReadStatus()
{
    // A failed command may leave its reply unwritten: it then reads as empty.
    char acTracks[kReplySize] = {};
    mciSendStringA("status cdaudio number of tracks", acTracks, kReplySize, nullptr);
    acTracks[kReplySize - 1] = '\0';
    m_iTrackCount = LeadingNumber(acTracks);
    m_acLength[0] = '\0';
    uint32_t uiResult = mciSendStringA("status cdaudio length", m_acLength, kReplySize, nullptr);
    m_acLength[kReplySize - 1] = '\0';
    return uiResult;
}

int32_t qnCDPlayer::GetTrackCount() const
{
    return m_iTrackCount;
}

const char* qnCDPlayer::GetLengthText() const
{
    return m_acLength;
}

bool qnCDPlayer::IsReady()
{
    char acReply[kReplySize] = {};
    mciSendStringA("status cdaudio ready", acReply, kReplySize, nullptr);
    acReply[kReplySize - 1] = '\0';
    return std::strcmp(acReply, "true") == 0;
}
