// The subset of DirectSound 8 that the engine calls: a device, secondary buffers in PCM format
// with volume and pan, and the platform's documented flag and status values.
#pragma once

#include "platform/win32.h"

#define WAVE_FORMAT_PCM 1

// The format of a buffer's samples; laid out as in a WAV file's format chunk (18 bytes).
#pragma pack(push, 2)
struct WAVEFORMATEX {
    WORD wFormatTag;
    WORD nChannels;
    DWORD nSamplesPerSec;
    DWORD nAvgBytesPerSec;
    WORD nBlockAlign;
    WORD wBitsPerSample;
    WORD cbSize;
};
#pragma pack(pop)
typedef WAVEFORMATEX* LPWAVEFORMATEX;

struct DSBUFFERDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwBufferBytes;
    DWORD dwReserved;
    LPWAVEFORMATEX lpwfxFormat;
    GUID guid3DAlgorithm;
};
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

// Statuses.
#define DS_OK ((HRESULT)0)
#define DS_NO_VIRTUALIZATION ((HRESULT)0x0878000A)
#define DSERR_ALLOCATED ((HRESULT)0x8878000A)
#define DSERR_CONTROLUNAVAIL ((HRESULT)0x8878001E)
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_INVALIDCALL ((HRESULT)0x88780032)
#define DSERR_GENERIC E_FAIL
#define DSERR_PRIOLEVELNEEDED ((HRESULT)0x88780046)
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_BADFORMAT ((HRESULT)0x88780064)
#define DSERR_UNSUPPORTED ((HRESULT)0x80004001)
#define DSERR_NODRIVER ((HRESULT)0x88780078)
#define DSERR_ALREADYINITIALIZED ((HRESULT)0x88780082)
#define DSERR_NOAGGREGATION ((HRESULT)0x80040110)
#define DSERR_BUFFERLOST ((HRESULT)0x88780096)
#define DSERR_OTHERAPPHASPRIO ((HRESULT)0x887800A0)
#define DSERR_UNINITIALIZED ((HRESULT)0x887800AA)
#define DSERR_NOINTERFACE E_NOINTERFACE

// Cooperative levels.
#define DSSCL_NORMAL 0x00000001
#define DSSCL_PRIORITY 0x00000002
#define DSSCL_EXCLUSIVE 0x00000003
#define DSSCL_WRITEPRIMARY 0x00000004

// Buffer capabilities.
#define DSBCAPS_PRIMARYBUFFER 0x00000001
#define DSBCAPS_STATIC 0x00000002
#define DSBCAPS_LOCHARDWARE 0x00000004
#define DSBCAPS_LOCSOFTWARE 0x00000008
#define DSBCAPS_CTRL3D 0x00000010
#define DSBCAPS_CTRLFREQUENCY 0x00000020
#define DSBCAPS_CTRLPAN 0x00000040
#define DSBCAPS_CTRLVOLUME 0x00000080
#define DSBCAPS_CTRLPOSITIONNOTIFY 0x00000100
#define DSBCAPS_CTRLFX 0x00000200
#define DSBCAPS_STICKYFOCUS 0x00004000
#define DSBCAPS_GLOBALFOCUS 0x00008000
#define DSBCAPS_GETCURRENTPOSITION2 0x00010000
#define DSBCAPS_MUTE3DATMAXDISTANCE 0x00020000
#define DSBCAPS_LOCDEFER 0x00040000

// Play, lock and status flags.
#define DSBPLAY_LOOPING 0x00000001
#define DSBLOCK_FROMWRITECURSOR 0x00000001
#define DSBLOCK_ENTIREBUFFER 0x00000002
#define DSBSTATUS_PLAYING 0x00000001
#define DSBSTATUS_BUFFERLOST 0x00000002
#define DSBSTATUS_LOOPING 0x00000004

// Ranges.
#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0
#define DSBPAN_LEFT (-10000)
#define DSBPAN_CENTER 0
#define DSBPAN_RIGHT 10000
#define DSBFREQUENCY_MIN 100
#define DSBFREQUENCY_MAX 200000
#define DSBSIZE_MIN 4
#define DSBSIZE_MAX 0x0FFFFFFF

// A secondary buffer: its own samples, played and mixed by the device.
class IDirectSoundBuffer {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT GetCurrentPosition(DWORD* playCursor, DWORD* writeCursor) = 0;
    virtual HRESULT GetFormat(LPWAVEFORMATEX format, DWORD sizeAllocated, DWORD* sizeWritten) = 0;
    virtual HRESULT GetVolume(LONG* volume) = 0;
    virtual HRESULT GetPan(LONG* pan) = 0;
    virtual HRESULT GetStatus(DWORD* status) = 0;
    virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audioPtr1, DWORD* audioBytes1,
                         LPVOID* audioPtr2, DWORD* audioBytes2, DWORD flags) = 0;
    virtual HRESULT Play(DWORD reserved, DWORD priority, DWORD flags) = 0;
    virtual HRESULT SetCurrentPosition(DWORD newPosition) = 0;
    virtual HRESULT SetVolume(LONG volume) = 0;
    virtual HRESULT SetPan(LONG pan) = 0;
    virtual HRESULT Stop() = 0;
    virtual HRESULT Unlock(LPVOID audioPtr1, DWORD audioBytes1, LPVOID audioPtr2,
                           DWORD audioBytes2) = 0;

protected:
    virtual ~IDirectSoundBuffer() = default;
};
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;

// The playback device. Releasing its last reference takes its buffers with it.
class IDirectSound8 {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                                      LPVOID outer) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;

protected:
    virtual ~IDirectSound8() = default;
};
typedef IDirectSound8* LPDIRECTSOUND8;

// Null device identifier: the default playback device. With no device, *directSound is null.
HRESULT WINAPI DirectSoundCreate8(LPCGUID device, LPDIRECTSOUND8* directSound, LPVOID outer);
