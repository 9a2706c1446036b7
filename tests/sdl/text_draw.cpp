// Draws strings through the text output in a real window under the game's camera, at several
// scales and colours, reads the picture back and saves it as PNG. Checks that a large "F"
// lands upright and unmirrored where the camera puts it, and that the colours come through.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "FontFile.h"
#include "PngWriter.h"
#include "TextOutput.h"
#include "platform/d3dx8.h"
#include "WindowTestSupport.h"
#include "qnScreen.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr uint16_t kArrowCode = 0xB0A1;

using windowtest::Check;

struct GlyphArt {
    uint16_t code;
    const char* rows[7];
};

// 5 x 7 letters in a 6 x 8 cell; '#' marks a full pixel.
const GlyphArt kArt[] = {
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {kArrowCode, {".....", "..#..", "...#.", "#####", "...#.", "..#..", "....."}},
};

TestGlyph GlyphFromArt(const GlyphArt& kArtGlyph)
{
    TestGlyph kGlyph{kArtGlyph.code, 6, 8, std::vector<uint8_t>(48, 0)};
    for (int iRow = 0; iRow < 7; ++iRow) {
        for (int iColumn = 0; iColumn < 5; ++iColumn) {
            const char c = kArtGlyph.rows[iRow][iColumn];
            kGlyph.pixels[static_cast<size_t>(iRow * 6 + iColumn)] = c == '#' ? 3 : 0;
        }
    }
    return kGlyph;
}

std::string WriteFont()
{
    std::vector<TestGlyph> kGlyphs;
    for (const GlyphArt& kArtGlyph : kArt) {
        kGlyphs.push_back(GlyphFromArt(kArtGlyph));
    }
    std::sort(kGlyphs.begin(), kGlyphs.end(),
              [](const TestGlyph& a, const TestGlyph& b) { return a.code < b.code; });
    const std::string kPath = std::string(BRASK_SCREENSHOT_DIR) + "/text_draw.fnt";
    Check(WriteBytes(kPath, FontFileBytes(kGlyphs)), "writing the font " + kPath);
    return kPath;
}

// The camera of the game's title screen: the player at (1224, -300).
struct Camera {
    float eye[3] = {1234.0f, 10.0f, -1100.0f};
    float at[3] = {1224.0f, 500.0f, 0.0f};
};

// Where the game's camera puts a world point in the 1024 x 768 picture.
void Project(const Camera& kCamera, float fX, float fY, int* piX, int* piY)
{
    D3DXMATRIX kWorld;
    D3DXMatrixRotationX(&kWorld, 15.7f);
    D3DXVECTOR3 kEye(kCamera.eye[0], kCamera.eye[1], kCamera.eye[2]);
    D3DXVECTOR3 kAt(kCamera.at[0], kCamera.at[1], kCamera.at[2]);
    D3DXVECTOR3 kUp(0.0f, 1.0f, 0.0f);
    D3DXMATRIX kView;
    D3DXMatrixLookAtLH(&kView, &kEye, &kAt, &kUp);
    D3DXMATRIX kProjection;
    D3DXMatrixPerspectiveFovLH(&kProjection, 1.0f, 1.3333f, 1.0f, 6048.0f);
    const D3DXMATRIX kAll = kWorld * kView * kProjection;
    const float afPoint[4] = {fX, fY, 0.0f, 1.0f};
    float afClip[4] = {};
    for (int iColumn = 0; iColumn < 4; ++iColumn) {
        for (int iRow = 0; iRow < 4; ++iRow) {
            afClip[iColumn] += afPoint[iRow] * kAll.m[iRow][iColumn];
        }
    }
    *piX = static_cast<int>((afClip[0] / afClip[3] + 1.0f) * 0.5f * kWidth);
    *piY = static_cast<int>((1.0f - afClip[1] / afClip[3]) * 0.5f * kHeight);
}

// The back buffer as a 1024 x 768 picture; black when it cannot be read at that size.
std::vector<uint32_t> ReadScreen(IDirect3DDevice8* pkDevice)
{
    int iWidth = 0;
    int iHeight = 0;
    std::vector<uint32_t> kPixels = ReadBackBuffer(pkDevice, &iWidth, &iHeight);
    Check(!kPixels.empty(), "back buffer read as 32-bit pixels");
    Check(iWidth == kWidth && iHeight == kHeight, "a 1024 x 768 back buffer");
    if (iWidth != kWidth || iHeight != kHeight) {
        kPixels.assign(static_cast<size_t>(kWidth) * kHeight, 0);
    }
    return kPixels;
}

struct Text {
    float x;
    float y;
    float scale;
    int r;
    int g;
    int b;
    const char* text;
};

// The big "F" whose pixels the check looks at.
constexpr Text kCheckedF = {700.0f, -620.0f, 10.0f, 255, 255, 255, "F"};

const Text kTexts[] = {
    {560.0f, -1000.0f, 3.0f, 255, 255, 255, "BRASK TEXT 1234"},
    {560.0f, -900.0f, 2.0f, 255, 80, 80, "FLIP KEGS 4321"},
    {560.0f, -840.0f, 1.5f, 80, 255, 80, "JERKS \xB0\xA1 TALL"},
    // 234 font pixels: two rows of its page, drawn as one line.
    {560.0f, -780.0f, 2.0f, 255, 160, 0, "FLIP KEGS 4321 BRASK TEXT 1234 LEFT SIX"},
    {1100.0f, -620.0f, 5.0f, 80, 160, 255, "PLAIT"},
    {1030.0f, -300.0f, 2.0f, 255, 255, 0, "LEFT \xB0\xA1 SIX"},
    kCheckedF,
};

