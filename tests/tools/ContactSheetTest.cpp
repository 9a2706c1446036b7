// Pictures of the data set for a person to look at: a contact sheet of every sprite, and the
// attract screen and the three zones as the game's camera shows them (composited on the CPU
// from the files, in the game's drawing order). Written to the screenshot folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <list>
#include <map>

#include "AssetFiles.h"
#include "PngWriter.h"

using namespace assetcheck;

namespace {

struct Picture {
    int width, height;
    std::vector<uint32_t> pixels;
    Picture(int w, int h, uint32_t fill = 0x000000FF) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

uint32_t Over(uint32_t dst, uint32_t src, bool additive)
{
    const float a = (src & 255) / 255.0f;
    uint32_t out = 255;
    for (int shift : {24, 16, 8}) {
        const float s = (src >> shift & 255), d = (dst >> shift & 255);
        const float v = additive ? std::min(255.0f, d + s * a) : d + (s - d) * a;
        out |= static_cast<uint32_t>(std::lround(v)) << shift;
    }
    return out;
}

uint32_t Modulate(uint32_t texel, uint32_t argb)
{
    const uint32_t a = argb >> 24 & 255, r = argb >> 16 & 255, g = argb >> 8 & 255, b = argb & 255;
    return ((texel >> 24 & 255) * r / 255) << 24 | ((texel >> 16 & 255) * g / 255) << 16 |
           ((texel >> 8 & 255) * b / 255) << 8 | (texel & 255) * a / 255;
}

// A rectangle of an image, as a sprite's frame or a rendered text is.
struct Source {
    const Image* image;
    long x0, y0, width, height;
};

Source CellOf(const LoadedSprite& s)
{
    const auto [column, row] = s.description.animations[0][0];
    return {&s.image, (s.description.cellWidth + 1) * column + 1, (s.description.cellHeight + 1) * row + 1,
            s.description.cellWidth, s.description.cellHeight};
}

Image RenderText(const Font& font, const std::string& text)
{
    std::map<uint16_t, const Glyph*> glyphs;
    for (const Glyph& g : font.glyphs)
        glyphs[g.code] = &g;
    uint32_t width = 0;
    for (char c : text)
        width += glyphs.count(static_cast<uint8_t>(c)) ? glyphs[static_cast<uint8_t>(c)]->width : 0;
    Image image{std::max(width, 1u), static_cast<uint32_t>(font.lineHeight), {}};
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
    uint32_t x = 0;
    for (char c : text) {
        if (!glyphs.count(static_cast<uint8_t>(c)))
            continue;
        const Glyph& g = *glyphs[static_cast<uint8_t>(c)];
        for (uint32_t y = 0; y < g.height; ++y)
            for (uint32_t i = 0; i < g.width; ++i) {
                const uint32_t level = g.pixels[y * g.width + i] * 85;
                image.pixels[x + i + y * image.width] = 0xFFFFFF00u | level;
            }
        x += g.width;
    }
    return image;
}

Font LoadFont()
{
    const auto file = ReadGameFile("ArcadeClassic32.fnt");
    const auto font = file ? ReadFont(*file) : std::nullopt;
    return font ? *font : Font{};
}

// ---- Contact sheet ----

void Blit(Picture& sheet, const Source& src, int left, int top, int box)
{
    const float scale = std::min(static_cast<float>(box) / src.width, static_cast<float>(box) / src.height);
    const int w = std::max(1, static_cast<int>(src.width * scale)), h = std::max(1, static_cast<int>(src.height * scale));
    const int ox = left + (box - w) / 2, oy = top + (box - h) / 2;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const long sx = src.x0 + std::min<long>(src.width - 1, static_cast<long>(x / scale));
            const long sy = src.y0 + std::min<long>(src.height - 1, static_cast<long>(y / scale));
            sheet.At(ox + x, oy + y) = Over(sheet.At(ox + x, oy + y), src.image->At(sx, sy), false);
        }
}

void Label(Picture& sheet, const Font& font, const std::string& text, int left, int top)
{
    const Image image = RenderText(font, text);
    for (uint32_t y = 0; y + 1 < image.height; y += 2)
        for (uint32_t x = 0; x + 1 < image.width && left + static_cast<int>(x / 2) < sheet.width; x += 2)
            sheet.At(left + x / 2, top + y / 2) = Over(sheet.At(left + x / 2, top + y / 2), image.At(x, y), true);
}

// ---- Through the game's camera ----

struct Draw {
    Source source;
    float x, y, w, h, angle;
    uint32_t argb;
    bool additive;
};

struct Vec {
    double x, y, z;
};
Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec Unit(Vec a)
{
    const double n = std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z);
    return {a.x / n, a.y / n, a.z / n};
}

