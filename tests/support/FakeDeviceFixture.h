// A fake Direct3D device, fresh for every test, its back buffer 1024 x 768 unless the test's
// fixture asks for another size.
#pragma once

#include <gtest/gtest.h>

#include "FakeCalls.h"
#include "fake/fake_d3d8.h"
#include "fake/fake_win32.h"

class FakeDeviceTest : public ::testing::Test {
protected:
    FakeDeviceTest() = default;
    FakeDeviceTest(UINT uiWidth, UINT uiHeight) : m_uiWidth(uiWidth), m_uiHeight(uiHeight) {}

    void SetUp() override
    {
        fake::Reset();
        m_pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
        ASSERT_NE(m_pkD3D, nullptr);
        D3DPRESENT_PARAMETERS kParameters{};
        kParameters.BackBufferWidth = m_uiWidth;
        kParameters.BackBufferHeight = m_uiHeight;
        kParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        kParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        ASSERT_EQ(m_pkD3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                        D3DCREATE_SOFTWARE_VERTEXPROCESSING, &kParameters,
                                        &m_pkDevice),
                  D3D_OK);
        fake::ClearCalls();
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

private:
    UINT m_uiWidth = 1024;
    UINT m_uiHeight = 768;
};
