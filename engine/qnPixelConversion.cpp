#include "qnPixelConversion.h"

#include <cstddef>

namespace qnPixelConversion {

namespace {

uint32_t Scale(uint32_t uiChannel, uint32_t uiMax)
{
    return uiChannel * uiMax / 255;
}

template <class Texel>
void WriteRows(const qnRGBAImage& kImage, D3DFORMAT eFormat, std::size_t uiPixelsPerRow, void* pBits)
{
    auto* pkTexels = static_cast<Texel*>(pBits);
    for (uint32_t y = 0; y < kImage.GetHeight(); ++y) {
        for (uint32_t x = 0; x < kImage.GetWidth(); ++x) {
            pkTexels[y * uiPixelsPerRow + x] =
                static_cast<Texel>(Convert(kImage.GetColor(x, y), eFormat));
        }
    }
}

}  // namespace

uint32_t Convert(uint32_t uiRGBA, D3DFORMAT eFormat)
{
    uint32_t uiR = uiRGBA >> 24;
    uint32_t uiG = (uiRGBA >> 16) & 255;
    uint32_t uiB = (uiRGBA >> 8) & 255;
    uint32_t uiA = uiRGBA & 255;
    switch (eFormat) {
    case D3DFMT_A4R4G4B4:
        return Scale(uiA, 15) << 12 | Scale(uiR, 15) << 8 | Scale(uiG, 15) << 4 | Scale(uiB, 15);
    case D3DFMT_R5G6B5:
        return Scale(uiR, 31) << 11 | Scale(uiG, 63) << 5 | Scale(uiB, 31);
    case D3DFMT_X1R5G5B5:
        return Scale(uiR, 31) << 10 | Scale(uiG, 31) << 5 | Scale(uiB, 31);
    case D3DFMT_A1R5G5B5:
        return (uiA > 0 ? 1u : 0u) << 15 | Scale(uiR, 31) << 10 | Scale(uiG, 31) << 5 |
               Scale(uiB, 31);
    default:
        return uiA << 24 | uiR << 16 | uiG << 8 | uiB;
    }
}

bool WriteImage(const qnRGBAImage& kImage, D3DFORMAT eFormat, int iBytesPerPixel,
                const D3DLOCKED_RECT& kLocked)
{
    if (!kLocked.pBits || kLocked.Pitch < 0 || iBytesPerPixel <= 0) {
        return false;
    }
    std::size_t uiPixelsPerRow = static_cast<unsigned int>(kLocked.Pitch) / iBytesPerPixel;
    if (uiPixelsPerRow < kImage.GetWidth()) {
        return false;
    }
    if (iBytesPerPixel == 2) {
        WriteRows<uint16_t>(kImage, eFormat, uiPixelsPerRow, kLocked.pBits);
    } else {
        WriteRows<uint32_t>(kImage, eFormat, uiPixelsPerRow, kLocked.pBits);
    }
    return true;
}

}  // namespace qnPixelConversion
