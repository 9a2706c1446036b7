// Updates and draws one emitter of 2000 live particles a frame at 1024 x 768 and prints frames
// per second, the CPU time of one frame's update and draw, and how many allocations they made
// (there should be none).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iterator>

#include "AllocationCounter.h"
#include "CpuClock.h"
#include "qnParticleEmitter.h"
#include "qnRGBAImage.h"
#include "qnScreen.h"
#include "qnTexture.h"
#include "qnWindow.h"

namespace {

constexpr uint32_t kParticles = 2000;
constexpr int kFrames = 300;
constexpr int kWarmUpFrames = 120;
constexpr float kStep = 1.0f / 60.0f;

class BenchWindow : public qnWindow {
public:
    int Frame() override
    {
        if (m_iFrame == kWarmUpFrames) {
            m_kStart = std::chrono::steady_clock::now();
            m_dCpu = 0;
            m_iAllocations = 0;
        }
        m_kScreen.Clear(0, 0, 0, 255);
        m_kScreen.StartFrame();
        const long iAllocationsBefore = AllocationCount();
        const double dCpuBefore = CpuSeconds();
        m_kEmitter.Update(kStep);
        m_kEmitter.Render();
        m_dCpu += CpuSeconds() - dCpuBefore;
        m_iAllocations += AllocationCount() - iAllocationsBefore;
        m_kScreen.EndFrame();
        ++m_iFrame;
        return m_iFrame < kWarmUpFrames + kFrames ? 1 : 0;
    }

    qnScreen m_kScreen;
    qnTexture m_kTexture;
    qnParticleEmitter m_kEmitter;
    int m_iFrame = 0;
    std::chrono::steady_clock::time_point m_kStart;
    double m_dCpu = 0;
    long m_iAllocations = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    BenchWindow kWindow;
    kWindow.Create(hInstance, "Particles", 1024, 768, WS_POPUP | WS_VISIBLE);
    kWindow.SetSize(1024, 768);
    kWindow.SetPosition(0, 0);
    if (kWindow.m_kScreen.Init(kWindow.GetHandle()) != QN_OK ||
        kWindow.m_kScreen.SetMode(0, 1024, 768, 32, true) != QN_OK) {
        std::fprintf(stderr, "particles: no Direct3D device\n");
        return 1;
    }
    qnRGBAImage kImage;
    kImage.SetWidth(16);
    kImage.SetHeight(16);
    uint32_t aiPixels[16 * 16];
    std::fill(std::begin(aiPixels), std::end(aiPixels), 0xffffff80u);
    kImage.SetRawData(aiPixels);
    kWindow.m_kTexture.Create(kImage);
    qnParticleEmitterParams kParams;
    kParams.m_kPosition = qnVector2(512, 100);
    kParams.m_fStartSize = 6.0f;
    kParams.m_fEndSize = 1.0f;
    kParams.m_uiStartColor = 0xffffffff;
    kParams.m_uiEndColor = 0x00ff0000;
    kParams.m_fLifetime = 1.5f;
    kParams.m_fSpread = 1.0f;
    kParams.m_fSpeed = 3.0f;
    // Enough rate that every slot is refilled as soon as it dies.
    kWindow.m_kEmitter.Create(&kParams, kParticles, 4 * kParticles, &kWindow.m_kTexture);
    kWindow.Run();

    const double dSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - kWindow.m_kStart).count();
    std::printf("particles: %u particles, %d frames at 1024 x 768\n", kParticles, kFrames);
    std::printf("particles: %.1f frames per second\n", kFrames / dSeconds);
    std::printf("particles: %.3f ms CPU per frame in the update and draw\n",
                1000.0 * kWindow.m_dCpu / kFrames);
    std::printf("particles: %ld allocations in the update and draw over all frames\n",
                kWindow.m_iAllocations);
    return kWindow.m_iAllocations == 0 ? 0 : 1;
}
