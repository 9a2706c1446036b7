#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "D3D8RenderDevice.h"
#include "FakeDeviceFixture.h"

namespace {

using Calls = std::vector<std::string>;

class D3D8RenderDeviceTest : public FakeDeviceTest {
protected:
    void SetUp() override
    {
        FakeDeviceTest::SetUp();
        ASSERT_EQ(m_kDevice.Attach(nullptr, 1024, 768, 1, m_pkDevice), nullptr);
    }

    const fake::d3d::Image* Image(int slot) const
    {
        const std::vector<IDirect3DTexture8*> textures = fake::d3d::Textures();
        return fake::d3d::TextureImage(textures.at(static_cast<size_t>(slot - 1)));
    }

    D3D8RenderDevice m_kDevice;
};

TEST_F(D3D8RenderDeviceTest, TexturesFillSlots1To127AndReleasedSlotsAreReused)
{
    for (int slot = 1; slot <= 127; ++slot) {
        ASSERT_EQ(m_kDevice.CreateTexture(128, 128), slot);
    }
    EXPECT_EQ(m_kDevice.CreateTexture(128, 128), 0);
    EXPECT_EQ(fake::d3d::LiveTextures(), 127);
    m_kDevice.ReleaseTexture(40);
    EXPECT_EQ(fake::d3d::LiveTextures(), 126);
    EXPECT_EQ(m_kDevice.CreateTexture(16, 16), 40);
    for (int slot = 1; slot <= 127; ++slot) {
        m_kDevice.ReleaseTexture(slot);
    }
    EXPECT_EQ(fake::d3d::LiveTextures(), 0);
}

TEST_F(D3D8RenderDeviceTest, TexturesAreManagedR5G6B5WithTheFullChain)
{
    ASSERT_EQ(m_kDevice.CreateTexture(128, 64), 1);
    EXPECT_EQ(fake::Calls(), Calls{"IDirect3DDevice8::CreateTexture(128,64,0,0,23,1)"});
    const fake::d3d::Image* image = Image(1);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->format, D3DFMT_R5G6B5);
    EXPECT_EQ(image->pool, D3DPOOL_MANAGED);
    m_kDevice.ReleaseTexture(1);
}

TEST_F(D3D8RenderDeviceTest, AFailedCreationIsTriedAgainInTheNextSlot)
{
    fake::FailCall("IDirect3DDevice8::CreateTexture", 2);
    EXPECT_EQ(m_kDevice.CreateTexture(8, 8), 3);
    EXPECT_EQ(m_kDevice.CreateTexture(8, 8), 1);
    fake::FailCall("IDirect3DDevice8::CreateTexture");
    EXPECT_EQ(m_kDevice.CreateTexture(8, 8), 0);
    m_kDevice.ReleaseTexture(1);
    m_kDevice.ReleaseTexture(3);
}

TEST_F(D3D8RenderDeviceTest, SetTextureBindsOnlyWhenTheSlotChanges)
{
    ASSERT_EQ(m_kDevice.CreateTexture(8, 8), 1);
    fake::ClearCalls();
    m_kDevice.SetTexture(0);
    EXPECT_TRUE(fake::Calls().empty());
    m_kDevice.SetTexture(1);
    m_kDevice.SetTexture(1);
    EXPECT_EQ(fake::Calls(), Calls{"IDirect3DDevice8::SetTexture(0,ptr)"});
    EXPECT_NE(fake::d3d::BoundTexture(0), nullptr);
    m_kDevice.SetTexture(0);
    EXPECT_EQ(fake::d3d::BoundTexture(0), nullptr);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetTexture"), 2);
    m_kDevice.ReleaseTexture(1);
}

struct FlagCase {
    const char* name;
    uint32_t before;
    uint32_t flags;
    Calls expected;
};

