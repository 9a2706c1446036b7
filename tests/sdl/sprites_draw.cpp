// Sprites from a BMP and a TGA that this program writes, drawn on the SDL device with the
// game's camera and read back from the back buffer: each quarter of the BMP sprite must land
// where the camera puts it, upright, and keyed pixels must show the background. The picture
// is saved as sprites_draw.png.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ImageFiles.h"
#include "PngWriter.h"
#include "WindowTestSupport.h"
#include "platform/d3dx8.h"
#include "qnScreen.h"
#include "qnSprite.h"
#include "qnWindow.h"

namespace {

constexpr uint32_t kRed = 0xFF0000FF;
constexpr uint32_t kGreen = 0x00FF00FF;
constexpr uint32_t kBlue = 0x0000FFFF;
constexpr uint32_t kYellow = 0xFFFF00FF;
constexpr uint32_t kCyanHalfAlpha = 0x00FFFF80;
constexpr uint32_t kMagenta = 0xFF00FFFF;
constexpr uint32_t kKeyHalfAlpha = 0x80808080;
constexpr uint32_t kGutter = 0x000000FF;
constexpr D3DCOLOR kBackground = 0xFF404040;  // what keyed pixels must show
constexpr int kCell = 32;
constexpr int kSize = 150;
constexpr int kPlayerX = 1224;
constexpr int kPlayerY = -300;

// One 32 x 32 cell after a one-pixel gutter: four coloured quarters around a 12 x 12 magenta
// square in the middle.
std::vector<uint32_t> QuarterSheet()
{
    const int iWidth = kCell + 1;
    std::vector<uint32_t> aiPixels(iWidth * iWidth, kGutter);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            bool bTop = y < kCell / 2;
            bool bLeft = x < kCell / 2;
            uint32_t uiColor = bTop ? (bLeft ? kRed : kGreen) : (bLeft ? kBlue : kYellow);
            if (std::abs(2 * x + 1 - kCell) < 12 && std::abs(2 * y + 1 - kCell) < 12) {
                uiColor = kMagenta;
            }
            aiPixels[(y + 1) * iWidth + x + 1] = uiColor;
        }
    }
    return aiPixels;
}

// One cell of half-transparent cyan around a middle of the key colour at another alpha.
std::vector<uint32_t> CyanSheet()
{
    const int iWidth = kCell + 1;
    std::vector<uint32_t> aiPixels(iWidth * iWidth, kGutter);
    for (int y = 0; y < kCell; ++y) {
        for (int x = 0; x < kCell; ++x) {
            bool bMiddle = std::abs(2 * x + 1 - kCell) < 12 && std::abs(2 * y + 1 - kCell) < 12;
            aiPixels[(y + 1) * iWidth + x + 1] = bMiddle ? kKeyHalfAlpha : kCyanHalfAlpha;
        }
    }
    return aiPixels;
}

// The screen pixel that a world point is drawn at with the game's camera.
struct Pixel {
    int x;
    int y;
};
Pixel Project(const D3DMATRIX& kWorldViewProjection, float fX, float fY)
{
    float afClip[4];
    for (int c = 0; c < 4; ++c) {
        afClip[c] = fX * kWorldViewProjection.m[0][c] + fY * kWorldViewProjection.m[1][c] +
                    kWorldViewProjection.m[3][c];
    }
    float fNdcX = afClip[0] / afClip[3];
    float fNdcY = afClip[1] / afClip[3];
    return {static_cast<int>(std::lround((fNdcX + 1) * 0.5f * 1024)),
            static_cast<int>(std::lround((1 - fNdcY) * 0.5f * 768))};
}

