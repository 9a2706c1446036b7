#include "FontFile.h"

#include <cstdio>

TestGlyph SolidGlyph(uint16_t code, int width, int height, uint8_t value)
{
    return {code, width, height, std::vector<uint8_t>(static_cast<size_t>(width * height), value)};
}

std::vector<uint8_t> PackGlyph(const TestGlyph& glyph)
{
    std::vector<uint8_t> packed(static_cast<size_t>((glyph.width * glyph.height + 3) / 4), 0);
    for (size_t i = 0; i < glyph.pixels.size(); ++i) {
        packed[i / 4] |= static_cast<uint8_t>((glyph.pixels[i] & 3) << (2 * (i % 4)));
    }
    return packed;
}

std::vector<uint8_t> FontFileBytes(const std::vector<TestGlyph>& glyphs)
{
    uint32_t total = 0;
    for (const TestGlyph& glyph : glyphs) {
        total += static_cast<uint32_t>(PackGlyph(glyph).size());
    }
    return FontFileBytes(glyphs, static_cast<uint16_t>(glyphs.size()), total);
}

std::vector<uint8_t> FontFileBytes(const std::vector<TestGlyph>& glyphs, uint16_t count,
                                   uint32_t bitmapBytes)
{
    std::vector<uint8_t> bytes = {
        static_cast<uint8_t>(count),
        static_cast<uint8_t>(count >> 8),
        static_cast<uint8_t>(bitmapBytes),
        static_cast<uint8_t>(bitmapBytes >> 8),
        static_cast<uint8_t>(bitmapBytes >> 16),
        static_cast<uint8_t>(bitmapBytes >> 24),
    };
    for (const TestGlyph& glyph : glyphs) {
        bytes.push_back(static_cast<uint8_t>(glyph.code));
        bytes.push_back(static_cast<uint8_t>(glyph.code >> 8));
        bytes.push_back(static_cast<uint8_t>(glyph.width));
        bytes.push_back(static_cast<uint8_t>(glyph.height));
        const std::vector<uint8_t> packed = PackGlyph(glyph);
        bytes.insert(bytes.end(), packed.begin(), packed.end());
    }
    return bytes;
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}
