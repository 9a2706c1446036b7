// Sprite description files through qnSprite::Load, on a screen of the fake Direct3D device.
#include <filesystem>
#include <system_error>
#include <vector>

#include "FuzzTargets.h"
#include "ImageFiles.h"
#include "Scratch.h"
#include "fake/fake_d3d8.h"
#include "fake/fake_win32.h"
#include "qnScreen.h"
#include "qnSprite.h"

namespace fuzz {

namespace {

// A sheet of three by two 16 x 12 cells with one-pixel gutters, magenta in its first cell.
constexpr uint32_t kSheetWidth = 3 * 17 + 1;
constexpr uint32_t kSheetHeight = 2 * 13 + 1;
constexpr uint32_t kAnimationsTried = 4;
constexpr int kFramesTried = 3;

std::vector<uint32_t> SheetPixels()
{
    std::vector<uint32_t> aiPixels(kSheetWidth * kSheetHeight);
    for (uint32_t i = 0; i < aiPixels.size(); ++i) {
        aiPixels[i] = i * 0x01030507u | 0xFF;
    }
    aiPixels[kSheetWidth + 1] = 0xFF00FFFF;
    return aiPixels;
}

// An image name is relative to the current folder: a load runs in the scratch folder, where
// the sheets lie under the names the corpus uses ("sheet.bmp", "sheet.tga").
// One screen for the whole run, as the game has.
class SpriteWorld {
public:
    SpriteWorld()
    {
        fake::Reset();
        std::vector<uint32_t> aiPixels = SheetPixels();
        Require(testfiles::WriteFile(ScratchPath("sheet.bmp"),
                                     testfiles::BitmapBytes(kSheetWidth, kSheetHeight, aiPixels)),
                "sprite: cannot write the bitmap sheet");
        Require(testfiles::WriteFile(ScratchPath("sheet.tga"),
                                     testfiles::TargaBytes(kSheetWidth, kSheetHeight, aiPixels)),
                "sprite: cannot write the targa sheet");
        WNDCLASSA kClass = {};
        kClass.lpfnWndProc = DefWindowProcA;
        kClass.lpszClassName = "FuzzSprite";
        RegisterClassA(&kClass);
        HWND hWindow = CreateWindowExA(0, "FuzzSprite", "", WS_POPUP, 0, 0, 1024, 768, nullptr,
                                       nullptr, nullptr, nullptr);
        Require(m_kScreen.Init(hWindow) == QN_OK &&
                    m_kScreen.SetMode(1, 1024, 768, 32, true) == QN_OK,
                "sprite: no fake screen");
    }

    // Forgets what the last input drew, so that the call logs do not grow over a run.
    void Clear()
    {
        fake::ClearCalls();
        fake::d3d::ClearDraws();
    }

private:
    qnScreen m_kScreen;
};

// Draws and advances the first animations, then a copy of them, as the game does.
void Exercise(qnSprite& kSprite)
{
    kSprite.SetSize(64, 48);
    kSprite.SetColor(255, 255, 255, 255);
    for (uint32_t i = 0; i < kAnimationsTried; ++i) {
        kSprite.SetAnimation(i);
        for (int j = 0; j < kFramesTried; ++j) {
            kSprite.Draw(0);
            kSprite.Animate();
        }
    }
    kSprite.SetAnimation(0);
    qnSprite kCopy;
    kCopy.CopyAnimations(kSprite);
    kCopy.SetSize(32, 32);
    kCopy.Draw(0);
}

}  // namespace

void LoadSprite(const uint8_t* pucData, size_t uiSize)
{
    static SpriteWorld kWorld;
    kWorld.Clear();
    std::string kPath = WriteScratch("input.txt", pucData, uiSize);
    {
        qnSprite kSprite;
        {
            InScratchFolder kHere;
            kSprite.Load(kPath.c_str());
        }
        Require(fake::d3d::LiveTextures() <= 1, "sprite: more than one texture");
        Exercise(kSprite);
    }
    Require(fake::d3d::LiveTextures() == 0, "sprite: the texture outlives the sprite");
}

}  // namespace fuzz
