// Audio tracks from the CD drive through the multimedia command strings of the cdaudio device:
// opened when built, stopped and closed when destroyed. MCI codes go back to the caller as
// they came.
#pragma once

#include <cstdint>

#include "platform/mci.h"

class qnCDPlayer {
public:
    qnCDPlayer();
    ~qnCDPlayer();
    qnCDPlayer(const qnCDPlayer&) = delete;
    qnCDPlayer& operator=(const qnCDPlayer&) = delete;

    uint32_t OpenDoor();
    // From the given track to the last one that ReadStatus found.
    uint32_t Play(int32_t iFrom);
    uint32_t Stop();
    // The track count and the length text; the code is the length command's.
    uint32_t ReadStatus();
    int32_t GetTrackCount() const;
    const char* GetLengthText() const;
    bool IsReady();

private:
    int32_t m_iTrackCount;
    char m_acLength[255];
};
