// A real window under X: one particle emitter spraying soft orange spots down from the top
// of a black screen. After two seconds of fixed steps the back buffer is read back and saved
// as screenshots/particles_draw.png. Passes when the spray is bright below the emitter and
// the screen stays black above it and in the bottom corners.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "PngWriter.h"
#include "WindowTestSupport.h"
#include "qnParticleEmitter.h"
#include "qnRGBAImage.h"
#include "qnScreen.h"
#include "qnTexture.h"
#include "qnWindow.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFramesToRun = 120;
constexpr float kStep = 1.0f / 60.0f;
constexpr int kSpotSize = 32;
constexpr float kEmitterX = 512.0f;
constexpr float kEmitterY = 150.0f;

// White with an alpha that falls off from the centre to the rim.
void MakeSpot(qnRGBAImage& kImage)
{
    std::vector<uint32_t> aiPixels(kSpotSize * kSpotSize);
    const float fCentre = (kSpotSize - 1) / 2.0f;
    for (int iY = 0; iY < kSpotSize; ++iY) {
        for (int iX = 0; iX < kSpotSize; ++iX) {
            const float fDistance = std::hypot(iX - fCentre, iY - fCentre) / fCentre;
            const float fAlpha = fDistance >= 1.0f ? 0.0f : (1.0f - fDistance) * (1.0f - fDistance);
            aiPixels[iY * kSpotSize + iX] = 0xffffff00u | static_cast<uint32_t>(fAlpha * 255.0f);
        }
    }
    kImage.SetWidth(kSpotSize);
    kImage.SetHeight(kSpotSize);
    kImage.SetRawData(aiPixels.data());
}

qnParticleEmitterParams SprayParams()
{
    qnParticleEmitterParams kParams;
    kParams.m_kPosition = qnVector2(kEmitterX, kEmitterY);
    kParams.m_fStartSize = 12.0f;
    kParams.m_fEndSize = 3.0f;
    kParams.m_uiStartColor = 0xffffc040;
    kParams.m_uiEndColor = 0x40ff2000;
    kParams.m_fLifetime = 2.0f;
    kParams.m_fSpread = 0.35f;
    kParams.m_fSpeed = 3.0f;
    return kParams;
}

int Brightness(uint32_t uiPixel)
{
    return static_cast<int>(((uiPixel >> 16) & 0xff) + ((uiPixel >> 8) & 0xff) + (uiPixel & 0xff));
}

// The brightest pixel of a rectangle.
int Brightest(const std::vector<uint32_t>& aiPixels, int iLeft, int iTop, int iRight, int iBottom)
{
    int iBrightest = 0;
    for (int iY = iTop; iY < iBottom; ++iY) {
        for (int iX = iLeft; iX < iRight; ++iX) {
            iBrightest = std::max(iBrightest, Brightness(aiPixels[iY * kWidth + iX]));
        }
    }
    return iBrightest;
}

class ParticleWindow : public qnWindow {
public:
    int Frame() override
    {
        m_kScreen.Clear(0, 0, 0, 255);
        m_kScreen.StartFrame();
        m_kEmitter.Update(kStep);
        m_kEmitter.Render();
        ++m_iFrames;
        if (m_iFrames == kFramesToRun) {
            m_aiPixels = ReadBackBuffer(m_kScreen.GetDevice(), &m_iWidth, &m_iHeight);
        }
        m_kScreen.EndFrame();
        return m_iFrames < kFramesToRun ? 1 : 0;
    }

    qnScreen m_kScreen;
    qnTexture m_kSpot;
    qnParticleEmitter m_kEmitter;
    int m_iFrames = 0;
    int m_iWidth = 0;
    int m_iHeight = 0;
    std::vector<uint32_t> m_aiPixels;
};

bool Check(bool bPassed, const char* acWhat)
{
    std::printf("particles_draw: %s: %s\n", acWhat, bPassed ? "yes" : "NO");
    return bPassed;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    ParticleWindow kWindow;
    if (kWindow.Create(hInstance, "Particles", 0, 0, WS_OVERLAPPEDWINDOW | WS_VISIBLE) != QN_OK) {
        std::fprintf(stderr, "particles_draw: window not created\n");
        return 1;
    }
    kWindow.SetSize(kWidth, kHeight);
    qnError iResult = kWindow.m_kScreen.Init(kWindow.GetHandle());
    if (iResult == QN_OK) {
        iResult = kWindow.m_kScreen.SetMode(0, kWidth, kHeight, 32, true);
    }
    if (iResult != QN_OK) {
        std::fprintf(stderr, "particles_draw: no Direct3D device on this backend (code %d)\n", iResult);
        return 1;
    }
    qnRGBAImage kImage;
    MakeSpot(kImage);
    if (kWindow.m_kSpot.Create(kImage) != QN_OK) {
        std::fprintf(stderr, "particles_draw: texture not created\n");
        return 1;
    }
    const qnParticleEmitterParams kParams = SprayParams();
    kWindow.m_kEmitter.Create(&kParams, 400, 150, &kWindow.m_kSpot);
    kWindow.Run();

    const std::vector<uint32_t>& aiPixels = kWindow.m_aiPixels;
    if (!Check(kWindow.m_iWidth == kWidth && kWindow.m_iHeight == kHeight, "back buffer read")) {
        return 1;
    }
    const std::string kPath = std::string(BRASK_SCREENSHOT_DIR) + "/particles_draw.png";
    bool bPassed = Check(WritePng(kPath, kWidth, kHeight, aiPixels.data()), kPath.c_str());
    const int iX = static_cast<int>(kEmitterX);
    const int iY = static_cast<int>(kEmitterY);
    bPassed &= Check(Brightest(aiPixels, iX - 40, iY, iX + 40, iY + 200) > 400, "bright spray below the emitter");
    bPassed &= Check(Brightest(aiPixels, 0, 0, kWidth, iY - 20) == 0, "black above the emitter");
    bPassed &= Check(Brightest(aiPixels, 0, kHeight - 100, 100, kHeight) == 0, "black bottom-left corner");
    bPassed &= Check(Brightest(aiPixels, kWidth - 100, kHeight - 100, kWidth, kHeight) == 0,
                     "black bottom-right corner");
    return bPassed ? 0 : 1;
}
