// Sounds through SDL's disk audio driver: the mixed stream lands in a file, which is then read
// back to find each sound at its time, length, pitch, volume and pan. Also checks that with no
// usable audio driver the sound player gets no device.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "WaveFile.h"
#include "WindowTestSupport.h"
#include "qnSoundBuffer.h"
#include "qnSoundPlayer.h"

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
const std::string kDir = BRASK_SCREENSHOT_DIR;
const std::string kStreamPath = kDir + "/sound_disk.raw";

bool g_bPassed = true;

void Check(bool bHolds, const char* acWhat)
{
    std::printf("  %-58s %s\n", acWhat, bHolds ? "ok" : "FAILED");
    g_bPassed = g_bPassed && bHolds;
}

// A sine tone as the samples of a WAV file of the given shape.
std::vector<uint8_t> Tone(const test_support::WaveShape& kShape, double dHertz, double dSeconds,
                          double dAmplitude)
{
    int iFrames = static_cast<int>(std::lround(dSeconds * kShape.rate));
    std::vector<uint8_t> aucBytes;
    for (int i = 0; i < iFrames; ++i) {
        double dValue = dAmplitude * std::sin(2.0 * kPi * dHertz * i / kShape.rate);
        for (int iChannel = 0; iChannel < kShape.channels; ++iChannel) {
            if (kShape.bits == 8) {
                aucBytes.push_back(static_cast<uint8_t>(std::lround(128 + dValue * 127)));
            } else {
                auto iSample = static_cast<int16_t>(std::lround(dValue * 32767));
                aucBytes.push_back(static_cast<uint8_t>(iSample));
                aucBytes.push_back(static_cast<uint8_t>(static_cast<uint16_t>(iSample) >> 8));
            }
        }
    }
    return test_support::WaveBytes(kShape, aucBytes);
}

std::string WriteTone(const char* acName, const test_support::WaveShape& kShape, double dHertz,
                      double dSeconds, double dAmplitude)
{
    std::string kPath = kDir + "/" + acName + ".wav";
    test_support::WriteFile(kPath, Tone(kShape, dHertz, dSeconds, dAmplitude));
    return kPath;
}

// One stretch of sound in the stream and what it measures.
struct Run {
    size_t uiStart = 0;
    size_t uiEnd = 0;
    float fPeakLeft = 0;
    float fPeakRight = 0;
    double dEnergyLeft = 0;
    double dEnergyRight = 0;
    int iCrossings = 0;

    double Seconds() const { return static_cast<double>(uiEnd - uiStart) / kRate; }
    double StartSeconds() const { return static_cast<double>(uiStart) / kRate; }
    double Hertz() const { return iCrossings / 2.0 / Seconds(); }
    double RmsRatio() const { return std::sqrt(dEnergyLeft / dEnergyRight); }
};

std::vector<float> ReadStream()
{
    std::vector<float> afSamples;
    std::FILE* pkFile = std::fopen(kStreamPath.c_str(), "rb");
    if (!pkFile) {
        return afSamples;
    }
    float afChunk[4096];
    size_t uiRead = 0;
    while ((uiRead = std::fread(afChunk, sizeof(float), 4096, pkFile)) > 0) {
        afSamples.insert(afSamples.end(), afChunk, afChunk + uiRead);
    }
    std::fclose(pkFile);
    return afSamples;
}

