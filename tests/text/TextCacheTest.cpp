#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RecordingRenderDevice.h"
#include "TestFonts.h"
#include "font.h"

namespace {

class TextCacheTest : public ::testing::Test {
protected:
    RecordingRenderDevice m_kDevice;
    TextCache m_kCache{&m_kDevice};
};

TEST_F(TextCacheTest, WidthsAddingToExactly128StayOnOneRow)
{
    FontSet font;
    LoadTestFont(font, {SolidGlyph('a', 64, 10), SolidGlyph('b', 1, 10)});
    const TextRun* full = m_kCache.GetRun("aa", &font, nullptr);
    EXPECT_EQ(full->m_iX, 0);
    EXPECT_EQ(full->m_iRowY, 0);
    EXPECT_EQ(full->m_iBreakCount, 0);

    const TextRun* over = m_kCache.GetRun("aab", &font, nullptr);
    EXPECT_EQ(over->m_iRowY, 11);
    EXPECT_EQ(over->m_iBreakCount, 1);
    EXPECT_EQ(over->m_akBreaks[0].m_iTextOffset, 2);
    EXPECT_EQ(over->m_akBreaks[0].m_iWidthBefore, 128);
}

TEST_F(TextCacheTest, RowsOfLineHeight32StartAt0_33_66ThenANewPage)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(128, 32));
    const TextRun* runs[4] = {};
    const char* texts[4] = {"a", "b", "c", "d"};
    for (int i = 0; i < 4; ++i) {
        runs[i] = m_kCache.GetRun(texts[i], &font, nullptr);
    }
    EXPECT_EQ(runs[0]->m_iRowY, 0);
    EXPECT_EQ(runs[1]->m_iRowY, 33);
    EXPECT_EQ(runs[2]->m_iRowY, 66);
    EXPECT_EQ(runs[3]->m_iRowY, 0);
    EXPECT_EQ(runs[0]->m_pkFirstPage, runs[2]->m_pkFirstPage);
    EXPECT_NE(runs[0]->m_pkFirstPage, runs[3]->m_pkFirstPage);
    // Leaving the page sends its rows up to where the next row would have started.
    ASSERT_EQ(m_kDevice.m_akUploads.size(), 1u);
    EXPECT_EQ(m_kDevice.m_akUploads[0].firstRow, 0);
    EXPECT_EQ(m_kDevice.m_akUploads[0].rowCount, 99);
}

TEST_F(TextCacheTest, ARunWhoseFirstGlyphDoesNotFitStartsOnTheNextRow)
{
    FontSet font;
    LoadTestFont(font, {SolidGlyph('a', 100, 10), SolidGlyph('b', 60, 12)});
    m_kCache.GetRun("a", &font, nullptr);
    const TextRun* run = m_kCache.GetRun("bb", &font, nullptr);
    EXPECT_EQ(run->m_iX, 0);
    EXPECT_EQ(run->m_iRowY, 13);
    EXPECT_EQ(run->m_iBreakCount, 0);
    EXPECT_EQ(run->m_iWidth, 120);
}

TEST_F(TextCacheTest, TheFirstFrameCreatesThePageTextureAndUploadsItsRows)
{
    FontSet font;
    LoadTestFont(font, {{'a', 2, 2, {3, 2, 1, 0}}, {'b', 1, 1, {3}}});
    int width = -1;
    const TextRun* run = m_kCache.GetRun("ab", &font, &width);
    EXPECT_EQ(width, 3);
    EXPECT_EQ(run->m_iX, 0);
    EXPECT_EQ(run->m_iRowY, 0);
    EXPECT_EQ(m_kDevice.m_iCreations, 0);

    m_kCache.BeginFrame();
    ASSERT_EQ(m_kDevice.m_akCreated.size(), 1u);
    EXPECT_EQ(m_kDevice.m_akCreated[0], (std::array<int, 2>{128, 128}));
    ASSERT_EQ(m_kDevice.m_akUploads.size(), 1u);
    EXPECT_EQ(m_kDevice.m_akUploads[0].slot, 1);
    EXPECT_EQ(m_kDevice.m_akUploads[0].firstRow, 0);
    EXPECT_EQ(m_kDevice.m_akUploads[0].rowCount, 3);
    EXPECT_EQ(m_kDevice.Pixel(1, 0, 0), 0xFF);
    EXPECT_EQ(m_kDevice.Pixel(1, 1, 0), 0xC4);
    EXPECT_EQ(m_kDevice.Pixel(1, 0, 1), 0x80);
    EXPECT_EQ(m_kDevice.Pixel(1, 1, 1), 0x00);
    EXPECT_EQ(m_kDevice.Pixel(1, 2, 0), 0xFF);

    m_kCache.BeginFrame();
    EXPECT_EQ(m_kDevice.m_akUploads.size(), 1u) << "nothing new, nothing uploaded";
}

