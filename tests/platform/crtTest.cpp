#include <gtest/gtest.h>

#include <string>

#include "platform/crt.h"

namespace {

TEST(Rand, DrawsTheRuntimeSequenceFromSeedOne)
{
    crt::SeedRand(1);
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) {
        EXPECT_EQ(crt::Rand(), value);
    }
}

TEST(Rand, StaysWithinItsRangeOverALongRun)
{
    crt::SeedRand(1);
    for (int i = 0; i < 100000; ++i) {
        int value = crt::Rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, crt::kRandMax);
    }
}

struct Reported {
    std::string expression;
    std::string module;
    int line = 0;
    int count = 0;
};
Reported g_kReported;

void Record(const char* expression, const char* module, int line)
{
    g_kReported = {expression ? expression : "", module, line, g_kReported.count + 1};
}

void RecordDebug(const char* module, int line, const char* message)
{
    g_kReported = {message, module, line, g_kReported.count + 1};
}

TEST(Reports, GoThroughTheReplaceableHandlers)
{
    g_kReported = {};
    crt::AssertHandler previous = crt::SetAssertHandler(Record);
    crt::AssertReport("!m_pkSingleton", "qnscreen", 42);
    crt::SetAssertHandler(previous);
    EXPECT_EQ(g_kReported.expression, "!m_pkSingleton");
    EXPECT_EQ(g_kReported.module, "qnscreen");
    EXPECT_EQ(g_kReported.line, 42);

    crt::DebugReportHandler previousDebug = crt::SetDebugReportHandler(RecordDebug);
    crt::DebugReport("font", 7, "missing glyph");
    crt::SetDebugReportHandler(previousDebug);
    EXPECT_EQ(g_kReported.module, "font");
    EXPECT_EQ(g_kReported.line, 7);
    EXPECT_EQ(g_kReported.count, 2);
}

TEST(Paths, BackslashesBecomeTheNativeSeparator)
{
    EXPECT_EQ(crt::NativePath("graphics\\map.txt"), "graphics/map.txt");
    EXPECT_EQ(crt::NativePath("graphics\\objects\\r-ob1.txt"), "graphics/objects/r-ob1.txt");
    EXPECT_EQ(crt::NativePath("ArcadeClassic32.fnt"), "ArcadeClassic32.fnt");
    EXPECT_EQ(crt::NativePath(nullptr), "");
    EXPECT_EQ(crt::OpenFile("no\\such\\file.txt", "rb"), nullptr);
}

}  // namespace
