#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ImageFiles.h"
#include "qnRGBAImage.h"

namespace {

using testfiles::Bytes;

constexpr uint32_t kRed = 0xFF0000FF;
constexpr uint32_t kGreen = 0x00FF00FF;
constexpr uint32_t kBlue = 0x0000FFFF;
constexpr uint32_t kWhite = 0xFFFFFFFF;

class RGBAImageTest : public ::testing::Test {
protected:
    // Writes the bytes and returns the path, spelt with a backslash as the game spells paths.
    std::string Write(const Bytes& kBytes, const std::string& kName)
    {
        std::string kFolder = testfiles::UniquePath("images");
        m_akWritten.push_back(kFolder + "/" + kName);
        EXPECT_TRUE(testfiles::WriteFile(m_akWritten.back(), kBytes));
        return kFolder + "\\" + kName;
    }
    void TearDown() override
    {
        for (const std::string& kPath : m_akWritten) {
            std::remove(kPath.c_str());
        }
    }

    // A 1 x 1 image holding kWhite, to see that a refused load keeps it.
    void GiveOnePixel(qnRGBAImage& kImage)
    {
        kImage.SetWidth(1);
        kImage.SetHeight(1);
        kImage.SetRawData(&kWhite);
    }
    void ExpectOnePixel(const qnRGBAImage& kImage)
    {
        ASSERT_EQ(kImage.GetWidth(), 1u);
        ASSERT_EQ(kImage.GetHeight(), 1u);
        EXPECT_EQ(kImage.GetColor(0, 0), kWhite);
    }