TEST_F(TextCacheTest, AFrameUploadsFromTheRowItBeganOn)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(128, 32));
    m_kCache.GetRun("a", &font, nullptr);
    m_kCache.GetRun("b", &font, nullptr);
    m_kCache.BeginFrame();
    m_kCache.GetRun("c", &font, nullptr);
    m_kCache.BeginFrame();
    ASSERT_EQ(m_kDevice.m_akUploads.size(), 2u);
    EXPECT_EQ(m_kDevice.m_akUploads[0].firstRow, 0);
    EXPECT_EQ(m_kDevice.m_akUploads[0].rowCount, 66);
    EXPECT_EQ(m_kDevice.m_akUploads[1].firstRow, 33);
    EXPECT_EQ(m_kDevice.m_akUploads[1].rowCount, 66);
}

TEST_F(TextCacheTest, TheRingGrowsOnlyWhenTheLayoutReachesTheBarrier)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(128, 32));
    // Frame 1: a, b, c fill page A; d needs a new page, since A began the frame.
    for (const char* text : {"a", "b", "c", "d"}) {
        m_kCache.GetRun(text, &font, nullptr);
    }
    m_kCache.BeginFrame();
    // Frame 2 begins on page B: e, f fill it; g recycles A, h, i fill it; j reaches B again.
    const TextPage* pageA = m_kCache.GetRun("a", &font, nullptr)->m_pkFirstPage;
    for (const char* text : {"e", "f", "g"}) {
        m_kCache.GetRun(text, &font, nullptr);
    }
    const TextRun* g = m_kCache.GetRun("g", &font, nullptr);
    EXPECT_EQ(g->m_pkFirstPage, pageA);
    EXPECT_EQ(g->m_iRowY, 0);
    m_kCache.BeginFrame();
    EXPECT_EQ(m_kDevice.m_akCreated.size(), 2u);

    for (const char* text : {"h", "i", "j"}) {
        m_kCache.GetRun(text, &font, nullptr);
    }
    m_kCache.BeginFrame();
    EXPECT_EQ(m_kDevice.m_akCreated.size(), 2u) << "h, i and j fit on A and B";
}

TEST_F(TextCacheTest, RecyclingKeepsRunsUsedInTheFrameAndFreesTheRest)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(128, 32));
    TextRun* a = m_kCache.GetRun("a", &font, nullptr);
    for (const char* text : {"b", "c", "d"}) {
        m_kCache.GetRun(text, &font, nullptr);
    }
    const TextPage* pageA = a->m_pkFirstPage;
    m_kCache.BeginFrame();
    EXPECT_EQ(m_kCache.GetRun("a", &font, nullptr), a);
    m_kCache.GetRun("e", &font, nullptr);
    m_kCache.GetRun("f", &font, nullptr);
    const TextRun* g = m_kCache.GetRun("g", &font, nullptr);
    ASSERT_EQ(g->m_pkFirstPage, pageA);

    // a was used in this frame: same record, laid out again below g.
    EXPECT_EQ(a->m_pkFirstPage, pageA);
    EXPECT_EQ(a->m_iRowY, 33);
    EXPECT_EQ(m_kCache.GetRun("a", &font, nullptr), a);
    // b was not: it is gone and laid out anew.
    const TextRun* b = m_kCache.GetRun("b", &font, nullptr);
    EXPECT_EQ(b->m_pkFirstPage, pageA);
    EXPECT_EQ(b->m_iRowY, 66);
}

TEST_F(TextCacheTest, TheSameTextInTwoFontsGivesTwoRuns)
{
    FontSet narrow;
    FontSet wide;
    LoadTestFont(narrow, LetterGlyphs(3, 5));
    LoadTestFont(wide, LetterGlyphs(7, 5));
    int narrowWidth = 0;
    int wideWidth = 0;
    const TextRun* first = m_kCache.GetRun("abc", &narrow, &narrowWidth);
    const TextRun* second = m_kCache.GetRun("abc", &wide, &wideWidth);
    EXPECT_NE(first, second);
    EXPECT_EQ(narrowWidth, 9);
    EXPECT_EQ(wideWidth, 21);
    EXPECT_EQ(m_kCache.GetRun("abc", &narrow, nullptr), first);
}

