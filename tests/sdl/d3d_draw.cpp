// Draws through Direct3D on the SDL backend in a real window and reads the picture back:
// pre-transformed and transformed fans, textures in A8R8G8B8 and R5G6B5, alpha blending,
// reverse subtraction, a line, an image surface copied in; then a full-screen device that is
// lost when its window hides and reset when it shows again. Saves both pictures as PNG. Also the
// moments the device keeps of a present, and the drawing it hands on when the clock is read.
#include <cstdio>
#include <string>
#include <vector>

#include "PngWriter.h"
#include "WindowTestSupport.h"
#include "platform/d3d8.h"
#include "platform/sdl_test_hooks.h"

namespace {

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
    float u, v;
};

struct WorldVertex {
    float x, y, z;
    D3DCOLOR color;
    float u, v;
};

constexpr DWORD kScreenFvf = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
constexpr DWORD kWorldFvf = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

using windowtest::Check;

void DrawScreenQuad(IDirect3DDevice8* pkDevice, float fLeft, float fTop, float fRight,
                    float fBottom, D3DCOLOR uiColor)
{
    ScreenVertex akVertices[4] = {{fLeft, fTop, 0.5f, 1.0f, uiColor, 0.0f, 0.0f},
                                  {fRight, fTop, 0.5f, 1.0f, uiColor, 1.0f, 0.0f},
                                  {fRight, fBottom, 0.5f, 1.0f, uiColor, 1.0f, 1.0f},
                                  {fLeft, fBottom, 0.5f, 1.0f, uiColor, 0.0f, 1.0f}};
    pkDevice->SetVertexShader(kScreenFvf);
    Check(pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, akVertices, sizeof(ScreenVertex)) ==
              D3D_OK,
          "DrawPrimitiveUP");
}

IDirect3DTexture8* MakeTexture(IDirect3DDevice8* pkDevice, D3DFORMAT eFormat, UINT uiWidth,
                               UINT uiHeight, const std::vector<uint32_t>& kTexels)
{
    IDirect3DTexture8* pkTexture = nullptr;
    if (pkDevice->CreateTexture(uiWidth, uiHeight, 1, 0, eFormat, D3DPOOL_MANAGED, &pkTexture) !=
        D3D_OK) {
        Check(false, "CreateTexture " + std::to_string(eFormat));
        return nullptr;
    }
    D3DLOCKED_RECT kLocked{};
    pkTexture->LockRect(0, &kLocked, nullptr, 0);
    auto* pcRow = static_cast<uint8_t*>(kLocked.pBits);
    for (UINT y = 0; y < uiHeight; ++y, pcRow += kLocked.Pitch) {
        for (UINT x = 0; x < uiWidth; ++x) {
            uint32_t uiTexel = kTexels[y * uiWidth + x];
            if (eFormat == D3DFMT_R5G6B5) {
                reinterpret_cast<uint16_t*>(pcRow)[x] = static_cast<uint16_t>(uiTexel);
            } else {
                reinterpret_cast<uint32_t*>(pcRow)[x] = uiTexel;
            }
        }
    }
    pkTexture->UnlockRect(0);
    return pkTexture;
}

void ExpectPixel(const std::vector<uint32_t>& kPixels, int iWidth, int iX, int iY,
                 uint32_t uiExpected, int iTolerance, const char* acWhat)
{
    uint32_t uiActual = kPixels[size_t(iY) * iWidth + iX];
    char acText[160];
    std::snprintf(acText, sizeof(acText), "%s at (%d,%d): %08X, expected %08X", acWhat, iX, iY,
                  uiActual, uiExpected);
    Check(ColorsNear(uiActual, uiExpected, iTolerance), acText);
}

void SavePicture(const std::vector<uint32_t>& kPixels, int iWidth, int iHeight, const char* acName)
{
    std::string kPath = std::string(BRASK_SCREENSHOT_DIR) + "/" + acName;
    Check(WritePng(kPath, iWidth, iHeight, kPixels.data()), "WritePng " + kPath);
    std::printf("d3d_draw: saved %s (%dx%d)\n", kPath.c_str(), iWidth, iHeight);
}

void SetStandingStates(IDirect3DDevice8* pkDevice)
{
    pkDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    pkDevice->SetRenderState(D3DRS_LIGHTING, FALSE);
    pkDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    pkDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    pkDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    pkDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    pkDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
}

