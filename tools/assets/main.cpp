// brask-assets OUTPUT_DIR: writes the game's whole data set (pictures, sprite descriptions,
// sounds, font and course) into OUTPUT_DIR. The same bytes on every run.
#include <cstdio>

#include "Course.h"
#include "Font.h"
#include "Sounds.h"
#include "Sprites.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: brask-assets OUTPUT_DIR\n");
        return 2;
    }
    assets::Output out(argv[1]);
    for (const assets::SpriteFile& sprite : assets::AllSprites())
        assets::WriteSprite(out, sprite);
    assets::WriteFont(out);
    assets::WriteSounds(out);
    assets::WriteCourse(out, assets::BuildCourse());
    return out.Failures() == 0 ? 0 : 1;
}
