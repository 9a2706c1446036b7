// Every sprite of the data set (this program runs in the data folder), loaded and drawn by the
// engine on the SDL device under the game's camera, in a grid, with "INSERT COIN" and a line of
// lower case and digits in the game's font below it. The back buffer is saved as
// assets_contact_sheet.png. Passes when every cell shows something and no pixel is the key
// colour magenta.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "AssetNames.h"
#include "PngWriter.h"
#include "TextOutput.h"
#include "WindowTestSupport.h"
#include "platform/d3dx8.h"
#include "qnScreen.h"
#include "qnSprite.h"
#include "qnWindow.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr uint8_t kBackground[3] = {0x20, 0x1C, 0x30};
constexpr int kPlayerX = 1224;
constexpr int kPlayerY = -300;
// The grid in world units: 9 x 6 cells, centred on the player's x, above the texts. The list
// fills it from the row nearest the camera, so that the panels and their hands show largest.
constexpr int kColumns = 9;
constexpr int kRows = 6;
constexpr int kPitch = 180;
constexpr int kCellSize = 160;
constexpr int kGridLeft = kPlayerX - (kColumns - 1) * kPitch / 2;
constexpr int kGridBottom = -400;
constexpr int kFramesToRun = 3;

using windowtest::Check;

struct Cell {
    int x;
    int y;
};
Cell CellCentre(size_t uiIndex)
{
    return {kGridLeft + static_cast<int>(uiIndex % kColumns) * kPitch,
            kGridBottom - static_cast<int>(uiIndex / kColumns) * kPitch};
}

// The cell size a description gives: its sixth and seventh tokens.
bool ReadCellSize(const std::string& kGameName, uint32_t* puiWidth, uint32_t* puiHeight)
{
    std::string kPath = kGameName + ".txt";
    std::replace(kPath.begin(), kPath.end(), '\\', '/');
    std::ifstream kIn(kPath);
    std::string kSkipped;
    for (int i = 0; i < 5; ++i) {
        kIn >> kSkipped;
    }
    return static_cast<bool>(kIn >> *puiWidth >> *puiHeight);
}

// The sprite's cell scaled to fit the grid cell, keeping its aspect.
void FitInCell(qnSprite* pkSprite, uint32_t uiCellWidth, uint32_t uiCellHeight)
{
    const double dScale = static_cast<double>(kCellSize) / std::max(uiCellWidth, uiCellHeight);
    pkSprite->SetSize(std::max(2u, static_cast<uint32_t>(uiCellWidth * dScale)),
                      std::max(2u, static_cast<uint32_t>(uiCellHeight * dScale)));
}

struct Pixel {
    int x;
    int y;
};

// The camera as the game places it outside play: moving right, no look-ahead.
class Camera {
public:
    Camera()
    {
        const int iDirection = 1;
        m_afEye[0] = static_cast<float>(kPlayerX + 10 - 20 * iDirection);
        m_afEye[1] = static_cast<float>(kPlayerY + 310);
        m_afEye[2] = -1100.0f;
        m_afAt[0] = static_cast<float>(kPlayerX) + 0.0f;
        m_afAt[1] = static_cast<float>(kPlayerY + 800);
        m_afAt[2] = 0.0f;
    }
    void Place(qnScreen& kScreen) const
    {
        kScreen.SetCamera(m_afEye[0], m_afEye[1], m_afEye[2], m_afAt[0], m_afAt[1], m_afAt[2]);
    }
    // Where a world point lands in the picture: world, view and projection as the screen
    // builds them.
    Pixel Project(float fX, float fY) const
    {
        D3DXMATRIX kWorld, kView, kProjection;
        D3DXMatrixRotationX(&kWorld, 15.7f);
        D3DXVECTOR3 kEye(m_afEye[0], m_afEye[1], m_afEye[2]);
        D3DXVECTOR3 kAt(m_afAt[0], m_afAt[1], m_afAt[2]);
        D3DXVECTOR3 kUp(0.0f, 1.0f, 0.0f);
        D3DXMatrixLookAtLH(&kView, &kEye, &kAt, &kUp);
        D3DXMatrixPerspectiveFovLH(&kProjection, 1.0f, 1.3333f, 1.0f, 6048.0f);
        const D3DXMATRIX kAll = kWorld * kView * kProjection;
        float afClip[4];
        for (int c = 0; c < 4; ++c) {
            afClip[c] = fX * kAll.m[0][c] + fY * kAll.m[1][c] + kAll.m[3][c];
        }
        return {static_cast<int>(std::lround((afClip[0] / afClip[3] + 1) * 0.5f * kWidth)),
                static_cast<int>(std::lround((1 - afClip[1] / afClip[3]) * 0.5f * kHeight))};
    }

private:
    float m_afEye[3];
    float m_afAt[3];
};

