#include <gtest/gtest.h>

#include <vector>

#include "fake/fake_dsound8.h"
#include "fake/fake_win32.h"
#include "platform/dsound8.h"

namespace {

char g_cWindow;
HWND const kWindow = reinterpret_cast<HWND>(&g_cWindow);

class DirectSoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        ASSERT_EQ(DirectSoundCreate8(nullptr, &m_pkDevice, nullptr), DS_OK);
        ASSERT_EQ(m_pkDevice->SetCooperativeLevel(kWindow, DSSCL_NORMAL), DS_OK);
        m_kFormat = {WAVE_FORMAT_PCM, 2, 22050, 88200, 4, 16, 0};
    }
    void TearDown() override
    {
        if (m_pkDevice) {
            m_pkDevice->Release();
        }
    }

    HRESULT Create(DWORD uiBytes, DWORD uiFlags, IDirectSoundBuffer** ppkBuffer)
    {
        DSBUFFERDESC kDescription = {};
        kDescription.dwSize = sizeof kDescription;
        kDescription.dwFlags = uiFlags;
        kDescription.dwBufferBytes = uiBytes;
        kDescription.lpwfxFormat = &m_kFormat;
        return m_pkDevice->CreateSoundBuffer(&kDescription, ppkBuffer, nullptr);
    }

    IDirectSound8* m_pkDevice = nullptr;
    WAVEFORMATEX m_kFormat = {};
};

TEST_F(DirectSoundTest, FormatsOtherThanEightOrSixteenBitMonoOrStereoPcmAreRefused)
{
    struct Row {
        WAVEFORMATEX format;
        HRESULT result;
    };
    const Row akRows[] = {
        {{WAVE_FORMAT_PCM, 1, 8000, 8000, 1, 8, 0}, DS_OK},
        {{WAVE_FORMAT_PCM, 2, 48000, 192000, 4, 16, 0}, DS_OK},
        {{2, 1, 8000, 8000, 1, 8, 0}, DSERR_BADFORMAT},
        {{WAVE_FORMAT_PCM, 3, 8000, 24000, 3, 8, 0}, DSERR_BADFORMAT},
        {{WAVE_FORMAT_PCM, 1, 8000, 24000, 3, 24, 0}, DSERR_BADFORMAT},
        {{WAVE_FORMAT_PCM, 1, 8000, 16000, 1, 16, 0}, DSERR_BADFORMAT},
        {{WAVE_FORMAT_PCM, 1, 99, 99, 1, 8, 0}, DSERR_BADFORMAT},
        {{WAVE_FORMAT_PCM, 1, 8000, 7999, 1, 8, 0}, DSERR_BADFORMAT},
    };
    for (const Row& kRow : akRows) {
        m_kFormat = kRow.format;
        IDirectSoundBuffer* pkBuffer = reinterpret_cast<IDirectSoundBuffer*>(&g_cWindow);
        EXPECT_EQ(Create(64, DSBCAPS_CTRLVOLUME, &pkBuffer), kRow.result);
        EXPECT_EQ(pkBuffer != nullptr, kRow.result == DS_OK);
    }
}

TEST_F(DirectSoundTest, SizesAndControlsOutsideWhatIsOfferedAreRefused)
{
    IDirectSoundBuffer* pkBuffer = nullptr;
    EXPECT_EQ(Create(0, 0, &pkBuffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(DSBSIZE_MAX + 1u, 0, &pkBuffer), DSERR_INVALIDPARAM);
    EXPECT_EQ(Create(64, DSBCAPS_CTRL3D, &pkBuffer), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(Create(64, DSBCAPS_PRIMARYBUFFER, &pkBuffer), DSERR_UNSUPPORTED);
    EXPECT_EQ(pkBuffer, nullptr);
}

TEST_F(DirectSoundTest, VolumeAndPanNeedTheirControlAndStayInRange)
{
    IDirectSoundBuffer* pkBuffer = nullptr;
    ASSERT_EQ(Create(64, 0, &pkBuffer), DS_OK);
    EXPECT_EQ(pkBuffer->SetVolume(-100), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(pkBuffer->SetPan(100), DSERR_CONTROLUNAVAIL);

    ASSERT_EQ(Create(64, DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN, &pkBuffer), DS_OK);
    const LONG aiVolumes[] = {DSBVOLUME_MIN - 1, 1, 9900};
    for (LONG iVolume : aiVolumes) {
        EXPECT_EQ(pkBuffer->SetVolume(iVolume), DSERR_INVALIDPARAM) << iVolume;
    }
    EXPECT_EQ(pkBuffer->SetVolume(DSBVOLUME_MIN), DS_OK);
    EXPECT_EQ(pkBuffer->SetPan(DSBPAN_RIGHT + 1), DSERR_INVALIDPARAM);
    EXPECT_EQ(pkBuffer->SetPan(DSBPAN_LEFT), DS_OK);
    EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).volume, DSBVOLUME_MIN);
    EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).pan, DSBPAN_LEFT);
}

