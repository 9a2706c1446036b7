#include <cmath>
#include <cstdio>
#include <fstream>

#include "FakeScreen.h"
#include "ImageFiles.h"
#include "qnSprite.h"

namespace {

// A 203 x 302 sheet (two columns, two rows of 100 x 150 cells); magenta at (0, 0) for the key.
constexpr uint32_t kSheetWidth = 203;
constexpr uint32_t kSheetHeight = 302;

class SpriteTest : public FakeScreenTest {
protected:
    void SetUp() override
    {
        FakeScreenTest::SetUp();
        MakeScreen();
        std::vector<uint32_t> aiPixels(kSheetWidth * kSheetHeight, 0x204060FF);
        aiPixels[0] = 0xFF00FFFF;
        m_kImagePath = testfiles::UniquePath("sheet.bmp");
        ASSERT_TRUE(testfiles::WriteFile(m_kImagePath,
                                         testfiles::BitmapBytes(kSheetWidth, kSheetHeight, aiPixels)));
    }
    void TearDown() override
    {
        std::remove(m_kImagePath.c_str());
        std::remove(m_kDescriptionPath.c_str());
        FakeScreenTest::TearDown();
    }

    // Writes a description whose text follows the image name.
    const char* Describe(const std::string& kRest)
    {
        return DescribeWhole(m_kImagePath + kRest);
    }
    const char* DescribeWhole(const std::string& kText)
    {
        m_kDescriptionPath = testfiles::UniquePath("sprite.txt");
        std::ofstream(m_kDescriptionPath) << kText;
        return m_kDescriptionPath.c_str();
    }

    // The u, v of the first vertex of the last draw.
    static std::pair<float, float> LastTopLeftUV()
    {
        qnTexturedVertex kVertex = Vertices(fake::d3d::Draws().back())[0];
        return {kVertex.u, kVertex.v};
    }

