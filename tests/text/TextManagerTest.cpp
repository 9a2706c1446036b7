#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "RecordingRenderDevice.h"
#include "TestFonts.h"
#include "font.h"

namespace {

class TextManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_kFontPath = WriteTestFont("manager_font.fnt", LetterGlyphs(4, 6));
        m_kOtherPath = WriteTestFont("manager_other.fnt", LetterGlyphs(9, 6));
    }
    void TearDown() override
    {
        std::remove(m_kFontPath.c_str());
        std::remove(m_kOtherPath.c_str());
    }

    std::string m_kFontPath;
    std::string m_kOtherPath;
    RecordingRenderDevice m_kDevice;
    TextManager m_kManager{&m_kDevice};
};

TEST_F(TextManagerTest, ALoadedFontIsFoundAgainByItsNameWithoutReadingTheFile)
{
    ASSERT_TRUE(m_kManager.SelectFont(m_kFontPath.c_str()));
    FontSet* first = m_kManager.GetCurrentFont();
    ASSERT_TRUE(m_kManager.SelectFont(m_kOtherPath.c_str()));
    EXPECT_NE(m_kManager.GetCurrentFont(), first);

    std::remove(m_kFontPath.c_str());
    EXPECT_TRUE(m_kManager.SelectFont(m_kFontPath.c_str()));
    EXPECT_EQ(m_kManager.GetCurrentFont(), first);
}

TEST_F(TextManagerTest, ANameInAnotherCaseIsAnotherFont)
{
    ASSERT_TRUE(m_kManager.SelectFont(m_kFontPath.c_str()));
    std::string shouted = m_kFontPath;
    shouted.replace(shouted.size() - 4, 4, ".FNT");
    EXPECT_FALSE(m_kManager.SelectFont(shouted.c_str()));
}

TEST_F(TextManagerTest, AFailedSelectionLeavesNoFontCurrent)
{
    ASSERT_TRUE(m_kManager.SelectFont(m_kFontPath.c_str()));
    EXPECT_FALSE(m_kManager.SelectFont("missing.fnt"));
    EXPECT_EQ(m_kManager.GetCurrentFont(), nullptr);
}

TEST_F(TextManagerTest, WithoutAFontNothingIsQueued)
{
    EXPECT_EQ(m_kManager.QueueText(0.0f, 0.0f, "abc", 1.0f), 0);
    EXPECT_EQ(m_kManager.GetQueueCount(), 0);
    m_kManager.Flush();
    EXPECT_TRUE(m_kDevice.TextQuads().empty());
}

TEST_F(TextManagerTest, QueuedTextsKeepColourFlagsAndPlaceAndAreDrawnInOrder)
{
    ASSERT_TRUE(m_kManager.SelectFont(m_kFontPath.c_str()));
    m_kManager.SetColor(10, 20, 30, 40);
    m_kManager.SetDrawFlags(DRAW_BLEND_ADD);
    EXPECT_EQ(m_kManager.QueueText(5.0f, 6.0f, "abc", 2.0f), 12);
    m_kManager.SetColor(255, 1, 2, 3);
    m_kManager.SetDrawFlags(DRAW_BLEND_INVMODULATE);
    EXPECT_EQ(m_kManager.QueueText(50.0f, 60.0f, "ab", 1.0f), 8);
    ASSERT_EQ(m_kManager.GetQueueCount(), 2);
    const QueuedText& first = m_kManager.GetQueued(0);
    EXPECT_EQ(first.m_fScale, 2.0f);
    EXPECT_EQ(first.m_uiDrawFlags, DRAW_BLEND_ADD);

    m_kManager.Flush();
    EXPECT_EQ(m_kManager.GetQueueCount(), 0);
    const std::vector<RecordedFan> quads = m_kDevice.TextQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_EQ(quads[0].vertices[0].m_uiColor, 0x0A141E28u);
    EXPECT_EQ(quads[0].flags, DRAW_BLEND_ADD | DRAW_FAN | DRAW_NO_CULL);
    EXPECT_FLOAT_EQ(quads[0].vertices[2].m_fX, 5.0f + 24.0f - 0.5f);
    EXPECT_EQ(quads[1].vertices[0].m_uiColor, 0xFF010203u);
    EXPECT_EQ(quads[1].flags, DRAW_BLEND_INVMODULATE | DRAW_FAN | DRAW_NO_CULL);
    EXPECT_FLOAT_EQ(quads[1].vertices[0].m_fY, 59.5f);
    // Both were laid out before the flush began its frame, so both are on the texture.
    ASSERT_FALSE(m_kDevice.m_akUploads.empty());
    EXPECT_EQ(m_kDevice.Pixel(1, 19, 0), 0xFF);
}

TEST_F(TextManagerTest, The129thTextFlushesTheFull128First)
{
    ASSERT_TRUE(m_kManager.SelectFont(m_kFontPath.c_str()));
    for (int i = 0; i < TextManager::kQueueSize; ++i) {
        m_kManager.QueueText(static_cast<float>(i), 0.0f, "abc", 1.0f);
    }
    EXPECT_EQ(m_kManager.GetQueueCount(), 128);
    EXPECT_TRUE(m_kDevice.m_akFans.empty());

    m_kManager.QueueText(500.0f, 0.0f, "xyz", 1.0f);
    EXPECT_EQ(m_kManager.GetQueueCount(), 1);
    EXPECT_EQ(m_kDevice.TextQuads().size(), 128u);
    EXPECT_EQ(m_kManager.GetQueued(0).m_fX, 500.0f);
}

TEST_F(TextManagerTest, EndDrawResetsTheBlendPair)
{
    m_kManager.EndDraw();
    EXPECT_EQ(m_kDevice.m_iBlendResets, 1);
}

TEST_F(TextManagerTest, ResettingTheCacheDropsTheQueueAndKeepsTheFonts)
{
    ASSERT_TRUE(m_kManager.SelectFont(m_kFontPath.c_str()));
    m_kManager.QueueText(0.0f, 0.0f, "abc", 1.0f);
    m_kManager.ResetCache();
    EXPECT_EQ(m_kManager.GetQueueCount(), 0);
    m_kManager.Flush();
    EXPECT_TRUE(m_kDevice.TextQuads().empty());
    EXPECT_NE(m_kManager.GetCurrentFont(), nullptr);
}

}  // namespace
