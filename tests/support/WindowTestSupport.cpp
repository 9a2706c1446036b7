#include "WindowTestSupport.h"

#include <cstdio>
#include <cstdlib>

void FrameCountWindow::RunFrames(int iFrames)
{
    m_iFramesLeft = iFrames;
    Run();
}

int FrameCountWindow::Frame()
{
    --m_iFramesLeft;
    return m_iFramesLeft > 0 ? 1 : 0;
}

namespace windowtest {
namespace {

const char* g_acProgram = "window test";
int g_iFailures = 0;

}  // namespace

void SetProgramName(const char* acProgram)
{
    g_acProgram = acProgram;
}

void Check(bool bPassed, const std::string& kWhat)
{
    if (!bPassed) {
        std::fprintf(stderr, "%s: FAILED %s\n", g_acProgram, kWhat.c_str());
        ++g_iFailures;
    }
}

int Failures()
{
    return g_iFailures;
}

}  // namespace windowtest

namespace {

bool LockBackBuffer(IDirect3DSurface8* pkBack, D3DSURFACE_DESC* pkDesc, D3DLOCKED_RECT* pkLocked)
{
    pkBack->GetDesc(pkDesc);
    if (pkDesc->Format != D3DFMT_X8R8G8B8 && pkDesc->Format != D3DFMT_A8R8G8B8) {
        std::fprintf(stderr, "ReadBackBuffer: format %d is not 32-bit\n", pkDesc->Format);
        return false;
    }
    if (FAILED(pkBack->LockRect(pkLocked, nullptr, D3DLOCK_READONLY))) {
        std::fprintf(stderr, "ReadBackBuffer: the back buffer does not lock\n");
        return false;
    }
    return true;
}

}  // namespace

std::vector<uint32_t> ReadBackBuffer(IDirect3DDevice8* pkDevice, int* piWidth, int* piHeight)
{
    std::vector<uint32_t> kPixels;
    *piWidth = 0;
    *piHeight = 0;
    IDirect3DSurface8* pkBack = nullptr;
    if (FAILED(pkDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &pkBack))) {
        std::fprintf(stderr, "ReadBackBuffer: no back buffer\n");
        return kPixels;
    }
    D3DSURFACE_DESC kDesc{};
    D3DLOCKED_RECT kLocked{};
    if (LockBackBuffer(pkBack, &kDesc, &kLocked)) {
        *piWidth = static_cast<int>(kDesc.Width);
        *piHeight = static_cast<int>(kDesc.Height);
        kPixels.resize(static_cast<size_t>(kDesc.Width) * kDesc.Height);
        for (UINT y = 0; y < kDesc.Height; ++y) {
            const auto* puiRow = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(kLocked.pBits) + static_cast<size_t>(y) * kLocked.Pitch);
            for (UINT x = 0; x < kDesc.Width; ++x) {
                kPixels[static_cast<size_t>(y) * kDesc.Width + x] = puiRow[x] | 0xFF000000u;
            }
        }
        pkBack->UnlockRect();
    }
    pkBack->Release();
    return kPixels;
}

bool ColorsNear(uint32_t uiActual, uint32_t uiExpected, int iTolerance)
{
    for (int iShift = 0; iShift < 24; iShift += 8) {
        const int iA = static_cast<int>((uiActual >> iShift) & 0xFF);
        const int iE = static_cast<int>((uiExpected >> iShift) & 0xFF);
        if (std::abs(iA - iE) > iTolerance) {
            return false;
        }
    }
    return true;
}
