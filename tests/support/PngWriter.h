// Writes pictures as PNG files for looking at what a real-window test drew.
#pragma once

#include <cstdint>
#include <string>

// Pixels are 0xAARRGGBB, row 0 at the top, width x height of them. The file is an RGBA PNG
// whose image data is stored uncompressed. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const uint32_t* pixels);
