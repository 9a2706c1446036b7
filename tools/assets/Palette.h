#pragma once
// The one palette every picture of the set is drawn from: deep night blues, warm neon accents.
#include "Canvas.h"

namespace assets::palette {

constexpr Rgba kInk = MakeRgba(13, 11, 26);  // outlines
constexpr Rgba kNight = MakeRgba(26, 22, 51);
constexpr Rgba kDusk = MakeRgba(43, 35, 80);
constexpr Rgba kViolet = MakeRgba(74, 58, 122);
constexpr Rgba kSteelDark = MakeRgba(60, 70, 96);
constexpr Rgba kSteel = MakeRgba(107, 120, 147);
constexpr Rgba kSteelLight = MakeRgba(169, 180, 200);
constexpr Rgba kWhite = MakeRgba(244, 241, 232);
constexpr Rgba kRedDark = MakeRgba(140, 31, 51);
constexpr Rgba kRed = MakeRgba(224, 52, 74);
constexpr Rgba kPink = MakeRgba(255, 122, 162);
constexpr Rgba kOrange = MakeRgba(240, 122, 42);
constexpr Rgba kAmber = MakeRgba(255, 176, 48);
constexpr Rgba kYellow = MakeRgba(255, 228, 92);
constexpr Rgba kGreenDark = MakeRgba(31, 122, 74);
constexpr Rgba kGreen = MakeRgba(63, 196, 106);
constexpr Rgba kLime = MakeRgba(168, 236, 90);
constexpr Rgba kTeal = MakeRgba(29, 138, 150);
constexpr Rgba kCyan = MakeRgba(63, 214, 230);
constexpr Rgba kSky = MakeRgba(159, 240, 255);
constexpr Rgba kBlueDark = MakeRgba(35, 58, 158);
constexpr Rgba kBlue = MakeRgba(63, 110, 240);
constexpr Rgba kBrown = MakeRgba(122, 74, 42);
constexpr Rgba kTan = MakeRgba(192, 138, 90);
constexpr Rgba kAsphalt = MakeRgba(53, 52, 63);
constexpr Rgba kAsphaltLight = MakeRgba(74, 72, 86);
constexpr Rgba kGrass = MakeRgba(42, 90, 52);
constexpr Rgba kSkin = MakeRgba(232, 168, 124);
constexpr Rgba kSkinDark = MakeRgba(178, 110, 80);

}  // namespace assets::palette
