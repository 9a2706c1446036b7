#pragma once
// A picture in memory and the few drawing tools every sprite is made with.
#include <cstdint>
#include <string>
#include <vector>

namespace assets {

// R<<24 | G<<16 | B<<8 | A, the layout the engine keeps its pixels in.
using Rgba = uint32_t;

constexpr Rgba MakeRgba(int r, int g, int b, int a = 255)
{
    return static_cast<Rgba>((r & 255) << 24 | (g & 255) << 16 | (b & 255) << 8 | (a & 255));
}
constexpr int Red(Rgba c) { return c >> 24 & 255; }
constexpr int Green(Rgba c) { return c >> 16 & 255; }
constexpr int Blue(Rgba c) { return c >> 8 & 255; }
constexpr int Alpha(Rgba c) { return c & 255; }
constexpr Rgba kClear = 0;

Rgba WithAlpha(Rgba c, int alpha);
Rgba Mix(Rgba a, Rgba b, float t);

struct Point {
    float x;
    float y;
};

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = kClear);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    Rgba Get(int x, int y) const;
    void Set(int x, int y, Rgba c);
    // Source-over blending of c onto the pixel.
    void Blend(int x, int y, Rgba c);
    const std::vector<Rgba>& Pixels() const { return m_pixels; }

    void Fill(Rgba c);
    void Rect(int x0, int y0, int x1, int y1, Rgba c);  // inclusive corners
    void Disc(float cx, float cy, float r, Rgba c);
    void Ring(float cx, float cy, float r0, float r1, Rgba c);
    void Line(float x0, float y0, float x1, float y1, float width, Rgba c);
    void Polygon(const std::vector<Point>& points, Rgba c);
    // String art: each character of a row picks a colour from the legend; '.' leaves the pixel.
    void Art(int x, int y, const std::vector<std::string>& rows, const std::string& keys,
             const std::vector<Rgba>& colours, int scale = 1);
    // Every clear pixel next to an opaque one becomes the outline colour.
    void Outline(Rgba c);
    // Opaque pixels whose upper-left neighbour is clear get lighter, lower-right darker.
    void Bevel(float light, float dark);
    void Paste(const Canvas& source, int x, int y);
    Canvas MirroredX() const;

private:
    int m_width;
    int m_height;
    std::vector<Rgba> m_pixels;
};

}  // namespace assets
