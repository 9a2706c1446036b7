// WAV files through qnSoundBuffer::LoadFromFile, with a sound player on the fake DirectSound.
#include <vector>

#include "FuzzTargets.h"
#include "Scratch.h"
#include "fake/fake_dsound8.h"
#include "fake/fake_win32.h"
#include "qnSoundBuffer.h"
#include "qnSoundPlayer.h"

namespace fuzz {

namespace {

char g_cWindow;

bool IsLoaderResult(qnError iResult)
{
    return iResult == QN_OK || iResult == QN_ERR_NOT_WAVE ||
           iResult == QN_ERR_SOUND_CREATE_BUFFER || iResult == QN_ERR_SOUND_LOCK;
}

// A loaded sound holds at most one buffer, no larger than the file.
void CheckBuffers(qnError iResult, size_t uiFileBytes)
{
    std::vector<IDirectSoundBuffer*> apkBuffers = fake::SoundBuffers();
    Require(apkBuffers.size() <= 1, "wave: more than one buffer");
    Require(iResult != QN_ERR_NOT_WAVE || apkBuffers.empty(), "wave: a refused file made a buffer");
    for (IDirectSoundBuffer* pkBuffer : apkBuffers) {
        Require(fake::SoundBufferInfo(pkBuffer).samples.size() <= uiFileBytes,
                "wave: a buffer larger than the file");
    }
}

}  // namespace

void LoadWave(const uint8_t* pucData, size_t uiSize)
{
    std::string kPath = WriteScratch("input.wav", pucData, uiSize);
    fake::ClearCalls();
    {
        // The player releases the device, and with it every buffer it made.
        qnSoundPlayer kPlayer;
        Require(kPlayer.Init(reinterpret_cast<HWND>(&g_cWindow)) == QN_OK, "wave: no fake device");
        qnSoundBuffer kSound;
        qnError iResult = kSound.LoadFromFile(kPath.c_str());
        Require(IsLoaderResult(iResult), "wave: unknown result code");
        CheckBuffers(iResult, uiSize);
        kSound.SetVolume(150);
        kSound.Play(1);
        kSound.Stop();
    }
    Require(fake::SoundDevice() == nullptr, "wave: the device outlives the player");
}

}  // namespace fuzz
