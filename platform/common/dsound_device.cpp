#include "dsound_device.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "backend.h"

namespace dsound {
namespace {

std::string Hex(DWORD value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

bool IsPlayablePcm(const WAVEFORMATEX& format)
{
    bool bKnownShape = format.wFormatTag == WAVE_FORMAT_PCM &&
                       (format.nChannels == 1 || format.nChannels == 2) &&
                       (format.wBitsPerSample == 8 || format.wBitsPerSample == 16);
    if (!bKnownShape) {
        return false;
    }
    DWORD uiAlign = format.nChannels * format.wBitsPerSample / 8u;
    return format.nSamplesPerSec >= DSBFREQUENCY_MIN &&
           format.nSamplesPerSec <= DSBFREQUENCY_MAX && format.nBlockAlign == uiAlign &&
           format.nAvgBytesPerSec == format.nSamplesPerSec * uiAlign;
}

// The controls a buffer of this backend offers.
constexpr DWORD kSupportedFlags = DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_STATIC |
                                  DSBCAPS_LOCSOFTWARE | DSBCAPS_STICKYFOCUS |
                                  DSBCAPS_GLOBALFOCUS | DSBCAPS_GETCURRENTPOSITION2;

HRESULT CheckDescription(const DSBUFFERDESC& description)
{
    if (description.dwSize != sizeof(DSBUFFERDESC) || !description.lpwfxFormat ||
        description.dwBufferBytes < DSBSIZE_MIN || description.dwBufferBytes > DSBSIZE_MAX) {
        return DSERR_INVALIDPARAM;
    }
    if (description.dwFlags & DSBCAPS_PRIMARYBUFFER) {
        return DSERR_UNSUPPORTED;
    }
    if (description.dwFlags & ~kSupportedFlags) {
        return DSERR_CONTROLUNAVAIL;
    }
    return IsPlayablePcm(*description.lpwfxFormat) ? DS_OK : DSERR_BADFORMAT;
}

}  // namespace

SoundBuffer::SoundBuffer(SoundDevice& device, const DSBUFFERDESC& description)
    : m_kDevice(device), m_uiFlags(description.dwFlags), m_kFormat(*description.lpwfxFormat)
{
    m_kFormat.cbSize = 0;
    m_aucSamples.assign(description.dwBufferBytes, m_kFormat.wBitsPerSample == 8 ? 0x80 : 0);
}

ULONG SoundBuffer::AddRef()
{
    return ++m_uiReferences;
}

ULONG SoundBuffer::Release()
{
    ULONG uiLeft = --m_uiReferences;
    if (uiLeft == 0) {
        m_kDevice.Forget(this);
        delete this;
    }
    return uiLeft;
}

DWORD SoundBuffer::FrameCount() const
{
    return static_cast<DWORD>(m_aucSamples.size() / m_kFormat.nBlockAlign);
}

HRESULT SoundBuffer::GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor)
{
    LockedScope kScope(m_kDevice.Lock());
    DWORD uiBytes = static_cast<DWORD>(m_dFrame) * m_kFormat.nBlockAlign;
    if (playCursor) {
        *playCursor = uiBytes;
    }
    if (writeCursor) {
        *writeCursor = uiBytes;
    }
    return DS_OK;
}

HRESULT SoundBuffer::GetFormat(LPWAVEFORMATEX format, DWORD sizeAllocated, DWORD* sizeWritten)
{
    if (!format) {
        if (!sizeWritten) {
            return DSERR_INVALIDPARAM;
        }
        *sizeWritten = sizeof(WAVEFORMATEX);
        return DS_OK;
    }
    if (sizeAllocated < sizeof(WAVEFORMATEX)) {
        return DSERR_INVALIDPARAM;
    }
    *format = m_kFormat;
    if (sizeWritten) {
        *sizeWritten = sizeof(WAVEFORMATEX);
    }
    return DS_OK;
}

HRESULT SoundBuffer::GetVolume(LONG* volume)
{
    if (!volume) {
        return DSERR_INVALIDPARAM;
    }
    *volume = m_iVolume;
    return DS_OK;
}

HRESULT SoundBuffer::GetPan(LONG* pan)
{
    if (!pan) {
        return DSERR_INVALIDPARAM;
    }
    *pan = m_iPan;
    return DS_OK;
}

HRESULT SoundBuffer::GetStatus(DWORD* status)
{
    if (!status) {
        return DSERR_INVALIDPARAM;
    }
    LockedScope kScope(m_kDevice.Lock());
    *status = (m_bPlaying ? DSBSTATUS_PLAYING : 0u) |
              (m_bPlaying && m_bLooping ? DSBSTATUS_LOOPING : 0u);
    return DS_OK;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, DWORD* audioBytes1,
                          LPVOID* audioPtr2, DWORD* audioBytes2, DWORD flags)
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSoundBuffer::Lock(" + std::to_string(offset) + ", " +
                       std::to_string(bytes) + ", " + Hex(flags) + ")");
    }
    if (backend::ShouldFail("IDirectSoundBuffer::Lock")) {
        return DSERR_GENERIC;
    }
    if (!audioPtr1 || !audioBytes1) {
        return DSERR_INVALIDPARAM;
    }
    DWORD uiSize = static_cast<DWORD>(m_aucSamples.size());
    if (flags & DSBLOCK_ENTIREBUFFER) {
        offset = 0;
        bytes = uiSize;
    } else if (flags & DSBLOCK_FROMWRITECURSOR) {
        GetCurrentPosition(nullptr, &offset);
    }
    if (offset >= uiSize || bytes == 0 || bytes > uiSize) {
        return DSERR_INVALIDPARAM;
    }
    DWORD uiFirst = std::min(bytes, uiSize - offset);
    DWORD uiWrapped = bytes - uiFirst;
    if (uiWrapped > 0 && (!audioPtr2 || !audioBytes2)) {
        return DSERR_INVALIDPARAM;
    }
    *audioPtr1 = m_aucSamples.data() + offset;
    *audioBytes1 = uiFirst;
    if (audioPtr2 && audioBytes2) {
        *audioPtr2 = uiWrapped > 0 ? m_aucSamples.data() : nullptr;
        *audioBytes2 = uiWrapped;
    }
    return DS_OK;
}