TEST_F(D3D8RenderDeviceTest, StateFlagsSetOnlyTheBlendPairOrCullModeThatChanged)
{
    const FlagCase cases[] = {
        {"add after alpha", 0x2010, 0x2110,
         {"IDirect3DDevice8::SetRenderState(19,5)", "IDirect3DDevice8::SetRenderState(20,2)"}},
        {"same flags", 0x2110, 0x2110, {}},
        {"culling back on", 0x2110, 0x0110, {"IDirect3DDevice8::SetRenderState(22,3)"}},
        {"alpha after add", 0x2110, 0x2010,
         {"IDirect3DDevice8::SetRenderState(19,5)", "IDirect3DDevice8::SetRenderState(20,6)"}},
        {"modulate", 0x2010, 0x2210,
         {"IDirect3DDevice8::SetRenderState(19,1)", "IDirect3DDevice8::SetRenderState(20,3)"}},
        {"inverse modulate", 0x2010, 0x2310,
         {"IDirect3DDevice8::SetRenderState(19,1)", "IDirect3DDevice8::SetRenderState(20,4)"}},
        {"blend value without a pair", 0x2010, 0x2410, {}},
        {"bit without meaning", 0x2010, 0x2011, {}},
        {"both", 0x0110, 0x2310,
         {"IDirect3DDevice8::SetRenderState(19,1)", "IDirect3DDevice8::SetRenderState(20,4)",
          "IDirect3DDevice8::SetRenderState(22,1)"}},
    };
    for (const FlagCase& c : cases) {
        m_kDevice.SetStateFlags(c.before);
        fake::ClearCalls();
        m_kDevice.SetStateFlags(c.flags);
        EXPECT_EQ(fake::Calls(), c.expected) << c.name;
    }
}

TEST_F(D3D8RenderDeviceTest, TheFirstFlagsOfAFreshDeviceSetBlendPairAndCullMode)
{
    m_kDevice.SetStateFlags(DRAW_FAN | DRAW_NO_CULL);
    EXPECT_EQ(fake::Calls(), (Calls{"IDirect3DDevice8::SetRenderState(19,5)",
                                    "IDirect3DDevice8::SetRenderState(20,6)",
                                    "IDirect3DDevice8::SetRenderState(22,1)"}));
}

TEST_F(D3D8RenderDeviceTest, DrawFanDrawsOnlyWithTheFanFlag)
{
    const TexturedVertex vertices[4] = {
        {0, 0, 0, 0xFF000000u, 0, 0},
        {1, 0, 0, 0xFF000000u, 1, 0},
        {1, 1, 0, 0xFF000000u, 1, 1},
        {0, 1, 0, 0xFF000000u, 0, 1},
    };
    m_kDevice.DrawFan(vertices, 4, DRAW_BLEND_ADD | DRAW_NO_CULL);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetRenderState"), 3);
    EXPECT_TRUE(fake::d3d::Draws().empty());

    m_kDevice.DrawFan(vertices, 4, DRAW_BLEND_ADD | DRAW_NO_CULL | DRAW_FAN);
    ASSERT_EQ(fake::d3d::Draws().size(), 1u);
    const fake::d3d::Draw& draw = fake::d3d::Draws()[0];
    EXPECT_EQ(draw.type, D3DPT_TRIANGLEFAN);
    EXPECT_EQ(draw.primitiveCount, 2u);
    EXPECT_EQ(draw.fvf, 0x142u);
    EXPECT_EQ(draw.stride, 24u);
    ASSERT_EQ(draw.vertices.size(), sizeof vertices);
    EXPECT_EQ(0, std::memcmp(draw.vertices.data(), vertices, sizeof vertices));
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetRenderState"), 3);
}

TEST_F(D3D8RenderDeviceTest, ResetBlendModeLeavesTheFlagCacheAlone)
{
    m_kDevice.SetStateFlags(0x2110);
    fake::ClearCalls();
    m_kDevice.ResetBlendMode();
    EXPECT_EQ(fake::Calls(), (Calls{"IDirect3DDevice8::SetRenderState(19,5)",
                                    "IDirect3DDevice8::SetRenderState(20,6)"}));
    fake::ClearCalls();
    m_kDevice.SetStateFlags(0x2110);
    EXPECT_TRUE(fake::Calls().empty());
}

