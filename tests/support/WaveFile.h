// Canonical WAV files made by the tests: a 44-byte header and the sample bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

struct WaveShape {
    uint16_t channels = 1;
    uint32_t rate = 22050;
    uint16_t bits = 16;
};

// The file's bytes; the data size field says how many sample bytes follow.
std::vector<uint8_t> WaveBytes(const WaveShape& shape, const std::vector<uint8_t>& samples);
// Overwrites the four bytes at an offset with a little-endian value.
void PutDword(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);
// 16-bit samples as their little-endian bytes.
std::vector<uint8_t> SampleBytes(const std::vector<int16_t>& samples);
bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace test_support