bool SoundBuffer::InsideSamples(const void* pointer, DWORD bytes) const
{
    const BYTE* pucStart = m_aucSamples.data();
    const BYTE* pucAt = static_cast<const BYTE*>(pointer);
    return std::less_equal<const BYTE*>()(pucStart, pucAt) &&
           std::less_equal<const BYTE*>()(pucAt, pucStart + m_aucSamples.size()) &&
           bytes <= static_cast<size_t>(pucStart + m_aucSamples.size() - pucAt);
}

HRESULT SoundBuffer::Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                            DWORD audioBytes2)
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSoundBuffer::Unlock(" + std::to_string(audioBytes1) + ", " +
                       std::to_string(audioBytes2) + ")");
    }
    if (backend::ShouldFail("IDirectSoundBuffer::Unlock")) {
        return DSERR_GENERIC;
    }
    bool bFirstFits = audioPtr1 && InsideSamples(audioPtr1, audioBytes1);
    bool bSecondFits = audioPtr2 ? InsideSamples(audioPtr2, audioBytes2) : audioBytes2 == 0;
    if (!bFirstFits || !bSecondFits) {
        return DSERR_INVALIDPARAM;
    }
    m_uiBytesUnlocked += audioBytes1 + audioBytes2;
    return DS_OK;
}

HRESULT SoundBuffer::Play(DWORD reserved, DWORD priority, DWORD flags)
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSoundBuffer::Play(" + std::to_string(reserved) + ", " +
                       std::to_string(priority) + ", " + Hex(flags) + ")");
    }
    if (backend::ShouldFail("IDirectSoundBuffer::Play")) {
        return DSERR_GENERIC;
    }
    if (reserved != 0 || priority != 0 || (flags & ~DWORD{DSBPLAY_LOOPING})) {
        return DSERR_INVALIDPARAM;
    }
    LockedScope kScope(m_kDevice.Lock());
    if (m_bPlaying) {
        m_dFrame = 0.0;
    }
    m_bPlaying = true;
    m_bLooping = (flags & DSBPLAY_LOOPING) != 0;
    ++m_iPlays;
    return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD newPosition)
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSoundBuffer::SetCurrentPosition(" + std::to_string(newPosition) + ")");
    }
    if (backend::ShouldFail("IDirectSoundBuffer::SetCurrentPosition")) {
        return DSERR_GENERIC;
    }
    if (newPosition >= m_aucSamples.size()) {
        return DSERR_INVALIDPARAM;
    }
    LockedScope kScope(m_kDevice.Lock());
    m_dFrame = static_cast<double>(newPosition / m_kFormat.nBlockAlign);
    return DS_OK;
}