TEST_F(D3D8RenderDeviceTest, PaletteUploadWritesGreyLevelsAsR5G6B5)
{
    fake::d3d::SetPitchPadding(6);
    ASSERT_EQ(m_kDevice.CreateTexture(4, 2), 1);
    const uint8_t palette[4 * 3] = {0x00, 0x00, 0x00, 0x80, 0x80, 0x80,
                                    0xC4, 0xC4, 0xC4, 0xFF, 0xFF, 0xFF};
    const uint8_t source[2 * 5] = {0, 1, 2, 3, 9, 3, 2, 1, 0, 9};
    m_kDevice.UploadTexture(1, source, 0, 0, 4, 2, 5, palette);
    const fake::d3d::Image* image = Image(1);
    ASSERT_NE(image, nullptr);
    ASSERT_EQ(image->pitch, 14);
    const uint16_t expected[2][4] = {{0x0000, 0x8410, 0xC638, 0xFFFF},
                                     {0xFFFF, 0xC638, 0x8410, 0x0000}};
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 4; ++column) {
            const size_t at = static_cast<size_t>(row * image->pitch + column * 2);
            const uint16_t value =
                static_cast<uint16_t>(image->bytes[at] | image->bytes[at + 1] << 8);
            EXPECT_EQ(value, expected[row][column]) << row << "," << column;
        }
    }
    EXPECT_FALSE(image->locked);
    m_kDevice.ReleaseTexture(1);
}

TEST_F(D3D8RenderDeviceTest, DirectUploadReadsBlueGreenRedAtTheDestinationRowAndByteOffset)
{
    ASSERT_EQ(m_kDevice.CreateTexture(4, 4), 1);
    const uint8_t source[3] = {0x00, 0x00, 0xFF};  // pure red
    m_kDevice.UploadTexture(1, source, 2, 3, 1, 1, 3, nullptr);
    const fake::d3d::Image* image = Image(1);
    const size_t at = static_cast<size_t>(3 * image->pitch + 2);
    EXPECT_EQ(image->bytes[at], 0x00);
    EXPECT_EQ(image->bytes[at + 1], 0xF8);
    EXPECT_EQ(image->bytes[at - 1], 0x00);
    m_kDevice.ReleaseTexture(1);
}

TEST_F(D3D8RenderDeviceTest, UploadsThatCannotLockOrDoNotFitWriteNothing)
{
    ASSERT_EQ(m_kDevice.CreateTexture(4, 4), 1);
    const uint8_t source[4 * 4 * 3] = {0xFF};
    fake::FailCall("IDirect3DTexture8::LockRect", 1);
    fake::ClearCalls();
    m_kDevice.UploadTexture(1, source, 0, 0, 1, 1, 3, nullptr);
    EXPECT_EQ(fake::CountCalls("IDirect3DTexture8::UnlockRect"), 0);
    m_kDevice.UploadTexture(1, source, 0, 2, 4, 3, 12, nullptr);
    m_kDevice.UploadTexture(1, source, 2, 0, 4, 1, 12, nullptr);
    m_kDevice.UploadTexture(2, source, 0, 0, 1, 1, 3, nullptr);
    EXPECT_EQ(fake::CountCalls("IDirect3DTexture8::LockRect"), 1);
    const fake::d3d::Image* image = Image(1);
    for (uint8_t byte : image->bytes) {
        ASSERT_EQ(byte, 0);
    }
    m_kDevice.ReleaseTexture(1);
}

TEST_F(D3D8RenderDeviceTest, LockTextureGivesThePitchAndNullOnFailure)
{
    ASSERT_EQ(m_kDevice.CreateTexture(8, 8), 1);
    int pitch = 0;
    EXPECT_NE(m_kDevice.LockTexture(1, &pitch), nullptr);
    EXPECT_EQ(pitch, 16);
    m_kDevice.UnlockTexture(1);
    fake::FailCall("IDirect3DTexture8::LockRect", 1);
    EXPECT_EQ(m_kDevice.LockTexture(1, nullptr), nullptr);
    EXPECT_EQ(m_kDevice.LockTexture(5, nullptr), nullptr);
    EXPECT_EQ(m_kDevice.PackColor(1, 0xFF, 0x80, 0x40, 0xC0), 0xFC08u);
    m_kDevice.ReleaseTexture(1);
}

