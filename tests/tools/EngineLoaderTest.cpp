// Reads the generated data set (the tests run in the data folder) through the engine's own
// loaders on the fake backend, and holds what they read against the format readers.
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "../engine/FakeScreen.h"
#include "AssetFiles.h"
#include "AssetNames.h"
#include "fake/fake_dsound8.h"
#include "font.h"
#include "platform/crt.h"
#include "qnRGBAImage.h"
#include "qnSoundBuffer.h"
#include "qnSoundPlayer.h"
#include "qnSprite.h"

using namespace assetcheck;

namespace {

std::optional<Description> DescriptionOf(const std::string& kSprite)
{
    const auto kText = ReadGameFile(kSprite + ".txt");
    if (!kText) {
        return std::nullopt;
    }
    return ParseDescription(std::string(kText->begin(), kText->end()));
}

class EngineLoaderTest : public FakeScreenTest {
protected:
    void SetUp() override
    {
        FakeScreenTest::SetUp();
        MakeScreen();
    }
};

TEST_F(EngineLoaderTest, EverySpriteLoadsAndDrawsFrameZeroFromInsideItsSheet)
{
    for (const std::string& kName : assetnames::Sprites()) {
        SCOPED_TRACE(kName);
        const std::optional<Description> kDescription = DescriptionOf(kName);
        ASSERT_TRUE(kDescription.has_value());
        fake::d3d::ClearDraws();
        const int iTexturesBefore = fake::d3d::LiveTextures();
        {
            qnSprite kSprite;
            kSprite.Load((kName + ".txt").c_str());
            ASSERT_EQ(fake::d3d::LiveTextures(), iTexturesBefore + 1);
            IDirect3DTexture8* pkTexture = fake::d3d::Textures().back();
            const fake::d3d::Image& kTexels = *fake::d3d::TextureImage(pkTexture);

            kSprite.SetSize(static_cast<uint32_t>(kDescription->cellWidth),
                            static_cast<uint32_t>(kDescription->cellHeight));
            ASSERT_EQ(kSprite.Draw(0), QN_OK);
            // Without an animation nothing would be drawn.
            ASSERT_EQ(fake::d3d::Draws().size(), 1u);
            EXPECT_EQ(fake::d3d::Draws()[0].texture, pkTexture);
            const std::vector<qnTexturedVertex> kCorners = Vertices(fake::d3d::Draws()[0]);
            ASSERT_EQ(kCorners.size(), 4u);
            const qnTexturedVertex& kTopLeft = kCorners[0];
            const qnTexturedVertex& kBottomRight = kCorners[2];
            EXPECT_GT(kTopLeft.u, 0.0f);
            EXPECT_GT(kTopLeft.v, 0.0f);
            EXPECT_LE(kBottomRight.u, 1.0f);
            EXPECT_LE(kBottomRight.v, 1.0f);
            EXPECT_FLOAT_EQ((kBottomRight.u - kTopLeft.u) * static_cast<float>(kTexels.width),
                            static_cast<float>(kDescription->cellWidth));
            EXPECT_FLOAT_EQ((kBottomRight.v - kTopLeft.v) * static_cast<float>(kTexels.height),
                            static_cast<float>(kDescription->cellHeight));
        }
        EXPECT_EQ(fake::d3d::LiveTextures(), iTexturesBefore);
    }
}

TEST_F(EngineLoaderTest, EveryImageReadsAsTheFormatReaderReadsIt)
{
    for (const std::string& kName : assetnames::Sprites()) {
        SCOPED_TRACE(kName);
        const std::optional<LoadedSprite> kExpected = LoadSprite(kName);
        ASSERT_TRUE(kExpected.has_value());
        const Description& kDescription = kExpected->description;
        const std::string& kPath = kDescription.image;
        qnRGBAImage kImage;
        const qnError eResult = kDescription.kind == 1 ? kImage.LoadFromBitmap(kPath.c_str())
                                                       : kImage.LoadFromTarga(kPath.c_str());
        ASSERT_EQ(eResult, QN_OK);
        kImage.SetColorKey(static_cast<int>(kDescription.key[0]),
                           static_cast<int>(kDescription.key[1]),
                           static_cast<int>(kDescription.key[2]));
        ASSERT_EQ(kImage.GetWidth(), kExpected->image.width);
        ASSERT_EQ(kImage.GetHeight(), kExpected->image.height);
        // Row 0 at the top in both: a sheet read upside down or with swapped channels differs.
        const size_t uiCount = kExpected->image.pixels.size();
        EXPECT_EQ(std::memcmp(kImage.GetRawData(), kExpected->image.pixels.data(),
                              uiCount * sizeof(uint32_t)),
                  0);
    }
}

TEST(EngineSoundLoader, EverySoundFillsABufferWithItsFormatAndSamples)
{
    fake::Reset();
    static char s_cWindow;
    qnSoundPlayer kPlayer;
    ASSERT_EQ(kPlayer.Init(reinterpret_cast<HWND>(&s_cWindow)), QN_OK);
    std::vector<std::string> kNames = assetnames::Effects();
    kNames.insert(kNames.end(), assetnames::Music().begin(), assetnames::Music().end());
    std::vector<qnSoundBuffer> kSounds;
    for (const std::string& kName : kNames) {
        SCOPED_TRACE(kName);
        const std::string kPath = "sounds\\" + kName + ".wav";
        const auto kFile = ReadGameFile(kPath);
        ASSERT_TRUE(kFile.has_value());
        const std::optional<Wave> kWave = ReadCanonicalWave(*kFile);
        ASSERT_TRUE(kWave.has_value());

        // A missing file also answers QN_OK, so the new buffer is what shows the load.
        const size_t uiBuffersBefore = fake::SoundBuffers().size();
        ASSERT_EQ(kSounds.emplace_back().LoadFromFile(kPath.c_str()), QN_OK);
        ASSERT_EQ(fake::SoundBuffers().size(), uiBuffersBefore + 1);
        const fake::SoundBufferState kBuffer =
            fake::SoundBufferInfo(fake::SoundBuffers().back());
        EXPECT_EQ(kBuffer.format.wFormatTag, WAVE_FORMAT_PCM);
        EXPECT_EQ(kBuffer.format.nChannels, kWave->channels);
        EXPECT_EQ(kBuffer.format.nSamplesPerSec, kWave->sampleRate);
        EXPECT_EQ(kBuffer.format.wBitsPerSample, kWave->bitsPerSample);
        ASSERT_EQ(kBuffer.samples.size(), kWave->samples.size() * sizeof(int16_t));
        EXPECT_EQ(std::memcmp(kBuffer.samples.data(), kWave->samples.data(),
                              kBuffer.samples.size()),
                  0);
    }
}

int g_iReports = 0;
void CountReport(const char*, int, const char*)
{
    ++g_iReports;
}

TEST(EngineFontLoader, EveryPrintableCharacterIsFoundWithTheFormatReadersPixels)
{
    const auto kFile = ReadGameFile("ArcadeClassic32.fnt");
    ASSERT_TRUE(kFile.has_value());
    const std::optional<Font> kExpected = ReadFont(*kFile);
    ASSERT_TRUE(kExpected.has_value());

    FontSet kFont;
    ASSERT_TRUE(kFont.Load("ArcadeClassic32.fnt"));
    EXPECT_EQ(kFont.GetHeight(), kExpected->lineHeight);
    g_iReports = 0;
    const crt::DebugReportHandler pfnPrevious = crt::SetDebugReportHandler(CountReport);
    for (int iCode = 0x20; iCode < 0x7F; ++iCode) {
        const int iReportsBefore = g_iReports;
        EXPECT_GE(kFont.FindGlyph(static_cast<uint16_t>(iCode)), 0);
        EXPECT_EQ(g_iReports, iReportsBefore) << "missing " << static_cast<char>(iCode);
    }
    crt::SetDebugReportHandler(pfnPrevious);

    for (const Glyph& kGlyph : kExpected->glyphs) {
        SCOPED_TRACE(kGlyph.code);
        ASSERT_EQ(kFont.GetGlyphWidth(kGlyph.code), kGlyph.width);
        std::vector<uint8_t> kPixels(static_cast<size_t>(kGlyph.width) * kGlyph.height, 0xFF);
        EXPECT_EQ(kFont.RenderGlyph(kPixels.data(), kGlyph.width, kGlyph.code), kGlyph.width);
        EXPECT_EQ(kPixels, kGlyph.pixels);
    }
}

}  // namespace
