#include "fake/fake_dsound8.h"

#include <algorithm>

#include "dsound_device.h"
#include "fake/fake_win32.h"

namespace {

// Nothing reads the buffers on another thread here.
class NoLock final : public dsound::AudioLock {
public:
    void Lock() override {}
    void Unlock() override {}
};

class FakeSoundDevice;
FakeSoundDevice* g_pkDevice = nullptr;

class FakeSoundDevice final : public dsound::SoundDevice {
public:
    FakeSoundDevice() : dsound::SoundDevice(m_kNoLock) {}
    ~FakeSoundDevice() override { g_pkDevice = nullptr; }

private:
    NoLock m_kNoLock;
};

void ResetSound()
{
    delete g_pkDevice;
}

const bool g_bRegistered = (fake::OnReset(ResetSound), true);

dsound::SoundBuffer* Find(IDirectSoundBuffer* buffer)
{
    if (!g_pkDevice) {
        return nullptr;
    }
    const auto& apkBuffers = g_pkDevice->Buffers();
    auto found = std::find(apkBuffers.begin(), apkBuffers.end(), buffer);
    return found == apkBuffers.end() ? nullptr : *found;
}

}  // namespace

HRESULT WINAPI DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, LPVOID outer)
{
    fake::Log(std::string("DirectSoundCreate8(") + (device ? "guid" : "null") + ")");
    if (!directSound) {
        return DSERR_INVALIDPARAM;
    }
    *directSound = nullptr;
    if (outer) {
        return DSERR_NOAGGREGATION;
    }
    if (device || fake::ShouldFail("DirectSoundCreate8")) {
        return DSERR_NODRIVER;
    }
    if (g_pkDevice) {
        return DSERR_ALLOCATED;
    }
    g_pkDevice = new FakeSoundDevice;
    *directSound = g_pkDevice;
    return DS_OK;
}

namespace fake {

IDirectSound8* SoundDevice()
{
    return g_pkDevice;
}

DWORD SoundCooperativeLevel()
{
    return g_pkDevice ? g_pkDevice->CooperativeLevel() : 0;
}

std::vector<IDirectSoundBuffer*> SoundBuffers()
{
    if (!g_pkDevice) {
        return {};
    }
    return {g_pkDevice->Buffers().begin(), g_pkDevice->Buffers().end()};
}

SoundBufferState SoundBufferInfo(IDirectSoundBuffer* buffer)
{
    dsound::SoundBuffer* pkBuffer = Find(buffer);
    if (!pkBuffer) {
        return {};
    }
    DWORD uiPosition = 0;
    pkBuffer->GetCurrentPosition(&uiPosition, nullptr);
    return {pkBuffer->Format(),        pkBuffer->Flags(),      pkBuffer->Samples(),
            pkBuffer->BytesUnlocked(), pkBuffer->Volume(),     pkBuffer->Pan(),
            uiPosition,                pkBuffer->IsPlaying(),  pkBuffer->IsLooping(),
            pkBuffer->PlayCount(),     pkBuffer->References()};
}

}  // namespace fake