class SheetWindow : public qnWindow {
public:
    bool Setup()
    {
        if (m_kScreen.Init(GetHandle()) != QN_OK ||
            m_kScreen.SetMode(0, kWidth, kHeight, 32, true) != QN_OK) {
            std::fprintf(stderr, "assets_contact_sheet: no Direct3D device\n");
            return false;
        }
        const std::vector<std::string>& kNames = assetnames::Sprites();
        Check(kNames.size() <= size_t{kColumns} * kRows, "every sprite has a cell in the grid");
        m_kSprites = std::vector<qnSprite>(kNames.size());
        for (size_t i = 0; i < kNames.size(); ++i) {
            uint32_t uiCellWidth = 0;
            uint32_t uiCellHeight = 0;
            Check(ReadCellSize(kNames[i], &uiCellWidth, &uiCellHeight) && uiCellWidth > 0 &&
                      uiCellHeight > 0,
                  "cell size of " + kNames[i]);
            qnSprite& kSprite = m_kSprites[i];
            kSprite.Load((kNames[i] + ".txt").c_str());
            FitInCell(&kSprite, std::max(uiCellWidth, 1u), std::max(uiCellHeight, 1u));
            kSprite.SetColor(255, 255, 255, 255);
            const Cell kCell = CellCentre(i);
            kSprite.SetPosition(kCell.x, kCell.y);
        }
        Check(m_kText.Init(GetHandle(), m_kScreen.GetDevice()), "TextOutput::Init");
        Check(m_kText.LoadFont("ArcadeClassic32.fnt"), "TextOutput::LoadFont");
        return true;
    }

    int Frame() override
    {
        ++m_iFrames;
        m_kScreen.Clear(kBackground[0], kBackground[1], kBackground[2], 0);
        m_kScreen.StartFrame();
        m_kCamera.Place(m_kScreen);
        for (size_t i = 0; i < m_kSprites.size(); ++i) {
            Check(m_kSprites[i].Draw(0) == QN_OK, "draw " + assetnames::Sprites()[i]);
        }
        m_kText.DrawString(1030, -290, 2, 255, 255, 255, 255, "INSERT COIN");
        m_kText.DrawString(900, -180, 1, 255, 255, 255, 255,
                           "the quick brown fox jumps 0123456789");
        if (m_iFrames == kFramesToRun) {
            ReadBack();
        }
        m_kScreen.EndFrame();
        return m_iFrames < kFramesToRun ? 1 : 0;
    }

    // Keeps the picture only when it has the size the checks index by.
    void ReadBack()
    {
        int iReadWidth = 0;
        int iReadHeight = 0;
        std::vector<uint32_t> kPixels =
            ReadBackBuffer(m_kScreen.GetDevice(), &iReadWidth, &iReadHeight);
        if (iReadWidth == kWidth && iReadHeight == kHeight) {
            m_aiPicture = std::move(kPixels);
        }
    }

    uint32_t At(int iX, int iY) const
    {
        return m_aiPicture[static_cast<size_t>(iY) * kWidth + iX] & 0xFFFFFFu;
    }

