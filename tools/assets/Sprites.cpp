#include "Sprites.h"

#include <cmath>

#include "Font.h"
#include "Palette.h"
#include "Random.h"

// Picture scale: small sprites are 32 x 32 cells drawn at 150 x 150 world units (about 4.7 units
// a pixel); backgrounds, panels and the frame use 4 to 10 units a pixel. Each picture below says
// where the game puts it, so that its content lands where the play happens.

namespace assets {
namespace {

using namespace palette;

constexpr float kPi = 3.14159265f;

void Finish(Canvas& c)
{
    c.Bevel(0.25f, 0.3f);
    c.Outline(kInk);
}

// ---- Player and traffic: top-down cars facing up (toward smaller y). ----

void DrawCar(Canvas& c, Rgba body, Rgba stripe, Rgba glass)
{
    for (int side : {9, 20}) {  // wheels
        c.Rect(side, 7, side + 2, 11, kSteelDark);
        c.Rect(side, 20, side + 2, 24, kSteelDark);
    }
    c.Rect(11, 4, 20, 27, body);
    c.Rect(12, 3, 19, 3, body);
    c.Rect(12, 28, 19, 28, body);
    c.Rect(15, 3, 16, 28, stripe);
    c.Rect(12, 9, 19, 12, glass);   // windscreen
    c.Rect(12, 21, 19, 22, glass);  // rear window
    c.Rect(11, 2, 13, 2, kYellow);  // headlights
    c.Rect(18, 2, 20, 2, kYellow);
    c.Rect(11, 29, 12, 29, kRed);   // tail lights
    c.Rect(19, 29, 20, 29, kRed);
}

Canvas PlayerCar()
{
    Canvas c(32, 32);
    DrawCar(c, kRed, kWhite, kSky);
    Finish(c);
    return c;
}

Canvas ShieldedCar(int level)
{
    Canvas c = PlayerCar();
    const Rgba tones[] = {kCyan, kSky, kBlue, kYellow};
    for (int ring = 0; ring < level; ++ring) {
        const float r = 15.5f - ring * 1.6f;
        c.Ring(16, 16, r - 1.2f, r, WithAlpha(tones[ring], 200 - ring * 20));
    }
    if (level >= 3)
        c.Disc(16, 16, 15.5f - level * 1.6f, WithAlpha(kSky, 40 + level * 10));
    if (level == 4)
        for (const Point p : {Point{5, 6}, Point{26, 8}, Point{6, 25}, Point{25, 26}}) {
            c.Set(static_cast<int>(p.x), static_cast<int>(p.y), kWhite);
            c.Set(static_cast<int>(p.x) + 1, static_cast<int>(p.y), WithAlpha(kWhite, 140));
            c.Set(static_cast<int>(p.x), static_cast<int>(p.y) + 1, WithAlpha(kWhite, 140));
        }
    return c;
}

// ---- Car-zone obstacles (r-ob1 .. r-ob10, types 0..9). ----

Canvas Boulder()
{
    Canvas c(32, 32);
    c.Polygon({{8, 12}, {14, 6}, {22, 7}, {26, 14}, {25, 23}, {17, 27}, {9, 24}, {6, 18}}, kSteel);
    c.Polygon({{14, 8}, {21, 9}, {19, 14}, {13, 13}}, kSteelLight);
    c.Line(12, 19, 19, 22, 1.2f, kSteelDark);
    c.Line(20, 13, 23, 18, 1.2f, kSteelDark);
    Finish(c);
    return c;
}

Canvas OilDrum()
{
    Canvas c(32, 32);
    c.Disc(16, 16, 10, kBlue);
    c.Ring(16, 16, 6, 7.5f, kBlueDark);
    c.Disc(16, 16, 3, kSky);
    c.Disc(12.5f, 12.5f, 1.5f, kInk);  // bung hole
    Finish(c);
    return c;
}

Canvas TrafficCone()
{
    Canvas c(32, 32);
    c.Polygon({{16, 3}, {24, 25}, {8, 25}}, kOrange);
    c.Rect(11, 11, 20, 13, kWhite);  // reflective bands
    c.Rect(9, 18, 22, 20, kWhite);
    c.Rect(5, 25, 26, 28, kSteelDark);  // base
    Finish(c);
    return c;
}

Canvas Truck()
{
    Canvas c(32, 32);
    for (int side : {8, 22}) {
        c.Rect(side, 6, side + 1, 9, kInk);
        c.Rect(side, 19, side + 1, 24, kInk);
    }
    c.Rect(10, 1, 21, 8, kYellow);     // cab
    c.Rect(11, 3, 20, 5, kSky);        // windscreen
    c.Rect(9, 10, 22, 30, kSteelLight);  // trailer
    for (int y = 12; y < 30; y += 4)
        c.Rect(10, y, 21, y, kSteel);
    Finish(c);
    return c;
}

Canvas TrafficCar(Rgba body, Rgba stripe)
{
    Canvas c(32, 32);
    DrawCar(c, body, stripe, kSky);
    Finish(c);
    return c;
}

Canvas Van()
{
    Canvas c(32, 32);
    for (int side : {9, 20}) {
        c.Rect(side, 6, side + 2, 10, kInk);
        c.Rect(side, 21, side + 2, 25, kInk);
    }
    c.Rect(11, 3, 20, 28, kViolet);
    c.Rect(12, 5, 19, 8, kSky);
    c.Rect(12, 11, 19, 26, MakeRgba(104, 84, 164));
    c.Rect(13, 14, 18, 15, kPink);
    Finish(c);
    return c;
}

Canvas PoliceCar()
{
    Canvas c(32, 32);
    DrawCar(c, kWhite, kInk, kSky);
    c.Rect(11, 14, 20, 19, kInk);
    c.Rect(12, 15, 15, 18, kRed);  // light bar
    c.Rect(16, 15, 19, 18, kBlue);
    Finish(c);
    return c;
}

Canvas Motorbike()
{
    Canvas c(32, 32);
    c.Rect(15, 3, 16, 8, kInk);     // front wheel
    c.Rect(15, 23, 16, 28, kInk);   // rear wheel
    c.Rect(14, 8, 17, 23, kGreen);  // frame
    c.Rect(10, 10, 21, 11, kSteelLight);  // handlebars
    c.Disc(16, 15, 3.5f, kAmber);   // rider's helmet
    c.Rect(15, 13, 16, 14, kInk);
    Finish(c);
    return c;
}

// ---- Ship-zone enemies (s-ob1 .. s-ob8, types 10..17), facing down toward the player. ----

Canvas Asteroid(uint32_t seed, float radius, Rgba tone)
{
    Canvas c(32, 32);
    Random random(seed);
    std::vector<Point> outline;
    for (int i = 0; i < 11; ++i) {
        const float a = i * 2 * kPi / 11, r = radius * (0.8f + 0.2f * random.Unit());
        outline.push_back({16 + r * std::cos(a), 16 + r * std::sin(a)});
    }
    c.Polygon(outline, tone);
    for (int i = 0; i < 3; ++i)
        c.Disc(11 + random.Below(10), 11 + random.Below(10), 1.5f + random.Unit() * 1.5f, Mix(tone, kInk, 0.4f));
    Finish(c);
    return c;
}

Canvas Satellite()
{
    Canvas c(32, 32);
    c.Rect(3, 13, 10, 19, kBlueDark);  // solar panels
    c.Rect(21, 13, 28, 19, kBlueDark);
    for (int x : {5, 8, 23, 26})
        c.Rect(x, 13, x, 19, kBlue);
    c.Rect(11, 15, 20, 17, kSteel);
    c.Disc(16, 16, 5, kSteelLight);
    c.Disc(16, 16, 2, kRed);
    Finish(c);
    return c;
}

Canvas Meteor()
{
    Canvas c(32, 32);
    for (int i = 0; i < 5; ++i)  // flame trail behind it, upward
        c.Disc(16, 14.0f - i * 3, 5.5f - i, WithAlpha(i < 2 ? kAmber : kOrange, 255));
    c.Disc(16, 21, 6, kBrown);
    c.Disc(14, 19, 2, kTan);
    Finish(c);
    return c;
}

Canvas Saucer()
{
    Canvas c(32, 32);
    c.Disc(16, 14, 6, kSky);
    c.Polygon({{3, 17}, {9, 13}, {23, 13}, {29, 17}, {23, 21}, {9, 21}}, kGreen);
    for (int x = 8; x <= 24; x += 4)
        c.Rect(x, 17, x + 1, 18, kYellow);
    Finish(c);
    return c;
}

Canvas Bomber()
{
    Canvas c(32, 32);
    c.Polygon({{2, 8}, {16, 14}, {30, 8}, {26, 18}, {16, 22}, {6, 18}}, kRed);
    c.Polygon({{12, 4}, {20, 4}, {19, 24}, {16, 29}, {13, 24}}, kRedDark);
    c.Rect(14, 20, 17, 24, kAmber);  // bomb bay
    c.Rect(13, 4, 18, 5, kOrange);   // engines (at the back, top)
    Finish(c);
    return c;
}

Canvas Hunter()
{
    Canvas c(32, 32);
    c.Polygon({{16, 29}, {28, 12}, {22, 4}, {10, 4}, {4, 12}}, kViolet);
    c.Disc(16, 15, 6, kInk);
    c.Disc(16, 16, 4.5f, kPink);
    c.Disc(16, 17.5f, 1.8f, kWhite);
    Finish(c);
    return c;
}

Canvas Mine()
{
    Canvas c(32, 32);
    for (int i = 0; i < 8; ++i) {
        const float a = i * kPi / 4;
        c.Line(16, 16, 16 + 13 * std::cos(a), 16 + 13 * std::sin(a), 2.2f, kSteel);
    }
    c.Disc(16, 16, 8, kSteelDark);
    c.Disc(16, 16, 3.5f, kRed);
    c.Disc(15, 15, 1.2f, kPink);
    Finish(c);
    return c;
}

Canvas Cruiser()
{
    Canvas c(32, 32);
    c.Polygon({{16, 31}, {29, 18}, {29, 4}, {3, 4}, {3, 18}}, kSteel);
    c.Polygon({{16, 26}, {24, 17}, {24, 8}, {8, 8}, {8, 17}}, kSteelDark);
    c.Rect(6, 1, 9, 4, kAmber);   // engines at the back
    c.Rect(22, 1, 25, 4, kAmber);
    c.Disc(16, 15, 3.5f, kRed);   // armoured core
    c.Rect(5, 10, 6, 16, kSteelLight);
    c.Rect(25, 10, 26, 16, kSteelLight);
    Finish(c);
    return c;
}

Canvas PlayerBullet()
{
    Canvas c(16, 16);
    c.Rect(7, 2, 8, 13, kCyan);
    c.Rect(7, 1, 8, 4, kWhite);
    c.Rect(6, 4, 9, 9, WithAlpha(kSky, 255));
    c.Rect(7, 3, 8, 10, kWhite);
    c.Outline(kTeal);
    return c;
}

Canvas EnemyBullet()
{
    Canvas c(16, 16);
    c.Disc(8, 8, 5, kOrange);
    c.Disc(8, 8, 3, kYellow);
    c.Disc(7, 7, 1.2f, kWhite);
    c.Outline(kRedDark);
    return c;
}

Canvas PlayerShip()
{
    Canvas c(32, 32);
    c.Polygon({{16, 2}, {20, 14}, {29, 22}, {29, 26}, {19, 24}, {13, 24}, {3, 26}, {3, 22}, {12, 14}}, kWhite);
    c.Polygon({{16, 8}, {18, 16}, {14, 16}}, kCyan);  // cockpit
    c.Rect(3, 18, 4, 26, kRed);                       // wing tips
    c.Rect(28, 18, 29, 26, kRed);
    c.Rect(14, 24, 18, 26, kSteel);
    c.Rect(14, 27, 18, 28, kAmber);  // engine flame
    c.Rect(15, 29, 17, 30, kYellow);
    Finish(c);
    return c;
}

// ---- Items: a rounded capsule in the item's colour with a white sign. ----

Canvas Item(Rgba rim, Rgba face, const std::vector<std::string>& sign, Rgba signColour)
{
    Canvas c(32, 32);
    c.Rect(5, 3, 26, 28, rim);
    c.Rect(3, 5, 28, 26, rim);
    c.Rect(4, 4, 27, 27, rim);
    c.Rect(6, 6, 25, 25, face);
    c.Art(16 - static_cast<int>(sign[0].size()) / 2 * 1, 16 - static_cast<int>(sign.size()) / 2, sign, "#o",
          {signColour, kInk});
    c.Outline(kInk);
    return c;
}

const std::vector<std::string> kMinusSign = {
    "..............", "..............", "..............", "..............", "..............",
    ".############.", ".############.", ".############.", "..............", "..............",
    "..............", "..............", "..............", ".............."};
const std::vector<std::string> kPlusSign = {
    "..............", ".....####.....", ".....####.....", ".....####.....", ".....####.....",
    ".############.", ".############.", ".############.", ".....####.....", ".....####.....",
    ".....####.....", ".....####.....", "..............", ".............."};
const std::vector<std::string> kFuelSign = {  // a petrol pump with its hose
    "..............", ".#########....", ".#.......#.#..", ".#.......#..#.", ".#.......#..#.",
    ".#########..#.", ".#########..#.", ".#########..#.", ".#########.##.", ".#########.#..",
    ".#########.#..", ".#########....", "############..", ".............."};
const std::vector<std::string> kShieldSign = {
    "..............", ".############.", ".############.", ".##........##.", ".##...##...##.",
    ".##..####..##.", ".##.######.##.", ".##...##...##.", "..##..##..##..", "..##......##..",
    "...##....##...", "....##..##....", ".....####.....", "......##......"};
const std::vector<std::string> kGunsSign = {  // two bullets flying up
    "..............", "...#......#...", "..###....###..", "..###....###..", ".#####..#####.",
    ".#####..#####.", ".#####..#####.", ".#####..#####.", ".#####..#####.", ".#####..#####.",
    ".#####..#####.", "..............", ".############.", ".############."};

// ---- Paddle court (the court spans x -470..450, y -1320..-320). ----

Canvas PaddleBar()
{
    Canvas c(32, 32);  // drawn (level * 30 + 150) x 150; the bar is the middle 28 units
    c.Rect(1, 13, 30, 18, kCyan);
    c.Rect(0, 14, 31, 17, kCyan);
    c.Rect(2, 14, 29, 14, kSky);
    c.Rect(2, 17, 29, 17, kTeal);
    return c;
}

Canvas TopBar()
{
    Canvas c(32, 32);
    c.Rect(2, 14, 29, 17, kPink);
    c.Rect(3, 14, 28, 14, kWhite);
    c.Rect(3, 17, 28, 17, kRed);
    return c;
}

Canvas Wall()
{
    Canvas c(100, 100);  // 1000 x 1000 units: a 20-unit bar on the centre column, full height
    c.Rect(48, 0, 51, 99, kTeal);
    c.Rect(49, 0, 50, 99, kCyan);
    for (int y = 5; y < 100; y += 10)
        c.Rect(49, y, 50, y, kSky);
    return c;
}

Canvas CentreLine()
{
    Canvas c(100, 100);  // dashes across the court at its middle row
    for (int x = 6; x < 94; x += 6)
        c.Rect(x, 49, x + 2, 50, kSteel);
    return c;
}

Canvas Ball()
{
    Canvas c(8, 8);
    c.Disc(4, 4, 3.9f, kWhite);
    c.Disc(3, 3, 1.5f, MakeRgba(255, 255, 255));
    c.Rect(5, 6, 6, 6, kSteelLight);
    return c;
}

// ---- Scrolling backgrounds (1100 x 2000 units, 5 units a pixel). ----

// The road spans x 650..1750; map columns 8..15 run down its eight lanes. Its stripes repeat
// every 100 units (20 pixels), the road's step per frame, so every seam of the pair matches.
Canvas Road()
{
    Canvas c(220, 400, kAsphalt);
    Random random(0x50AD);
    for (int y = 0; y < 400; ++y)
        for (int x = 0; x < 220; ++x)
            if (random.Below(9) == 0)
                c.Set(x, y, random.Below(3) ? kAsphaltLight : MakeRgba(44, 43, 53));
    for (int y = 0; y < 400; ++y) {
        const bool redBlock = (y / 10) % 2 == 0;
        c.Rect(0, y, 3, y, redBlock ? kRed : kWhite);
        c.Rect(216, y, 219, y, redBlock ? kRed : kWhite);
        c.Rect(5, y, 6, y, kSteelLight);
        c.Rect(213, y, 214, y, kSteelLight);
        if (y % 20 < 10)
            for (int lane = 0; lane < 7; ++lane) {
                const int x = 26 + lane * 29;
                c.Rect(x, y, x + 1, y, kSteelLight);
            }
    }
    return c;
}

// The starfield spans x 1900..3000. Stars wrap at the top and bottom so the picture tiles.
Canvas Starfield()
{
    Canvas c(220, 400, kNight);
    Random random(0x57A5);
    for (int i = 0; i < 420; ++i) {
        const int x = random.Below(220), y = random.Below(400);
        const int kind = random.Below(20);
        const Rgba tone = kind < 12 ? kSteel : kind < 17 ? kSteelLight : kind < 19 ? kSky : kYellow;
        c.Set(x, y, tone);
        if (kind >= 17) {
            for (const Point d : {Point{-1, 0}, Point{1, 0}, Point{0, -1}, Point{0, 1}})
                c.Set((x + static_cast<int>(d.x) + 220) % 220, (y + static_cast<int>(d.y) + 400) % 400,
                      Mix(tone, kNight, 0.5f));
        }
    }
    return c;
}

// ---- Control deck (each panel 1224 x 1224 units centred on y 0; clear above y -62). ----

constexpr int kDeckTop = 115;  // image row of the deck's top edge

void DrawDeck(Canvas& c, Rgba accent)
{
    c.Rect(0, kDeckTop, 255, 255, kDusk);
    c.Rect(0, kDeckTop, 255, kDeckTop + 2, accent);
    c.Rect(0, kDeckTop, 255, kDeckTop, Mix(accent, kWhite, 0.5f));
    c.Rect(0, kDeckTop + 3, 255, kDeckTop + 3, kInk);
    for (int y = kDeckTop + 12; y < 256; y += 12)
        c.Rect(0, y, 255, y, kNight);
    for (int x = 6; x < 256; x += 40) {
        c.Set(x, kDeckTop + 7, kSteel);  // screws
        c.Set(x, kDeckTop + 20, kSteel);
    }
}

void DrawButton(Canvas& c, float x, float y, Rgba tone)
{
    c.Disc(x, y + 1, 6, kInk);
    c.Disc(x, y, 5.5f, tone);
    c.Disc(x - 1.5f, y - 1.5f, 1.8f, Mix(tone, kWhite, 0.6f));
}

Canvas PaddlePanel()
{
    Canvas c(256, 256);
    DrawDeck(c, kGreen);
    DrawButton(c, 36, 131, kGreen);
    DrawButton(c, 210, 131, kYellow);
    return c;
}

Canvas CarPanel()
{
    Canvas c(256, 256);
    DrawDeck(c, kOrange);
    DrawButton(c, 210, 131, kRed);
    DrawButton(c, 232, 131, kAmber);
    return c;
}

Canvas ShipPanel()
{
    Canvas c(256, 256);
    DrawDeck(c, kCyan);
    DrawButton(c, 194, 133, kRed);  // fire button, under the second hand
    DrawButton(c, 30, 131, kBlue);
    return c;
}

// ---- Hands: drawn upright around the picture's centre, which is the control's pivot. ----

void DrawFist(Canvas& c, float cx, float top)
{
    c.Rect(static_cast<int>(cx) - 9, static_cast<int>(top) + 14, static_cast<int>(cx) + 8,
           static_cast<int>(top) + 22, kBlue);  // sleeve
    c.Rect(static_cast<int>(cx) - 10, static_cast<int>(top) + 3, static_cast<int>(cx) + 9,
           static_cast<int>(top) + 14, kSkin);
    for (int i = 0; i < 4; ++i) {  // knuckles
        const int x = static_cast<int>(cx) - 9 + i * 5;
        c.Rect(x, static_cast<int>(top), x + 3, static_cast<int>(top) + 4, kSkin);
        c.Rect(x + 4, static_cast<int>(top) + 1, x + 4, static_cast<int>(top) + 8, kSkinDark);
    }
    c.Rect(static_cast<int>(cx) - 13, static_cast<int>(top) + 6, static_cast<int>(cx) - 10,
           static_cast<int>(top) + 12, kSkinDark);  // thumb
}

Canvas PaddleHand()
{
    Canvas c(200, 200);  // 1000 units at (-40, -40): a spinner knob of radius 120 units
    c.Disc(100, 100, 24, kSteelDark);
    c.Disc(100, 100, 21, kSteel);
    c.Ring(100, 100, 16, 18, kSteelLight);
    c.Rect(98, 78, 101, 90, kGreen);  // pointer notch, turns with the knob
    DrawFist(c, 100, 84);
    c.Outline(kInk);
    return c;
}

Canvas CarHand()
{
    Canvas c(200, 200);  // 1000 units at (1194, 0): a steering wheel of radius 180 units
    c.Ring(100, 100, 29, 36, kInk);
    c.Ring(100, 100, 30, 35, kSteelDark);
    c.Ring(100, 100, 32, 34, kSteel);
    for (float a : {kPi / 2, -kPi / 6, -5 * kPi / 6})
        c.Line(100, 100, 100 + 30 * std::cos(a), 100 + 30 * std::sin(a), 5, kSteelDark);
    c.Disc(100, 100, 9, kSteelDark);
    c.Disc(100, 100, 5, kOrange);
    c.Rect(97, 64, 103, 68, kOrange);  // top mark shows the turn
    DrawFist(c, 68, 84);  // hands at a quarter to three
    DrawFist(c, 132, 84);
    c.Outline(kInk);
    return c;
}

Canvas ShipHand()
{
    Canvas c(200, 200);  // 1000 units at (2294, -10): a joystick pivoting on its base
    c.Disc(100, 100, 10, kInk);
    c.Disc(100, 100, 8, kSteelDark);
    c.Rect(97, 68, 103, 100, kSteel);
    c.Rect(98, 68, 99, 100, kSteelLight);
    c.Disc(100, 66, 10, kRed);
    DrawFist(c, 100, 60);
    c.Outline(kInk);
    return c;
}

Canvas ShipFireHand()
{
    Canvas c(100, 100);  // 500 units at (2764, 40): a finger on the fire button
    c.Rect(44, 30, 56, 42, kSkin);      // back of the hand
    c.Rect(48, 42, 52, 48, kSkin);      // pointing finger
    c.Rect(52, 43, 52, 48, kSkinDark);
    c.Rect(42, 33, 43, 40, kSkinDark);  // thumb
    c.Rect(43, 18, 57, 30, kBlue);      // sleeve
    c.Outline(kInk);
    return c;
}

Canvas Dial()
{
    Canvas c(48, 48);  // 200 units at (884, -10): the car's tachometer, shaken by the engine
    c.Disc(24, 24, 22, kInk);
    c.Disc(24, 24, 20, kWhite);
    for (int i = 0; i <= 8; ++i) {
        const float a = kPi * (0.75f + i * 0.1875f);
        c.Line(24 + 15 * std::cos(a), 24 + 15 * std::sin(a), 24 + 19 * std::cos(a), 24 + 19 * std::sin(a), 1.5f,
               i >= 7 ? kRed : kInk);
    }
    c.Line(24, 24, 33, 13, 2.2f, kRed);
    c.Disc(24, 24, 3, kInk);
    return c;
}

// ---- The frame over the whole field (4900 x 5050 units at (1224, -1024), 10 units a pixel). ----

int FrameColumn(int worldX) { return (worldX + 1226) / 10; }

void DrawGlowColumn(Canvas& c, int column, Rgba tone)
{
    for (int dx = -3; dx <= 3; ++dx) {
        const int a = dx == 0 ? 255 : 120 / (std::abs(dx) * std::abs(dx));
        c.Rect(column + dx, 0, column + dx, c.Height() - 1, WithAlpha(dx == 0 ? Mix(tone, kWhite, 0.4f) : tone, a));
    }
}

Canvas Frame()
{
    Canvas c(490, 505);
    const int left = FrameColumn(-590), right = FrameColumn(3040);
    c.Rect(0, 0, left - 1, 504, WithAlpha(kNight, 215));  // bezel beside the field
    c.Rect(right + 1, 0, 489, 504, WithAlpha(kNight, 215));
    DrawGlowColumn(c, left, kViolet);
    DrawGlowColumn(c, right, kViolet);
    DrawGlowColumn(c, FrameColumn(560), kGreen);   // paddle | car
    DrawGlowColumn(c, FrameColumn(1825), kCyan);  // car | ship
    return c;
}

// ---- HUD. ----

Canvas GaugeBar()
{
    Canvas c(4, 16);  // one 2 x 40 unit step of the fuel gauge
    for (int y = 0; y < 16; ++y)
        c.Rect(0, y, 3, y, Mix(kLime, kGreen, y / 15.0f));
    return c;
}

// Drawn 300 x 300 at (1224, -190), over the gauge (x 1134..1334, y -220..-180). Light greys,
// so that the game's yellow and flickering tints read; clear where the car drives.
Canvas FuelIcon()
{
    Canvas c(64, 64);
    const Rgba rim = WithAlpha(kWhite, 230);
    c.Rect(11, 24, 57, 24, rim);  // gauge box
    c.Rect(11, 35, 57, 35, rim);
    c.Rect(11, 24, 11, 35, rim);
    c.Rect(57, 24, 57, 35, rim);
    for (int x = 14; x <= 54; x += 10)
        c.Rect(x, 37, x, 39, WithAlpha(kSteelLight, 220));
    c.Art(1, 22, {".####..", ".#..#..", ".#..#.#", ".####.#", ".####.#", ".####.#", ".####.#", "######."}, "#",
          {rim});  // pump
    return c;
}

// Drawn 500 x 500 at (1680, -500): the flag climbs from the bottom (start) to the top (finish).
Canvas Track()
{
    Canvas c(100, 100);
    c.Rect(48, 4, 51, 97, WithAlpha(kSteelLight, 150));
    for (int y = 10; y < 96; y += 10)
        c.Rect(45, y, 54, y, WithAlpha(kSteel, 170));
    for (int y = 0; y < 4; ++y)
        for (int x = 42; x < 58; ++x)
            c.Set(x, y, ((x / 2 + y / 2) % 2) ? kInk : kWhite);  // finish
    c.Rect(42, 97, 57, 99, kGreen);  // start
    return c;
}

Canvas Flag()
{
    Canvas c(40, 20);
    c.Rect(19, 1, 20, 19, kSteelLight);
    for (int y = 2; y < 11; ++y)
        for (int x = 21; x < 33; ++x)
            c.Set(x, y, ((x / 3 + y / 3) % 2) ? kInk : kWhite);
    c.Outline(kInk);
    return c;
}

// The explosion particle: a soft white blob, tinted by the game.
Canvas Particle()
{
    Canvas c(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const float d = std::hypot(x + 0.5f - 16, y + 0.5f - 16) / 15.5f;
            if (d < 1)
                c.Set(x, y, MakeRgba(255, 255, 255, static_cast<int>(255 * (1 - d) * (1 - d))));
        }
    return c;
}

// ---- Title (1624 x 1624 units at (1224, -700); rows 14..286 show above the deck). ----

void DrawTitleWord(Canvas& c, const std::string& word, int top, int sx, int sy, Rgba from, Rgba to)
{
    const int advance = (kGlyphDesignWidth + 1) * sx;
    const int left = (c.Width() - static_cast<int>(word.size()) * advance + sx) / 2;
    Canvas letters(c.Width(), c.Height());
    for (size_t i = 0; i < word.size(); ++i) {
        const std::vector<std::string> design = GlyphDesign(static_cast<uint8_t>(word[i]));
        for (size_t r = 0; r < design.size(); ++r) {
            const Rgba tone = Mix(from, to, r / 6.0f);
            for (size_t col = 0; col < design[r].size(); ++col)
                if (design[r][col] == '#')
                    letters.Rect(left + static_cast<int>(i * advance + col * sx), top + static_cast<int>(r) * sy,
                                 left + static_cast<int>(i * advance + col * sx) + sx - 1,
                                 top + static_cast<int>(r) * sy + sy - 1, tone);
        }
    }
    Canvas shadow(c.Width(), c.Height());
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (Alpha(letters.Get(x, y)))
                shadow.Set(x + 3, y + 4, kViolet);
    letters.Bevel(0.35f, 0.2f);
    shadow.Paste(letters, 0, 0);
    shadow.Outline(kInk);
    c.Paste(shadow, 0, 0);
}

Canvas Title()
{
    Canvas c(320, 320, kNight);
    for (int y = 0; y < 170; ++y)  // sky, darker at the top
        c.Rect(0, y, 319, y, Mix(kInk, kDusk, y / 170.0f));
    Random random(0x717E);
    for (int i = 0; i < 90; ++i)
        c.Set(random.Below(320), random.Below(150), random.Below(4) ? kSteel : kSky);
    c.Disc(160, 170, 58, kRedDark);  // setting sun behind the name
    c.Disc(160, 170, 54, kOrange);
    for (int y = 140; y < 175; y += 7)
        c.Rect(100, y, 220, y + 1, kRedDark);
    c.Rect(0, 170, 319, 319, kInk);  // grid floor
    for (int i = 0; i < 9; ++i) {
        const int y = 170 + static_cast<int>(std::pow(1.45f, static_cast<float>(i)) * 4);
        c.Rect(0, y, 319, y, kViolet);
    }
    for (int i = -10; i <= 10; ++i)
        c.Line(160, 170, 160 + i * 48.0f, 320, 1.2f, kViolet);
    // Both words fit between the frame's zone lines (image columns 29..278).
    DrawTitleWord(c, "TAMBERLO", 50, 3, 6, kYellow, kPink);
    DrawTitleWord(c, "ARCADE", 106, 4, 7, kSky, kBlue);
    c.Rect(0, 232, 319, 258, kInk);  // a quiet band for "INSERT COIN"
    c.Rect(0, 232, 319, 232, kViolet);
    c.Rect(0, 258, 319, 258, kViolet);
    return c;
}

SpriteFile Bmp(const std::string& name, Canvas cell, bool tiles = false)
{
    return {name, ImageKind::Bitmap, std::move(cell), tiles};
}

SpriteFile Tga(const std::string& name, Canvas cell)
{
    return {name, ImageKind::Targa, std::move(cell), false};
}

}  // namespace

std::vector<SpriteFile> AllSprites()
{
    std::vector<SpriteFile> s;
    s.push_back(Bmp("graphics\\title", Title()));
    s.push_back(Bmp("graphics\\p-control", PaddlePanel()));
    s.push_back(Tga("graphics\\p-control-hand", PaddleHand()));
    s.push_back(Bmp("graphics\\r-control", CarPanel()));
    s.push_back(Tga("graphics\\r-control-hand", CarHand()));
    s.push_back(Bmp("graphics\\r-control-c", Dial()));
    s.push_back(Bmp("graphics\\s-control", ShipPanel()));
    s.push_back(Tga("graphics\\s-control-hand", ShipHand()));
    s.push_back(Tga("graphics\\s-control-hand2", ShipFireHand()));
    s.push_back(Tga("graphics\\line", Frame()));
    s.push_back(Bmp("graphics\\p-bar", PaddleBar()));
    s.push_back(Bmp("graphics\\r-car", PlayerCar()));
    s.push_back(Bmp("graphics\\s-ship", PlayerShip()));
    s.push_back(Bmp("graphics\\p-line", Wall()));
    s.push_back(Bmp("graphics\\p-dotline", CentreLine()));
    s.push_back(Bmp("graphics\\p-ball", Ball()));
    s.push_back(Bmp("graphics\\p-bar2", TopBar()));
    s.push_back(Bmp("graphics\\r-map1", Road(), true));
    s.push_back(Bmp("graphics\\s-map1", Starfield(), true));
    s.push_back(Bmp("graphics\\gage", GaugeBar()));
    s.push_back(Tga("graphics\\fuel", FuelIcon()));
    s.push_back(Tga("graphics\\track", Track()));
    s.push_back(Bmp("graphics\\flag", Flag()));
    s.push_back(Tga("graphics\\par", Particle()));
    for (int level = 1; level <= 4; ++level)
        s.push_back(Tga("graphics\\levelup\\item-buffer" + std::to_string(level), ShieldedCar(level)));
    const std::vector<Canvas> carZone = {Boulder(), OilDrum(), TrafficCone(), Truck(),
                                         TrafficCar(kBlue, kSky), TrafficCar(kGreen, kLime), Van(),
                                         TrafficCar(kYellow, kInk), PoliceCar(), Motorbike()};
    for (size_t i = 0; i < carZone.size(); ++i)
        s.push_back(Bmp("graphics\\objects\\r-ob" + std::to_string(i + 1), carZone[i]));
    const std::vector<Canvas> shipZone = {Asteroid(0xA57E, 9, kTan), Satellite(), Meteor(), Saucer(), Bomber(),
                                          Hunter(), Mine(), Cruiser(), PlayerBullet(), EnemyBullet()};
    for (size_t i = 0; i < shipZone.size(); ++i)
        s.push_back(Bmp("graphics\\objects\\s-ob" + std::to_string(i + 1), shipZone[i]));
    s.push_back(Bmp("graphics\\items\\item-minus", Item(kRed, kRedDark, kMinusSign, kWhite)));
    s.push_back(Bmp("graphics\\items\\item-plus", Item(kGreen, kGreenDark, kPlusSign, kWhite)));
    s.push_back(Bmp("graphics\\items\\item-fuel", Item(kAmber, kBrown, kFuelSign, kYellow)));
    s.push_back(Bmp("graphics\\items\\item-buffer", Item(kCyan, kTeal, kShieldSign, kWhite)));
    s.push_back(Bmp("graphics\\items\\item-ship", Item(kOrange, kRedDark, kGunsSign, kYellow)));
    return s;
}

}  // namespace assets
