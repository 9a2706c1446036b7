#include "qnSoundPlayer.h"

#include "qnSingleInstance.h"

namespace {
const char* const kModule = "qnSoundPlayer";
}

qnSoundPlayer::qnSoundPlayer() : m_pkDirectSound(nullptr)
{
    qnSingleInstance<qnSoundPlayer>::Register(m_pkSingleton, this, kModule);
}

qnSoundPlayer::~qnSoundPlayer()
{
    if (m_pkDirectSound) {
        m_pkDirectSound->Release();
        m_pkDirectSound = nullptr;
    }
    qnSingleInstance<qnSoundPlayer>::Unregister(m_pkSingleton, kModule);
}

qnError qnSoundPlayer::Init(HWND hWindow)
{
    // Only the pointer tells whether a device came; the status is not looked at.
    DirectSoundCreate8(nullptr, &m_pkDirectSound, nullptr);
    if (!m_pkDirectSound) {
        return QN_ERR_SOUND_CREATE;
    }
    if (FAILED(m_pkDirectSound->SetCooperativeLevel(hWindow, DSSCL_NORMAL))) {
        return QN_ERR_SOUND_COOPERATIVE;
    }
    return QN_OK;
}

IDirectSound8* qnSoundPlayer::GetDevice() const
{
    return m_pkDirectSound;
}

qnSoundPlayer* qnSoundPlayer::GetSingleton()
{
    return qnSingleInstance<qnSoundPlayer>::Get(m_pkSingleton, kModule);
}