void DrawWindowedScene(IDirect3DDevice8* pkDevice)
{
    SetStandingStates(pkDevice);
    pkDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF202040, 0.0f, 0);
    pkDevice->BeginScene();
    // Untextured, pre-transformed.
    DrawScreenQuad(pkDevice, 10, 10, 110, 60, 0xFFFF0000);
    // A8R8G8B8, 2 x 2 texels: red, green / blue, white.
    IDirect3DTexture8* pkQuarters = MakeTexture(pkDevice, D3DFMT_A8R8G8B8, 2, 2,
                                                {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    pkDevice->SetTexture(0, pkQuarters);
    DrawScreenQuad(pkDevice, 200, 20, 400, 220, 0xFFFFFFFF);
    // R5G6B5, 2 x 1 texels: yellow, cyan, modulated by grey.
    IDirect3DTexture8* pkPair = MakeTexture(pkDevice, D3DFMT_R5G6B5, 2, 1, {0xFFE0, 0x07FF});
    pkDevice->SetTexture(0, pkPair);
    DrawScreenQuad(pkDevice, 450, 20, 650, 120, 0xFF808080);
    // Half-transparent white over opaque green.
    pkDevice->SetTexture(0, nullptr);
    DrawScreenQuad(pkDevice, 700, 20, 900, 220, 0xFF00FF00);
    IDirect3DTexture8* pkGlass = MakeTexture(pkDevice, D3DFMT_A8R8G8B8, 1, 1, {0x80FFFFFF});
    pkDevice->SetTexture(0, pkGlass);
    DrawScreenQuad(pkDevice, 750, 70, 850, 170, 0xFFFFFFFF);
    // Reverse subtraction: white minus half of red.
    pkDevice->SetTexture(0, nullptr);
    DrawScreenQuad(pkDevice, 10, 300, 110, 400, 0xFFFFFFFF);
    pkDevice->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_REVSUBTRACT);
    pkDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    DrawScreenQuad(pkDevice, 10, 300, 110, 400, 0x80FF0000);
    pkDevice->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    pkDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    // A line through pixel centres of row 500.
    ScreenVertex akLine[2] = {{10, 500, 0.5f, 1, 0xFFFFFFFF, 0, 0},
                              {300, 500, 0.5f, 1, 0xFFFFFFFF, 0, 0}};
    pkDevice->DrawPrimitiveUP(D3DPT_LINELIST, 1, akLine, sizeof(ScreenVertex));
    // Transformed with identity matrices: the lower-left eighth of clip space, magenta.
    WorldVertex akWorld[4] = {{-1.0f, -0.75f, 0.5f, 0xFFFF00FF, 0, 0},
                              {-0.75f, -0.75f, 0.5f, 0xFFFF00FF, 0, 0},
                              {-0.75f, -1.0f, 0.5f, 0xFFFF00FF, 0, 0},
                              {-1.0f, -1.0f, 0.5f, 0xFFFF00FF, 0, 0}};
    D3DMATRIX kIdentity{};
    kIdentity._11 = kIdentity._22 = kIdentity._33 = kIdentity._44 = 1.0f;
    pkDevice->SetTransform(D3DTS_WORLD, &kIdentity);
    pkDevice->SetTransform(D3DTS_VIEW, &kIdentity);
    pkDevice->SetTransform(D3DTS_PROJECTION, &kIdentity);
    pkDevice->SetVertexShader(kWorldFvf);
    pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, akWorld, sizeof(WorldVertex));
    // An image surface: yellow above magenta, copied in at (200, 300).
    IDirect3DSurface8* pkImage = nullptr;
    Check(pkDevice->CreateImageSurface(50, 50, D3DFMT_X8R8G8B8, &pkImage) == D3D_OK,
          "CreateImageSurface");
    D3DLOCKED_RECT kLocked{};
    pkImage->LockRect(&kLocked, nullptr, 0);
    for (int y = 0; y < 50; ++y) {
        auto* puiRow = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(kLocked.pBits) + y * kLocked.Pitch);
        for (int x = 0; x < 50; ++x) {
            puiRow[x] = y < 25 ? 0xFFFFFF00 : 0xFFFF00FF;
        }
    }
    pkImage->UnlockRect();
    IDirect3DSurface8* pkBack = nullptr;
    pkDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &pkBack);
    POINT kAt = {200, 300};
    Check(pkDevice->CopyRects(pkImage, nullptr, 0, pkBack, &kAt) == D3D_OK, "CopyRects");
    pkBack->Release();
    pkImage->Release();
    pkDevice->EndScene();
    pkDevice->SetTexture(0, nullptr);
    pkQuarters->Release();
    pkPair->Release();
    pkGlass->Release();
}