// The camera as the frame places it: the world turned about x by 15.7 radians, a left-handed
// look-at view and a 1-radian perspective of aspect 1.3333.
Picture RenderScene(int playerX, int direction, float lookAhead, const std::vector<Draw>& draws)
{
    const Vec eye{static_cast<double>(playerX + 10 - 20 * direction), -300.0 + 310, -1100};
    const Vec at{playerX + lookAhead, -300.0 + 800, 0};
    const Vec z = Unit(Sub(at, eye)), x = Unit(Cross({0, 1, 0}, z)), y = Cross(z, x);
    const double c = std::cos(15.7), s = std::sin(15.7), t = std::tan(0.5);
    Picture picture(1024, 768);
    for (int py = 0; py < 768; ++py)
        for (int px = 0; px < 1024; ++px) {
            const double nx = (px + 0.5) / 512 - 1, ny = 1 - (py + 0.5) / 384;
            const Vec d{x.x * nx * t * 1.3333 + y.x * ny * t + z.x, x.y * nx * t * 1.3333 + y.y * ny * t + z.y,
                        x.z * nx * t * 1.3333 + y.z * ny * t + z.z};
            const double k = (s / c * eye.y - eye.z) / (d.z - s / c * d.y);  // ray meets the turned plane
            if (k <= 0)
                continue;
            const double wx = eye.x + k * d.x, wy = (eye.y + k * d.y) / c;
            uint32_t colour = 0x000000FF;
            for (const Draw& dr : draws) {
                const int hw = static_cast<int>(dr.w) >> 1, hh = static_cast<int>(dr.h) >> 1;
                double lx = wx - dr.x, ly = wy - dr.y;
                if (dr.angle != 0) {
                    const double a = dr.angle * 0.0174f, rx = lx * std::cos(a) + ly * std::sin(a);
                    ly = -lx * std::sin(a) + ly * std::cos(a);
                    lx = rx;
                }
                if (hw == 0 || hh == 0 || std::fabs(lx) > hw || std::fabs(ly) > hh)
                    continue;
                const long tx = std::clamp<long>(static_cast<long>((lx + hw) / (2 * hw) * dr.source.width), 0, dr.source.width - 1);
                const long ty = std::clamp<long>(static_cast<long>((ly + hh) / (2 * hh) * dr.source.height), 0, dr.source.height - 1);
                const uint32_t texel = dr.source.image->At(dr.source.x0 + tx, dr.source.y0 + ty);
                colour = Over(colour, Modulate(texel, dr.argb), dr.additive);
            }
            picture.At(px, py) = colour;
        }
    return picture;
}

class Scenes {
public:
    Scenes()
    {
        m_font = LoadFont();
        for (const char* name :
             {"title", "p-control", "p-control-hand", "r-control", "r-control-hand", "r-control-c", "s-control",
              "s-control-hand", "s-control-hand2", "line", "p-bar", "r-car", "s-ship", "p-line", "p-dotline", "p-ball",
              "p-bar2", "r-map1", "s-map1", "gage", "fuel", "track", "flag", "par"})
            Load(name, std::string("graphics\\") + name);
        for (int i = 1; i <= 4; ++i)
            Load("shield" + std::to_string(i), "graphics\\levelup\\item-buffer" + std::to_string(i));
        for (int t = 0; t < 25; ++t)
            Load("type" + std::to_string(t), TemplateName(t));
        std::ifstream map("graphics/map.txt");
        int v;
        while (map >> v)
            m_map.push_back(v);
    }

    bool Ready() const { return m_sprites.size() == 53 && m_map.size() == 12000 && !m_font.glyphs.empty(); }

    static std::string TemplateName(int t)
    {
        static const char* items[] = {"item-minus", "item-plus", "item-fuel", "item-buffer", "item-ship"};
        if (t < 10)
            return "graphics\\objects\\r-ob" + std::to_string(t + 1);
        if (t < 20)
            return "graphics\\objects\\s-ob" + std::to_string(t - 9);
        return std::string("graphics\\items\\") + items[t - 20];
    }

