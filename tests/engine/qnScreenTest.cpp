#include <climits>
#include <cmath>

#include "FakeScreen.h"
#include "platform/crt.h"
#include "platform/d3dx8.h"

namespace {

using ScreenTest = FakeScreenTest;

std::vector<D3DFORMAT> RequestedFormats()
{
    std::vector<D3DFORMAT> kFormats;
    for (const fake::d3d::DeviceRequest& kRequest : fake::d3d::DeviceRequests()) {
        kFormats.push_back(kRequest.parameters.BackBufferFormat);
    }
    return kFormats;
}

TEST_F(ScreenTest, InitCreatesDirect3DAndKeepsTheWindowEvenWhenItFails)
{
    qnScreen kScreen;
    fake::FailCall("Direct3DCreate8", 1);
    EXPECT_EQ(kScreen.Init(Window()), QN_ERR_D3D_CREATE);
    EXPECT_EQ(fake::Calls().back(), "Direct3DCreate8(220)");
    EXPECT_EQ(kScreen.SetMode(1, 1024, 768, 32, true), QN_ERR_DEVICE_CREATE);
    EXPECT_FALSE(kScreen.IsModeSupported(1024, 768, 32));
    EXPECT_EQ(kScreen.Init(Window()), QN_OK);
    ASSERT_EQ(kScreen.SetMode(1, 1024, 768, 32, true), QN_OK);
    EXPECT_EQ(fake::d3d::DeviceRequests().back().focusWindow, Window());
}

TEST_F(ScreenTest, FullScreenTriesTheDepthsFormatsInOrderUntilOneIsAccepted)
{
    struct Case {
        uint16_t uiDepth;
        std::vector<D3DFORMAT> kRefused;
        std::vector<D3DFORMAT> kTried;
        qnError iResult;
        int iBitDepth;
    };
    const Case akCases[] = {
        {32, {}, {D3DFMT_A8R8G8B8}, QN_OK, 32},
        {32, {D3DFMT_A8R8G8B8}, {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8}, QN_OK, 32},
        {24, {D3DFMT_A8R8G8B8}, {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8}, QN_OK, 32},
        {8, {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8}, {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8},
         QN_ERR_DEVICE_CREATE, 0},
        {16, {}, {D3DFMT_R5G6B5}, QN_OK, 16},
        {16, {D3DFMT_R5G6B5}, {D3DFMT_R5G6B5, D3DFMT_X1R5G5B5}, QN_OK, 16},
        {16, {D3DFMT_R5G6B5, D3DFMT_X1R5G5B5},
         {D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5}, QN_OK, 16},
        {16, {D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5},
         {D3DFMT_R5G6B5, D3DFMT_X1R5G5B5, D3DFMT_A1R5G5B5}, QN_ERR_DEVICE_CREATE, 0},
    };
    for (const Case& kCase : akCases) {
        ResetWorld();
        for (D3DFORMAT eFormat : kCase.kRefused) {
            fake::d3d::RefuseBackBufferFormat(eFormat);
        }
        qnScreen kScreen(Window());
        EXPECT_EQ(kScreen.SetMode(1, 1024, 768, kCase.uiDepth, true), kCase.iResult);
        EXPECT_EQ(RequestedFormats(), kCase.kTried) << "depth " << kCase.uiDepth;
        EXPECT_EQ(kScreen.GetBitDepth(), kCase.iBitDepth);
        if (kCase.iResult == QN_OK) {
            EXPECT_EQ(kScreen.GetFormat(), kCase.kTried.back());
        } else {
            EXPECT_EQ(kScreen.GetFormat(), D3DFMT_UNKNOWN);
            EXPECT_EQ(kScreen.GetDevice(), nullptr);
            EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetRenderState"), 0);
        }
    }
}

TEST_F(ScreenTest, FullScreenPresentationParameters)
{
    qnScreen kScreen(Window());
    ASSERT_EQ(kScreen.SetMode(1, 1024, 768, 32, false), QN_OK);
    const fake::d3d::DeviceRequest& kRequest = fake::d3d::DeviceRequests().back();
    EXPECT_EQ(kRequest.adapter, unsigned{D3DADAPTER_DEFAULT});
    EXPECT_EQ(kRequest.type, D3DDEVTYPE_REF);
    EXPECT_EQ(kRequest.behavior, DWORD{D3DCREATE_SOFTWARE_VERTEXPROCESSING});
    const D3DPRESENT_PARAMETERS& kParameters = kRequest.parameters;
    EXPECT_EQ(kParameters.Windowed, FALSE);
    EXPECT_EQ(kParameters.BackBufferWidth, 1024u);
    EXPECT_EQ(kParameters.BackBufferHeight, 768u);
    EXPECT_EQ(kParameters.BackBufferCount, 1u);
    EXPECT_EQ(kParameters.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(kParameters.MultiSampleType, D3DMULTISAMPLE_NONE);
    EXPECT_EQ(kParameters.hDeviceWindow, nullptr);
    EXPECT_EQ(kParameters.EnableAutoDepthStencil, FALSE);
    EXPECT_EQ(kParameters.Flags, 0u);
    EXPECT_EQ(kParameters.FullScreen_RefreshRateInHz, 0u);
    EXPECT_EQ(kParameters.FullScreen_PresentationInterval, 0u);
}

TEST_F(ScreenTest, WindowedTakesTheDesktopFormatAndIgnoresTheSize)
{
    fake::d3d::SetDisplayMode({1280, 1024, 60, D3DFMT_R5G6B5});
    qnScreen kScreen(Window());
    ASSERT_EQ(kScreen.SetMode(0, 1024, 768, 32, true), QN_OK);
    ASSERT_EQ(fake::d3d::DeviceRequests().size(), 1u);
    const fake::d3d::DeviceRequest& kRequest = fake::d3d::DeviceRequests().back();
    EXPECT_EQ(kRequest.type, D3DDEVTYPE_HAL);
    EXPECT_EQ(kRequest.parameters.Windowed, TRUE);
    EXPECT_EQ(kRequest.parameters.BackBufferFormat, D3DFMT_R5G6B5);
    EXPECT_EQ(kRequest.parameters.BackBufferWidth, 0u);
    EXPECT_EQ(kRequest.parameters.BackBufferHeight, 0u);
    EXPECT_EQ(kRequest.parameters.BackBufferCount, 1u);
    EXPECT_EQ(kScreen.GetFormat(), D3DFMT_R5G6B5);
    EXPECT_EQ(kScreen.GetBitDepth(), 16);
}

TEST_F(ScreenTest, WindowedFailuresStopTheSetUp)
{
    qnScreen kScreen(Window());
    fake::FailCall("IDirect3D8::GetAdapterDisplayMode", 1);
    EXPECT_EQ(kScreen.SetMode(0, 0, 0, 0, true), QN_ERR_DISPLAY_MODE);
    EXPECT_TRUE(fake::d3d::DeviceRequests().empty());
    fake::FailCall("IDirect3D8::CreateDevice", 1);
    EXPECT_EQ(kScreen.SetMode(0, 0, 0, 0, true), QN_ERR_DEVICE_CREATE);
    EXPECT_EQ(fake::d3d::DeviceRequests().size(), 1u);
    EXPECT_EQ(kScreen.GetDevice(), nullptr);
}

TEST_F(ScreenTest, SetModeSetsTheDrawingStatesInOrder)
{
    qnScreen kScreen(Window());
    fake::ClearCalls();
    ASSERT_EQ(kScreen.SetMode(1, 1024, 768, 32, true), QN_OK);
    const std::vector<std::string> kExpected = {
        "IDirect3DDevice8::SetRenderState(22,1)",  // cull none
        "IDirect3DDevice8::SetRenderState(137,0)",  // lighting off
        "IDirect3DDevice8::SetRenderState(27,1)",  // blending on
        "IDirect3DDevice8::SetRenderState(19,5)",  // source alpha
        "IDirect3DDevice8::SetRenderState(20,6)",  // inverse source alpha
        "IDirect3DDevice8::SetTextureStageState(0,1,4)",  // colour modulate
        "IDirect3DDevice8::SetTextureStageState(0,4,4)",  // alpha modulate
    };
    EXPECT_EQ(CallsStartingWith("IDirect3DDevice8::Set"), kExpected);
}

TEST_F(ScreenTest, ClearPutsAlphaFirstInTheColour)
{
    MakeScreen();
    EXPECT_EQ(m_pkScreen->Clear(255, 0, 0, 128), QN_OK);
    EXPECT_EQ(fake::Calls().back(),
              "IDirect3DDevice8::Clear(0,null,1," + std::to_string(0x80FF0000u) + ",0,0)");
    fake::FailCall("IDirect3DDevice8::Clear", 1);
    EXPECT_EQ(m_pkScreen->Clear(0, 0, 0, 0), QN_ERR_CLEAR);
}

TEST_F(ScreenTest, FramesPerSecondMeasureSceneStartToPresent)
{
    MakeScreen();
    EXPECT_EQ(m_pkScreen->GetFPS(), 0);
    ASSERT_EQ(m_pkScreen->StartFrame(), QN_OK);
    fake::AdvanceTime(16'000);
    ASSERT_EQ(m_pkScreen->EndFrame(), QN_OK);
    EXPECT_EQ(m_pkScreen->GetFPS(), 62);  // 1 / 0.016 = 62.5, truncated
    EXPECT_EQ(fake::d3d::PresentCount(), 1);

    // The time between frames does not count.
    fake::AdvanceTime(500'000);
    ASSERT_EQ(m_pkScreen->StartFrame(), QN_OK);
    fake::AdvanceTime(4'000);
    ASSERT_EQ(m_pkScreen->EndFrame(), QN_OK);
    EXPECT_EQ(m_pkScreen->GetFPS(), 250);

    // A frame too short to measure gives the largest int rather than an undefined conversion.
    ASSERT_EQ(m_pkScreen->StartFrame(), QN_OK);
    ASSERT_EQ(m_pkScreen->EndFrame(), QN_OK);
    EXPECT_EQ(m_pkScreen->GetFPS(), INT_MAX);
}

TEST_F(ScreenTest, FailedFrameEndsKeepTheFramesPerSecond)
{
    MakeScreen();
    ASSERT_EQ(m_pkScreen->StartFrame(), QN_OK);
    fake::AdvanceTime(10'000);
    ASSERT_EQ(m_pkScreen->EndFrame(), QN_OK);
    ASSERT_EQ(m_pkScreen->GetFPS(), 100);

    ASSERT_EQ(m_pkScreen->StartFrame(), QN_OK);
    fake::AdvanceTime(20'000);
    fake::FailCall("IDirect3DDevice8::EndScene", 1);
    EXPECT_EQ(m_pkScreen->EndFrame(), QN_ERR_END_SCENE);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::Present"), 1);
    EXPECT_EQ(m_pkScreen->GetFPS(), 100);

    fake::FailCall("IDirect3DDevice8::Present", 1);
    EXPECT_EQ(m_pkScreen->EndFrame(), QN_ERR_PRESENT);
    EXPECT_EQ(m_pkScreen->GetFPS(), 100);

    fake::FailCall("IDirect3DDevice8::BeginScene", 1);
    EXPECT_EQ(m_pkScreen->StartFrame(), QN_ERR_BEGIN_SCENE);
    // The timer was updated all the same: the next frame end measures from that start.
    fake::AdvanceTime(5'000);
    ASSERT_EQ(m_pkScreen->EndFrame(), QN_OK);
    EXPECT_EQ(m_pkScreen->GetFPS(), 200);
}

TEST_F(ScreenTest, LineAndRectangleVertices)
{
    MakeScreen();
    ASSERT_EQ(m_pkScreen->DrawLine(1, 2, 3, 4, 10, 20, 30, 40), QN_OK);
    ASSERT_EQ(m_pkScreen->DrawRectangle(-5, -6, 7, 8, 255, 255, 255, 255), QN_OK);
    const std::vector<fake::d3d::Draw>& kDraws = fake::d3d::Draws();
    ASSERT_EQ(kDraws.size(), 2u);

    EXPECT_EQ(kDraws[0].type, D3DPT_LINELIST);
    EXPECT_EQ(kDraws[0].primitiveCount, 1u);
    EXPECT_EQ(kDraws[0].fvf, 0x142u);
    EXPECT_EQ(kDraws[0].stride, 24u);
    std::vector<qnTexturedVertex> kLine = Vertices(kDraws[0]);
    ASSERT_EQ(kLine.size(), 2u);
    EXPECT_EQ(kLine[0].x, 1.0f);
    EXPECT_EQ(kLine[0].y, 2.0f);
    EXPECT_EQ(kLine[1].x, 3.0f);
    EXPECT_EQ(kLine[1].y, 4.0f);
    for (const qnTexturedVertex& kVertex : kLine) {
        EXPECT_EQ(kVertex.z, 0.0f);
        EXPECT_EQ(kVertex.color, 0x280A141Eu);
        EXPECT_EQ(kVertex.u, 0.0f);
        EXPECT_EQ(kVertex.v, 0.0f);
    }

    EXPECT_EQ(kDraws[1].type, D3DPT_LINESTRIP);
    EXPECT_EQ(kDraws[1].primitiveCount, 4u);
    std::vector<qnTexturedVertex> kRectangle = Vertices(kDraws[1]);
    const float afExpected[5][2] = {{-5, -6}, {7, -6}, {7, 8}, {-5, 8}, {-5, -6}};
    ASSERT_EQ(kRectangle.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(kRectangle[i].x, afExpected[i][0]) << i;
        EXPECT_EQ(kRectangle[i].y, afExpected[i][1]) << i;
    }
    // No texture is set: the lines use whatever stage 0 holds.
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetTexture"), 0);
}

TEST_F(ScreenTest, CircleIsClosedThroughOneMoreVertexThanSegments)
{
    MakeScreen();
    ASSERT_EQ(m_pkScreen->DrawCircle(10, 20, 100, 0, 0, 0, 255, 4), QN_OK);
    ASSERT_EQ(fake::d3d::Draws().size(), 1u);
    const fake::d3d::Draw& kDraw = fake::d3d::Draws()[0];
    EXPECT_EQ(kDraw.type, D3DPT_LINESTRIP);
    EXPECT_EQ(kDraw.primitiveCount, 4u);
    std::vector<qnTexturedVertex> kVertices = Vertices(kDraw);
    ASSERT_EQ(kVertices.size(), 5u);
    for (int i = 0; i < 4; ++i) {
        double dAngle = 6.2831 * (i / 4.0);  // 6.2831, not two pi
        EXPECT_EQ(kVertices[i].x, static_cast<float>(10 + 100 * std::cos(dAngle))) << i;
        EXPECT_EQ(kVertices[i].y, static_cast<float>(20 + 100 * std::sin(dAngle))) << i;
    }
    EXPECT_EQ(kVertices[4].x, kVertices[0].x);
    EXPECT_EQ(kVertices[4].y, kVertices[0].y);
    EXPECT_FLOAT_EQ(kVertices[1].y, 119.99999f);

    fake::d3d::ClearDraws();
    EXPECT_EQ(m_pkScreen->DrawCircle(0, 0, 1, 0, 0, 0, 0, 0), QN_OK);
    EXPECT_TRUE(fake::d3d::Draws().empty());
}

TEST_F(ScreenTest, OutlinesPackTheirColourAsAlphaRedGreenBlue)
{
    MakeScreen();
    // Red 0x11, green 0x22, blue 0x33, alpha 0x44 for every shape.
    ASSERT_EQ(m_pkScreen->DrawLine(0, 0, 5, 5, 0x11, 0x22, 0x33, 0x44), QN_OK);
    ASSERT_EQ(m_pkScreen->DrawRectangle(0, 0, 5, 5, 0x11, 0x22, 0x33, 0x44), QN_OK);
    ASSERT_EQ(m_pkScreen->DrawCircle(0, 0, 5, 0x11, 0x22, 0x33, 0x44, 6), QN_OK);
    const char* const acShapes[] = {"line", "rectangle", "circle"};
    ASSERT_EQ(fake::d3d::Draws().size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        for (const qnTexturedVertex& kVertex : Vertices(fake::d3d::Draws()[i])) {
            EXPECT_EQ(kVertex.color, 0x44112233u) << acShapes[i];
        }
    }
}

TEST_F(ScreenTest, FailedLineDrawsReportTheDrawCode)
{
    MakeScreen();
    fake::FailCall("IDirect3DDevice8::DrawPrimitiveUP");
    EXPECT_EQ(m_pkScreen->DrawLine(0, 0, 1, 1, 0, 0, 0, 0), QN_ERR_DRAW);
    EXPECT_EQ(m_pkScreen->DrawRectangle(0, 0, 1, 1, 0, 0, 0, 0), QN_ERR_DRAW);
    EXPECT_EQ(m_pkScreen->DrawCircle(0, 0, 1, 0, 0, 0, 0, 8), QN_ERR_DRAW);
}

// Carries a point by a row-vector matrix and divides by w.
D3DVECTOR Carry(const D3DMATRIX& kM, float fX, float fY, float fZ)
{
    float afOut[4];
    for (int c = 0; c < 4; ++c) {
        afOut[c] = fX * kM.m[0][c] + fY * kM.m[1][c] + fZ * kM.m[2][c] + kM.m[3][c];
    }
    return {afOut[0] / afOut[3], afOut[1] / afOut[3], afOut[2] / afOut[3]};
}

TEST_F(ScreenTest, CameraTurnsTheWorldOverAndLooksFromTheEye)
{
    MakeScreen();
    m_pkScreen->SetCamera(0, -300, -1000, 0, -800, 0);
    EXPECT_EQ(CallsStartingWith("IDirect3DDevice8::SetTransform").size(), 3u);

    D3DVECTOR kWorld = Carry(fake::d3d::Transform(D3DTS_WORLD), 5, 100, 0);
    EXPECT_FLOAT_EQ(kWorld.x, 5);
    EXPECT_NEAR(kWorld.y, -99.997f, 1e-3);
    EXPECT_NEAR(kWorld.z, 0.796f, 1e-3);

    const D3DMATRIX kView = fake::d3d::Transform(D3DTS_VIEW);
    D3DVECTOR kEye = Carry(kView, 0, -300, -1000);
    EXPECT_NEAR(kEye.x, 0, 1e-3);
    EXPECT_NEAR(kEye.y, 0, 1e-3);
    EXPECT_NEAR(kEye.z, 0, 1e-3);
    D3DVECTOR kAt = Carry(kView, 0, -800, 0);
    EXPECT_NEAR(kAt.x, 0, 1e-3);
    EXPECT_NEAR(kAt.y, 0, 1e-3);
    EXPECT_NEAR(kAt.z, std::hypot(500.0, 1000.0), 1e-2);

    const D3DMATRIX kProjection = fake::d3d::Transform(D3DTS_PROJECTION);
    float fYScale = 1.0f / std::tan(0.5f);
    EXPECT_FLOAT_EQ(kProjection._22, fYScale);
    EXPECT_FLOAT_EQ(kProjection._11, fYScale / 1.3333f);  // 1.3333, not 4 / 3
    EXPECT_FLOAT_EQ(Carry(kProjection, 0, 0, 1).z, 0.0f);
    EXPECT_NEAR(Carry(kProjection, 0, 0, 6048).z, 1.0f, 1e-5);
}

TEST_F(ScreenTest, ModeSupportLooksForTheDepthsFormats)
{
    fake::d3d::SetModes({{800, 600, 60, D3DFMT_X8R8G8B8},
                         {1024, 768, 75, D3DFMT_R5G6B5},
                         {1024, 768, 60, D3DFMT_X8R8G8B8}});
    qnScreen kScreen(Window());
    EXPECT_TRUE(kScreen.IsModeSupported(1024, 768, 32));
    EXPECT_TRUE(kScreen.IsModeSupported(1024, 768, 24));
    EXPECT_TRUE(kScreen.IsModeSupported(1024, 768, 16));
    EXPECT_FALSE(kScreen.IsModeSupported(800, 600, 16));
    EXPECT_FALSE(kScreen.IsModeSupported(1280, 1024, 32));
}

TEST_F(ScreenTest, DestructorReleasesTheDeviceThenDirect3DAndTheSingleScreen)
{
    {
        qnScreen kScreen(Window());
        EXPECT_EQ(qnScreen::GetSingleton(), &kScreen);
        ASSERT_EQ(kScreen.SetMode(1, 1024, 768, 32, true), QN_OK);
        kScreen.ShowCursor(FALSE);
        EXPECT_EQ(fake::Calls().back(), "IDirect3DDevice8::ShowCursor(0)");
        fake::ClearCalls();
    }
    std::vector<std::string> kReleases;
    for (const std::string& kCall : fake::Calls()) {
        if (kCall == "IDirect3DDevice8::Release()" || kCall == "IDirect3D8::Release()") {
            kReleases.push_back(kCall);
        }
    }
    EXPECT_EQ(kReleases,
              (std::vector<std::string>{"IDirect3DDevice8::Release()", "IDirect3D8::Release()"}));
    EXPECT_EQ(fake::d3d::LiveDevices(), 0);
    EXPECT_EQ(fake::d3d::LiveDirect3D(), 0);
    // The single screen is gone: asking for it reports and gives null.
    crt::AssertHandler pfnPrevious = crt::SetAssertHandler([](const char*, const char*, int) {});
    EXPECT_EQ(qnScreen::GetSingleton(), nullptr);
    crt::SetAssertHandler(pfnPrevious);
}

}  // namespace