void CheckWindowedPicture(const std::vector<uint32_t>& kPixels, int iWidth, int iHeight)
{
    ExpectPixel(kPixels, iWidth, 5, 5, 0xFF202040, 0, "background");
    ExpectPixel(kPixels, iWidth, 10, 10, 0xFFFF0000, 0, "first pixel of the red quad");
    ExpectPixel(kPixels, iWidth, 109, 59, 0xFFFF0000, 0, "last pixel of the red quad");
    ExpectPixel(kPixels, iWidth, 110, 35, 0xFF202040, 0, "right of the red quad");
    ExpectPixel(kPixels, iWidth, 60, 60, 0xFF202040, 0, "below the red quad");
    ExpectPixel(kPixels, iWidth, 200, 20, 0xFFFF0000, 0, "first pixel of the top-left texel");
    ExpectPixel(kPixels, iWidth, 399, 219, 0xFFFFFFFF, 0, "last pixel of the bottom-right texel");
    ExpectPixel(kPixels, iWidth, 299, 119, 0xFFFF0000, 0, "last pixel of the top-left texel");
    ExpectPixel(kPixels, iWidth, 300, 120, 0xFFFFFFFF, 0, "first pixel of the bottom-right texel");
    ExpectPixel(kPixels, iWidth, 250, 70, 0xFFFF0000, 0, "top-left texel");
    ExpectPixel(kPixels, iWidth, 350, 70, 0xFF00FF00, 0, "top-right texel");
    ExpectPixel(kPixels, iWidth, 250, 170, 0xFF0000FF, 0, "bottom-left texel");
    ExpectPixel(kPixels, iWidth, 350, 170, 0xFFFFFFFF, 0, "bottom-right texel");
    ExpectPixel(kPixels, iWidth, 500, 70, 0xFF808000, 2, "R5G6B5 yellow by grey");
    ExpectPixel(kPixels, iWidth, 600, 70, 0xFF008080, 2, "R5G6B5 cyan by grey");
    ExpectPixel(kPixels, iWidth, 720, 40, 0xFF00FF00, 0, "opaque green");
    ExpectPixel(kPixels, iWidth, 800, 120, 0xFF80FF80, 2, "half white over green");
    ExpectPixel(kPixels, iWidth, 60, 350, 0xFF7FFFFF, 2, "white minus half red");
    ExpectPixel(kPixels, iWidth, 100, 500, 0xFFFFFFFF, 0, "line");
    ExpectPixel(kPixels, iWidth, 100, 499, 0xFF202040, 0, "above the line");
    ExpectPixel(kPixels, iWidth, iWidth / 16, iHeight - 1 - iHeight / 16, 0xFFFF00FF, 0,
                "transformed quad, lower left");
    ExpectPixel(kPixels, iWidth, 0, iHeight - 1, 0xFFFF00FF, 0, "transformed quad, corner");
    ExpectPixel(kPixels, iWidth, iWidth / 8 - 1, iHeight - iHeight / 8, 0xFFFF00FF, 0,
                "transformed quad, inner corner");
    ExpectPixel(kPixels, iWidth, iWidth / 8, iHeight - iHeight / 8 - 1, 0xFF202040, 0,
                "outside the transformed quad");
    ExpectPixel(kPixels, iWidth, 120, 80, 0xFF202040, 0, "not mirrored up");
    ExpectPixel(kPixels, iWidth, 225, 310, 0xFFFFFF00, 0, "copied surface, top half");
    ExpectPixel(kPixels, iWidth, 225, 340, 0xFFFF00FF, 0, "copied surface, bottom half");
    ExpectPixel(kPixels, iWidth, 199, 310, 0xFF202040, 0, "left of the copied surface");
}

IDirect3DDevice8* CreateDevice(IDirect3D8* pkD3D, HWND hWindow, D3DPRESENT_PARAMETERS* pkParameters)
{
    IDirect3DDevice8* pkDevice = nullptr;
    HRESULT hResult = pkD3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hWindow,
                                          D3DCREATE_SOFTWARE_VERTEXPROCESSING, pkParameters,
                                          &pkDevice);
    Check(hResult == D3D_OK, "CreateDevice");
    return pkDevice;
}

// A device on the window's client area, with a back buffer in the desktop's format.
IDirect3DDevice8* CreateWindowedDevice(IDirect3D8* pkD3D, HWND hWindow, D3DFORMAT eFormat)
{
    D3DPRESENT_PARAMETERS kParameters{};
    kParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    kParameters.Windowed = TRUE;
    kParameters.BackBufferCount = 1;
    kParameters.BackBufferFormat = eFormat;
    return CreateDevice(pkD3D, hWindow, &kParameters);
}