TEST_F(D3D8RenderDeviceTest, PixelFormatsPackEachChannelWithTheirShifts)
{
    const uint32_t expected[9] = {0xFC08, 0xFF8040, 0xFE08, 0x7E08, 0xF1,
                                  0xCF84, 0xC0FF8040, 0xC0F1, 0x00FF8040};
    const D3DFORMAT formats[9] = {D3DFMT_R5G6B5,   D3DFMT_R8G8B8,   D3DFMT_A1R5G5B5,
                                  D3DFMT_X1R5G5B5, D3DFMT_R3G3B2,   D3DFMT_A4R4G4B4,
                                  D3DFMT_A8R8G8B8, D3DFMT_A8R3G3B2, D3DFMT_X8R8G8B8};
    for (int i = 0; i < 9; ++i) {
        const PixelFormatInfo& info = D3D8RenderDevice::s_akPixelFormats[i];
        EXPECT_EQ(info.m_eFormat, formats[i]) << i;
        EXPECT_EQ(info.Pack(0x1FF, 0x80, 0x40, 0xC0), expected[i]) << i;
    }
    EXPECT_EQ(D3D8RenderDevice::s_akPixelFormats[9].m_iBytesPerPixel, 0);
}

TEST_F(D3D8RenderDeviceTest, ProjectionIsTheLeftHandedPerspectiveOfTheTargetAspect)
{
    m_kDevice.SetProjection(1.570795f, 10.0f, 2000.0f, 1.0f);
    const D3DMATRIX projection = fake::d3d::Transform(D3DTS_PROJECTION);
    float expected[4][4] = {};
    expected[0][0] = 0.75f;
    expected[1][1] = 1.0f;
    expected[2][2] = 2000.0f / 1990.0f;
    expected[2][3] = 1.0f;
    expected[3][2] = 20000.0f / -1990.0f;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            EXPECT_NEAR(projection.m[row][column], expected[row][column], 1e-5f)
                << row << "," << column;
        }
    }
}

TEST_F(D3D8RenderDeviceTest, ClearTakesTargetAndDepth)
{
    m_kDevice.Clear(0x11223344u, 1.0f);
    EXPECT_EQ(fake::Calls(), Calls{"IDirect3DDevice8::Clear(0,null,3,287454020,1,0)"});
}

TEST_F(D3D8RenderDeviceTest, DefaultStatesEndWithAlphaBlendingAndCulling)
{
    m_kDevice.SetDefaultStates();
    const Calls expected = {
        "IDirect3DDevice8::SetTextureStageState(0,11,0)",
        "IDirect3DDevice8::SetTextureStageState(0,2,2)",
        "IDirect3DDevice8::SetTextureStageState(0,3,0)",
        "IDirect3DDevice8::SetTextureStageState(0,1,4)",
        "IDirect3DDevice8::SetTextureStageState(0,5,2)",
        "IDirect3DDevice8::SetTextureStageState(0,6,0)",
        "IDirect3DDevice8::SetTextureStageState(0,4,4)",
        "IDirect3DDevice8::SetTextureStageState(0,17,2)",
        "IDirect3DDevice8::SetTextureStageState(0,16,2)",
        "IDirect3DDevice8::SetRenderState(7,1)",
        "IDirect3DDevice8::SetRenderState(137,0)",
        "IDirect3DDevice8::SetRenderState(27,1)",
        "IDirect3DDevice8::SetRenderState(19,5)",
        "IDirect3DDevice8::SetRenderState(20,6)",
        "IDirect3DDevice8::SetRenderState(22,3)",
    };
    EXPECT_EQ(fake::Calls(), expected);
}

TEST_F(D3D8RenderDeviceTest, WithoutADirect3DObjectTheDepthFormatIsD16)
{
    EXPECT_EQ(m_kDevice.ChooseDepthStencilFormat(D3DFMT_X8R8G8B8), D3DFMT_D16);
}

}  // namespace
