// Font sets for the text tests, written to a temporary file and loaded from it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FontFile.h"
#include "font.h"

inline std::string WriteTestFont(const std::string& name, const std::vector<TestGlyph>& glyphs)
{
    const std::string path = ::testing::TempDir() + name;
    EXPECT_TRUE(WriteBytes(path, FontFileBytes(glyphs)));
    return path;
}

inline void LoadTestFont(FontSet& font, const std::vector<TestGlyph>& glyphs)
{
    ASSERT_TRUE(font.Load(WriteTestFont("text_test.fnt", glyphs).c_str()));
}

// Glyphs 'a' to 'z', all of one size.
inline std::vector<TestGlyph> LetterGlyphs(int width, int height)
{
    std::vector<TestGlyph> glyphs;
    for (char c = 'a'; c <= 'z'; ++c) {
        glyphs.push_back(SolidGlyph(static_cast<uint16_t>(c), width, height));
    }
    return glyphs;
}
