#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "WaveFile.h"
#include "fake/fake_dsound8.h"
#include "fake/fake_win32.h"
#include "qnSoundBuffer.h"
#include "qnSoundPlayer.h"

namespace {

using test_support::WaveBytes;
using test_support::WaveShape;

char g_cWindow;
HWND const kWindow = reinterpret_cast<HWND>(&g_cWindow);

const std::vector<uint8_t> kSamples = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

class SoundBufferTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        m_kPlayer.emplace();
        ASSERT_EQ(m_kPlayer->Init(kWindow), QN_OK);
        fake::ClearCalls();
    }

    // A file of its own for each test, since the tests of this folder run side by side.
    std::string Write(const std::vector<uint8_t>& bytes, const std::string& suffix = "")
    {
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::string path = "wav_" + name + suffix + ".wav";
        EXPECT_TRUE(test_support::WriteFile(path, bytes));
        return path;
    }

    qnSoundBuffer Loaded()
    {
        qnSoundBuffer kSound;
        EXPECT_EQ(kSound.LoadFromFile(Write(WaveBytes({}, kSamples), "_good").c_str()), QN_OK);
        return kSound;
    }

    static fake::SoundBufferState Only()
    {
        auto apkBuffers = fake::SoundBuffers();
        EXPECT_EQ(apkBuffers.size(), 1u);
        return apkBuffers.empty() ? fake::SoundBufferState{} : fake::SoundBufferInfo(apkBuffers[0]);
    }

    std::optional<qnSoundPlayer> m_kPlayer;
};

