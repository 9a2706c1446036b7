// Draws 600 sprites of 150 x 150 world units a frame at 1024 x 768 with the game's camera and
// prints frames per second, the CPU time of one frame's draw calls, and how many allocations
// the draw calls made (there should be none).
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "AllocationCounter.h"
#include "CpuClock.h"
#include "ImageFiles.h"
#include "qnScreen.h"
#include "qnSprite.h"
#include "qnWindow.h"

namespace {

constexpr int kSprites = 600;
constexpr int kFrames = 300;
constexpr int kWarmUpFrames = 20;
constexpr int kPlayerX = 1224;
constexpr int kPlayerY = -300;

// A 2 x 1 sheet of 64 x 64 cells, a colour key in each cell's corner, with its description, in
// a temporary folder of this process (a folder beside the program could collide with a file,
// the program itself among them). Gives the description's path; empty when it cannot be written.
std::string WriteSheet()
{
    const uint32_t uiWidth = 2 * 65;
    const uint32_t uiHeight = 65;
    std::vector<uint32_t> aiPixels(uiWidth * uiHeight);
    for (uint32_t y = 0; y < uiHeight; ++y) {
        for (uint32_t x = 0; x < uiWidth; ++x) {
            bool bCorner = (x % 65) < 8 && y < 8;
            aiPixels[y * uiWidth + x] = bCorner ? 0xFF00FFFF : (x * 2) << 24 | (y * 3) << 16 | 0x80FF;
        }
    }
    const std::filesystem::path kFolder = testfiles::UniquePath("bench_sprites");
    std::error_code kError;
    std::filesystem::create_directories(kFolder, kError);
    if (kError) {
        std::fprintf(stderr, "sprites: cannot make %s: %s\n", kFolder.c_str(),
                     kError.message().c_str());
        return {};
    }
    const std::string kImage = (kFolder / "sheet.bmp").string();
    const std::string kDescription = (kFolder / "sheet.txt").string();
    std::ofstream(kDescription) << kImage << " 1 255 0 255 64 64 1 2 0 0 1 0\n";
    if (!testfiles::WriteFile(kImage, testfiles::BitmapBytes(uiWidth, uiHeight, aiPixels))) {
        return {};
    }
    return kDescription;
}

void RemoveSheet(const std::string& kDescription)
{
    std::error_code kError;
    std::filesystem::remove_all(std::filesystem::path(kDescription).parent_path(), kError);
}

class BenchWindow : public qnWindow {
public:
    int Frame() override
    {
        if (m_iFrame == kWarmUpFrames) {
            m_kStart = std::chrono::steady_clock::now();
            m_dDrawCpu = 0;
            m_iDrawAllocations = 0;
        }
        m_kScreen.Clear(0, 0, 0, 0);
        m_kScreen.StartFrame();
        m_kScreen.SetCamera(kPlayerX - 10.0f, kPlayerY + 310.0f, -1100.0f,
                            static_cast<float>(kPlayerX), kPlayerY + 800.0f, 0.0f);
        long iAllocationsBefore = AllocationCount();
        double dCpuBefore = CpuSeconds();
        for (int i = 0; i < kSprites; ++i) {
            qnSprite& kSprite = m_akSprites[i];
            kSprite.SetAngle(1.0f, 1);
            if (i % 7 == m_iFrame % 7) {
                kSprite.Animate();
            }
            kSprite.Draw(0);
        }
        m_dDrawCpu += CpuSeconds() - dCpuBefore;
        m_iDrawAllocations += AllocationCount() - iAllocationsBefore;
        m_kScreen.EndFrame();
        ++m_iFrame;
        return m_iFrame < kWarmUpFrames + kFrames ? 1 : 0;
    }

    qnScreen m_kScreen;
    qnSprite m_kTemplate;
    std::unique_ptr<qnSprite[]> m_akSprites = std::make_unique<qnSprite[]>(kSprites);
    int m_iFrame = 0;
    std::chrono::steady_clock::time_point m_kStart;
    double m_dDrawCpu = 0;
    long m_iDrawAllocations = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    const std::string kDescription = WriteSheet();
    if (kDescription.empty()) {
        std::fprintf(stderr, "sprites: cannot write the sheet\n");
        return 1;
    }
    BenchWindow kWindow;
    kWindow.Create(hInstance, "Orvik  -  Tamberlo Arcade", 1024, 768, WS_POPUP | WS_VISIBLE);
    kWindow.SetSize(1024, 768);
    kWindow.SetPosition(0, 0);
    if (kWindow.m_kScreen.Init(kWindow.GetHandle()) != QN_OK ||
        kWindow.m_kScreen.SetMode(0, 1024, 768, 32, true) != QN_OK) {
        std::fprintf(stderr, "sprites: no Direct3D device\n");
        RemoveSheet(kDescription);
        return 1;
    }
    kWindow.m_kTemplate.Load(kDescription.c_str());
    RemoveSheet(kDescription);
    // The copies spread over the part of the field the camera shows, as field objects are.
    for (int i = 0; i < kSprites; ++i) {
        qnSprite& kSprite = kWindow.m_akSprites[i];
        kSprite.CopyAnimations(kWindow.m_kTemplate);
        kSprite.SetSize(150, 150);
        kSprite.SetColor(255, 255, 255, 255);
        kSprite.SetPosition(kPlayerX - 700 + (i % 30) * 48, kPlayerY - 1400 + (i / 30) * 70);
        kSprite.SetAngle(static_cast<float>(i), 0);
    }
    kWindow.Run();

    double dSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - kWindow.m_kStart).count();
    std::printf("sprites: %d sprites of 150 x 150 world units, %d frames at 1024 x 768\n", kSprites,
                kFrames);
    std::printf("sprites: %.1f frames per second\n", kFrames / dSeconds);
    std::printf("sprites: %.3f ms CPU per frame in the %d draw calls\n",
                1000.0 * kWindow.m_dDrawCpu / kFrames, kSprites);
    std::printf("sprites: %ld allocations in the draw calls over all frames\n",
                kWindow.m_iDrawAllocations);
    return kWindow.m_iDrawAllocations == 0 ? 0 : 1;
}
