// The test world's audio device: what DirectSound was asked to make and to play.
#pragma once

#include <vector>

#include "platform/dsound8.h"

namespace fake {

// One secondary buffer as the test world sees it.
struct SoundBufferState {
    WAVEFORMATEX format;
    DWORD flags;
    std::vector<BYTE> samples;
    // Bytes handed back through Unlock so far.
    DWORD bytesUnlocked;
    LONG volume;
    LONG pan;
    DWORD position;
    bool playing;
    bool looping;
    // Successful Play calls so far.
    int plays;
    ULONG references;
};

// The device that DirectSoundCreate8 made and that is still alive, or null. FailCall
// ("DirectSoundCreate8") makes the next creation leave no device.
IDirectSound8* SoundDevice();
DWORD SoundCooperativeLevel();
// The live device's buffers, in creation order.
std::vector<IDirectSoundBuffer*> SoundBuffers();
SoundBufferState SoundBufferInfo(IDirectSoundBuffer* buffer);

}  // namespace fake
