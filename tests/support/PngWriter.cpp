#include "PngWriter.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

namespace {

constexpr size_t kMaxStoredBlock = 65535;

const std::array<uint32_t, 256>& CrcTable()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    return table;
}

uint32_t Crc(const std::vector<uint8_t>& bytes, size_t from)
{
    uint32_t c = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        c = CrcTable()[(c ^ bytes[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

uint32_t Adler32(const std::vector<uint8_t>& bytes)
{
    uint32_t a = 1;
    uint32_t b = 0;
    for (uint8_t byte : bytes) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

void PutBigEndian(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

void PutChunk(std::vector<uint8_t>& file, const char* type, const std::vector<uint8_t>& data)
{
    PutBigEndian(file, static_cast<uint32_t>(data.size()));
    size_t crcFrom = file.size();
    file.insert(file.end(), type, type + 4);
    file.insert(file.end(), data.begin(), data.end());
    PutBigEndian(file, Crc(file, crcFrom));
}

// Each row: filter type 0, then R, G, B, A.
std::vector<uint8_t> Scanlines(int width, int height, const uint32_t* pixels)
{
    std::vector<uint8_t> raw;
    raw.reserve(size_t(height) * (size_t(width) * 4 + 1));
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < width; ++x) {
            uint32_t p = pixels[size_t(y) * width + x];
            raw.push_back(static_cast<uint8_t>(p >> 16));
            raw.push_back(static_cast<uint8_t>(p >> 8));
            raw.push_back(static_cast<uint8_t>(p));
            raw.push_back(static_cast<uint8_t>(p >> 24));
        }
    }
    return raw;
}

// A zlib stream of stored deflate blocks.
std::vector<uint8_t> StoredZlib(const std::vector<uint8_t>& raw)
{
    std::vector<uint8_t> out = {0x78, 0x01};
    size_t offset = 0;
    do {
        size_t length = std::min(kMaxStoredBlock, raw.size() - offset);
        bool last = offset + length == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<uint8_t>(length));
        out.push_back(static_cast<uint8_t>(length >> 8));
        out.push_back(static_cast<uint8_t>(~length));
        out.push_back(static_cast<uint8_t>(~length >> 8));
        out.insert(out.end(), raw.begin() + offset, raw.begin() + offset + length);
        offset += length;
    } while (offset < raw.size());
    PutBigEndian(out, Adler32(raw));
    return out;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const uint32_t* pixels)
{
    if (width <= 0 || height <= 0 || !pixels) {
        return false;
    }
    std::vector<uint8_t> file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBigEndian(header, static_cast<uint32_t>(width));
    PutBigEndian(header, static_cast<uint32_t>(height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", StoredZlib(Scanlines(width, height, pixels)));
    PutChunk(file, "IEND", {});
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) {
        return false;
    }
    bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    return std::fclose(out) == 0 && written;
}
