// The game as a player meets it on the SDL device: its own Frame run by the message pump, on
// the attract screen and then in the heaviest frame the rules allow (300 objects in play, half
// of them player bullets, 30 explosions running, the finish and score texts and every zone's
// scenery). Prints the period between presents and where it goes, measured at the device's
// moments of each frame: the previous present's return, the frame's start time t0 (the first
// read of the clock in the scene), the drawing handed to the renderer (the first read of the
// clock in the pacing wait), the scene's end, the blit onto the window and the swap's return.
// Also the start-up, up to the return of the first present, and the allocations a frame makes.
// Run from the data folder: bench_game [brask-pad-toggle|brask-pad-hold|brask-key-toggle|brask-key-hold]
#include <cstdio>
#include <vector>

#include "GameBench.h"
#include "ProcessMemory.h"
#include "platform/sdl_test_hooks.h"

namespace {

constexpr int kFrames = 500;

using Moments = sdl_test_hooks::PresentMoments;

double Between(uint64_t uiFrom, uint64_t uiTo)
{
    return static_cast<double>(uiTo - uiFrom) / 1000.0;
}

// The game's own frame in the real message pump; before each frame of a heaviest run the
// probe puts the game back at its heaviest.
class BenchGame final : public ArcadeGame {
public:
    explicit BenchGame(const GameSettings& kSettings) : ArcadeGame(kSettings), m_kProbe(*this) {}

    GameProbe& Probe() { return m_kProbe; }

    // Runs the pump for iFrames frames and returns the moments of each present.
    std::vector<Moments> RunFrames(int iFrames, bool bHeaviest)
    {
        m_kMoments.clear();
        m_iFramesLeft = iFrames;
        m_bHeaviest = bHeaviest;
        m_iAllocations = 0;
        Run();
        m_iFramesLeft = 0;
        return m_kMoments;
    }

    long Allocations() const { return m_iAllocations; }

    int Frame() override
    {
        if (m_iFramesLeft == 0) {
            return ArcadeGame::Frame();
        }
        if (m_bHeaviest) {
            m_kProbe.MakeHeaviest();
        }
        long iAllocationsBefore = AllocationCount();
        int iResult = ArcadeGame::Frame();
        m_iAllocations += AllocationCount() - iAllocationsBefore;
        m_kMoments.push_back(sdl_test_hooks::LastPresentMoments());
        return --m_iFramesLeft > 0 ? iResult : 0;
    }

private:
    GameProbe m_kProbe;
    std::vector<Moments> m_kMoments;
    int m_iFramesLeft = 0;
    bool m_bHeaviest = false;
    long m_iAllocations = 0;
};

struct Split {
    std::vector<double> kPeriod;
    std::vector<double> kBeforeStart;
    std::vector<double> kDrawing;
    std::vector<double> kWait;
    std::vector<double> kEndToBlit;
    std::vector<double> kSwap;
    int iDrawnOnlyAtPresent = 0;
};

// Each frame after the warm-up against the present before it.
Split SplitFrames(const std::vector<Moments>& kMoments)
{
    Split kSplit;
    for (size_t i = gamebench::kWarmUpFrames + 1; i < kMoments.size(); ++i) {
        const Moments& kPrevious = kMoments[i - 1];
        Moments kFrame = kMoments[i];
        if (kFrame.drawingSubmitted == 0) {
            ++kSplit.iDrawnOnlyAtPresent;
            kFrame.drawingSubmitted = kFrame.sceneEnded;
        }
        kSplit.kPeriod.push_back(Between(kPrevious.presentSwapped, kFrame.presentSwapped));
        kSplit.kBeforeStart.push_back(Between(kPrevious.presentSwapped, kFrame.firstClockRead));
        kSplit.kDrawing.push_back(Between(kFrame.firstClockRead, kFrame.drawingSubmitted));
        kSplit.kWait.push_back(Between(kFrame.drawingSubmitted, kFrame.sceneEnded));
        kSplit.kEndToBlit.push_back(Between(kFrame.sceneEnded, kFrame.presentBlitted));
        kSplit.kSwap.push_back(Between(kFrame.presentBlitted, kFrame.presentSwapped));
    }
    return kSplit;
}

void PrintPart(const char* acPart, const std::vector<double>& kValues)
{
    using namespace gamebench;
    std::printf("    %-58s %6.2f ms mean, %6.2f ms at the 95th percentile\n", acPart, Mean(kValues),
                Percentile(kValues, 0.95));
}

void PrintFrames(const char* acProgram, const char* acFrame, const std::vector<Moments>& kMoments)
{
    using namespace gamebench;
    Split kSplit = SplitFrames(kMoments);
    std::printf("%s, %s, %zu frames:\n", acProgram, acFrame, kSplit.kPeriod.size());
    std::printf("  period between presents: %.2f ms median, %.2f ms at the 95th percentile, "
                "%.2f ms mean, %.2f ms shortest\n",
                Percentile(kSplit.kPeriod, 0.5), Percentile(kSplit.kPeriod, 0.95),
                Mean(kSplit.kPeriod), Percentile(kSplit.kPeriod, 0.0));
    std::printf("  where it goes:\n");
    PrintPart("the previous present's return to t0 (pump, input, clear)", kSplit.kBeforeStart);
    PrintPart("t0 to the drawing handed to the renderer (the game's work)", kSplit.kDrawing);
    PrintPart("the pacing wait, to the end of the scene", kSplit.kWait);
    PrintPart("the present: end of the scene to the blit issued", kSplit.kEndToBlit);
    PrintPart("the present: the blit issued to the swap's return", kSplit.kSwap);
    if (kSplit.iDrawnOnlyAtPresent > 0) {
        std::printf("  frames whose drawing reached the renderer only at the present: %d\n",
                    kSplit.iDrawnOnlyAtPresent);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR acCommandLine, int)
{
    using namespace gamebench;
    const GameSettings& kSettings = SettingsNamed(acCommandLine);
    BenchGame kGame(kSettings);
    kGame.Probe().StartUp(hInstance);
    kGame.Probe().PrintStartUp();

    PrintFrames(kSettings.acProgram, "attract screen", kGame.RunFrames(kFrames, false));
    std::vector<Moments> kHeaviest = kGame.RunFrames(kFrames, true);
    PrintFrames(kSettings.acProgram, "heaviest frame", kHeaviest);
    std::printf("  allocations a frame: %.2f\n",
                static_cast<double>(kGame.Allocations()) / static_cast<double>(kHeaviest.size()));
    std::printf("resident memory of the process:\n");
    PrintResidentMemory();
    return 0;
}
