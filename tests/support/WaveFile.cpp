#include "WaveFile.h"

#include <cstdio>

namespace test_support {
namespace {

void PutTag(std::vector<uint8_t>& bytes, const char* tag)
{
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<uint8_t>(tag[i]));
    }
}

void PutWord(std::vector<uint8_t>& bytes, uint16_t value)
{
    bytes.push_back(static_cast<uint8_t>(value));
    bytes.push_back(static_cast<uint8_t>(value >> 8));
}

void AppendDword(std::vector<uint8_t>& bytes, uint32_t value)
{
    PutWord(bytes, static_cast<uint16_t>(value));
    PutWord(bytes, static_cast<uint16_t>(value >> 16));
}

}  // namespace

std::vector<uint8_t> WaveBytes(const WaveShape& shape, const std::vector<uint8_t>& samples)
{
    uint16_t align = static_cast<uint16_t>(shape.channels * shape.bits / 8);
    std::vector<uint8_t> bytes;
    PutTag(bytes, "RIFF");
    AppendDword(bytes, static_cast<uint32_t>(36 + samples.size()));
    PutTag(bytes, "WAVE");
    PutTag(bytes, "fmt ");
    AppendDword(bytes, 16);
    PutWord(bytes, 1);
    PutWord(bytes, shape.channels);
    AppendDword(bytes, shape.rate);
    AppendDword(bytes, shape.rate * align);
    PutWord(bytes, align);
    PutWord(bytes, shape.bits);
    PutTag(bytes, "data");
    AppendDword(bytes, static_cast<uint32_t>(samples.size()));
    for (uint8_t sample : samples) {
        bytes.push_back(sample);
    }
    return bytes;
}

void PutDword(std::vector<uint8_t>& bytes, size_t offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
    }
}

std::vector<uint8_t> SampleBytes(const std::vector<int16_t>& samples)
{
    std::vector<uint8_t> bytes;
    for (int16_t sample : samples) {
        PutWord(bytes, static_cast<uint16_t>(sample));
    }
    return bytes;
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace test_support