    qnScreen m_kScreen;
    TextOutput m_kText;
    Camera m_kCamera;
    std::vector<qnSprite> m_kSprites;
    std::vector<uint32_t> m_aiPicture;
    int m_iFrames = 0;
};

// Each grid cell, as the camera shows it, holds some pixel that is not the background.
void CheckEveryCellShows(const SheetWindow& kWindow)
{
    const uint32_t uiBackground = kBackground[0] << 16 | kBackground[1] << 8 | kBackground[2];
    const float fHalf = kCellSize / 2.0f;
    for (size_t i = 0; i < assetnames::Sprites().size(); ++i) {
        const Cell kCell = CellCentre(i);
        const Pixel kTopLeft = kWindow.m_kCamera.Project(kCell.x - fHalf, kCell.y - fHalf);
        const Pixel kBottomRight = kWindow.m_kCamera.Project(kCell.x + fHalf, kCell.y + fHalf);
        const bool bOnScreen = kTopLeft.x >= 0 && kTopLeft.y >= 0 && kBottomRight.x < kWidth &&
                               kBottomRight.y < kHeight;
        Check(bOnScreen, "cell of " + assetnames::Sprites()[i] + " lies on the screen");
        if (!bOnScreen) {
            continue;
        }
        int iShown = 0;
        for (int y = kTopLeft.y; y <= kBottomRight.y; ++y) {
            for (int x = kTopLeft.x; x <= kBottomRight.x; ++x) {
                iShown += kWindow.At(x, y) != uiBackground;
            }
        }
        Check(iShown > 0, assetnames::Sprites()[i] + " shows in its cell");
    }
}

// The key colour never shows; the count of near-magenta pixels (filtered key edges) is printed.
void CheckNoKeyColour(const SheetWindow& kWindow)
{
    int iMagenta = 0;
    int iNearMagenta = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint32_t uiPixel = kWindow.At(x, y);
            const int iRed = static_cast<int>(uiPixel >> 16 & 255);
            const int iGreen = static_cast<int>(uiPixel >> 8 & 255);
            const int iBlue = static_cast<int>(uiPixel & 255);
            iMagenta += uiPixel == 0xFF00FFu;
            iNearMagenta += iRed > 160 && iBlue > 160 && iGreen < 80;
        }
    }
    std::printf("assets_contact_sheet: %d magenta pixels, %d near magenta\n", iMagenta,
                iNearMagenta);
    Check(iMagenta == 0, "no pixel shows the key colour");
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    windowtest::SetProgramName("assets_contact_sheet");
    SheetWindow kWindow;
    if (kWindow.Create(hInstance, "assets_contact_sheet", CW_USEDEFAULT, CW_USEDEFAULT,
                       WS_OVERLAPPEDWINDOW | WS_VISIBLE) != QN_OK) {
        std::fprintf(stderr, "assets_contact_sheet: Create failed\n");
        return 1;
    }
    kWindow.SetSize(kWidth, kHeight);
    kWindow.SetPosition(0, 0);
    if (!kWindow.Setup()) {
        return 1;
    }
    kWindow.Run();
    if (kWindow.m_aiPicture.empty()) {
        std::fprintf(stderr, "assets_contact_sheet: nothing read back\n");
        return 1;
    }
    const std::string kPath = std::string(BRASK_SCREENSHOT_DIR) + "/assets_contact_sheet.png";
    Check(WritePng(kPath, kWidth, kHeight, kWindow.m_aiPicture.data()), "WritePng " + kPath);
    std::printf("assets_contact_sheet: saved %s\n", kPath.c_str());
    CheckEveryCellShows(kWindow);
    CheckNoKeyColour(kWindow);
    std::printf("assets_contact_sheet: %s\n", windowtest::Failures() == 0 ? "passed" : "FAILED");
    return windowtest::Failures() == 0 ? 0 : 1;
}
