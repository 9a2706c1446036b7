#include "platform/crt.h"

namespace crt {
namespace {

unsigned int g_uiRandSeed = 1;

void PrintAssert(const char* expression, const char* module, int line)
{
    std::fprintf(stderr, "Assertion failed: %s, file %s, line %d\n", expression, module, line);
}

void PrintDebugReport(const char* module, int line, const char* message)
{
    std::fprintf(stderr, "%s(%d) : %s\n", module, line, message);
}

AssertHandler g_pfnAssert = PrintAssert;
DebugReportHandler g_pfnDebugReport = PrintDebugReport;

}  // namespace

int Rand()
{
    g_uiRandSeed = g_uiRandSeed * 214013u + 2531011u;
    return static_cast<int>((g_uiRandSeed >> 16) & kRandMax);
}

void SeedRand(unsigned int seed)
{
    g_uiRandSeed = seed;
}

void AssertReport(const char* expression, const char* module, int line)
{
    g_pfnAssert(expression, module, line);
}

void DebugReport(const char* module, int line, const char* message)
{
    g_pfnDebugReport(module, line, message);
}

AssertHandler SetAssertHandler(AssertHandler handler)
{
    AssertHandler previous = g_pfnAssert;
    g_pfnAssert = handler ? handler : PrintAssert;
    return previous;
}

DebugReportHandler SetDebugReportHandler(DebugReportHandler handler)
{
    DebugReportHandler previous = g_pfnDebugReport;
    g_pfnDebugReport = handler ? handler : PrintDebugReport;
    return previous;
}

std::string NativePath(const char* path)
{
    std::string native = path ? path : "";
    for (char& c : native) {
        if (c == '\\') {
            c = '/';
        }
    }
    return native;
}

std::FILE* OpenFile(const char* path, const char* mode)
{
    return std::fopen(NativePath(path).c_str(), mode);
}

}  // namespace crt
