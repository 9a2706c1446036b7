#pragma once
// The blocky arcade typeface: glyphs drawn as string art on a 7 x 9 design grid.
#include <cstdint>
#include <string>
#include <vector>

#include "Output.h"

namespace assets {

constexpr int kGlyphDesignWidth = 7;
constexpr int kGlyphDesignRows = 9;  // 7 rows above the base line, 2 below

// The design rows of a glyph ('#' set, anything else clear); empty when the font lacks it.
std::vector<std::string> GlyphDesign(uint16_t code);

// Every code the font holds, ascending: the printable ASCII range and a few double-byte symbols.
std::vector<uint16_t> FontCodes();

// "ArcadeClassic32.fnt": every glyph 18 x 32 pixels of 2-bit coverage.
void WriteFont(Output& out);

}  // namespace assets
