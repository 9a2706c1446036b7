// Checks the generated data set (the tests run in the data folder) through the file formats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include <unistd.h>

#include "AssetFiles.h"
#include "AssetNames.h"

using namespace assetcheck;

namespace {

const std::vector<std::string>& SpriteNames()
{
    return assetnames::Sprites();
}
const std::vector<std::string>& kEffects = assetnames::Effects();
const std::vector<std::string>& kMusic = assetnames::Music();

double PeakDbfs(const Wave& w)
{
    int peak = 1;
    for (int16_t s : w.samples)
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    return 20 * std::log10(peak / 32768.0);
}

std::vector<int> ReadMap()
{
    std::ifstream in("graphics/map.txt");
    std::vector<int> values;
    std::string token;
    while (in >> token)
        values.push_back(std::stoi(token));
    return values;
}

}  // namespace

TEST(AssetSet, EverySpriteLoadsAndItsCellsLieInsideTheSheet)
{
    std::set<long> kinds;
    for (const std::string& name : SpriteNames()) {
        SCOPED_TRACE(name);
        const auto sprite = LoadSprite(name);
        ASSERT_TRUE(sprite.has_value());
        const Description& d = sprite->description;
        kinds.insert(d.kind);
        const std::string extension = d.kind == 1 ? ".bmp" : ".tga";
        EXPECT_EQ(d.image.substr(d.image.size() - 4), extension);
        ASSERT_GT(d.cellWidth, 0);
        ASSERT_GT(d.cellHeight, 0);
        for (const auto& animation : d.animations)
            for (const auto& [column, row] : animation) {
                EXPECT_GE(column, 0);
                EXPECT_GE(row, 0);
                EXPECT_LE((d.cellWidth + 1) * column + d.cellWidth + 1, static_cast<long>(sprite->image.width));
                EXPECT_LE((d.cellHeight + 1) * row + d.cellHeight + 1, static_cast<long>(sprite->image.height));
            }
        bool anyVisible = false;
        for (long y = 0; y < d.cellHeight; ++y)
            for (long x = 0; x < d.cellWidth; ++x)
                anyVisible = anyVisible || (CellTexel(*sprite, x, y) & 255) != 0;
        EXPECT_TRUE(anyVisible);
    }
    EXPECT_EQ(kinds, (std::set<long>{1, 2}));
}

TEST(AssetSet, BitmapsKeepTheKeyColourOutOfTheirPicture)
{
    // A keyed bitmap must not lose pixels it meant to show: opaque pixels never use the key.
    for (const std::string& name : SpriteNames()) {
        const auto sprite = LoadSprite(name);
        ASSERT_TRUE(sprite.has_value()) << name;
        if (sprite->description.kind != 1)
            continue;
        const Description& d = sprite->description;
        long keyed = 0;
        for (long y = 0; y < d.cellHeight; ++y)
            for (long x = 0; x < d.cellWidth; ++x)
                keyed += (CellTexel(*sprite, x, y) & 255) == 0;
        if (name == "graphics\\title" || name == "graphics\\r-map1" || name == "graphics\\s-map1") {
            EXPECT_EQ(keyed, 0) << name << " is a full picture";
        }
    }
}

TEST(AssetSet, ScrollingBackgroundsTileVertically)
{
    for (const char* name : {"graphics\\r-map1", "graphics\\s-map1"}) {
        const auto s = LoadSprite(name);
        ASSERT_TRUE(s.has_value());
        const long w = s->description.cellWidth, h = s->description.cellHeight;
        long differing = 0;
        for (long x = 0; x < w; ++x)
            differing += CellTexel(*s, x, 0) != CellTexel(*s, x, h - 1);
        EXPECT_LT(differing, w / 2) << name;  // the top row continues the bottom one (stars and grain aside)
    }
}

TEST(AssetSet, EverySoundIsCanonicalPcmWithHeadroom)
{
    for (const std::string& name : kEffects) {
        SCOPED_TRACE(name);
        const auto file = ReadGameFile("sounds\\" + name + ".wav");
        ASSERT_TRUE(file.has_value());
        const auto wave = ReadCanonicalWave(*file);
        ASSERT_TRUE(wave.has_value());
        const double seconds = wave->samples.size() / static_cast<double>(wave->sampleRate * wave->channels);
        EXPECT_GT(seconds, 0.05);
        EXPECT_LT(seconds, 1.5);
        EXPECT_NEAR(PeakDbfs(*wave), -6.0, 0.5);
    }
    for (const std::string& name : kMusic) {
        SCOPED_TRACE(name);
        const auto file = ReadGameFile("sounds\\" + name + ".wav");
        ASSERT_TRUE(file.has_value());
        const auto wave = ReadCanonicalWave(*file);
        ASSERT_TRUE(wave.has_value());
        const double seconds = wave->samples.size() / static_cast<double>(wave->sampleRate * wave->channels);
        EXPECT_GE(seconds, 15.0);
        EXPECT_LE(seconds, 40.0);
        EXPECT_LT(PeakDbfs(*wave), -9.0);
        EXPECT_GT(PeakDbfs(*wave), -16.0);
        // The loop seam: the last sample leads back into the first without a step.
        EXPECT_LE(std::abs(wave->samples.front() - wave->samples.back()), 64);
    }
}