    void Sprite(std::vector<Draw>& d, const std::string& name, float x, float y, float w, float h, float angle = 0,
                uint32_t argb = 0xFFFFFFFF)
    {
        d.push_back({CellOf(m_sprites.at(name)), x, y, w, h, angle, argb, false});
    }

    void Text(std::vector<Draw>& d, const std::string& text, float x, float y, float scale)
    {
        m_texts.push_back(RenderText(m_font, text));
        const Image& image = m_texts.back();
        d.push_back({{&image, 0, 0, image.width, image.height}, x + image.width * scale / 2,
                     y + image.height * scale / 2, image.width * scale, image.height * scale, 0, 0xFFFFFFFF, true});
    }

    // The field objects of the map as they stand when `row` has just been spawned.
    void Course(std::vector<Draw>& d, int row)
    {
        for (int r = std::max(0, row - 140); r <= row; ++r)
            for (int c = 0; c < 24; ++c) {
                const int t = m_map[r * 24 + c];
                if (t < 0)
                    continue;
                const bool fast = t <= 2 || t == 12 || t == 16 || t >= 20;
                const float y = -2000 + (fast ? 6 : 3) * 8.0f * (row - r);
                if (y < 0)
                    Sprite(d, "type" + std::to_string(t), c * 145 - 450.0f, y, 150, 150);
            }
    }

    void PaddleScenery(std::vector<Draw>& d, float ballX, float ballY)
    {
        Sprite(d, "p-line", -470, -820, 1000, 1000);
        Sprite(d, "p-line", 450, -820, 1000, 1000);
        Sprite(d, "p-dotline", -20, -820, 1000, 1000);
        Sprite(d, "p-ball", ballX, ballY, 20, 20);
        Sprite(d, "p-bar2", ballX, -1300, 150, 150);
    }

    void Backgrounds(std::vector<Draw>& d, int phase)
    {
        Sprite(d, "r-map1", 1200, -1000 + phase, 1100, 2000);
        Sprite(d, "r-map1", 1200, -3000 + phase, 1100, 2000);
        Sprite(d, "s-map1", 2450, -1000 + phase * 0.3f, 1100, 2000);
        Sprite(d, "s-map1", 2450, -3000 + phase * 0.3f, 1100, 2000);
    }

    void Hud(std::vector<Draw>& d, int fuel, int row, int score)
    {
        Sprite(d, "fuel", 1224, -190, 300, 300, 0, fuel < 60 ? 0xFFFFFF00 : 0xFFFFFFFF);
        for (int i = 0; i < fuel; ++i)
            Sprite(d, "gage", 1134 + 2.0f * i, -200, 2, 40);
        Sprite(d, "track", 1680, -500, 500, 500);
        Sprite(d, "flag", 1680, -250.0f - row / 2, 200, 100);
        Text(d, std::to_string(score), 2500, -1400, 3);
    }

    void Explosion(std::vector<Draw>& d, float x, float y)
    {
        static const uint32_t tints[] = {0xFFFFC040, 0xFFFF6020, 0xFFFFFFFF, 0xFFE03010, 0xFFFFE080,
                                         0xFFFF9030, 0xFFFFFFA0, 0xFFC02020, 0xFFFFB060, 0xFFFF8040};
        for (int i = 0; i < 10; ++i)
            Sprite(d, "par", x + (i * 7 % 19) - 9.0f, y + (i * 11 % 19) - 9.0f, 40.0f + i * 10, 140.0f - i * 9, 0,
                   tints[i]);
    }

    void Panels(std::vector<Draw>& d, float paddleAngle, float carAngle, float shipAngle, float fireAngle)
    {
        Sprite(d, "line", 1224, -1024, 4900, 5050);
        Sprite(d, "p-control", 0, 0, 1224, 1224);
        Sprite(d, "r-control", 1224, 0, 1224, 1224);
        Sprite(d, "s-control", 2448, 0, 1224, 1224);
        Sprite(d, "r-control-c", 884, -10, 200, 200, 2);
        Sprite(d, "s-control-hand2", 2764, 40, 500, 500, fireAngle);
        Sprite(d, "p-control-hand", -40, -40, 1000, 1000, paddleAngle);
        Sprite(d, "r-control-hand", 1194, 0, 1000, 1000, carAngle);
        Sprite(d, "s-control-hand", 2294, -10, 1000, 1000, shipAngle);
    }

