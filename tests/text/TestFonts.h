// Font sets for the text tests, written to a temporary file and loaded from it.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "FontFile.h"
#include "font.h"

// A file of this test's own: tests run side by side in separate processes.
inline std::string TestFilePath(const std::string& name)
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return ::testing::TempDir() + test->test_suite_name() + "." + test->name() + "." + name;
}

inline std::string WriteTestFont(const std::string& name, const std::vector<TestGlyph>& glyphs)
{
    const std::string path = TestFilePath(name);
    EXPECT_TRUE(WriteBytes(path, FontFileBytes(glyphs)));
    return path;
}

inline void LoadTestFont(FontSet& font, const std::vector<TestGlyph>& glyphs)
{
    const std::string path = WriteTestFont("font.fnt", glyphs);
    ASSERT_TRUE(font.Load(path.c_str()));
    std::remove(path.c_str());
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
