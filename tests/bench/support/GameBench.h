// Drives the game for the benchmarks: its start-up step by step with the time of each, and its
// heaviest frame (every object slot in play, half of them player bullets so that the bullet
// step compares every pair, every explosion running, past the finish row without reaching the
// win), either timed step by step up to the pacing wait (Run) or put back before each of the
// game's own frames (MakeHeaviest).
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "ArcadeGame.h"
#include "ProcessStart.h"

namespace gamebench {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUpFrames = 20;

double Milliseconds(Clock::duration kDuration)
{
    return std::chrono::duration<double, std::milli>(kDuration).count();
}

const GameSettings& SettingsNamed(const char* acName)
{
    for (const GameSettings* pkSettings :
         {&kPadToggleSettings, &kPadHoldSettings, &kKeyToggleSettings, &kKeyHoldSettings}) {
        if (acName && std::strcmp(acName, pkSettings->acProgram) == 0) {
            return *pkSettings;
        }
    }
    return kPadToggleSettings;
}

struct Timing {
    std::vector<double> kWork;
    std::vector<double> kWorkCpu;
    long iAllocations = 0;
    long iSpawnedInFrame = 0;
};

// CPU time of the calling thread alone, leaving out the renderer's threads.
double ThreadCpuMilliseconds()
{
    timespec kTime = {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &kTime);
    return static_cast<double>(kTime.tv_sec) * 1000.0 + static_cast<double>(kTime.tv_nsec) * 1e-6;
}

double Mean(const std::vector<double>& kValues)
{
    double dSum = 0.0;
    for (double d : kValues) {
        dSum += d;
    }
    return kValues.empty() ? 0.0 : dSum / static_cast<double>(kValues.size());
}

double Percentile(std::vector<double> kValues, double dFraction)
{
    if (kValues.empty()) {
        return 0.0;
    }
    std::sort(kValues.begin(), kValues.end());
    return kValues[static_cast<size_t>(dFraction * static_cast<double>(kValues.size() - 1))];
}

}  // namespace gamebench

// Runs the game's own start-up and frame steps one by one, so that each can be timed.
class GameProbe {
public:
    explicit GameProbe(ArcadeGame& kGame) : g(kGame) {}

    void StartUp(HINSTANCE hInstance)
    {
        using gamebench::Clock;
        Clock::time_point kStart = Clock::now();
        g.m_hInstance = hInstance;
        g.Create(hInstance, "Orvik  -  Tamberlo Arcade", CW_USEDEFAULT, CW_USEDEFAULT,
                 WS_OVERLAPPEDWINDOW | WS_VISIBLE);
        g.SetSize(1024, 768);
        g.SetPosition(0, 0);
        Mark("window", kStart);
        g.m_kScreen.Init(g.m_hWindow);
        g.m_kScreen.SetMode(1, 1024, 768, 32, true);
        Mark("Direct3D device", kStart);
        g.m_kInputManager.Init(hInstance);
        g.m_kKeyboard.Init(g.m_hWindow);
        g.m_kMouse.Init(g.m_hWindow);
        g.m_kSoundPlayer.Init(g.m_hWindow);
        if (g.m_kSettings.UsesController()) {
            g.m_kJoystick.Init(g.m_hWindow, -10, 10, 1);
        }
        g.m_iBlink = 0;
        g.m_bPadLatch = false;
        g.m_bSpaceLatch = false;
        Mark("input and sound devices", kStart);
        g.m_kTextOutput.Init(g.m_hWindow, g.m_kScreen.GetDevice());
        g.m_kTextOutput.LoadFont(ArcadeGame::kFontFile);
        Mark("text output and font", kStart);
        g.LoadSprites();
        g.LoadTemplates();
        Mark("sprites and textures", kStart);
        g.NewGame();
        g.m_eState = STATE_ATTRACT;
        Mark("object map", kStart);
        g.LoadSounds();
        Mark("sounds", kStart);
        g.Frame();
        Mark("first frame presented", kStart);
        m_dSinceProcessStart = MillisecondsSinceProcessStart();
    }

