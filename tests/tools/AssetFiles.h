#pragma once
// Readers for the data set's file formats, written from the formats themselves, so that the
// checks do not trust the generator's own code.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace assetcheck {

// Reads a file named the game's way (backslashes) relative to the working directory.
std::optional<std::vector<uint8_t>> ReadGameFile(const std::string& gamePath);

struct Description {
    std::string image;
    long kind = 0;
    long key[3] = {0, 0, 0};
    long cellWidth = 0, cellHeight = 0;
    std::vector<std::vector<std::pair<long, long>>> animations;  // (column, row) per frame
};
std::optional<Description> ParseDescription(const std::string& text);

// Pixels as R<<24 | G<<16 | B<<8 | A, row 0 at the top.
struct Image {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;
    uint32_t At(uint32_t x, uint32_t y) const { return pixels[x + y * width]; }
};
std::optional<Image> ReadBitmap(const std::vector<uint8_t>& file);  // 24-bit, uncompressed
std::optional<Image> ReadTarga(const std::vector<uint8_t>& file);   // 32-bit, type 2
void ApplyColourKey(Image& image, long r, long g, long b);

struct Wave {
    uint16_t channels = 0, bitsPerSample = 0;
    uint32_t sampleRate = 0;
    std::vector<int16_t> samples;
};
// Only the canonical layout: a 44-byte header, a 16-byte PCM format chunk, sizes that match.
std::optional<Wave> ReadCanonicalWave(const std::vector<uint8_t>& file);

struct Glyph {
    uint16_t code;
    uint8_t width, height;
    std::vector<uint8_t> pixels;  // width * height values 0..3, top row first
};
struct Font {
    std::vector<Glyph> glyphs;
    int lineHeight = 0;
};
std::optional<Font> ReadFont(const std::vector<uint8_t>& file);

// A sprite as the game loads it: description, keyed image and the cell of frame 0.
struct LoadedSprite {
    Description description;
    Image image;
};
std::optional<LoadedSprite> LoadSprite(const std::string& gameName);  // e.g. "graphics\\title"
uint32_t CellTexel(const LoadedSprite& sprite, long x, long y);     // pixel of frame 0's cell

}  // namespace assetcheck
