#include "AssetFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace assetcheck {
namespace {

uint32_t Little(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | b[at + i];
    return v;
}

bool ReadNumber(std::istringstream& in, long& value)
{
    std::string token;
    if (!(in >> token))
        return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(token.c_str(), &end, 0);
    return errno == 0 && end && *end == '\0';
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadGameFile(const std::string& gamePath)
{
    std::string path = gamePath;
    for (char& c : path)
        if (c == '\\')
            c = '/';
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return std::nullopt;
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        bytes.insert(bytes.end(), chunk, chunk + n);
    std::fclose(f);
    return bytes;
}

std::optional<Description> ParseDescription(const std::string& text)
{
    std::istringstream in(text);
    Description d;
    if (!(in >> d.image) || d.image.size() > 255)
        return std::nullopt;
    long count = 0;
    if (!ReadNumber(in, d.kind) || !ReadNumber(in, d.key[0]) || !ReadNumber(in, d.key[1]) ||
        !ReadNumber(in, d.key[2]) || !ReadNumber(in, d.cellWidth) || !ReadNumber(in, d.cellHeight) ||
        !ReadNumber(in, count) || count < 1 || count > 64)
        return std::nullopt;
    for (long a = 0; a < count; ++a) {
        long frames = 0;
        if (!ReadNumber(in, frames) || frames < 1 || frames > 256)
            return std::nullopt;
        std::vector<std::pair<long, long>> cells;
        for (long f = 0; f < frames; ++f) {
            long column = 0, row = 0;
            if (!ReadNumber(in, column) || !ReadNumber(in, row))
                return std::nullopt;
            cells.emplace_back(column, row);
        }
        d.animations.push_back(cells);
    }
    return d;
}

std::optional<Image> ReadBitmap(const std::vector<uint8_t>& b)
{
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || Little(b, 28, 2) != 24 || Little(b, 30, 4) != 0)
        return std::nullopt;
    const int32_t width = static_cast<int32_t>(Little(b, 18, 4)), height = static_cast<int32_t>(Little(b, 22, 4));
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192)
        return std::nullopt;
    const size_t offset = Little(b, 10, 4), row = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    if (offset + row * height > b.size())
        return std::nullopt;
    Image image{static_cast<uint32_t>(width), static_cast<uint32_t>(height), {}};
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (int32_t i = 0; i < height; ++i)
        for (int32_t j = 0; j < width; ++j) {
            const size_t at = offset + i * row + j * 3;
            image.pixels[j + (height - 1 - i) * static_cast<size_t>(width)] =
                static_cast<uint32_t>(b[at + 2]) << 24 | b[at + 1] << 16 | b[at] << 8 | 255;
        }
    return image;
}

std::optional<Image> ReadTarga(const std::vector<uint8_t>& b)
{
    if (b.size() < 18 || b[2] != 2 || b[16] != 32)
        return std::nullopt;
    const uint32_t width = Little(b, 12, 2), height = Little(b, 14, 2);
    const size_t offset = 18 + b[0] + Little(b, 5, 2) * 4;
    if (offset + static_cast<size_t>(width) * height * 4 > b.size())
        return std::nullopt;
    const bool topFirst = (b[17] & 0x20) != 0;
    Image image{width, height, std::vector<uint32_t>(static_cast<size_t>(width) * height)};
    for (uint32_t i = 0; i < height; ++i)
        for (uint32_t j = 0; j < width; ++j) {
            const uint32_t v = Little(b, offset + (i * width + j) * 4, 4);
            image.pixels[j + (topFirst ? i : height - 1 - i) * width] = v << 8 | v >> 24;
        }
    return image;
}

void ApplyColourKey(Image& image, long r, long g, long b)
{
    const uint32_t key = static_cast<uint32_t>(r & 255) << 24 | static_cast<uint32_t>(g & 255) << 16 |
                         static_cast<uint32_t>(b & 255) << 8;
    for (uint32_t& p : image.pixels)
        if ((p & 0xFFFFFF00u) == key)
            p &= 0xFFFFFF00u;
}

std::optional<Wave> ReadCanonicalWave(const std::vector<uint8_t>& b)
{
    auto is = [&](size_t at, const char* id) { return std::string(b.begin() + at, b.begin() + at + 4) == id; };
    if (b.size() < 44 || !is(0, "RIFF") || !is(8, "WAVE") || !is(12, "fmt ") || !is(36, "data"))
        return std::nullopt;
    const uint32_t dataSize = Little(b, 40, 4);
    if (Little(b, 4, 4) != 36 + dataSize || Little(b, 16, 4) != 16 || Little(b, 20, 2) != 1 ||
        b.size() != 44 + static_cast<size_t>(dataSize))
        return std::nullopt;
    Wave w;
    w.channels = static_cast<uint16_t>(Little(b, 22, 2));
    w.sampleRate = Little(b, 24, 4);
    w.bitsPerSample = static_cast<uint16_t>(Little(b, 34, 2));
    const uint32_t block = Little(b, 32, 2);
    if (w.bitsPerSample != 16 || block != w.channels * 2u || Little(b, 28, 4) != w.sampleRate * block ||
        dataSize % block != 0)
        return std::nullopt;
    for (size_t at = 44; at + 1 < b.size(); at += 2)
        w.samples.push_back(static_cast<int16_t>(Little(b, at, 2)));
    return w;
}

std::optional<Font> ReadFont(const std::vector<uint8_t>& b)
{
    if (b.size() < 6)
        return std::nullopt;
    const uint32_t count = Little(b, 0, 2), total = Little(b, 2, 4);
    Font font;
    size_t at = 6, used = 0;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 4 > b.size())
            return std::nullopt;
        Glyph g{static_cast<uint16_t>(Little(b, at, 2)), b[at + 2], b[at + 3], {}};
        const size_t bytes = (static_cast<size_t>(g.width) * g.height + 3) / 4;
        at += 4;
        if (at + bytes > b.size())
            return std::nullopt;
        for (size_t p = 0; p < static_cast<size_t>(g.width) * g.height; ++p)
            g.pixels.push_back(static_cast<uint8_t>(b[at + p / 4] >> (2 * (p % 4)) & 3));
        at += bytes;
        used += bytes;
        font.lineHeight = std::max<int>(font.lineHeight, g.height);
        font.glyphs.push_back(g);
    }
    if (used > total)
        return std::nullopt;
    return font;
}

std::optional<LoadedSprite> LoadSprite(const std::string& gameName)
{
    const auto text = ReadGameFile(gameName + ".txt");
    if (!text)
        return std::nullopt;
    const auto description = ParseDescription(std::string(text->begin(), text->end()));
    if (!description)
        return std::nullopt;
    const auto file = ReadGameFile(description->image);
    if (!file)
        return std::nullopt;
    std::optional<Image> image;
    if (description->kind == 1)
        image = ReadBitmap(*file);
    else if (description->kind == 2)
        image = ReadTarga(*file);
    if (!image)
        return std::nullopt;
    ApplyColourKey(*image, description->key[0], description->key[1], description->key[2]);
    return LoadedSprite{*description, *image};
}

uint32_t CellTexel(const LoadedSprite& s, long x, long y)
{
    const auto [column, row] = s.description.animations[0][0];
    const long px = (s.description.cellWidth + 1) * column + 1 + x;
    const long py = (s.description.cellHeight + 1) * row + 1 + y;
    return s.image.At(static_cast<uint32_t>(px), static_cast<uint32_t>(py));
}

}  // namespace assetcheck
