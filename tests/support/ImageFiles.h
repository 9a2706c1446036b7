// Small BMP and TGA files made by tests: the bytes of a file, so that a test can damage them,
// and a writer that puts them on disk.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

using Bytes = std::vector<uint8_t>;

// Pixels are RGBA (R<<24 | G<<16 | B<<8 | A), row 0 at the top, width x height of them.
// A 24-bit BMP, rows stored bottom first and padded to 4 bytes; alpha is dropped.
Bytes BitmapBytes(uint32_t width, uint32_t height, const std::vector<uint32_t>& pixels);
// An uncompressed 32-bit TGA; descriptor bit 5 set stores the top row first.
Bytes TargaBytes(uint16_t width, uint16_t height, const std::vector<uint32_t>& pixels,
                 uint8_t descriptor = 0x28);

void Put16(Bytes& bytes, size_t offset, uint16_t value);
void Put32(Bytes& bytes, size_t offset, uint32_t value);

bool WriteFile(const std::string& path, const Bytes& bytes);
// A path in the temporary folder that no other test process uses: the process id plus suffix.
std::string UniquePath(const std::string& suffix);

}  // namespace testfiles