// Stretches above the threshold, joined across gaps shorter than 50 ms.
std::vector<Run> FindRuns(const std::vector<float>& afStream)
{
    const float fThreshold = 0.01f;
    const size_t uiJoin = kRate / 20;
    std::vector<Run> akRuns;
    size_t uiFrames = afStream.size() / 2;
    for (size_t i = 0; i < uiFrames; ++i) {
        float fLeft = afStream[2 * i];
        float fRight = afStream[2 * i + 1];
        if (std::fabs(fLeft) < fThreshold && std::fabs(fRight) < fThreshold) {
            continue;
        }
        if (akRuns.empty() || i - akRuns.back().uiEnd > uiJoin) {
            akRuns.push_back({});
            akRuns.back().uiStart = i;
        }
        Run& kRun = akRuns.back();
        kRun.uiEnd = i + 1;
    }
    for (Run& kRun : akRuns) {
        for (size_t i = kRun.uiStart; i < kRun.uiEnd; ++i) {
            float fLeft = afStream[2 * i];
            float fRight = afStream[2 * i + 1];
            kRun.fPeakLeft = std::fmax(kRun.fPeakLeft, std::fabs(fLeft));
            kRun.fPeakRight = std::fmax(kRun.fPeakRight, std::fabs(fRight));
            kRun.dEnergyLeft += fLeft * fLeft;
            kRun.dEnergyRight += fRight * fRight;
            // The right side is at full level in every sound here.
            bool bSignChanged = i > kRun.uiStart && (afStream[2 * i - 1] < 0) != (fRight < 0);
            kRun.iCrossings += bSignChanged ? 1 : 0;
        }
    }
    return akRuns;
}

bool Near(double dValue, double dExpected, double dTolerance)
{
    return std::fabs(dValue - dExpected) <= dTolerance;
}

void Pause(int iMilliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(iMilliseconds));
}

// A silent looping buffer at the output rate, whose play cursor counts the mixed frames.
class StreamClock {
public:
    explicit StreamClock(IDirectSound8* pkDevice)
    {
        WAVEFORMATEX kFormat = {WAVE_FORMAT_PCM, 1, kRate, kRate * 2, 2, 16, 0};
        DSBUFFERDESC kDescription = {};
        kDescription.dwSize = sizeof kDescription;
        kDescription.dwBufferBytes = kRate * 2 * 60;
        kDescription.lpwfxFormat = &kFormat;
        bool bCreated = pkDevice && SUCCEEDED(pkDevice->CreateSoundBuffer(&kDescription,
                                                                          &m_pkBuffer, nullptr));
        if (bCreated) {
            m_bStarted = SUCCEEDED(m_pkBuffer->Play(0, 0, DSBPLAY_LOOPING));
        }
    }
    bool Started() const { return m_bStarted; }
    double Seconds() const
    {
        DWORD uiBytes = 0;
        if (m_pkBuffer) {
            m_pkBuffer->GetCurrentPosition(&uiBytes, nullptr);
        }
        return uiBytes / 2.0 / kRate;
    }

private:
    IDirectSoundBuffer* m_pkBuffer = nullptr;
    bool m_bStarted = false;
};