HRESULT SoundBuffer::SetVolume(LONG volume)
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSoundBuffer::SetVolume(" + std::to_string(volume) + ")");
    }
    if (backend::ShouldFail("IDirectSoundBuffer::SetVolume")) {
        return DSERR_GENERIC;
    }
    if (!(m_uiFlags & DSBCAPS_CTRLVOLUME)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) {
        return DSERR_INVALIDPARAM;
    }
    LockedScope kScope(m_kDevice.Lock());
    m_iVolume = volume;
    return DS_OK;
}

HRESULT SoundBuffer::SetPan(LONG pan)
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSoundBuffer::SetPan(" + std::to_string(pan) + ")");
    }
    if (backend::ShouldFail("IDirectSoundBuffer::SetPan")) {
        return DSERR_GENERIC;
    }
    if (!(m_uiFlags & DSBCAPS_CTRLPAN)) {
        return DSERR_CONTROLUNAVAIL;
    }
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) {
        return DSERR_INVALIDPARAM;
    }
    LockedScope kScope(m_kDevice.Lock());
    m_iPan = pan;
    return DS_OK;
}

HRESULT SoundBuffer::Stop()
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSoundBuffer::Stop()");
    }
    if (backend::ShouldFail("IDirectSoundBuffer::Stop")) {
        return DSERR_GENERIC;
    }
    LockedScope kScope(m_kDevice.Lock());
    m_bPlaying = false;
    return DS_OK;
}

void SoundBuffer::FinishPlaying()
{
    m_bPlaying = false;
    m_dFrame = 0.0;
}

SoundDevice::~SoundDevice()
{
    for (SoundBuffer* pkBuffer : m_apkBuffers) {
        delete pkBuffer;
    }
}

ULONG SoundDevice::AddRef()
{
    return ++m_uiReferences;
}

ULONG SoundDevice::Release()
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSound8::Release()");
    }
    ULONG uiLeft = --m_uiReferences;
    if (uiLeft == 0) {
        delete this;
    }
    return uiLeft;
}

HRESULT SoundDevice::CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                                       LPVOID outer)
{
    std::string arguments = description ? Hex(description->dwFlags) + ", " +
                                              std::to_string(description->dwBufferBytes)
                                        : std::string("null");
    if (backend::Tracing()) {
        backend::Trace("IDirectSound8::CreateSoundBuffer(" + arguments + ")");
    }
    if (!buffer) {
        return DSERR_INVALIDPARAM;
    }
    *buffer = nullptr;
    if (backend::ShouldFail("IDirectSound8::CreateSoundBuffer")) {
        return DSERR_GENERIC;
    }
    if (outer) {
        return DSERR_NOAGGREGATION;
    }
    if (!description) {
        return DSERR_INVALIDPARAM;
    }
    HRESULT hResult = CheckDescription(*description);
    if (FAILED(hResult)) {
        return hResult;
    }
    // The size is bounded by DSBSIZE_MAX above.
    auto* pkBuffer = new SoundBuffer(*this, *description);
    LockedScope kScope(m_kLock);
    m_apkBuffers.push_back(pkBuffer);
    *buffer = pkBuffer;
    return DS_OK;
}

HRESULT SoundDevice::SetCooperativeLevel(HWND window, DWORD level)
{
    if (backend::Tracing()) {
        backend::Trace("IDirectSound8::SetCooperativeLevel(" + std::to_string(level) + ")");
    }
    if (backend::ShouldFail("IDirectSound8::SetCooperativeLevel")) {
        return DSERR_GENERIC;
    }
    if (!window || level < DSSCL_NORMAL || level > DSSCL_WRITEPRIMARY) {
        return DSERR_INVALIDPARAM;
    }
    m_uiLevel = level;
    return DS_OK;
}

void SoundDevice::Forget(SoundBuffer* buffer)
{
    LockedScope kScope(m_kLock);
    std::erase(m_apkBuffers, buffer);
}

}  // namespace dsound
