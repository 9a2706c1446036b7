// Conversion of the engine's RGBA pixels (R<<24 | G<<16 | B<<8 | A) into device formats, and
// the writing of a whole image into locked device memory. Shared by textures and surfaces.
#pragma once

#include <cstdint>

#include "platform/d3d8.h"
#include "qnRGBAImage.h"

namespace qnPixelConversion {

// The texel of one pixel in a 32-bit (A8R8G8B8, X8R8G8B8) or 16-bit (A4R4G4B4, R5G6B5,
// X1R5G5B5, A1R5G5B5) format; channels scale with truncating integer division.
uint32_t Convert(uint32_t uiRGBA, D3DFORMAT eFormat);

// Writes every pixel of the image at element y x (pitch / bytes per pixel) + x of the locked
// memory; padding at the end of each row is left as it is. False, with nothing written, when
// the memory is missing or its pitch is too narrow for a row of the image.
bool WriteImage(const qnRGBAImage& kImage, D3DFORMAT eFormat, int iBytesPerPixel,
                const D3DLOCKED_RECT& kLocked);

}  // namespace qnPixelConversion