class SpritesWindow : public qnWindow {
public:
    int Frame() override
    {
        ++m_iFrames;
        m_kScreen.Clear(0x40, 0x40, 0x40, 0xFF);
        m_kScreen.StartFrame();
        SetGameCamera();
        m_kQuarters.SetPosition(kPlayerX, kPlayerY);
        m_kQuarters.Draw(0);
        m_kCyan.SetPosition(kPlayerX + 250, kPlayerY - 200);
        m_kCyan.Draw(0);
        if (m_iFrames == kFrameThatLooks) {
            ReadBack();
        }
        m_kScreen.EndFrame();
        return m_iFrames < kFrameThatLooks ? 1 : 0;
    }

    // The camera as the game places it when the player moves right with no look-ahead yet.
    void SetGameCamera()
    {
        const int iDirection = 1;
        m_kScreen.SetCamera(static_cast<float>(kPlayerX + 10 - 20 * iDirection),
                            static_cast<float>(kPlayerY + 310), -1100.0f,
                            static_cast<float>(kPlayerX) + 0.0f, static_cast<float>(kPlayerY + 800),
                            0.0f);
    }

    void ReadBack()
    {
        m_aiPicture = ReadBackBuffer(m_kScreen.GetDevice(), &m_iWidth, &m_iHeight);
    }

    uint32_t At(Pixel kPixel) const
    {
        if (kPixel.x < 0 || kPixel.y < 0 || kPixel.x >= m_iWidth || kPixel.y >= m_iHeight) {
            return 0;
        }
        return m_aiPicture[kPixel.y * m_iWidth + kPixel.x] & 0xFFFFFFu;
    }

    static constexpr int kFrameThatLooks = 5;
    qnScreen m_kScreen;
    qnSprite m_kQuarters;
    qnSprite m_kCyan;
    int m_iFrames = 0;
    int m_iWidth = 0;
    int m_iHeight = 0;
    std::vector<uint32_t> m_aiPicture;
};

bool Expect(const char* acWhat, uint32_t uiActual, uint32_t uiExpected, uint32_t uiTolerance = 2)
{
    bool bClose = ColorsNear(uiActual, uiExpected, static_cast<int>(uiTolerance));
    std::printf("sprites_draw: %-28s %06X (expected %06X) %s\n", acWhat, uiActual, uiExpected,
                bClose ? "ok" : "WRONG");
    return bClose;
}

