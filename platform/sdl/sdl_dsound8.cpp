// DirectSound on SDL audio: every playing secondary buffer is resampled from its own PCM format
// and mixed, with its volume and pan, into one float stereo stream in SDL's audio callback.
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "dsound_device.h"
#include "platform/dsound8.h"

namespace {

constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;
constexpr Uint16 kCallbackFrames = 1024;

// SDL holds this lock while it runs the callback.
class SdlAudioLock final : public dsound::AudioLock {
public:
    void Lock() override
    {
        if (m_uiDevice != 0) {
            SDL_LockAudioDevice(m_uiDevice);
        }
    }
    void Unlock() override
    {
        if (m_uiDevice != 0) {
            SDL_UnlockAudioDevice(m_uiDevice);
        }
    }
    SDL_AudioDeviceID m_uiDevice = 0;
};

// An attenuation in hundredths of a decibel as an amplitude factor; the minimum is silence.
float Gain(LONG hundredthsOfDecibel)
{
    if (hundredthsOfDecibel <= DSBVOLUME_MIN) {
        return 0.0f;
    }
    return static_cast<float>(std::pow(10.0, hundredthsOfDecibel / 2000.0));
}

// One channel of one frame, from -1 to 1.
float SampleAt(const dsound::SoundBuffer& buffer, DWORD frame, int channel)
{
    const WAVEFORMATEX& kFormat = buffer.Format();
    const BYTE* pucFrame = buffer.Samples().data() + size_t{frame} * kFormat.nBlockAlign;
    if (kFormat.wBitsPerSample == 8) {
        return (pucFrame[channel] - 128) / 128.0f;
    }
    const BYTE* pucSample = pucFrame + channel * 2;
    auto iValue = static_cast<int16_t>(pucSample[0] | pucSample[1] << 8);
    return iValue / 32768.0f;
}

// Adds one buffer's next frames to the stream, advancing its play cursor.
void MixBuffer(dsound::SoundBuffer& buffer, float* afStream, int iFrames)
{
    DWORD uiFrames = buffer.FrameCount();
    if (uiFrames == 0) {
        buffer.FinishPlaying();
        return;
    }
    const WAVEFORMATEX& kFormat = buffer.Format();
    int iRightChannel = kFormat.nChannels == 2 ? 1 : 0;
    float fVolume = Gain(buffer.Volume());
    float fLeft = fVolume * Gain(std::min<LONG>(0, -buffer.Pan()));
    float fRight = fVolume * Gain(std::min<LONG>(0, buffer.Pan()));
    double dStep = static_cast<double>(kFormat.nSamplesPerSec) / kOutputRate;
    double dFrame = buffer.FramePosition();
    for (int i = 0; i < iFrames; ++i) {
        auto uiAt = static_cast<DWORD>(dFrame);
        DWORD uiNext = uiAt + 1 < uiFrames ? uiAt + 1 : (buffer.IsLooping() ? 0 : uiAt);
        auto fFraction = static_cast<float>(dFrame - uiAt);
        for (int iSide = 0; iSide < kOutputChannels; ++iSide) {
            int iChannel = iSide == 0 ? 0 : iRightChannel;
            float fSample = SampleAt(buffer, uiAt, iChannel) * (1.0f - fFraction) +
                            SampleAt(buffer, uiNext, iChannel) * fFraction;
            afStream[i * kOutputChannels + iSide] += fSample * (iSide == 0 ? fLeft : fRight);
        }
        dFrame += dStep;
        if (dFrame >= uiFrames) {
            if (!buffer.IsLooping()) {
                buffer.FinishPlaying();
                return;
            }
            dFrame = std::fmod(dFrame, static_cast<double>(uiFrames));
        }
    }
    buffer.SetFramePosition(dFrame);
}

struct LockHolder {
    SdlAudioLock m_kSdlLock;
};

class SdlSoundDevice final : private LockHolder, public dsound::SoundDevice {
public:
    SdlSoundDevice() : dsound::SoundDevice(m_kSdlLock) {}
    ~SdlSoundDevice() override
    {
        if (m_kSdlLock.m_uiDevice != 0) {
            SDL_CloseAudioDevice(m_kSdlLock.m_uiDevice);
        }
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool Open()
    {
        SDL_AudioSpec kWanted = {};
        kWanted.freq = kOutputRate;
        kWanted.format = AUDIO_F32SYS;
        kWanted.channels = kOutputChannels;
        kWanted.samples = kCallbackFrames;
        kWanted.callback = &SdlSoundDevice::Fill;
        kWanted.userdata = this;
        SDL_AudioSpec kObtained = {};
        // No changes allowed: SDL converts to whatever the hardware takes.
        m_kSdlLock.m_uiDevice = SDL_OpenAudioDevice(nullptr, 0, &kWanted, &kObtained, 0);
        if (m_kSdlLock.m_uiDevice == 0) {
            return false;
        }
        SDL_PauseAudioDevice(m_kSdlLock.m_uiDevice, 0);
        return true;
    }

private:
    static void SDLCALL Fill(void* pvDevice, Uint8* pucStream, int iBytes)
    {
        auto* pkDevice = static_cast<SdlSoundDevice*>(pvDevice);
        std::memset(pucStream, 0, static_cast<size_t>(iBytes));
        auto* afStream = reinterpret_cast<float*>(pucStream);
        int iFrames = iBytes / static_cast<int>(sizeof(float) * kOutputChannels);
        for (dsound::SoundBuffer* pkBuffer : pkDevice->Buffers()) {
            if (pkBuffer->IsPlaying()) {
                MixBuffer(*pkBuffer, afStream, iFrames);
            }
        }
        for (int i = 0; i < iFrames * kOutputChannels; ++i) {
            afStream[i] = std::clamp(afStream[i], -1.0f, 1.0f);
        }
    }
};

}  // namespace

HRESULT WINAPI DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, LPVOID outer)
{
    if (!directSound) {
        return DSERR_INVALIDPARAM;
    }
    *directSound = nullptr;
    if (outer) {
        return DSERR_NOAGGREGATION;
    }
    // Only the default playback device is known here.
    if (device || SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return DSERR_NODRIVER;
    }
    auto* pkDevice = new SdlSoundDevice;
    if (!pkDevice->Open()) {
        pkDevice->Release();
        return DSERR_NODRIVER;
    }
    *directSound = pkDevice;
    return DS_OK;
}
