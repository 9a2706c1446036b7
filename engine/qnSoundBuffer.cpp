#include "qnSoundBuffer.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "platform/crt.h"
#include "qnSoundPlayer.h"

namespace {

// The header of the one WAV layout the loader reads: ids and sizes at fixed offsets.
struct WaveHeader {
    WAVEFORMATEX kFormat;
    DWORD uiDataBytes;
};

// Closes the file on every path out of the loader.
struct FileCloser {
    void operator()(std::FILE* pkFile) const { std::fclose(pkFile); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool ReadExactly(std::FILE* pkFile, void* pvTarget, size_t uiBytes)
{
    return std::fread(pvTarget, 1, uiBytes, pkFile) == uiBytes;
}

bool ReadTag(std::FILE* pkFile, const char* acExpected)
{
    char acTag[4];
    return ReadExactly(pkFile, acTag, sizeof acTag) && std::memcmp(acTag, acExpected, 4) == 0;
}

bool ReadDword(std::FILE* pkFile, DWORD* puiValue)
{
    BYTE aucBytes[4];
    if (!ReadExactly(pkFile, aucBytes, sizeof aucBytes)) {
        return false;
    }
    *puiValue = aucBytes[0] | aucBytes[1] << 8 | aucBytes[2] << 16 |
                static_cast<DWORD>(aucBytes[3]) << 24;
    return true;
}

WORD LittleWord(const BYTE* pucBytes)
{
    return static_cast<WORD>(pucBytes[0] | pucBytes[1] << 8);
}

DWORD LittleDword(const BYTE* pucBytes)
{
    return LittleWord(pucBytes) | static_cast<DWORD>(LittleWord(pucBytes + 2)) << 16;
}

// The 18 bytes from offset 20: tag, channels, rate, bytes per second, block, bits, and the
// first half of the data id, which becomes cbSize and is then cleared.
bool ReadFormat(std::FILE* pkFile, WAVEFORMATEX* pkFormat)
{
    BYTE aucBytes[18];
    if (!ReadExactly(pkFile, aucBytes, sizeof aucBytes)) {
        return false;
    }
    pkFormat->wFormatTag = LittleWord(aucBytes);
    pkFormat->nChannels = LittleWord(aucBytes + 2);
    pkFormat->nSamplesPerSec = LittleDword(aucBytes + 4);
    pkFormat->nAvgBytesPerSec = LittleDword(aucBytes + 8);
    pkFormat->nBlockAlign = LittleWord(aucBytes + 12);
    pkFormat->wBitsPerSample = LittleWord(aucBytes + 14);
    pkFormat->cbSize = 0;
    return true;
}

// Every field in file order; false when the file is not RIFF/WAVE or ends inside the header.
bool ReadHeader(std::FILE* pkFile, WaveHeader* pkHeader)
{
    DWORD uiIgnored = 0;
    return ReadTag(pkFile, "RIFF") && ReadDword(pkFile, &uiIgnored) && ReadTag(pkFile, "WAVE") &&
           std::fseek(pkFile, 4, SEEK_CUR) == 0 && ReadDword(pkFile, &uiIgnored) &&
           ReadFormat(pkFile, &pkHeader->kFormat) && std::fseek(pkFile, 2, SEEK_CUR) == 0 &&
           ReadDword(pkFile, &pkHeader->uiDataBytes);
}

// The bytes between the read position and the end of the file.
long BytesLeft(std::FILE* pkFile)
{
    long iHere = std::ftell(pkFile);
    if (iHere < 0 || std::fseek(pkFile, 0, SEEK_END) != 0) {
        return -1;
    }
    long iEnd = std::ftell(pkFile);
    if (iEnd < iHere || std::fseek(pkFile, iHere, SEEK_SET) != 0) {
        return -1;
    }
    return iEnd - iHere;
}

}  // namespace

qnSoundBuffer::qnSoundBuffer() : m_pkBuffer(nullptr) {}

qnSoundBuffer::~qnSoundBuffer()
{
    m_pkBuffer = nullptr;
}

qnError qnSoundBuffer::LoadFromFile(const char* acPath)
{
    File kFile(crt::OpenFile(acPath, "rb"));
    if (!kFile) {
        return QN_OK;
    }
    WaveHeader kHeader = {};
    if (!ReadHeader(kFile.get(), &kHeader)) {
        return QN_ERR_NOT_WAVE;
    }
    // The data must lie in the file: this also bounds the block allocated for it.
    long iLeft = BytesLeft(kFile.get());
    if (iLeft < 0 || kHeader.uiDataBytes > static_cast<unsigned long>(iLeft)) {
        return QN_ERR_NOT_WAVE;
    }
    std::unique_ptr<BYTE[]> aucSamples(new (std::nothrow) BYTE[kHeader.uiDataBytes]());
    if (!aucSamples) {
        return QN_ERR_SOUND_CREATE_BUFFER;
    }
    // A read cut short by the file changing leaves zeros behind the bytes that came.
    std::fread(aucSamples.get(), 1, kHeader.uiDataBytes, kFile.get());

    DSBUFFERDESC kDescription = {};
    kDescription.dwSize = sizeof(DSBUFFERDESC);
    kDescription.dwFlags = DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    kDescription.dwBufferBytes = kHeader.uiDataBytes;
    kDescription.lpwfxFormat = &kHeader.kFormat;
    qnSoundPlayer* pkPlayer = qnSoundPlayer::GetSingleton();
    IDirectSound8* pkDevice = pkPlayer ? pkPlayer->GetDevice() : nullptr;
    if (!pkDevice || FAILED(pkDevice->CreateSoundBuffer(&kDescription, &m_pkBuffer, nullptr))) {
        return QN_ERR_SOUND_CREATE_BUFFER;
    }

    void* pvRegion = nullptr;
    DWORD uiRegionBytes = 0;
    if (FAILED(m_pkBuffer->Lock(0, 0, &pvRegion, &uiRegionBytes, nullptr, nullptr,
                                DSBLOCK_ENTIREBUFFER))) {
        return QN_ERR_SOUND_LOCK;
    }
    DWORD uiCopied = uiRegionBytes < kHeader.uiDataBytes ? uiRegionBytes : kHeader.uiDataBytes;
    if (pvRegion) {
        std::memcpy(pvRegion, aucSamples.get(), uiCopied);
    }
    m_pkBuffer->Unlock(pvRegion, uiRegionBytes, nullptr, 0);
    return QN_OK;
}

qnError qnSoundBuffer::SetVolume(int iVolume)
{
    if (!m_pkBuffer) {
        return QN_OK;
    }
    // Wide enough that no int overflows; DirectSound refuses what lies outside its range.
    LONG iAttenuation = (100 - static_cast<LONG>(iVolume)) * 100;
    return FAILED(m_pkBuffer->SetVolume(iAttenuation)) ? QN_ERR_SOUND_VOLUME : QN_OK;
}

bool qnSoundBuffer::IsLoaded() const
{
    return m_pkBuffer != nullptr;
}

IDirectSoundBuffer* qnSoundBuffer::GetBuffer() const
{
    return m_pkBuffer;
}

qnError qnSoundBuffer::Play(int iLoop)
{
    if (!m_pkBuffer) {
        return QN_OK;
    }
    m_pkBuffer->SetCurrentPosition(0);
    DWORD uiFlags = iLoop != 0 ? DSBPLAY_LOOPING : 0;
    return FAILED(m_pkBuffer->Play(0, 0, uiFlags)) ? QN_ERR_SOUND_PLAY : QN_OK;
}

qnError qnSoundBuffer::Stop()
{
    if (!m_pkBuffer) {
        return QN_OK;
    }
    return FAILED(m_pkBuffer->Stop()) ? QN_ERR_SOUND_STOP : QN_OK;
}

HRESULT qnSoundBuffer::SetPan(int iPan)
{
    if (!m_pkBuffer) {
        return DS_OK;
    }
    return m_pkBuffer->SetPan(iPan);
}