TEST_F(SoundBufferTest, CanonicalFileGivesBufferOfItsFormatAndSamples)
{
    WaveShape kShape{2, 11025, 16};
    qnSoundBuffer kSound;
    ASSERT_EQ(kSound.LoadFromFile(Write(WaveBytes(kShape, kSamples)).c_str()), QN_OK);

    fake::SoundBufferState kState = Only();
    EXPECT_EQ(kState.format.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(kState.format.nChannels, 2);
    EXPECT_EQ(kState.format.nSamplesPerSec, 11025u);
    EXPECT_EQ(kState.format.nAvgBytesPerSec, 44100u);
    EXPECT_EQ(kState.format.nBlockAlign, 4);
    EXPECT_EQ(kState.format.wBitsPerSample, 16);
    EXPECT_EQ(kState.format.cbSize, 0);
    EXPECT_EQ(kState.flags, DWORD{DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME});
    EXPECT_EQ(kState.samples, kSamples);
    EXPECT_EQ(kState.bytesUnlocked, kSamples.size());
    EXPECT_FALSE(kState.playing);
    std::vector<std::string> akExpected = {"IDirectSound8::CreateSoundBuffer(0xC0, 12)",
                                           "IDirectSoundBuffer::Lock(0, 0, 0x2)",
                                           "IDirectSoundBuffer::Unlock(12, 0)"};
    EXPECT_EQ(fake::Calls(), akExpected);
}

TEST_F(SoundBufferTest, DataChunkIdIsNeitherComparedNorKeptInTheFormat)
{
    std::vector<uint8_t> aucBytes = WaveBytes({}, kSamples);
    aucBytes[36] = 'X';
    aucBytes[37] = 'Y';
    aucBytes[38] = 0;
    qnSoundBuffer kSound;
    ASSERT_EQ(kSound.LoadFromFile(Write(aucBytes).c_str()), QN_OK);
    EXPECT_EQ(Only().format.cbSize, 0);
    EXPECT_EQ(Only().samples, kSamples);
}

TEST_F(SoundBufferTest, BackslashPathsOpen)
{
    std::filesystem::create_directories("wav_dir");
    ASSERT_TRUE(test_support::WriteFile("wav_dir/backslash.wav", WaveBytes({}, kSamples)));
    qnSoundBuffer kSound;
    ASSERT_EQ(kSound.LoadFromFile("wav_dir\\backslash.wav"), QN_OK);
    EXPECT_EQ(Only().samples, kSamples);
}

TEST_F(SoundBufferTest, MissingFileIsNoErrorAndLeavesTheHandleAsItWas)
{
    qnSoundBuffer kEmpty;
    EXPECT_EQ(kEmpty.LoadFromFile("no such file.wav"), QN_OK);
    EXPECT_TRUE(fake::SoundBuffers().empty());

    qnSoundBuffer kSound = Loaded();
    EXPECT_EQ(kSound.LoadFromFile("no such file.wav"), QN_OK);
    EXPECT_EQ(kSound.Play(0), QN_OK);
    EXPECT_TRUE(Only().playing);
}

// Each file is refused with 35 before anything is allocated or created.
struct Refusal {
    const char* what;
    size_t offset;
    const char* bytes;
};

TEST_F(SoundBufferTest, OtherIdsThanRiffAndWaveAreRefused)
{
    const Refusal akCases[] = {
        {"RIFX", 0, "RIFX"}, {"riff", 0, "riff"},   {"zero in RIFF", 0, "RI\0F"},
        {"WAVF", 8, "WAVF"}, {"AVI ", 8, "AVI "}, {"zero in WAVE", 8, "WA\0E"},
    };
    qnSoundBuffer kSound = Loaded();
    for (const Refusal& kCase : akCases) {
        std::vector<uint8_t> aucBytes = WaveBytes({}, kSamples);
        std::copy(kCase.bytes, kCase.bytes + 4, aucBytes.begin() + kCase.offset);
        fake::ClearCalls();
        EXPECT_EQ(kSound.LoadFromFile(Write(aucBytes, "_bad").c_str()), QN_ERR_NOT_WAVE)
            << kCase.what;
        EXPECT_EQ(fake::CountCalls("IDirectSound8::CreateSoundBuffer"), 0) << kCase.what;
    }
    // The handle still holds the first buffer.
    EXPECT_EQ(kSound.Play(1), QN_OK);
    EXPECT_TRUE(Only().looping);
}

TEST_F(SoundBufferTest, FileEndingInsideTheHeaderIsRefused)
{
    std::vector<uint8_t> aucWhole = WaveBytes({}, {});
    qnSoundBuffer kSound;
    for (size_t uiLength = 0; uiLength < 44; ++uiLength) {
        std::vector<uint8_t> aucCut(aucWhole.begin(), aucWhole.begin() + uiLength);
        EXPECT_EQ(kSound.LoadFromFile(Write(aucCut).c_str()), QN_ERR_NOT_WAVE) << uiLength;
    }
    EXPECT_EQ(fake::CountCalls("IDirectSound8::CreateSoundBuffer"), 0);
}

TEST_F(SoundBufferTest, DataSizeBeyondTheEndOfTheFileIsRefused)
{
    const uint32_t auiSizes[] = {13, 1000, 0x7FFFFFFF, 0xFFFFFFFF};
    qnSoundBuffer kSound;
    for (uint32_t uiSize : auiSizes) {
        std::vector<uint8_t> aucBytes = WaveBytes({}, kSamples);
        test_support::PutDword(aucBytes, 40, uiSize);
        EXPECT_EQ(kSound.LoadFromFile(Write(aucBytes).c_str()), QN_ERR_NOT_WAVE) << uiSize;
    }
    EXPECT_EQ(fake::CountCalls("IDirectSound8::CreateSoundBuffer"), 0);
}

TEST_F(SoundBufferTest, BytesAfterTheDataAreNotRead)
{
    std::vector<uint8_t> aucBytes = WaveBytes({}, kSamples);
    aucBytes.insert(aucBytes.end(), {'L', 'I', 'S', 'T', 0, 0, 0, 0});
    qnSoundBuffer kSound;
    ASSERT_EQ(kSound.LoadFromFile(Write(aucBytes).c_str()), QN_OK);
    EXPECT_EQ(Only().samples, kSamples);
}

TEST_F(SoundBufferTest, FormatTheDeviceCannotPlayFailsCreation)
{
    const WaveShape akShapes[] = {{1, 22050, 12}, {3, 22050, 16}, {1, 50, 16}};
    for (const WaveShape& kShape : akShapes) {
        qnSoundBuffer kSound;
        EXPECT_EQ(kSound.LoadFromFile(Write(WaveBytes(kShape, kSamples)).c_str()),
                  QN_ERR_SOUND_CREATE_BUFFER);
        EXPECT_EQ(kSound.Play(0), QN_OK);
    }
    EXPECT_TRUE(fake::SoundBuffers().empty());
    EXPECT_EQ(fake::CountCalls("IDirectSoundBuffer::"), 0);
}

TEST_F(SoundBufferTest, EmptyDataFailsCreation)
{
    qnSoundBuffer kSound;
    EXPECT_EQ(kSound.LoadFromFile(Write(WaveBytes({}, {})).c_str()), QN_ERR_SOUND_CREATE_BUFFER);
}

TEST_F(SoundBufferTest, FailedCreationAndLockGiveTheirCodes)
{
    std::string kPath = Write(WaveBytes({}, kSamples));
    qnSoundBuffer kSound;
    fake::FailCall("IDirectSound8::CreateSoundBuffer", 1);
    EXPECT_EQ(kSound.LoadFromFile(kPath.c_str()), QN_ERR_SOUND_CREATE_BUFFER);
    EXPECT_EQ(fake::CountCalls("IDirectSoundBuffer::Lock"), 0);

    fake::FailCall("IDirectSoundBuffer::Lock", 1);
    EXPECT_EQ(kSound.LoadFromFile(kPath.c_str()), QN_ERR_SOUND_LOCK);
    // The new buffer stays in the handle, unwritten.
    EXPECT_EQ(Only().bytesUnlocked, 0u);
    EXPECT_EQ(fake::CountCalls("IDirectSoundBuffer::Unlock"), 0);
    EXPECT_EQ(kSound.Play(0), QN_OK);
    EXPECT_TRUE(Only().playing);
}

TEST_F(SoundBufferTest, LoadWithoutADeviceFailsCreation)
{
    m_kPlayer.reset();
    m_kPlayer.emplace();
    qnSoundBuffer kSound;
    EXPECT_EQ(kSound.LoadFromFile(Write(WaveBytes({}, kSamples)).c_str()),
              QN_ERR_SOUND_CREATE_BUFFER);
}

TEST_F(SoundBufferTest, VolumeIsHundredMinusValueTimesHundred)
{
    struct Row {
        int value;
        qnError result;
        LONG volume;
    };
    const Row akRows[] = {
        {1, QN_ERR_SOUND_VOLUME, 0},   {99, QN_ERR_SOUND_VOLUME, 0}, {100, QN_OK, 0},
        {101, QN_OK, -100},            {150, QN_OK, -5000},          {200, QN_OK, -10000},
        {201, QN_ERR_SOUND_VOLUME, 0}, {INT_MAX, QN_ERR_SOUND_VOLUME, 0},
        {INT_MIN, QN_ERR_SOUND_VOLUME, 0},
    };
    for (const Row& kRow : akRows) {
        m_kPlayer.reset();
        fake::Reset();
        m_kPlayer.emplace();
        ASSERT_EQ(m_kPlayer->Init(kWindow), QN_OK);
        qnSoundBuffer kSound = Loaded();
        EXPECT_EQ(kSound.SetVolume(kRow.value), kRow.result) << kRow.value;
        EXPECT_EQ(Only().volume, kRow.volume) << kRow.value;
    }
}

TEST_F(SoundBufferTest, RefusedVolumeKeepsTheOneBefore)
{
    qnSoundBuffer kSound = Loaded();
    ASSERT_EQ(kSound.SetVolume(150), QN_OK);
    EXPECT_EQ(kSound.SetVolume(1), QN_ERR_SOUND_VOLUME);
    EXPECT_EQ(Only().volume, -5000);
    EXPECT_EQ(fake::CountCalls("IDirectSoundBuffer::SetVolume(9900)"), 1);
}

TEST_F(SoundBufferTest, PlayRewindsThenPlaysOnceOrLooping)
{
    struct Row {
        int loop;
        const char* call;
        bool looping;
    };
    const Row akRows[] = {{0, "IDirectSoundBuffer::Play(0, 0, 0x0)", false},
                          {1, "IDirectSoundBuffer::Play(0, 0, 0x1)", true},
                          {2, "IDirectSoundBuffer::Play(0, 0, 0x1)", true},
                          {-1, "IDirectSoundBuffer::Play(0, 0, 0x1)", true}};
    qnSoundBuffer kSound = Loaded();
    IDirectSoundBuffer* pkBuffer = fake::SoundBuffers().at(0);
    for (const Row& kRow : akRows) {
        ASSERT_EQ(pkBuffer->SetCurrentPosition(6), DS_OK);
        fake::ClearCalls();
        EXPECT_EQ(kSound.Play(kRow.loop), QN_OK);
        std::vector<std::string> akExpected = {"IDirectSoundBuffer::SetCurrentPosition(0)",
                                               kRow.call};
        EXPECT_EQ(fake::Calls(), akExpected) << kRow.loop;
        EXPECT_EQ(Only().position, 0u);
        EXPECT_EQ(Only().looping, kRow.looping);
    }
}

TEST_F(SoundBufferTest, StopKeepsThePositionAndPlayRewindsAnyway)
{
    qnSoundBuffer kSound = Loaded();
    ASSERT_EQ(kSound.Play(1), QN_OK);
    IDirectSoundBuffer* pkBuffer = fake::SoundBuffers().at(0);
    ASSERT_EQ(pkBuffer->SetCurrentPosition(8), DS_OK);
    EXPECT_EQ(kSound.Stop(), QN_OK);
    EXPECT_FALSE(Only().playing);
    EXPECT_EQ(Only().position, 8u);
    EXPECT_EQ(kSound.Play(0), QN_OK);
    EXPECT_EQ(Only().position, 0u);
}

TEST_F(SoundBufferTest, CopiesShareOneBuffer)
{
    std::optional<qnSoundBuffer> kBank(Loaded());
    qnSoundBuffer kVoice = *kBank;
    ASSERT_EQ(kVoice.Play(0), QN_OK);
    IDirectSoundBuffer* pkBuffer = fake::SoundBuffers().at(0);
    ASSERT_EQ(pkBuffer->SetCurrentPosition(10), DS_OK);

    // Starting the other copy while the sample plays restarts the one sample.
    qnSoundBuffer kSecondVoice = *kBank;
    EXPECT_EQ(kSecondVoice.Play(0), QN_OK);
    EXPECT_EQ(Only().plays, 2);
    EXPECT_EQ(Only().position, 0u);
    EXPECT_TRUE(Only().playing);

    EXPECT_EQ(kBank->Stop(), QN_OK);
    EXPECT_FALSE(Only().playing);
    EXPECT_EQ(kBank->SetVolume(200), QN_OK);
    EXPECT_EQ(Only().volume, -10000);

    // No copy releases the buffer.
    kBank.reset();
    EXPECT_EQ(Only().references, 1u);
    EXPECT_EQ(kVoice.Play(1), QN_OK);
    EXPECT_TRUE(Only().looping);
}

TEST_F(SoundBufferTest, FailedCallsGiveTheirCodes)
{
    qnSoundBuffer kSound = Loaded();
    fake::FailCall("IDirectSoundBuffer::Play", 1);
    EXPECT_EQ(kSound.Play(0), QN_ERR_SOUND_PLAY);
    fake::FailCall("IDirectSoundBuffer::Stop", 1);
    EXPECT_EQ(kSound.Stop(), QN_ERR_SOUND_STOP);
    fake::FailCall("IDirectSoundBuffer::SetVolume", 1);
    EXPECT_EQ(kSound.SetVolume(100), QN_ERR_SOUND_VOLUME);
    // A failed rewind is ignored.
    fake::FailCall("IDirectSoundBuffer::SetCurrentPosition", 1);
    EXPECT_EQ(kSound.Play(0), QN_OK);
}

TEST_F(SoundBufferTest, HandleWithoutBufferDoesNothingAndSucceeds)
{
    qnSoundBuffer kEmpty;
    EXPECT_EQ(kEmpty.Play(1), QN_OK);
    EXPECT_EQ(kEmpty.Stop(), QN_OK);
    EXPECT_EQ(kEmpty.SetVolume(1), QN_OK);
    EXPECT_EQ(kEmpty.SetPan(100), DS_OK);
    EXPECT_TRUE(fake::Calls().empty());
}

TEST_F(SoundBufferTest, PanPassesDirectSoundsResult)
{
    qnSoundBuffer kSound = Loaded();
    EXPECT_EQ(kSound.SetPan(-3000), DS_OK);
    EXPECT_EQ(Only().pan, -3000);
    EXPECT_EQ(kSound.SetPan(10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(kSound.SetPan(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(Only().pan, -3000);
}

}  // namespace
