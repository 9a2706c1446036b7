// The pixel layouts of the Direct3D formats the SDL backend keeps in memory, and their
// conversion to and from the RGBA bytes that OpenGL takes. Internal to platform/sdl.
#pragma once

#include <cstdint>

#include "platform/d3d8.h"

namespace sdl_d3d {

// Bytes per pixel of a texture or surface format the backend can hold, 0 for any other.
int BytesPerPixel(D3DFORMAT format);
// Row pitch the backend gives a format and width: rows start on 4-byte boundaries.
int PitchOf(D3DFORMAT format, UINT width);

// One row of pixels in the format into R, G, B, A bytes (alpha 255 where the format has none).
void RowToRgba(D3DFORMAT format, const uint8_t* source, UINT width, uint8_t* rgba);
// One row of R, G, B, A bytes into the format.
void RowFromRgba(D3DFORMAT format, const uint8_t* rgba, UINT width, uint8_t* destination);

}  // namespace sdl_d3d
