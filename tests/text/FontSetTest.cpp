#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "FontFile.h"
#include "TestFonts.h"
#include "font.h"
#include "platform/crt.h"

namespace {

std::vector<std::string> g_kReports;

void RecordReport(const char* module, int, const char* message)
{
    g_kReports.push_back(std::string(module) + ":" + message);
}

class FontSetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_kReports.clear();
        m_pfnPrevious = crt::SetDebugReportHandler(RecordReport);
    }
    void TearDown() override { crt::SetDebugReportHandler(m_pfnPrevious); }

    bool LoadBytes(FontSet& font, const std::vector<uint8_t>& bytes)
    {
        const std::string path = TestFilePath("font.fnt");
        EXPECT_TRUE(WriteBytes(path, bytes));
        const bool loaded = font.Load(path.c_str());
        std::remove(path.c_str());
        return loaded;
    }

    crt::DebugReportHandler m_pfnPrevious = nullptr;
};

TEST_F(FontSetTest, GlyphPixelsRunAcrossRowsWithoutPadding)
{
    // A 3 x 3 glyph in 3 bytes: pixel 3 (the second row's first) sits in bits 6 and 7 of the
    // first byte, pixel 8 in the low bits of the third.
    const std::vector<uint8_t> bytes = {1, 0, 3, 0, 0, 0, 'A', 0, 3, 3, 0xC0, 0x00, 0x01};
    FontSet font;
    ASSERT_TRUE(LoadBytes(font, bytes));

    uint8_t canvas[4 * 5];
    std::memset(canvas, 0xEE, sizeof canvas);
    EXPECT_EQ(font.RenderGlyph(canvas, 5, 'A'), 3);
    const uint8_t expected[4 * 5] = {
        0,    0,    0,    0xEE, 0xEE,  //
        3,    0,    0,    0xEE, 0xEE,  //
        0,    0,    1,    0xEE, 0xEE,  //
        0xEE, 0xEE, 0xEE, 0xEE, 0xEE,
    };
    EXPECT_EQ(0, std::memcmp(canvas, expected, sizeof canvas));
}

TEST_F(FontSetTest, GlyphsFollowOneAnotherInTheBitmap)
{
    const TestGlyph first = {'a', 2, 3, {1, 2, 3, 0, 1, 2}};
    const TestGlyph second = {'b', 5, 1, {3, 2, 1, 0, 3}};
    FontSet font;
    ASSERT_TRUE(LoadBytes(font, FontFileBytes({first, second})));
    for (const TestGlyph& glyph : {first, second}) {
        std::vector<uint8_t> canvas(static_cast<size_t>(glyph.width * glyph.height), 0xEE);
        EXPECT_EQ(font.RenderGlyph(canvas.data(), glyph.width, glyph.code), glyph.width);
        EXPECT_EQ(canvas, glyph.pixels) << "glyph " << static_cast<char>(glyph.code);
    }
}

TEST_F(FontSetTest, LineHeightIsTheTallestGlyph)
{
    FontSet font;
    EXPECT_EQ(font.GetHeight(), 0);
    ASSERT_TRUE(LoadBytes(font, FontFileBytes({SolidGlyph(' ', 4, 2), SolidGlyph('A', 5, 9),
                                               SolidGlyph('B', 5, 3)})));
    EXPECT_EQ(font.GetHeight(), 9);
}

struct LookupCase {
    uint16_t code;
    int index;
    bool reported;
};

TEST_F(FontSetTest, LookupFindsTheCodeOrTheNextGreaterAndReportsMisses)
{
    FontSet font;
    ASSERT_TRUE(LoadBytes(font, FontFileBytes({SolidGlyph(0x20, 1, 1), SolidGlyph(0x41, 2, 1),
                                               SolidGlyph(0xB0A1, 3, 1)})));
    const LookupCase cases[] = {
        {0x20, 0, false},  {0x41, 1, false},  {0xB0A1, 2, false},
        {0x42, 2, true},   {0xC000, 2, true}, {0x10, 0, true},
    };
    for (const LookupCase& c : cases) {
        g_kReports.clear();
        EXPECT_EQ(font.FindGlyph(c.code), c.index) << std::hex << c.code;
        EXPECT_EQ(g_kReports.size(), c.reported ? 1u : 0u) << std::hex << c.code;
        if (c.reported && !g_kReports.empty()) {
            EXPECT_EQ(g_kReports[0], "font:");
        }
    }
    EXPECT_EQ(font.GetGlyphWidth(0x42), 3);
}