TEST_F(DirectSoundTest, LockWrapsAroundTheEndIntoASecondRegion)
{
    IDirectSoundBuffer* pkBuffer = nullptr;
    ASSERT_EQ(Create(64, 0, &pkBuffer), DS_OK);
    void* pvFirst = nullptr;
    void* pvSecond = nullptr;
    DWORD uiFirst = 0;
    DWORD uiSecond = 0;
    ASSERT_EQ(pkBuffer->Lock(48, 32, &pvFirst, &uiFirst, &pvSecond, &uiSecond, 0), DS_OK);
    EXPECT_EQ(uiFirst, 16u);
    EXPECT_EQ(uiSecond, 16u);
    EXPECT_EQ(static_cast<BYTE*>(pvFirst) - static_cast<BYTE*>(pvSecond), 48);
    EXPECT_EQ(pkBuffer->Unlock(pvFirst, uiFirst, pvSecond, uiSecond), DS_OK);
    // Without room for the second region, a wrapping lock is refused.
    EXPECT_EQ(pkBuffer->Lock(48, 32, &pvFirst, &uiFirst, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(pkBuffer->Lock(64, 4, &pvFirst, &uiFirst, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(pkBuffer->Lock(0, 65, &pvFirst, &uiFirst, nullptr, nullptr, 0), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, UnlockRefusesRegionsOutsideTheBuffer)
{
    IDirectSoundBuffer* pkBuffer = nullptr;
    ASSERT_EQ(Create(64, 0, &pkBuffer), DS_OK);
    void* pvRegion = nullptr;
    DWORD uiBytes = 0;
    ASSERT_EQ(pkBuffer->Lock(0, 0, &pvRegion, &uiBytes, nullptr, nullptr, DSBLOCK_ENTIREBUFFER),
              DS_OK);
    EXPECT_EQ(uiBytes, 64u);
    BYTE aucElsewhere[8];
    EXPECT_EQ(pkBuffer->Unlock(aucElsewhere, 8, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(pkBuffer->Unlock(pvRegion, 65, nullptr, 0), DSERR_INVALIDPARAM);
    EXPECT_EQ(pkBuffer->Unlock(static_cast<BYTE*>(pvRegion) + 60, 8, nullptr, 0),
              DSERR_INVALIDPARAM);
    EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).bytesUnlocked, 0u);
    EXPECT_EQ(pkBuffer->Unlock(pvRegion, 64, nullptr, 0), DS_OK);
    EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).bytesUnlocked, 64u);
}

TEST_F(DirectSoundTest, PlayingAPlayingBufferRestartsItAndStopKeepsThePosition)
{
    IDirectSoundBuffer* pkBuffer = nullptr;
    ASSERT_EQ(Create(64, 0, &pkBuffer), DS_OK);
    ASSERT_EQ(pkBuffer->SetCurrentPosition(20), DS_OK);
    ASSERT_EQ(pkBuffer->Play(0, 0, 0), DS_OK);
    // A stopped buffer starts where it is.
    EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).position, 20u);
    ASSERT_EQ(pkBuffer->SetCurrentPosition(40), DS_OK);
    ASSERT_EQ(pkBuffer->Play(0, 0, DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).position, 0u);
    DWORD uiStatus = 0;
    ASSERT_EQ(pkBuffer->GetStatus(&uiStatus), DS_OK);
    EXPECT_EQ(uiStatus, DWORD{DSBSTATUS_PLAYING | DSBSTATUS_LOOPING});
    ASSERT_EQ(pkBuffer->SetCurrentPosition(44), DS_OK);
    ASSERT_EQ(pkBuffer->Stop(), DS_OK);
    EXPECT_EQ(fake::SoundBufferInfo(pkBuffer).position, 44u);
    ASSERT_EQ(pkBuffer->GetStatus(&uiStatus), DS_OK);
    EXPECT_EQ(uiStatus, 0u);
    EXPECT_EQ(pkBuffer->SetCurrentPosition(64), DSERR_INVALIDPARAM);
    EXPECT_EQ(pkBuffer->Play(0, 0, 0x8), DSERR_INVALIDPARAM);
}

TEST_F(DirectSoundTest, ReleasingTheDeviceTakesItsBuffers)
{
    IDirectSoundBuffer* pkKept = nullptr;
    IDirectSoundBuffer* pkReleased = nullptr;
    ASSERT_EQ(Create(64, 0, &pkKept), DS_OK);
    ASSERT_EQ(Create(64, 0, &pkReleased), DS_OK);
    EXPECT_EQ(pkReleased->Release(), 0u);
    EXPECT_EQ(fake::SoundBuffers(), std::vector<IDirectSoundBuffer*>{pkKept});
    EXPECT_EQ(m_pkDevice->Release(), 0u);
    m_pkDevice = nullptr;
    EXPECT_EQ(fake::SoundDevice(), nullptr);
    EXPECT_TRUE(fake::SoundBuffers().empty());
}

TEST_F(DirectSoundTest, CreationWithoutADeviceOrWithAnOuterObjectLeavesNone)
{
    IDirectSound8* pkOther = reinterpret_cast<IDirectSound8*>(&g_cWindow);
    GUID kSomeDevice = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(DirectSoundCreate8(&kSomeDevice, &pkOther, nullptr), DSERR_NODRIVER);
    EXPECT_EQ(pkOther, nullptr);
    EXPECT_EQ(DirectSoundCreate8(nullptr, &pkOther, &g_cWindow), DSERR_NOAGGREGATION);
    EXPECT_EQ(pkOther, nullptr);
    EXPECT_EQ(DirectSoundCreate8(nullptr, nullptr, nullptr), DSERR_INVALIDPARAM);
}

}  // namespace
