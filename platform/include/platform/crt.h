// The runtime library pieces whose behaviour the system depends on.
#pragma once

#include <cstdio>
#include <string>

namespace crt {

// The runtime's pseudo-random generator. Never seeded by the program, so every run draws the
// same sequence: seed 1, next seed = seed * 214013 + 2531011, result = bits 16 to 30.
constexpr int kRandMax = 0x7fff;
int Rand();
void SeedRand(unsigned int seed);

// A failed debug check: the expression text, the source module's name and the line.
using AssertHandler = void (*)(const char* expression, const char* module, int line);
// A debug report without expression: the module, the line and a message.
using DebugReportHandler = void (*)(const char* module, int line, const char* message);

void AssertReport(const char* expression, const char* module, int line);
void DebugReport(const char* module, int line, const char* message);

// Each returns the handler it replaces; null restores the default, which prints to stderr.
AssertHandler SetAssertHandler(AssertHandler handler);
DebugReportHandler SetDebugReportHandler(DebugReportHandler handler);

// The game names its files with backslashes ("graphics\map.txt"); these map them to the
// native separator before anything is opened.
std::string NativePath(const char* path);
std::FILE* OpenFile(const char* path, const char* mode);

}  // namespace crt