TEST(AssetSet, FontHoldsEveryPrintableCharacterAndSomeDoubleByteOnes)
{
    const auto file = ReadGameFile("ArcadeClassic32.fnt");
    ASSERT_TRUE(file.has_value());
    const auto font = ReadFont(*file);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->lineHeight, 32);
    std::set<uint16_t> codes;
    uint16_t last = 0;
    int doubleByte = 0;
    for (const Glyph& g : font->glyphs) {
        EXPECT_GT(g.code, last) << "codes must ascend";
        last = g.code;
        codes.insert(g.code);
        doubleByte += g.code >= 0x8000;
        EXPECT_GE(g.width, 16);
        EXPECT_LE(g.width, 20);
        const bool inked = std::any_of(g.pixels.begin(), g.pixels.end(), [](uint8_t p) { return p == 3; });
        EXPECT_EQ(inked, g.code != ' ') << "glyph " << g.code;
    }
    for (uint16_t c = 0x20; c < 0x7F; ++c)
        EXPECT_TRUE(codes.count(c)) << "missing " << static_cast<char>(c);
    EXPECT_GE(doubleByte, 3);
}

TEST(AssetSet, InsertCoinIsCentredOverTheTitle)
{
    const auto font = ReadFont(*ReadGameFile("ArcadeClassic32.fnt"));
    ASSERT_TRUE(font.has_value());
    int width = 0;
    for (char c : std::string("INSERT COIN"))
        for (const Glyph& g : font->glyphs)
            if (g.code == static_cast<uint8_t>(c))
                width += g.width;
    EXPECT_NEAR(1030 + width * 2 / 2.0, 1224, 20);  // drawn at x 1030 with scale 2
}

TEST(AssetSet, MapHoldsTwelveThousandValuesInRange)
{
    const std::vector<int> map = ReadMap();
    ASSERT_EQ(map.size(), 12000u);
    for (int v : map)
        EXPECT_TRUE(v >= -1 && v <= 24) << v;
}

TEST(AssetSet, CourseKeepsEachZoneToItsOwnObjects)
{
    const std::vector<int> map = ReadMap();
    ASSERT_EQ(map.size(), 12000u);
    int court = 0, road = 0, space = 0, fuel = 0, roadEarly = 0, roadLate = 0;
    for (int r = 0; r < 500; ++r) {
        int roadInRow = 0;
        for (int c = 0; c < 24; ++c) {
            const int v = map[r * 24 + c];
            if (v == -1)
                continue;
            fuel += v == 22;
            if (v >= 20)
                continue;  // items may lie anywhere
            EXPECT_NE(v, 18) << "row " << r;
            EXPECT_NE(v, 19) << "row " << r;
            EXPECT_NE(c, 7) << "row " << r;
            if (c <= 6)
                ++court;
            else if (c <= 15) {
                EXPECT_LE(v, 9) << "row " << r << " column " << c;
                ++road;
                ++roadInRow;
                (r < 250 ? roadEarly : roadLate) += 1;
            } else {
                EXPECT_GE(v, 10) << "row " << r << " column " << c;
                ++space;
            }
        }
        EXPECT_LE(roadInRow, 6) << "row " << r << " walls the road off";
    }
    EXPECT_GT(road, 150);
    EXPECT_GT(space, 120);
    EXPECT_LT(court, road / 4);
    EXPECT_GT(roadLate, roadEarly);  // it gets harder
    EXPECT_GE(fuel * 20, 500 * 8 / 16);  // more than the car burns while the map lasts
}

#ifdef BRASK_ASSET_GENERATOR
TEST(AssetSet, GeneratorWritesTheSameBytesEveryTime)
{
    namespace fs = std::filesystem;
    const fs::path base = fs::temp_directory_path() / ("brask-assets-" + std::to_string(::getpid()));
    const fs::path a = base / "a", b = base / "b";
    fs::create_directories(a);
    fs::create_directories(b);
    for (const fs::path& dir : {a, b}) {
        const std::string command = std::string("\"") + BRASK_ASSET_GENERATOR + "\" \"" + dir.string() + "\"";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    size_t files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(a)) {
        if (!entry.is_regular_file())
            continue;
        const fs::path relative = fs::relative(entry.path(), a);
        std::ifstream fa(entry.path(), std::ios::binary), fb(b / relative, std::ios::binary), fd(relative, std::ios::binary);
        const std::string sa((std::istreambuf_iterator<char>(fa)), {}), sb((std::istreambuf_iterator<char>(fb)), {}),
            sd((std::istreambuf_iterator<char>(fd)), {});
        EXPECT_EQ(sa, sb) << relative;
        EXPECT_EQ(sa, sd) << relative << " differs from the data folder";
        ++files;
    }
    EXPECT_EQ(files, SpriteNames().size() * 2 + kEffects.size() + kMusic.size() + 2);
    fs::remove_all(base);
}
#endif
