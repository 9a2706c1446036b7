#include "FuzzTargets.h"

#include <cstring>

namespace fuzz {

namespace {

// A new file kind joins here, with its function and its folder corpus/<name>.
constexpr Target kTargets[] = {
    {"bitmap", LoadBitmap}, {"targa", LoadTarga}, {"sprite", LoadSprite},
    {"wave", LoadWave},     {"font", LoadFont},   {"map", LoadMap},
};

}  // namespace

std::span<const Target> Targets()
{
    return kTargets;
}

const Target* FindTarget(const char* acName)
{
    for (const Target& kTarget : kTargets) {
        if (std::strcmp(kTarget.acName, acName) == 0) {
            return &kTarget;
        }
    }
    return nullptr;
}

}  // namespace fuzz
