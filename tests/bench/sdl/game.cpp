// The game's heaviest frame on the SDL device: 300 objects in play (half of them player bullets,
// so the bullet step compares every pair), 30 explosions running, the finish and score texts and
// every zone's scenery, held there for a few hundred frames. Prints the time of a frame's work
// up to the pacing wait, the time of the present, the frames a second that follow, the
// allocations a frame makes, and how long the start-up took up to the first presented frame.
// Run from the data folder: bench_game [brask-pad-toggle|brask-pad-hold|brask-key-toggle|brask-key-hold]
#include <algorithm>
#include <cstdio>

#include "GameBench.h"
#include "ProcessMemory.h"

namespace {

constexpr int kFrames = 400;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR acCommandLine, int)
{
    using namespace gamebench;
    const GameSettings& kSettings = SettingsNamed(acCommandLine);
    ArcadeGame kGame(kSettings);
    GameProbe kProbe(kGame);
    kProbe.StartUp(hInstance);
    kProbe.PrintStartUp();

    Timing kTiming;
    kProbe.Run(kTiming, kFrames, [] {});
    double dWork = Mean(kTiming.kWork);
    double dPresent = Mean(kTiming.kPresent);
    double dFrames = static_cast<double>(kTiming.kWork.size());
    std::printf("%s, heaviest frame, %zu frames:\n", kSettings.acProgram, kTiming.kWork.size());
    std::printf("  work before the pacing wait: %.3f ms mean, %.3f ms at the 95th percentile\n",
                dWork, Percentile(kTiming.kWork, 0.95));
    std::printf("  of which the game thread's own CPU time: %.3f ms mean\n", Mean(kTiming.kWorkCpu));
    std::printf("  present: %.3f ms mean, %.3f ms at the 95th percentile\n", dPresent,
                Percentile(kTiming.kPresent, 0.95));
    std::printf("  frames a second with the 13 ms pace: %.1f\n",
                1000.0 / std::max(13.0, dWork + dPresent));
    std::printf("  allocations a frame: %.2f; objects spawned in the frame (one copy each): %.2f\n",
                static_cast<double>(kTiming.iAllocations) / dFrames,
                static_cast<double>(kTiming.iSpawnedInFrame) / dFrames);
    std::printf("resident memory of the process:\n");
    PrintResidentMemory();
    return 0;
}
