// The fuzzed file readers: one function for each kind of file a player can replace. Each takes
// one input as the whole file, writes it where the reader expects a file, reads it through the
// engine's public entry on the fake backend and releases everything again. An input that
// breaks what the reader promises (an unknown result code, an image whose pixels do not match
// its size, a buffer larger than the file) stops the process, so both the fuzzers
// (FuzzMain.cpp) and the corpus replay test notice it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace fuzz {

using OneInput = void (*)(const uint8_t* pucData, size_t uiSize);

struct Target {
    const char* acName;  // also the name of its corpus folder, corpus/<name>
    OneInput pfnRun;
};

// Every target, in a fixed order.
std::span<const Target> Targets();
// The target of that name; null when there is none.
const Target* FindTarget(const char* acName);

void LoadBitmap(const uint8_t* pucData, size_t uiSize);
void LoadTarga(const uint8_t* pucData, size_t uiSize);
void LoadSprite(const uint8_t* pucData, size_t uiSize);
void LoadWave(const uint8_t* pucData, size_t uiSize);
void LoadFont(const uint8_t* pucData, size_t uiSize);
void LoadMap(const uint8_t* pucData, size_t uiSize);

}  // namespace fuzz