    const std::map<std::string, LoadedSprite>& Sprites() const { return m_sprites; }
    const Font& TextFont() const { return m_font; }

private:
    void Load(const std::string& key, const std::string& name)
    {
        if (auto s = LoadSprite(name))
            m_sprites.emplace(key, std::move(*s));
    }

    std::map<std::string, LoadedSprite> m_sprites;
    std::vector<int> m_map;
    Font m_font;
    std::list<Image> m_texts;
};

void Save(const Picture& p, const std::string& name)
{
    const std::string path = std::string(BRASK_SCREENSHOT_DIR) + "/" + name;
    std::vector<uint32_t> argb(p.pixels.size());
    for (size_t i = 0; i < argb.size(); ++i)
        argb[i] = (p.pixels[i] >> 8) | (p.pixels[i] << 24);
    EXPECT_TRUE(WritePng(path, p.width, p.height, argb.data())) << path;
}

}  // namespace

TEST(AssetPictures, ContactSheetOfEverySprite)
{
    Scenes scenes;
    ASSERT_TRUE(scenes.Ready());
    const int tile = 200, columns = 8;
    const auto& sprites = scenes.Sprites();
    const int rows = (static_cast<int>(sprites.size()) + columns - 1) / columns;
    Picture sheet(columns * tile, rows * (tile + 20), 0x201C30FF);
    int i = 0;
    for (const auto& [key, sprite] : sprites) {
        const int left = i % columns * tile, top = i / columns * (tile + 20);
        for (int y = 0; y < tile - 10; ++y)
            for (int x = 0; x < tile - 10; ++x)
                sheet.At(left + 5 + x, top + 5 + y) = ((x / 10 + y / 10) % 2) ? 0x3A3650FF : 0x2C2840FF;
        Blit(sheet, CellOf(sprite), left + 5, top + 5, tile - 10);
        Label(sheet, scenes.TextFont(), key, left + 5, top + tile - 2);
        ++i;
    }
    Save(sheet, "assets-contact-sheet.png");
}

TEST(AssetPictures, AttractScreenThroughTheCamera)
{
    Scenes s;
    ASSERT_TRUE(s.Ready());
    std::vector<Draw> d;
    s.Sprite(d, "title", 1224, -700, 1624, 1624);
    s.Text(d, std::string(49, ' '), 1224, -900, 1);
    s.Text(d, "INSERT COIN", 1030, -300, 2);
    s.Panels(d, 0, 0, 0, -30);
    Save(RenderScene(1224, 0, 0, d), "assets-attract.png");
}

TEST(AssetPictures, ZonesThroughTheCamera)
{
    Scenes s;
    ASSERT_TRUE(s.Ready());
    struct Zone {
        const char* file;
        int playerX, row;
    };
    for (const Zone z : {Zone{"assets-zone-paddle.png", 0, 180}, Zone{"assets-zone-car.png", 1224, 300},
                         Zone{"assets-zone-ship.png", 2440, 420}}) {
        std::vector<Draw> d;
        s.PaddleScenery(d, 120, -760);
        s.Backgrounds(d, 400);
        if (z.playerX > 1850) {
            for (int dx : {0, 75, -75})
                s.Sprite(d, "s-ship", z.playerX + static_cast<float>(dx), -300, 150, 150);
        } else if (z.playerX < 500) {
            s.Sprite(d, "p-bar", static_cast<float>(z.playerX), -300, 2 * 30 + 150, 150);
        } else {
            s.Sprite(d, "shield2", static_cast<float>(z.playerX), -300, 150, 150);
        }
        s.Course(d, z.row);
        for (int b = 0; b < 3; ++b)
            s.Sprite(d, "type18", z.playerX - 40.0f + 40 * b, -500.0f - 105 * b, 70, 70);
        s.Hud(d, 55, z.row, 4200);
        s.Explosion(d, z.playerX + 200.0f, -900);
        s.Panels(d, 30, 63, -63, -30);
        Save(RenderScene(z.playerX, 1, 40, d), z.file);
    }
}