    std::string m_kImagePath;
    std::string m_kDescriptionPath;
};

TEST_F(SpriteTest, LoadsTheDescribedAnimationsAndKeysTheImage)
{
    qnSprite kSprite;
    kSprite.Load(Describe("\n1\n255 0 255\n100 150\n2\n2 0 0 1 0\n1 0 1\n"));
    ASSERT_EQ(fake::d3d::LiveTextures(), 1);
    const fake::d3d::Image& kTexels = *fake::d3d::TextureImage(fake::d3d::Textures()[0]);
    EXPECT_EQ(kTexels.width, kSheetWidth);
    EXPECT_EQ(kTexels.height, kSheetHeight);
    uint32_t uiKeyed = 0;
    std::memcpy(&uiKeyed, kTexels.bytes.data(), 4);
    EXPECT_EQ(uiKeyed, 0x00FF00FFu);  // magenta, alpha 0

    kSprite.SetSize(100, 150);
    ASSERT_EQ(kSprite.Draw(0), QN_OK);
    EXPECT_EQ(LastTopLeftUV(), std::make_pair(1.0f / kSheetWidth, 1.0f / kSheetHeight));
    EXPECT_FALSE(kSprite.Animate());
    kSprite.Draw(0);
    EXPECT_EQ(LastTopLeftUV(), std::make_pair(102.0f / kSheetWidth, 1.0f / kSheetHeight));
    EXPECT_TRUE(kSprite.Animate());
    kSprite.SetAnimation(1);
    kSprite.Draw(0);
    EXPECT_EQ(LastTopLeftUV(), std::make_pair(1.0f / kSheetWidth, 152.0f / kSheetHeight));
}

TEST_F(SpriteTest, CrLfLineEndsReadLikeLf)
{
    struct Case {
        const char* acWhat;
        const char* acLineEnd;
    };
    const Case akCases[] = {{"LF", "\n"}, {"CR LF", "\r\n"}};
    for (const Case& kCase : akCases) {
        std::string kText = m_kImagePath;
        for (const char* acLine : {"1", "255 0 255", "100 150", "2", "2 0 0 1 0", "1 0 1"}) {
            kText += kCase.acLineEnd;
            kText += acLine;
        }
        kText += kCase.acLineEnd;
        qnSprite kSprite;
        kSprite.Load(DescribeWhole(kText));
        ASSERT_EQ(fake::d3d::LiveTextures(), 1) << kCase.acWhat;
        EXPECT_EQ(fake::d3d::TextureImage(fake::d3d::Textures()[0])->width, kSheetWidth)
            << kCase.acWhat;
        kSprite.SetSize(100, 150);
        EXPECT_FALSE(kSprite.Animate()) << kCase.acWhat;
        ASSERT_EQ(kSprite.Draw(0), QN_OK) << kCase.acWhat;
        EXPECT_EQ(LastTopLeftUV(), std::make_pair(102.0f / kSheetWidth, 1.0f / kSheetHeight))
            << kCase.acWhat;
        kSprite.SetAnimation(1);
        ASSERT_EQ(kSprite.Draw(0), QN_OK) << kCase.acWhat;
        EXPECT_EQ(LastTopLeftUV(), std::make_pair(1.0f / kSheetWidth, 152.0f / kSheetHeight))
            << kCase.acWhat;
    }
}

TEST_F(SpriteTest, NumbersReadInDecimalHexadecimalAndOctal)
{
    // Cell width 0x64 = 100, height 0226 = 150, one animation of one frame at column 010 = 8,
    // row +0X1 = 1; the key -1 keeps its low byte, 255.
    qnSprite kSprite;
    kSprite.Load(Describe(" 1 -1 0 0xFF 0x64 0226 0x1 01 010 +0X1"));
    kSprite.SetSize(10, 10);
    ASSERT_EQ(kSprite.Draw(0), QN_OK);
    EXPECT_EQ(LastTopLeftUV(), std::make_pair((101.0f * 8 + 1) / kSheetWidth, 152.0f / kSheetHeight));
}

TEST_F(SpriteTest, RefusedDescriptionsLeaveTheSpriteAsItWas)
{
    const std::string kLongName(256, 'n');
    struct Case {
        const char* acWhat;
        std::string kText;
    };
    const Case akCases[] = {
        {"empty file", ""},
        {"no image kind", m_kImagePath},
        {"missing cell height", m_kImagePath + " 1 255 0 255 100"},
        {"missing animation count", m_kImagePath + " 1 255 0 255 100 150"},
        {"fewer animations than counted", m_kImagePath + " 1 255 0 255 100 150 2 1 0 0"},
        {"fewer frames than counted", m_kImagePath + " 1 255 0 255 100 150 1 3 0 0 1 0"},
        {"pair cut in half", m_kImagePath + " 1 255 0 255 100 150 1 1 0"},
        {"huge animation count", m_kImagePath + " 1 255 0 255 100 150 4294967295 1 0 0"},
        {"huge frame count", m_kImagePath + " 1 255 0 255 100 150 1 0xFFFFFFFF 0 0"},
        {"word for a number", m_kImagePath + " 1 red 0 255 100 150 1 1 0 0"},
        {"number with trailing letters", m_kImagePath + " 1 255 0 255 100px 150 1 1 0 0"},
        {"bare hexadecimal prefix", m_kImagePath + " 1 255 0 255 0x 150 1 1 0 0"},
        {"name longer than 255", kLongName + " 1 255 0 255 100 150 1 1 0 0"},
        {"number longer than 255", m_kImagePath + " 1 " + std::string(256, '0') + " 0 255 100 150 1 1 0 0"},
    };
    for (const Case& kCase : akCases) {
        qnSprite kSprite;
        kSprite.SetPosition(7, 8);
        kSprite.Load(DescribeWhole(kCase.kText));
        EXPECT_EQ(fake::d3d::LiveTextures(), 0) << kCase.acWhat;
        EXPECT_EQ(kSprite.Draw(0), QN_OK) << kCase.acWhat;
        EXPECT_TRUE(fake::d3d::Draws().empty()) << kCase.acWhat;
        EXPECT_EQ(kSprite.GetX(), 7) << kCase.acWhat;
    }
}

TEST_F(SpriteTest, NameOfExactly255CharactersIsRead)
{
    std::string kName = m_kImagePath;
    kName.insert(kName.rfind('/') + 1, 255 - kName.size(), 'x');
    ASSERT_EQ(kName.size(), 255u);
    testfiles::WriteFile(kName, testfiles::BitmapBytes(3, 3, std::vector<uint32_t>(9, 0xFFFFFFFF)));
    qnSprite kSprite;
    kSprite.Load(DescribeWhole(kName + " 1 0 0 0 1 1 1 1 0 0"));
    std::remove(kName.c_str());
    ASSERT_EQ(fake::d3d::LiveTextures(), 1);
    EXPECT_EQ(fake::d3d::TextureImage(fake::d3d::Textures()[0])->width, 3u);
}

TEST_F(SpriteTest, OtherImageKindsReadNoImage)
{
    qnSprite kSprite;
    kSprite.Load(Describe(" 3 0 0 0 10 10 1 1 0 0"));
    // The texture is asked for at 0 x 0, which the device refuses.
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::CreateTexture(0,0,"), 2);
    kSprite.SetSize(10, 10);
    EXPECT_EQ(kSprite.Draw(0), QN_OK);
    EXPECT_EQ(fake::d3d::Draws().size(), 1u);
}

TEST_F(SpriteTest, MissingDescriptionLeavesTheSpriteAsItWas)
{
    qnSprite kSprite;
    kSprite.Load(Describe(" 1 0 0 0 100 150 1 1 0 0"));
    kSprite.Load("no\\such\\sprite.txt");
    EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    kSprite.SetSize(10, 10);
    kSprite.Draw(0);
    EXPECT_EQ(fake::d3d::Draws().size(), 1u);
}

TEST_F(SpriteTest, CopiesShareTheTemplatesTextureAndOnlyTheTemplateDeletesIt)
{
    auto pkTemplate = std::make_unique<qnSprite>();
    pkTemplate->Load(Describe(" 1 255 0 255 100 150 2 2 0 0 1 0 1 0 1"));
    {
        qnSprite kCopy;
        kCopy.CopyAnimations(*pkTemplate);
        kCopy.SetSize(150, 150);
        ASSERT_EQ(kCopy.Draw(0), QN_OK);
        EXPECT_EQ(fake::d3d::Draws().back().texture, fake::d3d::Textures()[0]);
        kCopy.SetAnimation(1);
        kCopy.Draw(0);
        EXPECT_EQ(LastTopLeftUV(), std::make_pair(1.0f / kSheetWidth, 152.0f / kSheetHeight));
        EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    }
    EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    pkTemplate->SetSize(150, 150);
    ASSERT_EQ(pkTemplate->Draw(0), QN_OK);
    EXPECT_EQ(LastTopLeftUV(), std::make_pair(1.0f / kSheetWidth, 1.0f / kSheetHeight));
    pkTemplate.reset();
    EXPECT_EQ(fake::d3d::LiveTextures(), 0);
}

TEST_F(SpriteTest, CopiesStartAtFrameZeroAndCopyingItselfIsHarmless)
{
    qnSprite kTemplate;
    kTemplate.Load(Describe(" 1 0 0 0 100 150 1 2 0 0 1 0"));
    kTemplate.Animate();
    qnSprite kCopy;
    kCopy.CopyAnimations(kTemplate);
    kCopy.CopyAnimations(kCopy);
    kCopy.SetSize(10, 10);
    kCopy.Draw(0);
    EXPECT_EQ(LastTopLeftUV(), std::make_pair(1.0f / kSheetWidth, 1.0f / kSheetHeight));
}

TEST_F(SpriteTest, DrawPassesPositionSizeColourAndAngle)
{
    qnSprite kSprite;
    kSprite.Load(Describe(" 1 0 0 0 100 150 1 1 0 0"));
    kSprite.SetPosition(10, 20);
    kSprite.SetSize(100, 60);
    kSprite.SetColor(255, 256, 0, 511);
    EXPECT_EQ(kSprite.GetColor(), 0xFF0000FFu);
    ASSERT_EQ(kSprite.Draw(0), QN_OK);
    qnTexturedVertex kVertex = Vertices(fake::d3d::Draws().back())[0];
    EXPECT_EQ(kVertex.x, -40.0f);
    EXPECT_EQ(kVertex.y, -10.0f);
    EXPECT_EQ(kVertex.color, 0xFF0000FFu);

    // Turned by 90 degrees (90 x 0.0174 radians) about the centre.
    kSprite.SetAngle(90, 0);
    ASSERT_EQ(kSprite.Draw(0), QN_OK);
    std::vector<qnTexturedVertex> kTurned = Vertices(fake::d3d::Draws().back());
    ASSERT_EQ(kTurned.size(), 4u);
    const double dT = static_cast<double>(90.0f * 0.0174f);
    const double adCorners[4][2] = {{-50, -30}, {50, -30}, {50, 30}, {-50, 30}};
    for (int i = 0; i < 4; ++i) {
        double dX = adCorners[i][0];
        double dY = adCorners[i][1];
        EXPECT_NEAR(kTurned[i].x, 10 + dX * std::cos(dT) - dY * std::sin(dT), 1e-3) << i;
        EXPECT_NEAR(kTurned[i].y, 20 + dX * std::sin(dT) + dY * std::cos(dT), 1e-3) << i;
    }

    fake::FailCall("IDirect3DDevice8::DrawPrimitiveUP", 1);
    EXPECT_EQ(kSprite.Draw(0), QN_ERR_DRAW);
}

TEST_F(SpriteTest, AnglesAddOrReplace)
{
    qnSprite kSprite;
    for (int i = 0; i < 5; ++i) {
        kSprite.SetAngle(2, 1);
    }
    EXPECT_EQ(kSprite.GetAngle(), 10.0f);
    kSprite.SetAngle(-30, 0);
    EXPECT_EQ(kSprite.GetAngle(), -30.0f);
}

TEST_F(SpriteTest, BoxIncludesItsEdges)
{
    qnSprite kSprite;
    kSprite.SetSize(100, 60);
    EXPECT_TRUE(kSprite.ContainsPoint(50, 30));
    EXPECT_TRUE(kSprite.ContainsPoint(-50, -30));
    EXPECT_FALSE(kSprite.ContainsPoint(51, 0));
    EXPECT_FALSE(kSprite.ContainsPoint(0, -31));
    kSprite.SetSize(101, 61);  // odd sizes round their halves down
    EXPECT_FALSE(kSprite.ContainsPoint(51, 0));
}

TEST_F(SpriteTest, CircleTestUsesHalfDiagonalsOrTheRadius)
{
    qnSprite kA;
    qnSprite kB;
    kA.SetSize(60, 80);
    kB.SetSize(60, 80);
    kB.SetPosition(100, 0);
    EXPECT_TRUE(kA.Collides(kB, 1));
    kB.SetPosition(100, 1);
    EXPECT_FALSE(kA.Collides(kB, 1));
    kA.SetRadius(51);
    EXPECT_TRUE(kA.Collides(kB, 1));
    EXPECT_TRUE(kA.CollidesInset(1000, 1000, kB, 1));
}

TEST_F(SpriteTest, BoxTestIsOneSided)
{
    qnSprite kSmall;
    qnSprite kLarge;
    kSmall.SetSize(10, 10);
    kLarge.SetSize(100, 100);
    EXPECT_TRUE(kSmall.Collides(kLarge, 0));
    EXPECT_FALSE(kLarge.Collides(kSmall, 0));
}

TEST_F(SpriteTest, InsetPullsInOnlyThisSpritesCorners)
{
    qnSprite kA;
    qnSprite kB;
    kA.SetSize(100, 100);
    kB.SetSize(100, 100);
    kB.SetPosition(95, 0);  // A's right corners at x 50 lie in B's box (45 ... 145)
    EXPECT_TRUE(kA.Collides(kB, 0));
    EXPECT_TRUE(kA.CollidesInset(5, 0, kB, 0));
    EXPECT_FALSE(kA.CollidesInset(6, 0, kB, 0));
    EXPECT_TRUE(kA.CollidesInset(5, 50, kB, 0));  // a y inset pulls the corners onto the axis
}

TEST_F(SpriteTest, EmptySpriteNeitherDrawsNorAnimates)
{
    qnSprite kSprite;
    EXPECT_EQ(kSprite.Draw(0), QN_OK);
    EXPECT_FALSE(kSprite.Animate());
    EXPECT_TRUE(fake::d3d::Draws().empty());
}

}  // namespace
