#include "SpriteFile.h"

namespace assets {
namespace {

Canvas SheetWithGutters(const SpriteFile& sprite)
{
    const Canvas& cell = sprite.cell;
    Canvas sheet(cell.Width() + 2, cell.Height() + 2);
    for (int y = -1; y <= cell.Height(); ++y) {
        int sourceY = y;
        if (sprite.tilesVertically)
            sourceY = (y + cell.Height()) % cell.Height();
        for (int x = 0; x < cell.Width(); ++x)
            sheet.Set(x + 1, y + 1, cell.Get(x, sourceY));
    }
    return sheet;
}

std::vector<uint8_t> BitmapBytes(const Canvas& sheet)
{
    const uint32_t w = static_cast<uint32_t>(sheet.Width()), h = static_cast<uint32_t>(sheet.Height());
    const uint32_t rowSize = (w * 3 + 3) / 4 * 4;
    std::vector<uint8_t> out = {'B', 'M'};
    PutLittle32(out, 54 + rowSize * h);
    PutLittle32(out, 0);
    PutLittle32(out, 54);
    PutLittle32(out, 40);
    PutLittle32(out, w);
    PutLittle32(out, h);
    PutLittle16(out, 1);
    PutLittle16(out, 24);
    PutLittle32(out, 0);
    PutLittle32(out, rowSize * h);
    PutLittle32(out, 2835);
    PutLittle32(out, 2835);
    PutLittle32(out, 0);
    PutLittle32(out, 0);
    for (int y = static_cast<int>(h) - 1; y >= 0; --y) {
        for (uint32_t x = 0; x < w; ++x) {
            Rgba c = sheet.Get(static_cast<int>(x), y);
            if (Alpha(c) == 0)
                c = kKeyColour;
            out.insert(out.end(), {static_cast<uint8_t>(Blue(c)), static_cast<uint8_t>(Green(c)),
                                   static_cast<uint8_t>(Red(c))});
        }
        out.resize(out.size() + (rowSize - w * 3), 0);
    }
    return out;
}

std::vector<uint8_t> TargaBytes(const Canvas& sheet)
{
    std::vector<uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0};
    PutLittle16(out, 0);
    PutLittle16(out, 0);
    PutLittle16(out, static_cast<uint32_t>(sheet.Width()));
    PutLittle16(out, static_cast<uint32_t>(sheet.Height()));
    out.push_back(32);
    out.push_back(0x28);  // top row first, eight alpha bits
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = 0; x < sheet.Width(); ++x) {
            const Rgba c = sheet.Get(x, y);
            out.insert(out.end(), {static_cast<uint8_t>(Blue(c)), static_cast<uint8_t>(Green(c)),
                                   static_cast<uint8_t>(Red(c)), static_cast<uint8_t>(Alpha(c))});
        }
    return out;
}

}  // namespace

void WriteSprite(Output& out, const SpriteFile& sprite)
{
    const Canvas sheet = SheetWithGutters(sprite);
    const bool bitmap = sprite.kind == ImageKind::Bitmap;
    const std::string image = sprite.name + (bitmap ? ".bmp" : ".tga");
    out.Write(image, bitmap ? BitmapBytes(sheet) : TargaBytes(sheet));
    // image, kind, colour key, cell size, then one animation of one frame at cell (0, 0)
    const std::string description = image + "\n" + std::to_string(static_cast<int>(sprite.kind)) + "\n" +
                                    "255 0 255\n" + std::to_string(sprite.cell.Width()) + " " +
                                    std::to_string(sprite.cell.Height()) + "\n" + "1\n1 0 0\n";
    out.WriteText(sprite.name + ".txt", description);
}

}  // namespace assets
