// The fake Direct3D's own contract: what tests of the engine rely on.
#include <gtest/gtest.h>

#include <cstring>

#include "FakeDeviceFixture.h"
#include "fake/fake_d3d8.h"
#include "fake/fake_win32.h"

namespace {

class FakeD3d8Test : public FakeDeviceTest {
protected:
    FakeD3d8Test() : FakeDeviceTest(64, 32) {}
};

TEST_F(FakeD3d8Test, LastReleaseDestroysEveryObject)
{
    IDirect3DTexture8* pkTexture = nullptr;
    ASSERT_EQ(m_pkDevice->CreateTexture(4, 4, 0, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pkTexture),
              D3D_OK);
    IDirect3DSurface8* pkSurface = nullptr;
    ASSERT_EQ(m_pkDevice->CreateImageSurface(4, 4, D3DFMT_X8R8G8B8, &pkSurface), D3D_OK);
    EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    EXPECT_EQ(fake::d3d::LiveSurfaces(), 1);
    pkTexture->AddRef();
    EXPECT_EQ(pkTexture->Release(), 1u);
    EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    EXPECT_EQ(pkTexture->Release(), 0u);
    EXPECT_EQ(pkSurface->Release(), 0u);
    EXPECT_EQ(fake::d3d::LiveTextures(), 0);
    EXPECT_EQ(fake::d3d::LiveSurfaces(), 0);
    m_pkDevice->Release();
    m_pkDevice = nullptr;
    EXPECT_EQ(fake::d3d::LiveDevices(), 0);
    EXPECT_EQ(fake::d3d::LastDevice(), nullptr);
}

TEST_F(FakeD3d8Test, ChosenPitchPadsEveryRowOfTexturesAndSurfaces)
{
    fake::d3d::SetPitchPadding(12);
    IDirect3DTexture8* pkTexture = nullptr;
    ASSERT_EQ(m_pkDevice->CreateTexture(5, 3, 0, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &pkTexture),
              D3D_OK);
    D3DLOCKED_RECT kLocked{};
    ASSERT_EQ(pkTexture->LockRect(0, &kLocked, nullptr, 0), D3D_OK);
    EXPECT_EQ(kLocked.Pitch, 5 * 2 + 12);
    static_cast<uint8_t*>(kLocked.pBits)[kLocked.Pitch * 2] = 0xAB;
    EXPECT_EQ(pkTexture->LockRect(0, &kLocked, nullptr, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(pkTexture->UnlockRect(0), D3D_OK);
    const fake::d3d::Image* pkImage = fake::d3d::TextureImage(pkTexture);
    ASSERT_NE(pkImage, nullptr);
    EXPECT_EQ(pkImage->bytes.size(), size_t(22 * 3));
    EXPECT_EQ(pkImage->bytes[44], 0xAB);
    EXPECT_EQ(pkImage->format, D3DFMT_R5G6B5);
    EXPECT_EQ(pkImage->pool, D3DPOOL_MANAGED);
    EXPECT_EQ(pkImage->levels, 3u);
    EXPECT_FALSE(pkImage->locked);

    IDirect3DSurface8* pkSurface = nullptr;
    ASSERT_EQ(m_pkDevice->CreateImageSurface(7, 2, D3DFMT_A8R8G8B8, &pkSurface), D3D_OK);
    ASSERT_EQ(pkSurface->LockRect(&kLocked, nullptr, 0), D3D_OK);
    EXPECT_EQ(kLocked.Pitch, 7 * 4 + 12);
    pkSurface->UnlockRect();
    pkSurface->Release();
    pkTexture->Release();
}

TEST_F(FakeD3d8Test, FailureOnDemandChangesNothing)
{
    fake::FailCall("IDirect3DDevice8::SetRenderState", 1);
    EXPECT_EQ(m_pkDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), E_FAIL);
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_CULLMODE), DWORD(D3DCULL_CCW));
    EXPECT_EQ(m_pkDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_CULLMODE), DWORD(D3DCULL_NONE));
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetRenderState(22,1)"), 2);

    fake::FailCall("Direct3DCreate8");
    EXPECT_EQ(Direct3DCreate8(D3D_SDK_VERSION), nullptr);
}

