#pragma once
// Writes 8-bit RGBA pictures as PNG files (stored deflate blocks, no compression).
#include <cstdint>
#include <string>
#include <vector>

namespace png {

// pixels: width * height values, row-major, top row first, each R<<24 | G<<16 | B<<8 | A.
bool WriteRgba(const std::string& path, int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace png