TEST_F(FontSetTest, TextWidthTakesALeadByteWithTheNextByte)
{
    FontSet font;
    ASSERT_TRUE(LoadBytes(font, FontFileBytes({SolidGlyph('A', 2, 1), SolidGlyph('B', 3, 1),
                                               SolidGlyph(0xB0A1, 7, 1)})));
    EXPECT_EQ(font.GetTextWidth(""), 0);
    EXPECT_EQ(font.GetTextWidth("AB"), 5);
    EXPECT_EQ(font.GetTextWidth("\xB0\xA1"), 7);
    EXPECT_EQ(font.GetTextWidth("A\xB0\xA1" "B"), 12);
    EXPECT_TRUE(g_kReports.empty());
}

TEST_F(FontSetTest, AStringEndingAfterALeadByteStopsAtTheTerminator)
{
    FontSet font;
    ASSERT_TRUE(LoadBytes(font, FontFileBytes({SolidGlyph('A', 2, 1), SolidGlyph(0xB000, 7, 1)})));
    // The byte after the terminator would make 0xB0 0x00 look like a character if walked.
    const char text[] = {'A', '\xB0', '\0', 'A', '\0'};
    EXPECT_EQ(font.GetTextWidth(text), 2);

    uint16_t code = 0;
    EXPECT_EQ(ReadCharacter(text, 1, &code), 0);
    EXPECT_EQ(ReadCharacter("\xB0\xA1", 0, &code), 2);
    EXPECT_EQ(code, 0xB0A1);
}

struct BadFile {
    const char* name;
    std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Truncated(std::vector<uint8_t> bytes, size_t drop)
{
    bytes.resize(bytes.size() - drop);
    return bytes;
}

TEST_F(FontSetTest, BadFilesAreRefusedAndLeaveTheFontEmpty)
{
    const std::vector<TestGlyph> glyphs = {SolidGlyph('A', 3, 3), SolidGlyph('B', 4, 4)};
    const std::vector<uint8_t> good = FontFileBytes(glyphs);
    const BadFile cases[] = {
        {"empty file", {}},
        {"header cut short", {1, 0, 4}},
        {"glyph count 0", FontFileBytes({}, 0, 0)},
        {"glyph data beyond the bitmap size", FontFileBytes(glyphs, 2, 6)},
        {"last glyph's pixels cut short", Truncated(good, 1)},
        {"last glyph's entry cut short", Truncated(good, 5)},
        {"fewer glyphs than counted", FontFileBytes(glyphs, 3, 100)},
        {"glyph wider than a page", FontFileBytes({SolidGlyph('A', 129, 1)})},
        {"glyph taller than a page's rows", FontFileBytes({SolidGlyph('A', 1, 128)})},
    };
    for (const BadFile& c : cases) {
        FontSet font;
        EXPECT_FALSE(LoadBytes(font, c.bytes)) << c.name;
        EXPECT_EQ(font.GetHeight(), 0) << c.name;
        EXPECT_EQ(font.FindGlyph('A'), -1) << c.name;
        EXPECT_EQ(font.GetGlyphWidth('A'), 0) << c.name;
        uint8_t canvas[4] = {9, 9, 9, 9};
        EXPECT_EQ(font.RenderGlyph(canvas, 2, 'A'), 0) << c.name;
        EXPECT_EQ(canvas[0], 9) << c.name;
    }
}

TEST_F(FontSetTest, AMissingFileIsRefused)
{
    FontSet font;
    EXPECT_FALSE(font.Load("no-such-font.fnt"));
    EXPECT_EQ(font.FindGlyph('A'), -1);
    EXPECT_EQ(g_kReports.size(), 1u);
}

TEST_F(FontSetTest, LargestGlyphsAndASpareBitmapSizeAreAccepted)
{
    // A bitmap size far beyond the glyphs is not taken as a size to allocate.
    FontSet font;
    ASSERT_TRUE(LoadBytes(font, FontFileBytes({SolidGlyph('A', 128, 127, 2)}, 1, 0xFFFFFFFFu)));
    EXPECT_EQ(font.GetHeight(), 127);
    EXPECT_EQ(font.GetGlyphWidth('A'), 128);
}

}  // namespace
