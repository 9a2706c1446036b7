// A handle on one DirectSound secondary buffer holding one WAV file's samples. Copies share the
// buffer; none of them releases it. A handle without a buffer plays, stops and sets its volume
// and pan as silent no-ops that succeed.
#pragma once

#include "platform/dsound8.h"
#include "qnError.h"

class qnSoundBuffer {
public:
    qnSoundBuffer();
    ~qnSoundBuffer();
    qnSoundBuffer(const qnSoundBuffer&) = default;
    qnSoundBuffer& operator=(const qnSoundBuffer&) = default;

    // A missing file is not an error: 0, and the handle keeps what it held.
    qnError LoadFromFile(const char* acPath);
    bool IsLoaded() const;
    // The shared buffer, or null.
    IDirectSoundBuffer* GetBuffer() const;
    // (100 - v) x 100 hundredths of a decibel, so only 100 to 200 are accepted.
    qnError SetVolume(int iVolume);
    // From the first sample; any nonzero iLoop loops.
    qnError Play(int iLoop);
    qnError Stop();
    // DirectSound's own result.
    HRESULT SetPan(int iPan);

private:
    IDirectSoundBuffer* m_pkBuffer;
};
