// The one owner of the DirectSound device, at the normal cooperative level. Sound buffers ask
// it for the device through the single-instance accessor when they load.
#pragma once

#include "platform/dsound8.h"
#include "qnError.h"

class qnSoundPlayer {
public:
    qnSoundPlayer();
    ~qnSoundPlayer();
    qnSoundPlayer(const qnSoundPlayer&) = delete;
    qnSoundPlayer& operator=(const qnSoundPlayer&) = delete;

    qnError Init(HWND hWindow);
    IDirectSound8* GetDevice() const;
    static qnSoundPlayer* GetSingleton();

private:
    IDirectSound8* m_pkDirectSound;
    static inline qnSoundPlayer* m_pkSingleton = nullptr;
};
