#pragma once
// The sound effects and the five title tunes, synthesized.
#include "Output.h"

namespace assets {

constexpr int kSampleRate = 22050;  // 16-bit mono

void WriteSounds(Output& out);

}  // namespace assets