TEST_F(FakeD3d8Test, CreateDeviceRefusesChosenBackBufferFormats)
{
    fake::d3d::RefuseBackBufferFormat(D3DFMT_A8R8G8B8);
    D3DPRESENT_PARAMETERS kParameters{};
    kParameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    IDirect3DDevice8* pkDevice = nullptr;
    EXPECT_EQ(m_pkD3D->CreateDevice(0, D3DDEVTYPE_REF, nullptr, 0, &kParameters, &pkDevice),
              D3DERR_NOTAVAILABLE);
    kParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    ASSERT_EQ(m_pkD3D->CreateDevice(0, D3DDEVTYPE_REF, nullptr, 0, &kParameters, &pkDevice),
              D3D_OK);
    ASSERT_EQ(fake::d3d::DeviceRequests().size(), 3u);
    EXPECT_EQ(fake::d3d::DeviceRequests()[1].parameters.BackBufferFormat, D3DFMT_A8R8G8B8);
    EXPECT_EQ(fake::d3d::DeviceRequests()[2].type, D3DDEVTYPE_REF);
    EXPECT_EQ(fake::d3d::LastDevice(), pkDevice);
    pkDevice->Release();
}

TEST_F(FakeD3d8Test, DrawKeepsTheVerticesFormatAndTexture)
{
    IDirect3DTexture8* pkTexture = nullptr;
    ASSERT_EQ(m_pkDevice->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &pkTexture),
              D3D_OK);
    m_pkDevice->SetTexture(0, pkTexture);
    m_pkDevice->SetVertexShader(D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1);
    float afVertices[4 * 6] = {};
    afVertices[6] = 42.0f;
    ASSERT_EQ(m_pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, afVertices, 24), D3D_OK);
    ASSERT_EQ(fake::d3d::Draws().size(), 1u);
    const fake::d3d::Draw& kDraw = fake::d3d::Draws()[0];
    EXPECT_EQ(kDraw.type, D3DPT_TRIANGLEFAN);
    EXPECT_EQ(kDraw.fvf, 0x142u);
    EXPECT_EQ(kDraw.stride, 24u);
    ASSERT_EQ(kDraw.vertices.size(), 96u);
    float fSecondX = 0.0f;
    std::memcpy(&fSecondX, kDraw.vertices.data() + 24, sizeof(float));
    EXPECT_EQ(fSecondX, 42.0f);
    EXPECT_EQ(kDraw.texture, pkTexture);
    pkTexture->Release();
}

TEST_F(FakeD3d8Test, RecordingOffKeepsNoCallsOrDrawsUntilReset)
{
    float afVertices[4 * 6] = {};
    fake::SetRecording(false);
    fake::ClearCalls();
    EXPECT_EQ(m_pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, afVertices, 24), D3D_OK);
    EXPECT_EQ(m_pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, nullptr, 24), D3DERR_INVALIDCALL);
    fake::Log("Direct()");
    EXPECT_TRUE(fake::Calls().empty());
    EXPECT_TRUE(fake::d3d::Draws().empty());

    fake::SetRecording(true);
    EXPECT_EQ(m_pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, afVertices, 24), D3D_OK);
    EXPECT_EQ(fake::d3d::Draws().size(), 1u);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::DrawPrimitiveUP"), 1);

    fake::SetRecording(false);
    fake::Reset();
    EXPECT_TRUE(fake::Recording());
}

TEST_F(FakeD3d8Test, CopyRectsWritesIntoTheBackBuffer)
{
    IDirect3DSurface8* pkSurface = nullptr;
    ASSERT_EQ(m_pkDevice->CreateImageSurface(2, 2, D3DFMT_X8R8G8B8, &pkSurface), D3D_OK);
    D3DLOCKED_RECT kLocked{};
    ASSERT_EQ(pkSurface->LockRect(&kLocked, nullptr, 0), D3D_OK);
    static_cast<uint32_t*>(kLocked.pBits)[1] = 0x00FF8040;
    pkSurface->UnlockRect();
    IDirect3DSurface8* pkBack = nullptr;
    ASSERT_EQ(m_pkDevice->GetBackBuffer(0, D3DBACKBUFFER_TYPE_MONO, &pkBack), D3D_OK);
    POINT kAt = {10, 5};
    EXPECT_EQ(m_pkDevice->CopyRects(pkSurface, nullptr, 0, pkBack, &kAt), D3D_OK);
    POINT kOutside = {63, 0};
    EXPECT_EQ(m_pkDevice->CopyRects(pkSurface, nullptr, 0, pkBack, &kOutside), D3DERR_INVALIDCALL);
    const fake::d3d::Image* pkImage = fake::d3d::BackBufferImage();
    ASSERT_NE(pkImage, nullptr);
    uint32_t uiPixel = 0;
    std::memcpy(&uiPixel, pkImage->bytes.data() + 5 * pkImage->pitch + 11 * 4, 4);
    EXPECT_EQ(uiPixel, 0x00FF8040u);
    pkBack->Release();
    pkSurface->Release();
}

}  // namespace
