// The sound events: each plays a bank sound on the next voice of the ring. A voice shares its
// bank sound's buffer, so an event whose sound still plays restarts it.
#include "ArcadeGame.h"
#include "platform/crt.h"

void ArcadeGame::PlaySoundEvent(int iEvent)
{
    m_iVoice += 1;
    if (m_iVoice == kRingVoices) {
        m_iVoice = 0;
    }
    const qnSoundBuffer* pkSound = nullptr;
    switch (iEvent) {
    case SOUND_E:
        pkSound = &m_akSoundE[crt::Rand() % 5];
        break;
    case SOUND_SHOOT:
        pkSound = &m_kSoundShoot;
        break;
    case SOUND_PING:
        pkSound = &m_kSoundPing;
        break;
    case SOUND_PONG:
        pkSound = &m_kSoundPong;
        break;
    case SOUND_BARM:
        pkSound = &m_kSoundBarm;
        break;
    case SOUND_BARP:
        pkSound = &m_kSoundBarp;
        break;
    case SOUND_SHIP:
        pkSound = &m_kSoundShip;
        break;
    case SOUND_BUFFER:
        pkSound = &m_kSoundBuffer;
        break;
    case SOUND_FUEL:
        pkSound = &m_kSoundFuel;
        break;
    case SOUND_DIE:
        pkSound = &m_akSoundDie[crt::Rand() % 2];
        break;
    case SOUND_M:
        pkSound = &m_akSoundM[crt::Rand() % 5];
        break;
    default:
        return;
    }
    bool bMusic = iEvent == SOUND_M;
    qnSoundBuffer& kVoice =
        bMusic && m_kSettings.bMusicDuringPlay ? m_akVoices[kMusicVoice] : m_akVoices[m_iVoice];
    kVoice = *pkSound;
    kVoice.Play(bMusic ? 1 : 0);
}
