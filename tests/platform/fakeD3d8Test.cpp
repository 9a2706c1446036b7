// The fake Direct3D's own contract: what tests of the engine rely on.
#include <gtest/gtest.h>

#include "fake/fake_d3d8.h"
#include "fake/fake_win32.h"

namespace {

class FakeD3d8Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        m_pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
        ASSERT_NE(m_pkD3D, nullptr);
        D3DPRESENT_PARAMETERS kParameters{};
        kParameters.BackBufferWidth = 64;
        kParameters.BackBufferHeight = 32;
        kParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        kParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        ASSERT_EQ(m_pkD3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                        D3DCREATE_SOFTWARE_VERTEXPROCESSING, &kParameters,
                                        &m_pkDevice),
                  D3D_OK);
    }

    void TearDown() override
    {
        if (m_pkDevice) {
            m_pkDevice->Release();
        }
        if (m_pkD3D) {
            m_pkD3D->Release();
        }
        fake::Reset();
    }

    IDirect3D8* m_pkD3D = nullptr;
    IDirect3DDevice8* m_pkDevice = nullptr;
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

}  // namespace