uint32_t PixelAtFontPixel(const std::vector<uint32_t>& kPixels, const Camera& kCamera,
                          const Text& kText, int iColumn, int iRow)
{
    int iX = 0;
    int iY = 0;
    Project(kCamera, kText.x + (static_cast<float>(iColumn) + 0.5f) * kText.scale,
            kText.y + (static_cast<float>(iRow) + 0.5f) * kText.scale, &iX, &iY);
    if (iX < 0 || iX >= kWidth || iY < 0 || iY >= kHeight) {
        Check(false, "font pixel projected outside the picture");
        return 0;
    }
    return kPixels[static_cast<size_t>(iY) * kWidth + iX];
}

void CheckUprightF(const std::vector<uint32_t>& kPixels, const Camera& kCamera)
{
    // Lit in an upright F: top-right, bottom-left, middle bar. Dark: bottom-right, the notch.
    struct Sample {
        int column;
        int row;
        bool lit;
        const char* what;
    };
    const Sample akSamples[] = {
        {4, 0, true, "top right"},         {0, 6, true, "bottom left"},
        {2, 3, true, "middle bar"},        {4, 6, false, "bottom right"},
        {4, 3, false, "right of the bar"}, {3, 5, false, "inside the lower half"},
    };
    for (const Sample& kSample : akSamples) {
        const uint32_t uiPixel =
            PixelAtFontPixel(kPixels, kCamera, kCheckedF, kSample.column, kSample.row);
        const int iGreen = static_cast<int>((uiPixel >> 8) & 0xFF);
        char acWhat[128];
        std::snprintf(acWhat, sizeof acWhat, "F %s (%d,%d) %s: %08X", kSample.what,
                      kSample.column, kSample.row, kSample.lit ? "lit" : "dark", uiPixel);
        Check(kSample.lit ? iGreen > 200 : iGreen < 60, acWhat);
    }
}

void CheckColours(const std::vector<uint32_t>& kPixels, const Camera& kCamera)
{
    // The full pixel at the top left of "P" in "PLAIT" comes out in its blue.
    const Text& kPlait = kTexts[4];
    const uint32_t uiPixel = PixelAtFontPixel(kPixels, kCamera, kPlait, 0, 0);
    char acWhat[96];
    std::snprintf(acWhat, sizeof acWhat, "PLAIT in light blue: %08X", uiPixel);
    const int iRed = static_cast<int>((uiPixel >> 16) & 0xFF);
    const int iBlue = static_cast<int>(uiPixel & 0xFF);
    Check(iBlue > 200 && iRed > 50 && iRed < 110, acWhat);
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    windowtest::SetProgramName("text_draw");
    FrameCountWindow kWindow;
    if (kWindow.Create(hInstance, "text_draw", CW_USEDEFAULT, CW_USEDEFAULT,
                       WS_OVERLAPPEDWINDOW | WS_VISIBLE) != QN_OK) {
        std::fprintf(stderr, "text_draw: Create failed\n");
        return 1;
    }
    kWindow.SetSize(kWidth, kHeight);
    kWindow.SetPosition(0, 0);
    kWindow.RunFrames(3);

    const std::string kFontPath = WriteFont();
    {
        qnScreen kScreen;
        Check(kScreen.Init(kWindow.GetHandle()) == QN_OK, "qnScreen::Init");
        Check(kScreen.SetMode(0, kWidth, kHeight, 32, true) == QN_OK, "qnScreen::SetMode");
        IDirect3DDevice8* pkDevice = kScreen.GetDevice();
        if (!pkDevice) {
            std::fprintf(stderr, "text_draw: no device\n");
            return 1;
        }
        TextOutput kText;
        Check(kText.Init(kWindow.GetHandle(), pkDevice), "TextOutput::Init");
        Check(kText.LoadFont(kFontPath.c_str()), "TextOutput::LoadFont");

        const Camera kCamera;
        std::vector<uint32_t> kPixels;
        for (int iFrame = 0; iFrame < 2; ++iFrame) {
            kScreen.Clear(0, 0, 0, 0);
            kScreen.StartFrame();
            kScreen.SetCamera(kCamera.eye[0], kCamera.eye[1], kCamera.eye[2], kCamera.at[0],
                              kCamera.at[1], kCamera.at[2]);
            for (const Text& kLine : kTexts) {
                kText.DrawString(kLine.x, kLine.y, kLine.scale, 255, kLine.r, kLine.g, kLine.b,
                                 kLine.text);
            }
            kPixels = ReadScreen(pkDevice);
            Check(kScreen.EndFrame() == QN_OK, "qnScreen::EndFrame");
        }
        CheckUprightF(kPixels, kCamera);
        CheckColours(kPixels, kCamera);
        const std::string kPath = std::string(BRASK_SCREENSHOT_DIR) + "/text_draw.png";
        Check(WritePng(kPath, kWidth, kHeight, kPixels.data()), "WritePng " + kPath);
        std::printf("text_draw: saved %s\n", kPath.c_str());
    }
    std::remove(kFontPath.c_str());
    std::printf("text_draw: %s\n", windowtest::Failures() == 0 ? "passed" : "FAILED");
    return windowtest::Failures() == 0 ? 0 : 1;
}
