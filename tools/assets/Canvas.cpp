#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace assets {

Rgba WithAlpha(Rgba c, int alpha)
{
    return (c & 0xFFFFFF00u) | static_cast<Rgba>(alpha & 255);
}

Rgba Mix(Rgba a, Rgba b, float t)
{
    auto lerp = [t](int u, int v) { return static_cast<int>(std::lround(u + (v - u) * t)); };
    return MakeRgba(lerp(Red(a), Red(b)), lerp(Green(a), Green(b)), lerp(Blue(a), Blue(b)),
                    lerp(Alpha(a), Alpha(b)));
}

Canvas::Canvas(int width, int height, Rgba fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height, fill)
{
}

Rgba Canvas::Get(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return kClear;
    return m_pixels[static_cast<size_t>(y) * m_width + x];
}

void Canvas::Set(int x, int y, Rgba c)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[static_cast<size_t>(y) * m_width + x] = c;
}

void Canvas::Blend(int x, int y, Rgba c)
{
    const int a = Alpha(c);
    if (a == 255 || Alpha(Get(x, y)) == 0) {
        if (a > 0)
            Set(x, y, c);
        return;
    }
    const Rgba under = Get(x, y);
    const float sa = a / 255.0f;
    const float da = Alpha(under) / 255.0f * (1 - sa);
    const float oa = sa + da;
    auto channel = [&](int s, int d) { return static_cast<int>(std::lround((s * sa + d * da) / oa)); };
    Set(x, y, MakeRgba(channel(Red(c), Red(under)), channel(Green(c), Green(under)),
                       channel(Blue(c), Blue(under)), static_cast<int>(std::lround(oa * 255))));
}

void Canvas::Fill(Rgba c)
{
    std::fill(m_pixels.begin(), m_pixels.end(), c);
}

void Canvas::Rect(int x0, int y0, int x1, int y1, Rgba c)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            Blend(x, y, c);
}

void Canvas::Disc(float cx, float cy, float r, Rgba c)
{
    Ring(cx, cy, -1, r, c);
}

void Canvas::Ring(float cx, float cy, float r0, float r1, Rgba c)
{
    for (int y = static_cast<int>(cy - r1 - 1); y <= static_cast<int>(cy + r1 + 1); ++y)
        for (int x = static_cast<int>(cx - r1 - 1); x <= static_cast<int>(cx + r1 + 1); ++x) {
            const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
            if (d <= r1 && d > r0)
                Blend(x, y, c);
        }
}

void Canvas::Line(float x0, float y0, float x1, float y1, float width, Rgba c)
{
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = std::max(dx * dx + dy * dy, 1e-6f);
    const float half = width / 2;
    const int xa = static_cast<int>(std::floor(std::min(x0, x1) - half)), xb = static_cast<int>(std::ceil(std::max(x0, x1) + half));
    const int ya = static_cast<int>(std::floor(std::min(y0, y1) - half)), yb = static_cast<int>(std::ceil(std::max(y0, y1) + half));
    for (int y = ya; y <= yb; ++y)
        for (int x = xa; x <= xb; ++x) {
            const float px = x + 0.5f, py = y + 0.5f;
            const float t = std::clamp(((px - x0) * dx + (py - y0) * dy) / len2, 0.0f, 1.0f);
            if (std::hypot(px - (x0 + t * dx), py - (y0 + t * dy)) <= half)
                Blend(x, y, c);
        }
}

void Canvas::Polygon(const std::vector<Point>& points, Rgba c)
{
    for (int y = 0; y < m_height; ++y) {
        const float py = y + 0.5f;
        std::vector<float> crossings;
        for (size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i], b = points[(i + 1) % points.size()];
            if ((a.y <= py) != (b.y <= py))
                crossings.push_back(a.x + (py - a.y) / (b.y - a.y) * (b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5f)); x + 0.5f < crossings[i + 1]; ++x)
                Blend(x, y, c);
    }
}

void Canvas::Art(int x, int y, const std::vector<std::string>& rows, const std::string& keys,
                 const std::vector<Rgba>& colours, int scale)
{
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t col = 0; col < rows[r].size(); ++col) {
            const size_t k = keys.find(rows[r][col]);
            if (k == std::string::npos || k >= colours.size())
                continue;
            for (int sy = 0; sy < scale; ++sy)
                for (int sx = 0; sx < scale; ++sx)
                    Blend(x + static_cast<int>(col) * scale + sx, y + static_cast<int>(r) * scale + sy, colours[k]);
        }
}

void Canvas::Outline(Rgba c)
{
    const Canvas before = *this;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            if (Alpha(before.Get(x, y)) != 0)
                continue;
            const bool edge = Alpha(before.Get(x - 1, y)) > 128 || Alpha(before.Get(x + 1, y)) > 128 ||
                              Alpha(before.Get(x, y - 1)) > 128 || Alpha(before.Get(x, y + 1)) > 128;
            if (edge)
                Set(x, y, c);
        }
}

void Canvas::Bevel(float light, float dark)
{
    const Canvas before = *this;
    const Rgba white = MakeRgba(255, 255, 255), black = MakeRgba(0, 0, 0);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            const Rgba c = before.Get(x, y);
            if (Alpha(c) == 0)
                continue;
            if (Alpha(before.Get(x - 1, y)) == 0 || Alpha(before.Get(x, y - 1)) == 0)
                Set(x, y, WithAlpha(Mix(c, white, light), Alpha(c)));
            else if (Alpha(before.Get(x + 1, y)) == 0 || Alpha(before.Get(x, y + 1)) == 0)
                Set(x, y, WithAlpha(Mix(c, black, dark), Alpha(c)));
        }
}

void Canvas::Paste(const Canvas& source, int x, int y)
{
    for (int sy = 0; sy < source.Height(); ++sy)
        for (int sx = 0; sx < source.Width(); ++sx)
            Blend(x + sx, y + sy, source.Get(sx, sy));
}

Canvas Canvas::MirroredX() const
{
    Canvas out(m_width, m_height);
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
            out.Set(m_width - 1 - x, y, Get(x, y));
    return out;
}

}  // namespace assets