void RunWindowed(FrameCountWindow& kWindow, IDirect3D8* pkD3D)
{
    D3DDISPLAYMODE kMode{};
    Check(pkD3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &kMode) == D3D_OK, "display mode");
    std::printf("d3d_draw: desktop %ux%u format %d, %u modes\n", kMode.Width, kMode.Height,
                kMode.Format, pkD3D->GetAdapterModeCount(D3DADAPTER_DEFAULT));
    IDirect3DDevice8* pkDevice = CreateWindowedDevice(pkD3D, kWindow.GetHandle(), kMode.Format);
    if (!pkDevice) {
        return;
    }
    DrawWindowedScene(pkDevice);
    int iWidth = 0;
    int iHeight = 0;
    std::vector<uint32_t> kPixels = ReadBackBuffer(pkDevice, &iWidth, &iHeight);
    Check(!kPixels.empty(), "back buffer read as 32-bit pixels");
    Check(pkDevice->Present(nullptr, nullptr, nullptr, nullptr) == D3D_OK, "Present");
    RECT kClient{};
    GetClientRect(kWindow.GetHandle(), &kClient);
    Check(iWidth == kClient.right && iHeight == kClient.bottom, "back buffer of the client size");
    if (!kPixels.empty()) {
        SavePicture(kPixels, iWidth, iHeight, "d3d_draw_windowed.png");
        CheckWindowedPicture(kPixels, iWidth, iHeight);
    }
    Check(pkDevice->Release() == 0, "device released");
}

// One frame as the game draws it: the clock read at the scene's start, a quad, the clock read
// again, the present. The read after the drawing hands it to the renderer; a frame without
// that read is drawn at the present.
void RunPresentMoments(FrameCountWindow& kWindow, IDirect3D8* pkD3D)
{
    D3DDISPLAYMODE kMode{};
    pkD3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &kMode);
    IDirect3DDevice8* pkDevice = CreateWindowedDevice(pkD3D, kWindow.GetHandle(), kMode.Format);
    if (!pkDevice) {
        return;
    }
    SetStandingStates(pkDevice);
    pkDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    pkDevice->BeginScene();
    GetTickCount();
    DrawScreenQuad(pkDevice, 10, 10, 110, 60, 0xFFFF0000);
    GetTickCount();
    int iWidth = 0;
    int iHeight = 0;
    std::vector<uint32_t> kPixels = ReadBackBuffer(pkDevice, &iWidth, &iHeight);
    pkDevice->EndScene();
    Check(pkDevice->Present(nullptr, nullptr, nullptr, nullptr) == D3D_OK, "Present");
    if (!kPixels.empty()) {
        ExpectPixel(kPixels, iWidth, 50, 30, 0xFFFF0000, 0, "quad handed on at the clock read");
    }
    sdl_test_hooks::PresentMoments kMoments = sdl_test_hooks::LastPresentMoments();
    Check(kMoments.sceneBegun != 0 && kMoments.sceneBegun <= kMoments.firstClockRead &&
              kMoments.firstClockRead <= kMoments.drawingSubmitted &&
              kMoments.drawingSubmitted <= kMoments.sceneEnded &&
              kMoments.sceneEnded <= kMoments.presentBlitted &&
              kMoments.presentBlitted <= kMoments.presentSwapped,
          "present moments in the frame's order");

    pkDevice->BeginScene();
    DrawScreenQuad(pkDevice, 10, 10, 110, 60, 0xFF00FF00);
    pkDevice->EndScene();
    GetTickCount();
    pkDevice->Present(nullptr, nullptr, nullptr, nullptr);
    kMoments = sdl_test_hooks::LastPresentMoments();
    Check(kMoments.firstClockRead == 0 && kMoments.drawingSubmitted == 0,
          "no clock read in the scene: nothing handed on before the present");
    Check(pkDevice->Release() == 0, "device released");
}

D3DPRESENT_PARAMETERS FullScreenParameters()
{
    D3DPRESENT_PARAMETERS kParameters{};
    kParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    kParameters.Windowed = FALSE;
    kParameters.BackBufferCount = 1;
    kParameters.BackBufferWidth = 1024;
    kParameters.BackBufferHeight = 768;
    kParameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    return kParameters;
}

