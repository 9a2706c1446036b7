// The DirectSound device and its secondary buffers as both backends keep them: the checks, the
// statuses, the samples and the play state. A backend adds the mixing (or the recording).
// Internal to platform/.
#pragma once

#include <vector>

#include "platform/dsound8.h"

namespace dsound {

// Guards the buffers' state against whatever reads it on another thread.
class AudioLock {
public:
    virtual void Lock() = 0;
    virtual void Unlock() = 0;

protected:
    ~AudioLock() = default;
};

class SoundDevice;

class SoundBuffer final : public IDirectSoundBuffer {
public:
    SoundBuffer(SoundDevice& device, const DSBUFFERDESC& description);

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) override;
    HRESULT GetFormat(LPWAVEFORMATEX format, DWORD sizeAllocated, DWORD* sizeWritten) override;
    HRESULT GetVolume(LONG* volume) override;
    HRESULT GetPan(LONG* pan) override;
    HRESULT GetStatus(DWORD* status) override;
    HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, DWORD* audioBytes1,
                 LPVOID* audioPtr2, DWORD* audioBytes2, DWORD flags) override;
    HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) override;
    HRESULT SetCurrentPosition(DWORD newPosition) override;
    HRESULT SetVolume(LONG volume) override;
    HRESULT SetPan(LONG pan) override;
    HRESULT Stop() override;
    HRESULT Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                   DWORD audioBytes2) override;

    // What the mixer and the test world read; the mixer holds the audio lock.
    const WAVEFORMATEX& Format() const { return m_kFormat; }
    DWORD Flags() const { return m_uiFlags; }
    const std::vector<BYTE>& Samples() const { return m_aucSamples; }
    DWORD FrameCount() const;
    LONG Volume() const { return m_iVolume; }
    LONG Pan() const { return m_iPan; }
    bool IsPlaying() const { return m_bPlaying; }
    bool IsLooping() const { return m_bLooping; }
    int PlayCount() const { return m_iPlays; }
    DWORD BytesUnlocked() const { return m_uiBytesUnlocked; }
    ULONG References() const { return m_uiReferences; }

    // The play cursor in frames, fractional while resampling.
    double FramePosition() const { return m_dFrame; }
    void SetFramePosition(double frame) { m_dFrame = frame; }
    // A one-shot play that reached the end: stopped, cursor back at the start.
    void FinishPlaying();

private:
    bool InsideSamples(const void* pointer, DWORD bytes) const;

    SoundDevice& m_kDevice;
    ULONG m_uiReferences = 1;
    DWORD m_uiFlags;
    WAVEFORMATEX m_kFormat;
    std::vector<BYTE> m_aucSamples;
    LONG m_iVolume = DSBVOLUME_MAX;
    LONG m_iPan = DSBPAN_CENTER;
    double m_dFrame = 0.0;
    bool m_bPlaying = false;
    bool m_bLooping = false;
    int m_iPlays = 0;
    DWORD m_uiBytesUnlocked = 0;
};

class SoundDevice : public IDirectSound8 {
public:
    explicit SoundDevice(AudioLock& lock) : m_kLock(lock) {}
    // Takes the buffers that are still alive with it; a derived device stops its reader of the
    // buffers in its own destructor, which runs first.
    ~SoundDevice() override;

    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                              LPVOID outer) override;
    HRESULT SetCooperativeLevel(HWND window, DWORD level) override;

    DWORD CooperativeLevel() const { return m_uiLevel; }
    const std::vector<SoundBuffer*>& Buffers() const { return m_apkBuffers; }
    AudioLock& Lock() { return m_kLock; }
    // Called by a buffer whose last reference went.
    void Forget(SoundBuffer* buffer);

private:
    AudioLock& m_kLock;
    ULONG m_uiReferences = 1;
    DWORD m_uiLevel = 0;
    std::vector<SoundBuffer*> m_apkBuffers;
};

// Holds the audio lock for one scope.
class LockedScope {
public:
    explicit LockedScope(AudioLock& lock) : m_kLock(lock) { m_kLock.Lock(); }
    ~LockedScope() { m_kLock.Unlock(); }
    LockedScope(const LockedScope&) = delete;
    LockedScope& operator=(const LockedScope&) = delete;

private:
    AudioLock& m_kLock;
};

}  // namespace dsound