bool NoDriverLeavesNoDevice(HWND hWindow)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    qnSoundPlayer kPlayer;
    qnError iResult = kPlayer.Init(hWindow);
    return iResult == QN_ERR_SOUND_CREATE && kPlayer.GetDevice() == nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    FrameCountWindow kWindow;
    if (kWindow.Create(hInstance, "sound_disk", 320, 240, WS_OVERLAPPEDWINDOW) != QN_OK) {
        std::fprintf(stderr, "sound_disk: no window\n");
        return 1;
    }
    std::printf("sound_disk:\n");
    Check(NoDriverLeavesNoDevice(kWindow.GetHandle()), "no audio driver: Init gives 41, no device");

    std::remove(kStreamPath.c_str());
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", kStreamPath.c_str(), 1);
    std::string kMono = WriteTone("sound_disk_mono16", {1, 22050, 16}, 1000, 0.2, 0.5);
    std::string kStereo = WriteTone("sound_disk_stereo8", {2, 11025, 8}, 500, 0.2, 0.5);
    std::string kLoop = WriteTone("sound_disk_loop", {1, 44100, 16}, 400, 0.05, 0.3);
    // Stream times of each Play and of the Stop, read from a silent looping buffer's cursor:
    // the disk driver's stream keeps its own pace, not the wall clock's.
    double adPlayed[5] = {};
    {
        qnSoundPlayer kPlayer;
        Check(kPlayer.Init(kWindow.GetHandle()) == QN_OK, "disk driver: Init gives 0");
        qnSoundBuffer kTone;
        qnSoundBuffer kPanned;
        qnSoundBuffer kLooped;
        Check(kTone.LoadFromFile(kMono.c_str()) == QN_OK &&
                  kPanned.LoadFromFile(kStereo.c_str()) == QN_OK &&
                  kLooped.LoadFromFile(kLoop.c_str()) == QN_OK,
              "three WAV files load");
        Check(kTone.SetVolume(1) == QN_ERR_SOUND_VOLUME, "SetVolume(1) is refused with 39");
        StreamClock kClock(kPlayer.GetDevice());
        Check(kClock.Started(), "a silent clock buffer plays");
        Pause(200);
        adPlayed[0] = kClock.Seconds();
        kTone.Play(0);
        Pause(400);
        kTone.SetVolume(120);
        adPlayed[1] = kClock.Seconds();
        kTone.Play(0);
        Pause(400);
        kPanned.SetPan(2000);
        adPlayed[2] = kClock.Seconds();
        kPanned.Play(0);
        Pause(400);
        adPlayed[3] = kClock.Seconds();
        kLooped.Play(1);
        Pause(300);
        adPlayed[4] = kClock.Seconds();
        kLooped.Stop();
        Pause(300);
    }

    std::vector<Run> akRuns = FindRuns(ReadStream());
    std::printf("  %zu sounds in the stream\n", akRuns.size());
    for (size_t i = 0; i < akRuns.size(); ++i) {
        const Run& kRun = akRuns[i];
        std::printf("  sound %zu: at %.3f s (%+.3f s after the first), %.4f s long, %.1f Hz, "
                    "peak L %.4f R %.4f, RMS L/R %.4f\n",
                    i, kRun.StartSeconds(), kRun.StartSeconds() - akRuns[0].StartSeconds(),
                    kRun.Seconds(), kRun.Hertz(), kRun.fPeakLeft, kRun.fPeakRight,
                    kRun.RmsRatio());
    }
    std::printf("  played at +%.3f, +%.3f, +%.3f s after the first, the loop stopped after "
                "%.3f s\n",
                adPlayed[1] - adPlayed[0], adPlayed[2] - adPlayed[0], adPlayed[3] - adPlayed[0],
                adPlayed[4] - adPlayed[3]);
    Check(akRuns.size() == 4, "four sounds, silence between them");
    if (akRuns.size() == 4) {
        const Run& kFull = akRuns[0];
        const Run& kQuiet = akRuns[1];
        const Run& kPan = akRuns[2];
        const Run& kLoopRun = akRuns[3];
        for (int i = 0; i < 3; ++i) {
            double dGap = akRuns[i + 1].StartSeconds() - kFull.StartSeconds();
            Check(Near(dGap, adPlayed[i + 1] - adPlayed[0], 0.005),
                  "each sound starts when it was played (5 ms)");
        }
        Check(Near(kFull.Seconds(), 0.2, 0.002) && Near(kQuiet.Seconds(), 0.2, 0.002) &&
                  Near(kPan.Seconds(), 0.2, 0.002),
              "one-shot sounds last their 0.2 s (2 ms)");
        Check(Near(kFull.Hertz(), 1000, 10) && Near(kPan.Hertz(), 500, 5),
              "22050 and 11025 Hz files keep their pitch (1%)");
        Check(Near(kFull.fPeakLeft, 0.5, 0.02) && Near(kFull.RmsRatio(), 1.0, 0.001),
              "full volume: peak 0.5, mono on both sides alike");
        Check(Near(kQuiet.fPeakLeft / kFull.fPeakLeft, 0.1, 0.005),
              "volume -2000 (SetVolume 120): a tenth of the amplitude");
        Check(Near(kPan.fPeakRight, 0.5, 0.03) && Near(kPan.RmsRatio(), 0.1, 0.005),
              "pan 2000: right full, left a tenth");
        Check(Near(kLoopRun.Seconds(), adPlayed[4] - adPlayed[3], 0.005) &&
                  kLoopRun.Seconds() > 0.15,
              "a 0.05 s loop plays until stopped (5 ms)");
    }
    std::printf("sound_disk: %s\n", g_bPassed ? "passed" : "FAILED");
    return g_bPassed ? 0 : 1;
}