void DrawTexturedQuad(IDirect3DDevice8* pkDevice, IDirect3DTexture8* pkTexture)
{
    pkDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
    pkDevice->BeginScene();
    SetStandingStates(pkDevice);
    pkDevice->SetTexture(0, pkTexture);
    DrawScreenQuad(pkDevice, 0, 0, 512, 384, 0xFFFFFFFF);
    pkDevice->SetTexture(0, nullptr);
    pkDevice->EndScene();
}

void RunFullScreen(FrameCountWindow& kWindow, IDirect3D8* pkD3D)
{
    D3DPRESENT_PARAMETERS kParameters = FullScreenParameters();
    kParameters.BackBufferFormat = D3DFMT_R8G8B8;
    IDirect3DDevice8* pkRefused = nullptr;
    Check(pkD3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, kWindow.GetHandle(),
                              D3DCREATE_SOFTWARE_VERTEXPROCESSING, &kParameters, &pkRefused) ==
              D3DERR_NOTAVAILABLE,
          "R8G8B8 back buffer refused");
    kParameters = FullScreenParameters();
    IDirect3DDevice8* pkDevice = CreateDevice(pkD3D, kWindow.GetHandle(), &kParameters);
    if (!pkDevice) {
        return;
    }
    kWindow.RunFrames(3);
    IDirect3DTexture8* pkTexture = MakeTexture(pkDevice, D3DFMT_A8R8G8B8, 2, 2,
                                               {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
    Check(pkDevice->TestCooperativeLevel() == D3D_OK, "full-screen device ready");

    ShowWindow(kWindow.GetHandle(), SW_HIDE);
    kWindow.RunFrames(3);
    Check(pkDevice->TestCooperativeLevel() == D3DERR_DEVICELOST, "lost while hidden");
    Check(pkDevice->Present(nullptr, nullptr, nullptr, nullptr) == D3DERR_DEVICELOST,
          "Present while lost");
    Check(pkDevice->Reset(&kParameters) == D3DERR_DEVICELOST, "Reset while lost");
    ShowWindow(kWindow.GetHandle(), SW_SHOW);
    kWindow.RunFrames(3);
    Check(pkDevice->TestCooperativeLevel() == D3DERR_DEVICENOTRESET, "needs a reset when back");
    Check(pkDevice->Reset(&kParameters) == D3D_OK, "Reset");
    Check(pkDevice->TestCooperativeLevel() == D3D_OK, "ready after Reset");

    DrawTexturedQuad(pkDevice, pkTexture);
    int iWidth = 0;
    int iHeight = 0;
    std::vector<uint32_t> kPixels = ReadBackBuffer(pkDevice, &iWidth, &iHeight);
    Check(!kPixels.empty(), "back buffer read as 32-bit pixels");
    Check(pkDevice->Present(nullptr, nullptr, nullptr, nullptr) == D3D_OK, "full-screen Present");
    Check(iWidth == 1024 && iHeight == 768, "1024 x 768 back buffer");
    if (kPixels.size() == size_t(1024) * 768) {
        SavePicture(kPixels, iWidth, iHeight, "d3d_draw_fullscreen.png");
        ExpectPixel(kPixels, iWidth, 128, 96, 0xFFFF0000, 0, "managed texture after Reset, red");
        ExpectPixel(kPixels, iWidth, 384, 288, 0xFFFFFFFF, 0, "managed texture after Reset, white");
        ExpectPixel(kPixels, iWidth, 600, 500, 0xFF000000, 0, "cleared");
    }
    pkTexture->Release();
    Check(pkDevice->Release() == 0, "full-screen device released");
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    windowtest::SetProgramName("d3d_draw");
    FrameCountWindow kWindow;
    if (kWindow.Create(hInstance, "d3d_draw", CW_USEDEFAULT, CW_USEDEFAULT,
                       WS_OVERLAPPEDWINDOW | WS_VISIBLE) != QN_OK) {
        std::fprintf(stderr, "d3d_draw: window not created\n");
        return 1;
    }
    kWindow.SetSize(1024, 768);
    kWindow.SetPosition(0, 0);
    kWindow.RunFrames(3);
    IDirect3D8* pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
    if (!pkD3D) {
        std::fprintf(stderr, "d3d_draw: no Direct3D object\n");
        return 1;
    }
    RunWindowed(kWindow, pkD3D);
    RunPresentMoments(kWindow, pkD3D);
    RunFullScreen(kWindow, pkD3D);
    pkD3D->Release();
    std::printf("d3d_draw: %d failures\n", windowtest::Failures());
    return windowtest::Failures() == 0 ? 0 : 1;
}