    std::vector<std::string> m_akWritten;
};

TEST_F(RGBAImageTest, BitmapRowsAreStoredBottomFirst)
{
    // File rows: (bottom) blue, green; (top) red, white.
    Bytes kBytes = testfiles::BitmapBytes(2, 2, {kRed, kWhite, kBlue, kGreen});
    EXPECT_EQ(kBytes[54], 0xFF);  // the first stored pixel is blue: bytes B, G, R
    qnRGBAImage kImage;
    ASSERT_EQ(kImage.LoadFromBitmap(Write(kBytes, "a.bmp").c_str()), QN_OK);
    ASSERT_EQ(kImage.GetWidth(), 2u);
    ASSERT_EQ(kImage.GetHeight(), 2u);
    EXPECT_EQ(kImage.GetColor(0, 0), kRed);
    EXPECT_EQ(kImage.GetColor(1, 0), kWhite);
    EXPECT_EQ(kImage.GetColor(0, 1), kBlue);
    EXPECT_EQ(kImage.GetColor(1, 1), kGreen);
}

TEST_F(RGBAImageTest, BitmapRowPaddingNeverReachesTheImage)
{
    std::vector<uint32_t> aiPixels = {0x102030FF, 0x405060FF, 0x708090FF,
                                      0xA0B0C0FF, 0xD0E0F0FF, 0x010203FF};
    Bytes kBytes = testfiles::BitmapBytes(3, 2, aiPixels);
    ASSERT_EQ(kBytes.size(), 54u + 2 * 12);
    // Fill the padding with a colour that would show if it were read as a pixel.
    for (size_t i : {63u, 64u, 65u, 75u, 76u, 77u}) {
        kBytes[i] = 0xEE;
    }
    qnRGBAImage kImage;
    ASSERT_EQ(kImage.LoadFromBitmap(Write(kBytes, "pad.bmp").c_str()), QN_OK);
    for (uint32_t i = 0; i < aiPixels.size(); ++i) {
        EXPECT_EQ(kImage.GetColor(i % 3, i / 3), aiPixels[i]) << "pixel " << i;
    }
}

TEST_F(RGBAImageTest, BitmapPixelDataStartsAtItsOffset)
{
    Bytes kBytes = testfiles::BitmapBytes(1, 1, {kGreen});
    kBytes.insert(kBytes.begin() + 54, {0xAA, 0xBB, 0xCC, 0xDD});
    testfiles::Put32(kBytes, 10, 58);
    qnRGBAImage kImage;
    ASSERT_EQ(kImage.LoadFromBitmap(Write(kBytes, "offset.bmp").c_str()), QN_OK);
    EXPECT_EQ(kImage.GetColor(0, 0), kGreen);
}

TEST_F(RGBAImageTest, TargaOrientationFollowsDescriptorBitFive)
{
    struct Case {
        uint8_t uiDescriptor;
    };
    for (Case kCase : {Case{0x08}, Case{0x28}, Case{0x00}, Case{0x38}}) {
        std::vector<uint32_t> aiPixels = {kRed, kGreen, kBlue, 0x10203040};
        Bytes kBytes = testfiles::TargaBytes(2, 2, aiPixels, kCase.uiDescriptor);
        bool bTopFirst = kCase.uiDescriptor & 0x20;
        // The first stored pixel is the top-left one only when the file is stored top first.
        EXPECT_EQ(kBytes[20], bTopFirst ? 0xFF : 0x00);
        qnRGBAImage kImage;
        ASSERT_EQ(kImage.LoadFromTarga(Write(kBytes, "t.tga").c_str()), QN_OK);
        for (uint32_t i = 0; i < 4; ++i) {
            EXPECT_EQ(kImage.GetColor(i % 2, i / 2), aiPixels[i])
                << "descriptor " << int(kCase.uiDescriptor) << " pixel " << i;
        }
    }
}

TEST_F(RGBAImageTest, TargaPixelBytesBecomeRGBAWithTheirOwnAlpha)
{
    Bytes kBytes = testfiles::TargaBytes(1, 1, {0}, 0x28);
    kBytes[18] = 16;  // blue
    kBytes[19] = 32;  // green
    kBytes[20] = 48;  // red
    kBytes[21] = 64;  // alpha
    qnRGBAImage kImage;
    ASSERT_EQ(kImage.LoadFromTarga(Write(kBytes, "b.tga").c_str()), QN_OK);
    EXPECT_EQ(kImage.GetColor(0, 0), 0x30201040u);
}

TEST_F(RGBAImageTest, TargaSkipsImageIdAndFourByteColorMapEntries)
{
    Bytes kBytes = testfiles::TargaBytes(1, 1, {kBlue}, 0x28);
    kBytes[0] = 3;
    testfiles::Put16(kBytes, 5, 2);
    kBytes.insert(kBytes.begin() + 18, 3 + 2 * 4, 0x77);
    qnRGBAImage kImage;
    ASSERT_EQ(kImage.LoadFromTarga(Write(kBytes, "map.tga").c_str()), QN_OK);
    EXPECT_EQ(kImage.GetColor(0, 0), kBlue);
}

TEST_F(RGBAImageTest, ColorKeyClearsAlphaOfExactMatchesOfAnyAlpha)
{
    qnRGBAImage kImage;
    kImage.SetWidth(4);
    kImage.SetHeight(1);
    const uint32_t aiPixels[] = {0xFF00FFFF, 0xFF00FEFF, 0xFF00FF40, 0x00FF00FF};
    kImage.SetRawData(aiPixels);
    kImage.SetColorKey(511, 0, 255);
    EXPECT_EQ(kImage.GetColor(0, 0), 0xFF00FF00u);
    EXPECT_EQ(kImage.GetColor(1, 0), 0xFF00FEFFu);
    EXPECT_EQ(kImage.GetColor(2, 0), 0xFF00FF00u);
    EXPECT_EQ(kImage.GetColor(3, 0), 0x00FF00FFu);
}

TEST_F(RGBAImageTest, SetColorAndGetColorAddressTheSameElement)
{
    qnRGBAImage kImage;
    kImage.SetWidth(3);
    kImage.SetHeight(2);
    kImage.SetRawData(nullptr);
    kImage.SetColor(0, 0, 1, 2, 3, 4);
    kImage.SetColor(2, 1, 256 + 9, 8, 7, 6);
    EXPECT_EQ(kImage.GetRawData()[0], 0x01020304u);
    EXPECT_EQ(kImage.GetRawData()[5], 0x09080706u);
    EXPECT_EQ(kImage.GetColor(2, 1), 0x09080706u);
}

TEST_F(RGBAImageTest, CopiesAreDeepAndSelfAssignmentKeepsTheImage)
{
    qnRGBAImage kSource;
    GiveOnePixel(kSource);
    qnRGBAImage kCopy;
    kCopy = kSource;
    EXPECT_NE(kCopy.GetRawData(), kSource.GetRawData());
    ExpectOnePixel(kCopy);
    const qnRGBAImage& kSame = kCopy;  // through a reference: the operand is the image itself
    kCopy = kSame;
    ExpectOnePixel(kCopy);
    kCopy.SetRawData(kCopy.GetRawData());
    ExpectOnePixel(kCopy);
}

TEST_F(RGBAImageTest, MissingFileSucceedsAndKeepsTheImage)
{
    qnRGBAImage kImage;
    GiveOnePixel(kImage);
    EXPECT_EQ(kImage.LoadFromBitmap("no\\such\\file.bmp"), QN_OK);
    ExpectOnePixel(kImage);
    EXPECT_EQ(kImage.LoadFromTarga("no\\such\\file.tga"), QN_OK);
    ExpectOnePixel(kImage);
}

TEST_F(RGBAImageTest, ZeroSizesLoadToAnEmptyImage)
{
    qnRGBAImage kImage;
    GiveOnePixel(kImage);
    ASSERT_EQ(kImage.LoadFromBitmap(Write(testfiles::BitmapBytes(0, 5, {}), "z.bmp").c_str()),
              QN_OK);
    EXPECT_EQ(kImage.GetWidth(), 0u);
    EXPECT_EQ(kImage.GetHeight(), 5u);
    EXPECT_EQ(kImage.GetRawData(), nullptr);
    ASSERT_EQ(kImage.LoadFromTarga(Write(testfiles::TargaBytes(7, 0, {}), "z.tga").c_str()), QN_OK);
    EXPECT_EQ(kImage.GetWidth(), 7u);
    EXPECT_EQ(kImage.GetHeight(), 0u);
    EXPECT_EQ(kImage.GetRawData(), nullptr);
    kImage.SetColorKey(0, 0, 0);
}

// A header that gives one size 0 loads an empty image however large the other size is: no pixel
// array and no row loop, since the file holds no pixel bytes for it.
TEST_F(RGBAImageTest, EmptyImagesLoadWithoutRowsWhateverTheOtherSize)
{
    Bytes kCutBitmap(30, 0);  // "BM", width 0, height 0x7FFFFFFF, 24 bits, the rest cut off
    kCutBitmap[0] = 'B';
    kCutBitmap[1] = 'M';
    testfiles::Put32(kCutBitmap, 22, 0x7FFFFFFF);
    testfiles::Put16(kCutBitmap, 28, 24);
    Bytes kTallBitmap = testfiles::BitmapBytes(0, 0, {});
    testfiles::Put32(kTallBitmap, 22, 0x7FFFFFFF);
    Bytes kWideBitmap = testfiles::BitmapBytes(0, 0, {});
    testfiles::Put32(kWideBitmap, 18, 0x7FFFFFFF);
    Bytes kTallTarga = testfiles::TargaBytes(0, 0, {});
    testfiles::Put16(kTallTarga, 14, 0xFFFF);
    Bytes kWideTarga = testfiles::TargaBytes(0, 0, {});
    testfiles::Put16(kWideTarga, 12, 0xFFFF);
    struct Case {
        const char* acWhat;
        Bytes kBytes;
        bool bBitmap;
        uint32_t uiWidth;
        uint32_t uiHeight;
    };
    const Case akCases[] = {
        {"bitmap header cut short", kCutBitmap, true, 0, 0x7FFFFFFF},
        {"bitmap of no columns", kTallBitmap, true, 0, 0x7FFFFFFF},
        {"bitmap of no rows", kWideBitmap, true, 0x7FFFFFFF, 0},
        {"targa of no columns", kTallTarga, false, 0, 0xFFFF},
        {"targa of no rows", kWideTarga, false, 0xFFFF, 0},
    };
    for (const Case& kCase : akCases) {
        qnRGBAImage kImage;
        GiveOnePixel(kImage);
        std::string kPath = Write(kCase.kBytes, "empty.img");
        qnError iResult = kCase.bBitmap ? kImage.LoadFromBitmap(kPath.c_str())
                                        : kImage.LoadFromTarga(kPath.c_str());
        EXPECT_EQ(iResult, QN_OK) << kCase.acWhat;
        EXPECT_EQ(kImage.GetWidth(), kCase.uiWidth) << kCase.acWhat;
        EXPECT_EQ(kImage.GetHeight(), kCase.uiHeight) << kCase.acWhat;
        EXPECT_EQ(kImage.GetRawData(), nullptr) << kCase.acWhat;
    }
}

// Bitmaps that are refused; each leaves the image as it was.
TEST_F(RGBAImageTest, BadBitmapsAreRefusedAndKeepTheImage)
{
    const Bytes kGood = testfiles::BitmapBytes(2, 2, {kRed, kRed, kRed, kRed});
    auto Changed = [&](auto fnChange) {
        Bytes kBytes = kGood;
        fnChange(kBytes);
        return kBytes;
    };
    struct Case {
        const char* acWhat;
        Bytes kBytes;
        qnError iExpected;
    };
    const Case akCases[] = {
        {"empty file", {}, QN_ERR_NOT_BITMAP},
        {"one byte", {'B'}, QN_ERR_NOT_BITMAP},
        {"wrong signature", Changed([](Bytes& b) { b[1] = 'A'; }), QN_ERR_NOT_BITMAP},
        {"header cut short", Bytes(kGood.begin(), kGood.begin() + 20), QN_ERR_BITMAP_FORMAT},
        {"8 bits per pixel", Changed([](Bytes& b) { testfiles::Put16(b, 28, 8); }),
         QN_ERR_BITMAP_FORMAT},
        {"compressed", Changed([](Bytes& b) { testfiles::Put32(b, 30, 1); }), QN_ERR_BITMAP_FORMAT},
        {"negative height", Changed([](Bytes& b) { testfiles::Put32(b, 22, uint32_t(-2)); }),
         QN_ERR_BITMAP_FORMAT},
        {"negative width", Changed([](Bytes& b) { testfiles::Put32(b, 18, uint32_t(-2)); }),
         QN_ERR_BITMAP_FORMAT},
        {"pixel data cut short", Bytes(kGood.begin(), kGood.end() - 1), QN_ERR_BITMAP_FORMAT},
        {"huge width", Changed([](Bytes& b) { testfiles::Put32(b, 18, 0x7FFFFFFF); }),
         QN_ERR_BITMAP_FORMAT},
        {"huge height", Changed([](Bytes& b) { testfiles::Put32(b, 22, 0x7FFFFFFF); }),
         QN_ERR_BITMAP_FORMAT},
        {"huge both", Changed([](Bytes& b) {
             testfiles::Put32(b, 18, 0x7FFFFFFF);
             testfiles::Put32(b, 22, 0x7FFFFFFF);
         }),
         QN_ERR_BITMAP_FORMAT},
        {"offset past the end", Changed([](Bytes& b) { testfiles::Put32(b, 10, 0xFFFFFFF0); }),
         QN_ERR_BITMAP_FORMAT},
    };
    for (const Case& kCase : akCases) {
        qnRGBAImage kImage;
        GiveOnePixel(kImage);
        EXPECT_EQ(kImage.LoadFromBitmap(Write(kCase.kBytes, "bad.bmp").c_str()), kCase.iExpected)
            << kCase.acWhat;
        ExpectOnePixel(kImage);
    }
}

TEST_F(RGBAImageTest, BadTargasAreRefusedAndKeepTheImage)
{
    const Bytes kGood = testfiles::TargaBytes(2, 2, {kRed, kRed, kRed, kRed});
    auto Changed = [&](auto fnChange) {
        Bytes kBytes = kGood;
        fnChange(kBytes);
        return kBytes;
    };
    struct Case {
        const char* acWhat;
        Bytes kBytes;
    };
    const Case akCases[] = {
        {"empty file", {}},
        {"header cut short", Bytes(kGood.begin(), kGood.begin() + 10)},
        {"run-length encoded", Changed([](Bytes& b) { b[2] = 10; })},
        {"24 bits per pixel", Changed([](Bytes& b) { b[16] = 24; })},
        {"pixel data cut short", Bytes(kGood.begin(), kGood.end() - 1)},
        {"sizes larger than the data", Changed([](Bytes& b) {
             testfiles::Put16(b, 12, 0xFFFF);
             testfiles::Put16(b, 14, 0xFFFF);
         })},
        {"colour map past the end", Changed([](Bytes& b) { testfiles::Put16(b, 5, 0xFFFF); })},
        {"image id past the end", Changed([](Bytes& b) { b[0] = 255; })},
    };
    for (const Case& kCase : akCases) {
        qnRGBAImage kImage;
        GiveOnePixel(kImage);
        EXPECT_EQ(kImage.LoadFromTarga(Write(kCase.kBytes, "bad.tga").c_str()), QN_ERR_TARGA_FORMAT)
            << kCase.acWhat;
        ExpectOnePixel(kImage);
    }
}

}  // namespace