TEST_F(TextCacheTest, DrawingARunGivesOneQuadWithHalfUnitOffsetAndTexelCoordinates)
{
    FontSet font;
    LoadTestFont(font, {SolidGlyph('a', 100, 10), SolidGlyph('b', 16, 20)});
    m_kCache.GetRun("a", &font, nullptr);
    TextRun* run = m_kCache.GetRun("b", &font, nullptr);
    m_kCache.BeginFrame();
    m_kCache.DrawRun(10.0f, 20.0f, 2.0f, DRAW_BLEND_ADD, 0x80, 0x11, 0x22, 0x133, run);

    const std::vector<RecordedFan> quads = m_kDevice.TextQuads();
    ASSERT_EQ(quads.size(), 1u);
    const RecordedFan& quad = quads[0];
    EXPECT_EQ(quad.slot, 1);
    EXPECT_EQ(quad.flags, DRAW_BLEND_ADD | DRAW_FAN | DRAW_NO_CULL);
    ASSERT_EQ(quad.vertices.size(), 4u);
    const float expected[4][4] = {
        {9.5f, 19.5f, 100.0f / 128, 0.0f},
        {41.5f, 19.5f, 116.0f / 128, 0.0f},
        {41.5f, 59.5f, 116.0f / 128, 20.0f / 128},
        {9.5f, 59.5f, 100.0f / 128, 20.0f / 128},
    };
    for (int i = 0; i < 4; ++i) {
        const TexturedVertex& vertex = quad.vertices[static_cast<size_t>(i)];
        EXPECT_FLOAT_EQ(vertex.m_fX, expected[i][0]) << i;
        EXPECT_FLOAT_EQ(vertex.m_fY, expected[i][1]) << i;
        EXPECT_FLOAT_EQ(vertex.m_fZ, 0.0f) << i;
        EXPECT_FLOAT_EQ(vertex.m_fU, expected[i][2]) << i;
        EXPECT_FLOAT_EQ(vertex.m_fV, expected[i][3]) << i;
        EXPECT_EQ(vertex.m_uiColor, 0x80112233u) << i;
    }
}

TEST_F(TextCacheTest, AFiveRowRunIsFiveQuadsSideBySideTheLastTwoMeasured)
{
    FontSet font;
    LoadTestFont(font, {SolidGlyph('x', 50, 10), SolidGlyph('y', 30, 10)});
    // Rows: xx | yyy | xx | xyy | yx, widths 100, 90, 100, 110, 80.
    TextRun* run = m_kCache.GetRun("xxyyyxxxyyyx", &font, nullptr);
    ASSERT_EQ(run->m_iBreakCount, 3);
    EXPECT_EQ(run->m_iWidth, 480);
    m_kCache.BeginFrame();
    m_kCache.DrawRun(0.0f, 0.0f, 1.0f, DRAW_BLEND_ADD, 255, 255, 255, 255, run);

    const std::vector<RecordedFan> quads = m_kDevice.TextQuads();
    ASSERT_EQ(quads.size(), 5u);
    const int widths[5] = {100, 90, 100, 110, 80};
    float left = -0.5f;
    for (int i = 0; i < 5; ++i) {
        const std::vector<TexturedVertex>& v = quads[static_cast<size_t>(i)].vertices;
        EXPECT_FLOAT_EQ(v[0].m_fX, left) << "row " << i;
        EXPECT_FLOAT_EQ(v[1].m_fX - v[0].m_fX, static_cast<float>(widths[i])) << "row " << i;
        EXPECT_FLOAT_EQ(v[0].m_fY, -0.5f) << "row " << i;
        EXPECT_FLOAT_EQ(v[0].m_fU, 0.0f) << "row " << i;
        EXPECT_FLOAT_EQ(v[0].m_fV, static_cast<float>(11 * i) / 128) << "row " << i;
        EXPECT_FLOAT_EQ(v[1].m_fU, static_cast<float>(widths[i]) / 128) << "row " << i;
        left += static_cast<float>(widths[i]);
    }
}

