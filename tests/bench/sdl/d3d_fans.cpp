// Frames per second of 600 textured, alpha-blended 150 x 150 pixel fans a frame on a full-screen
// 1024 x 768 device, and the CPU time of a frame's draw calls.
#include <chrono>
#include <cstdio>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/d3d8.h"

namespace {

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR color;
    float u, v;
};

constexpr int kFrames = 200;
constexpr int kFansPerFrame = 600;

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    FrameCountWindow kWindow;
    kWindow.Create(hInstance, "d3d_fans", CW_USEDEFAULT, CW_USEDEFAULT, WS_POPUP | WS_VISIBLE);
    kWindow.SetSize(1024, 768);
    IDirect3D8* pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
    D3DPRESENT_PARAMETERS kParameters{};
    kParameters.BackBufferWidth = 1024;
    kParameters.BackBufferHeight = 768;
    kParameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    kParameters.BackBufferCount = 1;
    kParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    kParameters.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_IMMEDIATE;
    IDirect3DDevice8* pkDevice = nullptr;
    if (!pkD3D || pkD3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, kWindow.GetHandle(),
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &kParameters,
                                      &pkDevice) != D3D_OK) {
        std::fprintf(stderr, "d3d_fans: no device\n");
        return 1;
    }
    IDirect3DTexture8* pkTexture = nullptr;
    pkDevice->CreateTexture(64, 64, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pkTexture);
    D3DLOCKED_RECT kLocked{};
    pkTexture->LockRect(0, &kLocked, nullptr, 0);
    for (int y = 0; y < 64; ++y) {
        auto* puiRow = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(kLocked.pBits) + y * kLocked.Pitch);
        for (int x = 0; x < 64; ++x) {
            puiRow[x] = ((x ^ y) & 8) ? 0xFFFFFFFF : 0x80FF8000;
        }
    }
    pkTexture->UnlockRect(0);
    pkDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    pkDevice->SetRenderState(D3DRS_LIGHTING, FALSE);
    pkDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    pkDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    pkDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    pkDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    pkDevice->SetTexture(0, pkTexture);
    pkDevice->SetVertexShader(D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    std::chrono::duration<double> kDrawTime{0};
    auto kStart = std::chrono::steady_clock::now();
    for (int iFrame = 0; iFrame < kFrames; ++iFrame) {
        pkDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 0.0f, 0);
        pkDevice->BeginScene();
        auto kDrawStart = std::chrono::steady_clock::now();
        for (int i = 0; i < kFansPerFrame; ++i) {
            float fX = float((i * 37 + iFrame) % 874);
            float fY = float((i * 53) % 618);
            ScreenVertex akVertices[4] = {{fX, fY, 0, 1, 0xFFFFFFFF, 0, 0},
                                          {fX + 150, fY, 0, 1, 0xFFFFFFFF, 1, 0},
                                          {fX + 150, fY + 150, 0, 1, 0xFFFFFFFF, 1, 1},
                                          {fX, fY + 150, 0, 1, 0xFFFFFFFF, 0, 1}};
            pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, akVertices, sizeof(ScreenVertex));
        }
        kDrawTime += std::chrono::steady_clock::now() - kDrawStart;
        pkDevice->EndScene();
        pkDevice->Present(nullptr, nullptr, nullptr, nullptr);
    }
    double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - kStart).count();
    std::printf("d3d_fans: %d fans a frame, %.1f frames per second, draw calls %.3f ms a frame\n",
                kFansPerFrame, kFrames / dSeconds, 1000.0 * kDrawTime.count() / kFrames);
    pkDevice->SetTexture(0, nullptr);
    pkTexture->Release();
    pkDevice->Release();
    pkD3D->Release();
    return 0;
}
