#include "sdl_d3d_formats.h"

#include <cstring>

namespace sdl_d3d {

namespace {

// A packed format: bit masks of red, green, blue and alpha (0: none); luminance formats
// take their grey level from the red mask.
struct Layout {
    int bytes;
    uint32_t red, green, blue, alpha;
    bool luminance;
};

bool LayoutOf(D3DFORMAT format, Layout* layout)
{
    switch (format) {
    case D3DFMT_A8R8G8B8:
        *layout = {4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000, false};
        return true;
    case D3DFMT_X8R8G8B8:
        *layout = {4, 0x00FF0000, 0x0000FF00, 0x000000FF, 0, false};
        return true;
    case D3DFMT_R8G8B8:
        *layout = {3, 0xFF0000, 0x00FF00, 0x0000FF, 0, false};
        return true;
    case D3DFMT_R5G6B5:
        *layout = {2, 0xF800, 0x07E0, 0x001F, 0, false};
        return true;
    case D3DFMT_X1R5G5B5:
        *layout = {2, 0x7C00, 0x03E0, 0x001F, 0, false};
        return true;
    case D3DFMT_A1R5G5B5:
        *layout = {2, 0x7C00, 0x03E0, 0x001F, 0x8000, false};
        return true;
    case D3DFMT_A4R4G4B4:
        *layout = {2, 0x0F00, 0x00F0, 0x000F, 0xF000, false};
        return true;
    case D3DFMT_X4R4G4B4:
        *layout = {2, 0x0F00, 0x00F0, 0x000F, 0, false};
        return true;
    case D3DFMT_R3G3B2:
        *layout = {1, 0xE0, 0x1C, 0x03, 0, false};
        return true;
    case D3DFMT_A8R3G3B2:
        *layout = {2, 0x00E0, 0x001C, 0x0003, 0xFF00, false};
        return true;
    case D3DFMT_A8:
        *layout = {1, 0, 0, 0, 0xFF, false};
        return true;
    case D3DFMT_L8:
        *layout = {1, 0xFF, 0, 0, 0, true};
        return true;
    case D3DFMT_A8L8:
        *layout = {2, 0x00FF, 0, 0, 0xFF00, true};
        return true;
    case D3DFMT_A4L4:
        *layout = {1, 0x0F, 0, 0, 0xF0, true};
        return true;
    default:
        return false;
    }
}

int ShiftOf(uint32_t mask)
{
    int shift = 0;
    while (mask && !(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

// The channel's value scaled to 0..255; a format without the channel reads as `missing`.
uint8_t Expand(uint32_t pixel, uint32_t mask, uint8_t missing)
{
    if (!mask) {
        return missing;
    }
    uint32_t maximum = mask >> ShiftOf(mask);
    uint32_t value = (pixel & mask) >> ShiftOf(mask);
    return static_cast<uint8_t>((value * 255 + maximum / 2) / maximum);
}

uint32_t Reduce(uint8_t channel, uint32_t mask)
{
    if (!mask) {
        return 0;
    }
    uint32_t maximum = mask >> ShiftOf(mask);
    return ((channel * maximum + 127) / 255) << ShiftOf(mask);
}

uint32_t ReadPixel(const uint8_t* at, int bytes)
{
    uint32_t pixel = 0;
    for (int i = 0; i < bytes; ++i) {
        pixel |= uint32_t(at[i]) << (8 * i);
    }
    return pixel;
}

void WritePixel(uint8_t* at, int bytes, uint32_t pixel)
{
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<uint8_t>(pixel >> (8 * i));
    }
}

}  // namespace

int BytesPerPixel(D3DFORMAT format)
{
    Layout layout{};
    return LayoutOf(format, &layout) ? layout.bytes : 0;
}

int PitchOf(D3DFORMAT format, UINT width)
{
    return (static_cast<int>(width) * BytesPerPixel(format) + 3) & ~3;
}

namespace {

// The 32-bit formats hold their channels as the bytes B, G, R, A (or X).
void EightBitRowToRgba(const uint8_t* source, UINT width, bool alpha, uint8_t* rgba)
{
    for (UINT x = 0; x < width; ++x, source += 4, rgba += 4) {
        rgba[0] = source[2];
        rgba[1] = source[1];
        rgba[2] = source[0];
        rgba[3] = alpha ? source[3] : 255;
    }
}

}  // namespace

void RowToRgba(D3DFORMAT format, const uint8_t* source, UINT width, uint8_t* rgba)
{
    if (format == D3DFMT_A8R8G8B8 || format == D3DFMT_X8R8G8B8) {
        EightBitRowToRgba(source, width, format == D3DFMT_A8R8G8B8, rgba);
        return;
    }
    Layout layout{};
    if (!LayoutOf(format, &layout)) {
        std::memset(rgba, 0, size_t(width) * 4);
        return;
    }
    for (UINT x = 0; x < width; ++x) {
        uint32_t pixel = ReadPixel(source + size_t(x) * layout.bytes, layout.bytes);
        uint8_t red = Expand(pixel, layout.red, 255);
        rgba[0] = red;
        rgba[1] = layout.luminance ? red : Expand(pixel, layout.green, 255);
        rgba[2] = layout.luminance ? red : Expand(pixel, layout.blue, 255);
        rgba[3] = Expand(pixel, layout.alpha, 255);
        rgba += 4;
    }
}

void RowFromRgba(D3DFORMAT format, const uint8_t* rgba, UINT width, uint8_t* destination)
{
    Layout layout{};
    if (!LayoutOf(format, &layout)) {
        return;
    }
    for (UINT x = 0; x < width; ++x) {
        uint32_t pixel = Reduce(rgba[0], layout.red) | Reduce(rgba[1], layout.green) |
                         Reduce(rgba[2], layout.blue) | Reduce(rgba[3], layout.alpha);
        if (!layout.alpha && layout.bytes == 4) {
            pixel |= 0xFF000000u;
        }
        WritePixel(destination + size_t(x) * layout.bytes, layout.bytes, pixel);
        rgba += 4;
    }
}

}  // namespace sdl_d3d
