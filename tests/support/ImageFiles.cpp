#include "ImageFiles.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

namespace testfiles {

void Put16(Bytes& bytes, size_t offset, uint16_t value)
{
    bytes[offset] = static_cast<uint8_t>(value);
    bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void Put32(Bytes& bytes, size_t offset, uint32_t value)
{
    Put16(bytes, offset, static_cast<uint16_t>(value));
    Put16(bytes, offset + 2, static_cast<uint16_t>(value >> 16));
}

Bytes BitmapBytes(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels)
{
    const size_t rowBytes = (3 * width + 3) & ~size_t{3};
    const size_t dataOffset = 54;
    Bytes bytes(dataOffset + rowBytes * height, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    Put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    Put32(bytes, 10, dataOffset);
    Put32(bytes, 14, 40);
    Put32(bytes, 18, width);
    Put32(bytes, 22, height);
    Put16(bytes, 26, 1);
    Put16(bytes, 28, 24);
    for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
        uint32_t imageRow = height - 1 - fileRow;
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t rgba = pixels[imageRow * width + x];
            size_t at = dataOffset + fileRow * rowBytes + 3 * x;
            bytes[at] = static_cast<uint8_t>(rgba >> 8);
            bytes[at + 1] = static_cast<uint8_t>(rgba >> 16);
            bytes[at + 2] = static_cast<uint8_t>(rgba >> 24);
        }
    }
    return bytes;
}

Bytes TargaBytes(uint16_t width, uint16_t height, const std::vector<uint32_t>& pixels,
                 uint8_t descriptor)
{
    const size_t dataOffset = 18;
    Bytes bytes(dataOffset + 4 * size_t{width} * height, 0);
    bytes[2] = 2;
    Put16(bytes, 12, width);
    Put16(bytes, 14, height);
    bytes[16] = 32;
    bytes[17] = descriptor;
    bool topFirst = (descriptor & 0x20) != 0;
    for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
        uint32_t imageRow = topFirst ? fileRow : height - 1 - fileRow;
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t rgba = pixels[imageRow * width + x];
            uint32_t argb = rgba >> 8 | rgba << 24;
            Put32(bytes, dataOffset + 4 * (size_t{fileRow} * width + x), argb);
        }
    }
    return bytes;
}

bool WriteFile(const std::string& path, const Bytes& bytes)
{
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent);
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return false;
    }
    bool written = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string UniquePath(const std::string& suffix)
{
    return (std::filesystem::temp_directory_path() /
            ("brask_" + std::to_string(getpid()) + "_" + suffix))
        .string();
}

}  // namespace testfiles
