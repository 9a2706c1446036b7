// A fake Direct3D device, fresh for every test.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake/fake_d3d8.h"
#include "fake/fake_win32.h"

class FakeDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fake::Reset();
        m_pkD3D = Direct3DCreate8(D3D_SDK_VERSION);
        ASSERT_NE(m_pkD3D, nullptr);
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = 1024;
        parameters.BackBufferHeight = 768;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        ASSERT_EQ(m_pkD3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, nullptr,
                                        D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters,
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

    // The logged calls that start with the prefix, in order.
    static std::vector<std::string> CallsStartingWith(const std::string& prefix)
    {
        std::vector<std::string> found;
        for (const std::string& call : fake::Calls()) {
            if (call.rfind(prefix, 0) == 0) {
                found.push_back(call);
            }
        }
        return found;
    }

    IDirect3D8* m_pkD3D = nullptr;
    IDirect3DDevice8* m_pkDevice = nullptr;
};
