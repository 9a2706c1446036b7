// The game's own heap on the fake backend (no call log kept): after start-up, and at its peak
// over a few thousand of the heaviest frames the rules allow. The fake device holds every
// texture in memory, as a driver would. Also counts the allocations of a heaviest frame and times
// the game's own work in it, with a device that draws nothing.
#include <malloc.h>

#include <algorithm>
#include <cstdio>

#include "GameBench.h"
#include "fake/fake_win32.h"

namespace {

constexpr int kFrames = 3000;

double HeapMegabytes()
{
    struct mallinfo2 kInfo = mallinfo2();
    return static_cast<double>(kInfo.uordblks + kInfo.hblkhd) / (1024.0 * 1024.0);
}

}  // namespace

int main()
{
    fake::Reset();
    fake::SetRecording(false);
    fake::SetTimeStep(1000);
    double dBefore = HeapMegabytes();
    double dPeak = 0.0;
    {
        static char cInstance;
        ArcadeGame kGame(kPadToggleSettings);
        GameProbe kProbe(kGame);
        kProbe.StartUp(reinterpret_cast<HINSTANCE>(&cInstance));
        double dStarted = HeapMegabytes();
        gamebench::Timing kTiming;
        kProbe.Run(kTiming, kFrames, [&] { dPeak = std::max(dPeak, HeapMegabytes()); });
        std::printf("game heap on the fake backend:\n");
        std::printf("  after start-up:                     %6.2f MB\n", dStarted - dBefore);
        std::printf("  peak over %d heaviest frames:     %6.2f MB\n", kFrames, dPeak - dBefore);
        std::printf("  allocations a frame:                %6.2f (objects spawned in it: %.2f)\n",
                    static_cast<double>(kTiming.iAllocations) / static_cast<double>(kTiming.kWork.size()),
                    static_cast<double>(kTiming.iSpawnedInFrame) / static_cast<double>(kTiming.kWork.size()));
        std::printf("  a frame's own work, without a renderer: %.3f ms mean\n",
                    gamebench::Mean(kTiming.kWorkCpu));
        std::printf("  game object itself:                 %6.2f MB\n",
                    static_cast<double>(sizeof(ArcadeGame)) / (1024.0 * 1024.0));
    }
    std::printf("  left after the game is destroyed:   %6.2f MB\n", HeapMegabytes() - dBefore);
    return 0;
}
