// A screen on the fake device, set up as the game sets it up, for the tests of the classes
// that draw through it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FakeCalls.h"
#include "fake/fake_d3d8.h"
#include "fake/fake_win32.h"
#include "qnScreen.h"
#include "qnTexturedVertex.h"

class FakeScreenTest : public ::testing::Test {
protected:
    void SetUp() override { ResetWorld(); }

    // A fresh fake world with one window for the device.
    void ResetWorld()
    {
        m_pkScreen.reset();
        fake::Reset();
        WNDCLASSA kClass = {};
        kClass.lpfnWndProc = DefWindowProcA;
        kClass.lpszClassName = "FakeScreenTest";
        RegisterClassA(&kClass);
        m_hWindow = CreateWindowExA(0, "FakeScreenTest", "", WS_POPUP, 0, 0, 1024, 768, nullptr,
                                    nullptr, nullptr, nullptr);
    }
    void TearDown() override { m_pkScreen.reset(); }

    // Full screen, 1024 x 768, the given depth, hardware device.
    void MakeScreen(uint16_t uiDepth = 32)
    {
        m_pkScreen = std::make_unique<qnScreen>();
        ASSERT_EQ(m_pkScreen->Init(Window()), QN_OK);
        ASSERT_EQ(m_pkScreen->SetMode(1, 1024, 768, uiDepth, true), QN_OK);
        fake::ClearCalls();
        fake::d3d::ClearDraws();
    }

    HWND Window() const { return m_hWindow; }

    static std::vector<qnTexturedVertex> Vertices(const fake::d3d::Draw& kDraw)
    {
        std::vector<qnTexturedVertex> kVertices(kDraw.vertices.size() / sizeof(qnTexturedVertex));
        std::memcpy(kVertices.data(), kDraw.vertices.data(), kVertices.size() * sizeof(qnTexturedVertex));
        return kVertices;
    }

    HWND m_hWindow = nullptr;
    std::unique_ptr<qnScreen> m_pkScreen;
};
