#include <cmath>

#include "FakeScreen.h"
#include "qnSpriteAnimation.h"

namespace {

class SpriteAnimationTest : public FakeScreenTest {
protected:
    void SetUp() override
    {
        FakeScreenTest::SetUp();
        MakeScreen();
        qnRGBAImage kImage;
        kImage.SetWidth(256);
        kImage.SetHeight(256);
        kImage.SetRawData(nullptr);
        m_pkTexture->Create(kImage);
        m_kSheet.Create(m_pkTexture.get(), 256, 256, 50, 50);
        const int32_t aiPairs[] = {0, 0, 1, 2, 3, 1};
        m_kAnimation.Create(m_kSheet, 3, aiPairs);
        fake::ClearCalls();
    }
    void TearDown() override
    {
        m_pkTexture.reset();
        FakeScreenTest::TearDown();
    }

    std::unique_ptr<qnTexture> m_pkTexture = std::make_unique<qnTexture>();
    qnSpriteSheet m_kSheet;
    qnSpriteAnimation m_kAnimation;
};

TEST_F(SpriteAnimationTest, CellCoordinatesLieOnTheCellsOuterTexelEdges)
{
    struct Case {
        uint32_t uiColumn, uiRow;
        float afExpected[4];
    };
    const Case akCases[] = {
        {0, 0, {1 / 256.f, 1 / 256.f, 51 / 256.f, 51 / 256.f}},
        {1, 2, {52 / 256.f, 103 / 256.f, 102 / 256.f, 153 / 256.f}},
    };
    for (const Case& kCase : akCases) {
        float afUV[4];
        m_kSheet.GetCellUV(kCase.uiColumn, kCase.uiRow, afUV);
        for (int i = 0; i < 4; ++i) {
            EXPECT_FLOAT_EQ(afUV[i], kCase.afExpected[i]) << kCase.uiColumn << "," << kCase.uiRow;
        }
    }
    qnSpriteSheet kOblong;
    kOblong.Create(nullptr, 203, 62, 100, 30);
    float afUV[4];
    kOblong.GetCellUV(1, 1, afUV);
    EXPECT_FLOAT_EQ(afUV[0], 102 / 203.f);
    EXPECT_FLOAT_EQ(afUV[1], 32 / 62.f);
    EXPECT_FLOAT_EQ(afUV[2], 202 / 203.f);
    EXPECT_FLOAT_EQ(afUV[3], 1.0f);
}

TEST_F(SpriteAnimationTest, UnrotatedQuadSpansTheSizeAroundTheCentre)
{
    m_kAnimation.SetFrame(1);
    ASSERT_EQ(m_kAnimation.Draw(10, 20, 100, 60, 0x80112233, 0.0f, 0), QN_OK);
    ASSERT_EQ(fake::d3d::Draws().size(), 1u);
    const fake::d3d::Draw& kDraw = fake::d3d::Draws()[0];
    EXPECT_EQ(kDraw.type, D3DPT_TRIANGLEFAN);
    EXPECT_EQ(kDraw.primitiveCount, 2u);
    EXPECT_EQ(kDraw.fvf, 0x142u);
    EXPECT_EQ(kDraw.stride, 24u);
    EXPECT_EQ(kDraw.texture, fake::d3d::Textures()[0]);
    std::vector<qnTexturedVertex> kVertices = Vertices(kDraw);
    ASSERT_EQ(kVertices.size(), 4u);
    // Corners in order, and the cell (1, 2): u 52..102, v 103..153 of 256.
    const float afExpected[4][4] = {{-40, -10, 52, 103}, {60, -10, 102, 103},
                                    {60, 50, 102, 153}, {-40, 50, 52, 153}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(kVertices[i].x, afExpected[i][0]) << i;
        EXPECT_EQ(kVertices[i].y, afExpected[i][1]) << i;
        EXPECT_EQ(kVertices[i].z, 0.0f) << i;
        EXPECT_EQ(kVertices[i].color, 0x80112233u) << i;
        EXPECT_FLOAT_EQ(kVertices[i].u, afExpected[i][2] / 256) << i;
        EXPECT_FLOAT_EQ(kVertices[i].v, afExpected[i][3] / 256) << i;
    }
}

TEST_F(SpriteAnimationTest, OddSizesLoseOneUnit)
{
    ASSERT_EQ(m_kAnimation.Draw(0, 0, 151, 31, 0, 0.0f, 0), QN_OK);
    std::vector<qnTexturedVertex> kVertices = Vertices(fake::d3d::Draws()[0]);
    EXPECT_EQ(kVertices[0].x, -75.0f);
    EXPECT_EQ(kVertices[2].x, 75.0f);
    EXPECT_EQ(kVertices[2].y, 15.0f);
}

TEST_F(SpriteAnimationTest, RotationUsesTheFactorPointZeroOneSevenFour)
{
    ASSERT_EQ(m_kAnimation.Draw(0, 0, 100, 0, 0, 90.0f, 0), QN_OK);
    std::vector<qnTexturedVertex> kVertices = Vertices(fake::d3d::Draws()[0]);
    // The offset (50, 0) turns by 1.566 radians: not quite onto (0, 50).
    EXPECT_NEAR(kVertices[1].x, 0.2398f, 1e-4);
    EXPECT_NEAR(kVertices[1].y, 49.9994f, 1e-4);
    EXPECT_NEAR(kVertices[0].x, -0.2398f, 1e-4);
    EXPECT_NEAR(kVertices[0].y, -49.9994f, 1e-4);

    fake::d3d::ClearDraws();
    ASSERT_EQ(m_kAnimation.Draw(100, 200, 20, 40, 0, 30.0f, 0), QN_OK);
    kVertices = Vertices(fake::d3d::Draws()[0]);
    double dT = static_cast<double>(30.0f * 0.0174f);
    EXPECT_EQ(kVertices[0].x, 100.0f + static_cast<float>(-10 * std::cos(dT) + 20 * std::sin(dT)));
    EXPECT_EQ(kVertices[0].y, 200.0f + static_cast<float>(-10 * std::sin(dT) - 20 * std::cos(dT)));
}

TEST_F(SpriteAnimationTest, BlendModesSetTheirStates)
{
    struct Case {
        int iMode;
        DWORD uiSource, uiDestination;
    };
    const Case akCases[] = {
        {0, D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA}, {1, D3DBLEND_SRCALPHA, D3DBLEND_ONE},
        {2, D3DBLEND_SRCALPHA, D3DBLEND_ONE},         {3, D3DBLEND_DESTCOLOR, D3DBLEND_ZERO},
        {4, D3DBLEND_ZERO, D3DBLEND_DESTCOLOR},       {5, D3DBLEND_INVDESTCOLOR, D3DBLEND_ZERO},
        {6, D3DBLEND_ONE, D3DBLEND_ZERO},
    };
    for (const Case& kCase : akCases) {
        ASSERT_EQ(m_kAnimation.Draw(0, 0, 10, 10, 0, 0.0f, kCase.iMode), QN_OK);
        EXPECT_EQ(fake::d3d::RenderState(D3DRS_SRCBLEND), kCase.uiSource) << kCase.iMode;
        EXPECT_EQ(fake::d3d::RenderState(D3DRS_DESTBLEND), kCase.uiDestination) << kCase.iMode;
        EXPECT_EQ(fake::d3d::RenderState(D3DRS_BLENDOP), DWORD{D3DBLENDOP_ADD}) << kCase.iMode;
    }
    fake::ClearCalls();
    ASSERT_EQ(m_kAnimation.Draw(0, 0, 10, 10, 0, 0.0f, 7), QN_OK);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetRenderState"), 0);
}

TEST_F(SpriteAnimationTest, ReverseSubtractionHoldsForItsOwnDrawOnly)
{
    ASSERT_EQ(m_kAnimation.Draw(0, 0, 10, 10, 0, 0.0f, 2), QN_OK);
    ASSERT_EQ(m_kAnimation.Draw(0, 0, 10, 10, 0, 0.0f, 1), QN_OK);
    std::vector<std::string> kStatesAndDraws;
    for (const std::string& kCall : fake::Calls()) {
        if (kCall.rfind("IDirect3DDevice8::SetRenderState", 0) == 0 ||
            kCall.rfind("IDirect3DDevice8::DrawPrimitiveUP", 0) == 0) {
            kStatesAndDraws.push_back(kCall.substr(kCall.find("::") + 2, 20));
        }
    }
    const std::vector<std::string> kExpected = {
        "SetRenderState(171,3", "SetRenderState(19,5)", "SetRenderState(20,2)",
        "DrawPrimitiveUP(6,2,", "SetRenderState(171,1", "SetRenderState(19,5)",
        "SetRenderState(20,2)", "DrawPrimitiveUP(6,2,"};
    EXPECT_EQ(kStatesAndDraws, kExpected);
}

TEST_F(SpriteAnimationTest, AdvanceWrapsAfterTheLastFrame)
{
    EXPECT_FALSE(m_kAnimation.Advance());
    EXPECT_FALSE(m_kAnimation.Advance());
    EXPECT_EQ(m_kAnimation.GetFrame(), 2u);
    EXPECT_TRUE(m_kAnimation.Advance());
    EXPECT_EQ(m_kAnimation.GetFrame(), 0u);
}

TEST_F(SpriteAnimationTest, TextureIsBoundOnlyWhenAnotherWasBoundLast)
{
    m_kAnimation.Draw(0, 0, 10, 10, 0, 0.0f, 0);
    qnSpriteAnimation kCopy = m_kAnimation;
    kCopy.Draw(5, 5, 10, 10, 0, 0.0f, 0);
    EXPECT_LE(fake::CountCalls("IDirect3DDevice8::SetTexture"), 1);
    EXPECT_EQ(fake::d3d::Draws()[1].texture, fake::d3d::Textures()[0]);
}

TEST_F(SpriteAnimationTest, FailedDrawReturnsTheDrawCode)
{
    fake::FailCall("IDirect3DDevice8::DrawPrimitiveUP", 1);
    EXPECT_EQ(m_kAnimation.Draw(0, 0, 10, 10, 0, 0.0f, 2), QN_ERR_DRAW);
    // The blend operation is put back even so.
    EXPECT_EQ(fake::d3d::RenderState(D3DRS_BLENDOP), DWORD{D3DBLENDOP_ADD});
}

TEST_F(SpriteAnimationTest, FramesOutsideTheListDrawNothing)
{
    qnSpriteAnimation kEmpty;
    EXPECT_EQ(kEmpty.Draw(0, 0, 10, 10, 0, 0.0f, 0), QN_OK);
    m_kAnimation.SetFrame(3);
    EXPECT_EQ(m_kAnimation.Draw(0, 0, 10, 10, 0, 0.0f, 0), QN_OK);
    EXPECT_TRUE(fake::d3d::Draws().empty());
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::"), 0);
}

TEST_F(SpriteAnimationTest, CopiesShareTheFrameListBeyondTheOriginal)
{
    auto* pkOriginal = new qnSpriteAnimation;
    const int32_t aiPairs[] = {1, 2};
    pkOriginal->Create(m_kSheet, 1, aiPairs);
    qnSpriteAnimation kCopy = *pkOriginal;
    delete pkOriginal;
    ASSERT_EQ(kCopy.Draw(0, 0, 10, 10, 0, 0.0f, 0), QN_OK);
    EXPECT_FLOAT_EQ(Vertices(fake::d3d::Draws()[0])[0].u, 52 / 256.f);
}

}  // namespace
