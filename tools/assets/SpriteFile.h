#pragma once
// One sprite of the set: its picture, the image kind it is stored as, and its description file.
#include <string>

#include "Canvas.h"
#include "Output.h"

namespace assets {

enum class ImageKind { Bitmap = 1, Targa = 2 };

// Bitmaps make the clear pixels magenta and name magenta as their colour key.
constexpr Rgba kKeyColour = MakeRgba(255, 0, 255);

struct SpriteFile {
    std::string name;  // game path without extension, e.g. "graphics\title"
    ImageKind kind;
    Canvas cell;
    bool tilesVertically = false;  // gutters repeat the far edge so a tiling picture filters cleanly
};

// Lays the cell on a one-cell sheet with one-pixel gutters and writes the image and description.
void WriteSprite(Output& out, const SpriteFile& sprite);

}  // namespace assets
