// The names under which the game loads its data set, without file extensions, with the
// game's backslashes: every sprite description, every sound.
#pragma once

#include <string>
#include <vector>

namespace assetnames {

// "graphics\\title" and so on; each has a description "<name>.txt".
const std::vector<std::string>& Sprites();
// "e1" ... "die2"; each is "sounds\\<name>.wav".
const std::vector<std::string>& Effects();
// "m1" ... "m5".
const std::vector<std::string>& Music();

}  // namespace assetnames
