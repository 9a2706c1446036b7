#pragma once
// Every sprite of the game, drawn in code.
#include <vector>

#include "SpriteFile.h"

namespace assets {

std::vector<SpriteFile> AllSprites();

}  // namespace assets