TEST_F(TextCacheTest, ARunContinuesOnTheNextPageWhenItsRowsRunOut)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(100, 40));
    m_kCache.GetRun("a", &font, nullptr);
    m_kCache.GetRun("b", &font, nullptr);
    // c starts on row 82 and continues on the next page's first row.
    TextRun* run = m_kCache.GetRun("cd", &font, nullptr);
    EXPECT_EQ(run->m_iRowY, 82);
    m_kCache.BeginFrame();
    m_kCache.DrawRun(0.0f, 0.0f, 1.0f, 0, 255, 255, 255, 255, run);
    const std::vector<RecordedFan> quads = m_kDevice.TextQuads();
    ASSERT_EQ(quads.size(), 2u);
    EXPECT_NE(quads[0].slot, quads[1].slot);
    EXPECT_FLOAT_EQ(quads[0].vertices[0].m_fV, 82.0f / 128);
    EXPECT_FLOAT_EQ(quads[1].vertices[0].m_fV, 0.0f);
    EXPECT_FLOAT_EQ(quads[1].vertices[0].m_fX, 99.5f);
}

TEST_F(TextCacheTest, AnEmptyStringIsARunOfWidthZeroDrawnAsOneQuad)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(5, 7));
    int width = -1;
    TextRun* run = m_kCache.GetRun("", &font, &width);
    EXPECT_EQ(width, 0);
    m_kCache.BeginFrame();
    m_kCache.DrawRun(0.0f, 0.0f, 1.0f, 0, 255, 255, 255, 255, run);
    const std::vector<RecordedFan> quads = m_kDevice.TextQuads();
    ASSERT_EQ(quads.size(), 1u);
    EXPECT_FLOAT_EQ(quads[0].vertices[1].m_fX, quads[0].vertices[0].m_fX);
}

TEST_F(TextCacheTest, BeginFrameDrawsEveryPageFarAwayInOpaqueBlack)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(128, 32));
    for (const char* text : {"a", "b", "c", "d"}) {
        m_kCache.GetRun(text, &font, nullptr);
    }
    m_kCache.BeginFrame();
    ASSERT_EQ(m_kDevice.m_akFans.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        const RecordedFan& fan = m_kDevice.m_akFans[static_cast<size_t>(i)];
        EXPECT_EQ(fan.flags, DRAW_FAN | DRAW_NO_CULL);
        EXPECT_FLOAT_EQ(fan.vertices[0].m_fX, -180.5f + 69.0f * static_cast<float>(i));
        EXPECT_FLOAT_EQ(fan.vertices[0].m_fY, -464000.5f);
        EXPECT_FLOAT_EQ(fan.vertices[2].m_fU, 1.0f);
        EXPECT_EQ(fan.vertices[0].m_uiColor, 0xFF000000u);
    }
    // The current page (the second) comes first.
    EXPECT_EQ(m_kDevice.m_akFans[0].slot, 2);
    EXPECT_EQ(m_kDevice.m_akFans[1].slot, 1);
}

TEST_F(TextCacheTest, APageWithoutTextureIsNeitherUploadedNorDrawnAndRetried)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(5, 7));
    TextRun* run = m_kCache.GetRun("ab", &font, nullptr);
    m_kDevice.m_iFailCreations = 1;
    m_kCache.BeginFrame();
    m_kCache.DrawRun(0.0f, 0.0f, 1.0f, 0, 255, 255, 255, 255, run);
    EXPECT_TRUE(m_kDevice.m_akUploads.empty());
    EXPECT_TRUE(m_kDevice.TextQuads().empty());

    m_kCache.GetRun("cd", &font, nullptr);
    m_kCache.BeginFrame();
    EXPECT_EQ(m_kDevice.m_iCreations, 2);
    ASSERT_EQ(m_kDevice.m_akUploads.size(), 1u);
}

TEST_F(TextCacheTest, ATallerRowOfAnEarlierFrameIsNotOverlapped)
{
    FontSet tall;
    FontSet small;
    LoadTestFont(tall, LetterGlyphs(60, 30));
    LoadTestFont(small, LetterGlyphs(60, 10));
    m_kCache.GetRun("a", &tall, nullptr);
    m_kCache.BeginFrame();
    const TextRun* run = m_kCache.GetRun("bc", &small, nullptr);
    EXPECT_EQ(run->m_iBreakCount, 1);
    // c went to the row below the tall glyph; d follows it there.
    EXPECT_EQ(m_kCache.GetRun("d", &small, nullptr)->m_iRowY, 31);
}

TEST_F(TextCacheTest, DestroyingTheCacheReleasesEveryPageTexture)
{
    FontSet font;
    LoadTestFont(font, LetterGlyphs(128, 32));
    {
        TextCache cache(&m_kDevice);
        for (const char* text : {"a", "b", "c", "d"}) {
            cache.GetRun(text, &font, nullptr);
        }
        cache.BeginFrame();
    }
    EXPECT_EQ(m_kDevice.m_aiReleased.size(), 2u);
}

}  // namespace
