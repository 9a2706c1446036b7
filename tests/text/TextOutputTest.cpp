#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FakeDeviceFixture.h"
#include "TestFonts.h"
#include "TextOutput.h"
#include "font.h"

namespace {

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

class TextOutputTest : public FakeDeviceTest {
protected:
    void SetUp() override
    {
        FakeDeviceTest::SetUp();
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = PlainWindowProc;
        windowClass.lpszClassName = "TextOutputTest";
        RegisterClassA(&windowClass);
        m_hWindow = CreateWindowExA(0, "TextOutputTest", "text", WS_POPUP, 0, 0, 1024, 768,
                                    nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(m_hWindow, nullptr);
        // 'a' is 10 x 8 pixels; 'b' 40 x 8 with a 2 in its top-left pixel.
        TestGlyph b = SolidGlyph('b', 40, 8, 1);
        b.pixels[0] = 2;
        m_kFontPath = WriteTestFont("output.fnt", {SolidGlyph('a', 10, 8), b});
        fake::ClearCalls();
    }
    void TearDown() override
    {
        std::remove(m_kFontPath.c_str());
        FakeDeviceTest::TearDown();
    }

    // The quads drawn near the view, as the device saw them.
    static std::vector<std::vector<TexturedVertex>> TextDraws()
    {
        std::vector<std::vector<TexturedVertex>> quads;
        for (const fake::d3d::Draw& draw : fake::d3d::Draws()) {
            std::vector<TexturedVertex> vertices(draw.vertices.size() / sizeof(TexturedVertex));
            std::memcpy(vertices.data(), draw.vertices.data(), draw.vertices.size());
            if (vertices[0].m_fY > -400000.0f) {
                quads.push_back(vertices);
            }
        }
        return quads;
    }

    HWND m_hWindow = nullptr;
    std::string m_kFontPath;
};

TEST_F(TextOutputTest, InitAttachesWithTheClientSizeAndSetsTheProjection)
{
    TextOutput output;
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    const D3DMATRIX projection = fake::d3d::Transform(D3DTS_PROJECTION);
    EXPECT_NEAR(projection._11, 0.75f, 1e-5f);
    EXPECT_NEAR(projection._22, 1.0f, 1e-5f);
    EXPECT_TRUE(fake::MessageBoxes().empty());
}

TEST_F(TextOutputTest, DrawStringIsOneFrameOfTheCache)
{
    TextOutput output;
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    ASSERT_TRUE(output.LoadFont(m_kFontPath.c_str()));
    fake::ClearCalls();
    output.DrawString(100.0f, 200.0f, 1.0f, 255, 10, 20, 30, "ab");

    EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    EXPECT_EQ(fake::CountCalls("IDirect3DTexture8::LockRect"), 1);
    ASSERT_EQ(fake::d3d::Draws().size(), 2u) << "the page quad, then the text";
    const std::vector<std::vector<TexturedVertex>> quads = TextDraws();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_EQ(quads[0][0].m_uiColor, 0xFF0A141Eu);
    EXPECT_FLOAT_EQ(quads[0][1].m_fX - quads[0][0].m_fX, 50.0f);
    // The text pass adds; afterwards the blend pair is back to alpha blending.
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_SRCBLEND), static_cast<DWORD>(D3DBLEND_SRCALPHA));
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_DESTBLEND), static_cast<DWORD>(D3DBLEND_INVSRCALPHA));
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_CULLMODE), static_cast<DWORD>(D3DCULL_NONE));
    const std::vector<std::string> blends =
        CallsStartingWith("IDirect3DDevice8::SetRenderState(20,");
    EXPECT_EQ(blends, (std::vector<std::string>{"IDirect3DDevice8::SetRenderState(20,6)",
                                                "IDirect3DDevice8::SetRenderState(20,2)",
                                                "IDirect3DDevice8::SetRenderState(20,6)"}));
    // Glyph pixels reach the texture as grey R5G6B5: value 2 is 0xC4 grey.
    const fake::d3d::Image* page = fake::d3d::TextureImage(fake::d3d::Textures()[0]);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->bytes[20] | page->bytes[21] << 8, 0xC638);
    EXPECT_EQ(page->bytes[0] | page->bytes[1] << 8, 0xFFFF);
}