    void PrintStartUp() const
    {
        using namespace gamebench;
        double dTotal = m_dSinceProcessStart;
        std::printf("start-up: %.1f ms from the process start (as the kernel records it, to 10 ms) "
                    "to the return of the first present\n",
                    dTotal);
        std::printf("  before the game's start-up (SDL, loading): %.1f ms\n",
                    dTotal - m_kSteps.back().second);
        double dPrevious = 0.0;
        for (const auto& kStep : m_kSteps) {
            std::printf("  %-32s %7.1f ms\n", kStep.first.c_str(), kStep.second - dPrevious);
            dPrevious = kStep.second;
        }
    }

    // Keeps the frame at its heaviest: every slot in play, every explosion running, past the
    // finish row without ever reaching the win.
    void MakeHeaviest()
    {
        for (int i = 0; i < ArcadeGame::kObjectSlots; ++i) {
            if (g.m_akObjects[i].InPlay()) {
                continue;
            }
            bool bBullet = i % 2 == 0;
            int iX = -400 + (i * 11) % 3300;
            g.SpawnObject(bBullet ? OBJ_PLAYER_BULLET : i % 17, iX, bBullet ? -1400 : -1900);
        }
        for (Explosion& kExplosion : g.m_akExplosions) {
            if (kExplosion.m_iActive == 0) {
                kExplosion = Explosion{g.m_iPlayerX, -900, 1, 0};
            }
        }
        g.m_eState = STATE_PLAY;
        g.m_iRow = 1001;
        g.m_iFinishCount = 0;
        g.m_iFuel = 100;
        g.m_iBallY = -820;
        g.m_iPlayerX = 1224;
    }

    // Heaviest frames; afterFrame runs after each present.
    template <typename AfterFrame>
    void Run(gamebench::Timing& kTiming, int iFrames, AfterFrame afterFrame)
    {
        using namespace gamebench;
        for (int iFrame = 0; iFrame < iFrames; ++iFrame) {
            MakeHeaviest();
            std::vector<bool> kWasFree = FreeSlots();
            long iAllocationsBefore = AllocationCount();
            double dCpuStart = ThreadCpuMilliseconds();
            Clock::time_point kStart = Clock::now();
            g.ReadInput();
            g.m_kScreen.Clear(0, 0, 0, 0);
            g.m_kScreen.StartFrame();
            g.PlaceCamera();
            g.Steer();
            g.RunState();
            g.DrawControlPanels();
            Clock::time_point kWorkDone = Clock::now();
            double dCpuDone = ThreadCpuMilliseconds();
            long iAllocations = AllocationCount() - iAllocationsBefore;
            g.m_kScreen.EndFrame();
            if (iFrame >= kWarmUpFrames) {
                kTiming.kWork.push_back(Milliseconds(kWorkDone - kStart));
                kTiming.kWorkCpu.push_back(dCpuDone - dCpuStart);
                kTiming.iAllocations += iAllocations;
                kTiming.iSpawnedInFrame += SpawnedSince(kWasFree);
            }
            afterFrame();
        }
    }

private:
    std::vector<bool> FreeSlots() const
    {
        std::vector<bool> kFree;
        for (const FieldObject& kObject : g.m_akObjects) {
            kFree.push_back(!kObject.InPlay());
        }
        return kFree;
    }

    // Slots free before the frame and in play after it: each such spawn copied animations.
    long SpawnedSince(const std::vector<bool>& kWasFree) const
    {
        long iSpawned = 0;
        for (int i = 0; i < ArcadeGame::kObjectSlots; ++i) {
            iSpawned += kWasFree[static_cast<size_t>(i)] && g.m_akObjects[i].InPlay() ? 1 : 0;
        }
        return iSpawned;
    }

    void Mark(const char* acStep, gamebench::Clock::time_point kStart)
    {
        using gamebench::Clock;
        m_kSteps.emplace_back(acStep, gamebench::Milliseconds(Clock::now() - kStart));
    }

    ArcadeGame& g;
    std::vector<std::pair<std::string, double>> m_kSteps;
    double m_dSinceProcessStart = 0.0;
};

