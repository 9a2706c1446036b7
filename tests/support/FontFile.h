// Builds font-set files for tests: glyphs given as rows of pixel values 0 to 3.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestGlyph {
    uint16_t code;
    int width;
    int height;
    std::vector<uint8_t> pixels;  // width x height values, top row first
};

// A glyph whose every pixel has the same value.
TestGlyph SolidGlyph(uint16_t code, int width, int height, uint8_t value = 3);

// The packed pixels of a glyph: four to a byte, lowest bits first, rows unpadded.
std::vector<uint8_t> PackGlyph(const TestGlyph& glyph);

// The whole file: count, total bitmap bytes (the glyphs' sum unless given), then the entries.
std::vector<uint8_t> FontFileBytes(const std::vector<TestGlyph>& glyphs);
std::vector<uint8_t> FontFileBytes(const std::vector<TestGlyph>& glyphs, uint16_t count,
                                   uint32_t bitmapBytes);

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