TEST_F(TextOutputTest, OneStringInTwoColoursIsDrawnFromOneCachedRun)
{
    TextOutput output;
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    ASSERT_TRUE(output.LoadFont(m_kFontPath.c_str()));
    output.DrawString(0.0f, 0.0f, 1.0f, 255, 255, 0, 0, "abba");
    fake::ClearCalls();
    output.DrawString(0.0f, 30.0f, 1.0f, 255, 0, 0, 255, "abba");
    EXPECT_EQ(fake::CountCalls("IDirect3DTexture8::LockRect"), 0);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::CreateTexture"), 0);
    const std::vector<std::vector<TexturedVertex>> quads = TextDraws();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0][0].m_uiColor, 0xFFFF0000u);
    EXPECT_EQ(quads[1][0].m_uiColor, 0xFF0000FFu);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(quads[0][static_cast<size_t>(i)].m_fU, quads[1][static_cast<size_t>(i)].m_fU);
        EXPECT_EQ(quads[0][static_cast<size_t>(i)].m_fV, quads[1][static_cast<size_t>(i)].m_fV);
    }
}

TEST_F(TextOutputTest, ScaleTwoDrawsEveryFontPixelAsTwoByTwoUnits)
{
    TextOutput output;
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    ASSERT_TRUE(output.LoadFont(m_kFontPath.c_str()));
    output.DrawString(-20.0f, 7.0f, 2.0f, 255, 255, 255, 255, "bab");  // 90 pixels wide
    const std::vector<std::vector<TexturedVertex>> quads = TextDraws();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0][0].m_fX, -20.5f);
    EXPECT_FLOAT_EQ(quads[0][0].m_fY, 6.5f);
    EXPECT_FLOAT_EQ(quads[0][2].m_fX, 159.5f);
    EXPECT_FLOAT_EQ(quads[0][2].m_fY, 22.5f);
    EXPECT_FLOAT_EQ(quads[0][2].m_fU, 90.0f / 128);
    EXPECT_FLOAT_EQ(quads[0][2].m_fV, 8.0f / 128);
}

TEST_F(TextOutputTest, TwoPassesDarkenWithTheInvertedColourThenAdd)
{
    TextOutput output;
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    ASSERT_TRUE(output.LoadFont(m_kFontPath.c_str()));
    fake::ClearCalls();
    output.DrawStringTwoPass(0.0f, 0.0f, 1.0f, 200, 255, 100, 0, "ab");
    const std::vector<std::vector<TexturedVertex>> quads = TextDraws();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0][0].m_uiColor, 0xC8009BFFu);
    EXPECT_EQ(quads[1][0].m_uiColor, 0xC8FF6400u);
    EXPECT_EQ(quads[0][0].m_fU, quads[1][0].m_fU);
    const std::vector<std::string> blends =
        CallsStartingWith("IDirect3DDevice8::SetRenderState(20,");
    EXPECT_EQ(blends, (std::vector<std::string>{"IDirect3DDevice8::SetRenderState(20,6)",
                                                "IDirect3DDevice8::SetRenderState(20,4)",
                                                "IDirect3DDevice8::SetRenderState(20,2)",
                                                "IDirect3DDevice8::SetRenderState(20,6)"}));
}

TEST_F(TextOutputTest, DestroyingTheOutputReleasesThePageTextures)
{
    {
        TextOutput output;
        ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
        ASSERT_TRUE(output.LoadFont(m_kFontPath.c_str()));
        output.DrawString(0.0f, 0.0f, 1.0f, 255, 255, 255, 255, "ab");
        EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    }
    EXPECT_EQ(fake::d3d::LiveTextures(), 0);
}

TEST_F(TextOutputTest, DestroyedAndInitialisedAgainItDrawsOnTheNewDevice)
{
    TextOutput output;
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    ASSERT_TRUE(output.LoadFont(m_kFontPath.c_str()));
    output.~TextOutput();
    new (&output) TextOutput();
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    ASSERT_TRUE(output.LoadFont(m_kFontPath.c_str()));
    output.DrawString(0.0f, 0.0f, 1.0f, 255, 255, 255, 255, "ab");
    EXPECT_EQ(TextDraws().size(), 1u);
}

TEST_F(TextOutputTest, WithoutInitOrFontNothingIsDrawnAndNothingBreaks)
{
    TextOutput idle;
    EXPECT_FALSE(idle.LoadFont(m_kFontPath.c_str()));
    idle.DrawString(0.0f, 0.0f, 1.0f, 255, 255, 255, 255, "ab");
    idle.RunFixedSteps(5.0f);

    TextOutput output;
    ASSERT_TRUE(output.Init(m_hWindow, m_pkDevice));
    EXPECT_FALSE(output.LoadFont("missing.fnt"));
    output.DrawString(0.0f, 0.0f, 1.0f, 255, 255, 255, 255, "ab");
    EXPECT_TRUE(TextDraws().empty());
}

}  // namespace