// Writes the two images and their descriptions; the descriptions name the images with
// backslashes, as the game's files do.
bool WriteFixtures(const std::string& kFolder)
{
    std::filesystem::create_directories(kFolder);
    bool bWritten =
        testfiles::WriteFile(kFolder + "/quarters.bmp",
                             testfiles::BitmapBytes(kCell + 1, kCell + 1, QuarterSheet())) &&
        testfiles::WriteFile(kFolder + "/cyan.tga",
                             testfiles::TargaBytes(kCell + 1, kCell + 1, CyanSheet(), 0x08));
    std::ofstream(kFolder + "/quarters.txt")
        << "sprites_draw\\quarters.bmp 1\n255 0 255\n32 32\n1\n1 0 0\n";
    std::ofstream(kFolder + "/cyan.txt") << "sprites_draw\\cyan.tga 2 128 128 128 32 32 1 1 0 0\n";
    return bWritten;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    if (!WriteFixtures("sprites_draw")) {
        std::fprintf(stderr, "sprites_draw: cannot write the fixtures\n");
        return 1;
    }
    SpritesWindow kWindow;
    kWindow.Create(hInstance, "Orvik  -  Tamberlo Arcade", 1024, 768, WS_POPUP | WS_VISIBLE);
    kWindow.SetSize(1024, 768);
    kWindow.SetPosition(0, 0);
    if (kWindow.m_kScreen.Init(kWindow.GetHandle()) != QN_OK ||
        kWindow.m_kScreen.SetMode(1, 1024, 768, 32, true) != QN_OK) {
        std::fprintf(stderr, "sprites_draw: no Direct3D device\n");
        return 1;
    }
    kWindow.m_kQuarters.Load("sprites_draw\\quarters.txt");
    kWindow.m_kQuarters.SetSize(kSize, kSize);
    kWindow.m_kQuarters.SetColor(255, 255, 255, 255);
    kWindow.m_kCyan.Load("sprites_draw\\cyan.txt");
    kWindow.m_kCyan.SetSize(kSize, kSize);
    kWindow.m_kCyan.SetColor(255, 255, 255, 255);
    kWindow.Run();
    if (kWindow.m_aiPicture.empty()) {
        std::fprintf(stderr, "sprites_draw: nothing read back\n");
        return 1;
    }
    std::string kPng = std::string(BRASK_SCREENSHOT_DIR) + "/sprites_draw.png";
    WritePng(kPng, kWindow.m_iWidth, kWindow.m_iHeight, kWindow.m_aiPicture.data());
    std::printf("sprites_draw: picture in %s\n", kPng.c_str());

    // The same camera, worked out here: world, view and projection as the screen builds them.
    D3DXMATRIX kWorld, kView, kProjection;
    D3DXMatrixRotationX(&kWorld, 15.7f);
    D3DXVECTOR3 kEye(kPlayerX - 10.0f, kPlayerY + 310.0f, -1100.0f);
    D3DXVECTOR3 kAt(static_cast<float>(kPlayerX), kPlayerY + 800.0f, 0.0f);
    D3DXVECTOR3 kUp(0.0f, 1.0f, 0.0f);
    D3DXMatrixLookAtLH(&kView, &kEye, &kAt, &kUp);
    D3DXMatrixPerspectiveFovLH(&kProjection, 1.0f, 1.3333f, 1.0f, 6048.0f);
    D3DXMATRIX kAll = kWorld * kView * kProjection;

    const float fQuarter = kSize / 4.0f + 8;  // well inside a quarter, outside the keyed middle
    const float fX = kPlayerX;
    const float fY = kPlayerY;
    uint32_t uiBackground = kBackground & 0xFFFFFF;
    // Cyan at half alpha over the grey background.
    uint32_t uiCyanOverGrey = (0x40 * 127 / 255) << 16 | ((0xFF * 128 + 0x40 * 127) / 255) << 8 |
                              ((0xFF * 128 + 0x40 * 127) / 255);
    // Smaller world y is higher on the screen and smaller x further left: the picture is upright.
    Pixel kTopLeft = Project(kAll, fX - fQuarter, fY - fQuarter);
    Pixel kBottomRight = Project(kAll, fX + fQuarter, fY + fQuarter);
    bool bPassed = kTopLeft.x < kBottomRight.x && kTopLeft.y < kBottomRight.y;
    std::printf("sprites_draw: quarters at (%d, %d) and (%d, %d)\n", kTopLeft.x, kTopLeft.y,
                kBottomRight.x, kBottomRight.y);
    bPassed &= Expect("top left red", kWindow.At(Project(kAll, fX - fQuarter, fY - fQuarter)), 0xFF0000);
    bPassed &= Expect("top right green", kWindow.At(Project(kAll, fX + fQuarter, fY - fQuarter)), 0x00FF00);
    bPassed &= Expect("bottom left blue", kWindow.At(Project(kAll, fX - fQuarter, fY + fQuarter)), 0x0000FF);
    bPassed &= Expect("bottom right yellow", kWindow.At(Project(kAll, fX + fQuarter, fY + fQuarter)), 0xFFFF00);
    bPassed &= Expect("keyed middle shows background", kWindow.At(Project(kAll, fX, fY)), uiBackground);
    bPassed &= Expect("outside the sprite", kWindow.At(Project(kAll, fX, fY - kSize)), uiBackground);
    bPassed &= Expect("TGA cyan half alpha", kWindow.At(Project(kAll, fX + 250 - fQuarter, fY - 200)),
                      uiCyanOverGrey, 3);
    bPassed &= Expect("TGA keyed middle", kWindow.At(Project(kAll, fX + 250, fY - 200)), uiBackground);
    std::printf("sprites_draw: %s\n", bPassed ? "passed" : "FAILED");
    return bPassed ? 0 : 1;
}
