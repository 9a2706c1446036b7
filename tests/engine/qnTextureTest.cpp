#include <cstring>
#include <vector>

#include "FakeScreen.h"
#include "qnTexture.h"

namespace {

class TextureTest : public FakeScreenTest {
protected:
    // A 2 x 1 image: an opaque (255, 128, 17) pixel, then a keyed (10, 20, 30) one.
    static void MakeImage(qnRGBAImage& kImage)
    {
        kImage.SetWidth(2);
        kImage.SetHeight(1);
        const uint32_t aiPixels[] = {0xFF8011FF, 0x0A141E00};
        kImage.SetRawData(aiPixels);
    }

    static const fake::d3d::Image& OnlyTexture()
    {
        std::vector<IDirect3DTexture8*> kTextures = fake::d3d::Textures();
        EXPECT_EQ(kTextures.size(), 1u);
        return *fake::d3d::TextureImage(kTextures.at(0));
    }

    static uint32_t Texel(const fake::d3d::Image& kImage, uint32_t uiX, uint32_t uiY)
    {
        int iBytes = fake::d3d::BytesPerPixel(kImage.format);
        uint32_t uiTexel = 0;
        std::memcpy(&uiTexel, &kImage.bytes[uiY * kImage.pitch + uiX * iBytes], iBytes);
        return uiTexel;
    }
};

TEST_F(TextureTest, ConvertsIntoEachFormatWithTruncatingScales)
{
    struct Case {
        const char* acWhat;
        uint16_t uiDepth;
        D3DFORMAT eScreenFormat;
        bool bRefusePreferred;
        D3DFORMAT eExpectedFormat;
        uint32_t uiOpaque;
        uint32_t uiKeyed;
    };
    const Case akCases[] = {
        {"32-bit", 32, D3DFMT_A8R8G8B8, false, D3DFMT_A8R8G8B8, 0xFFFF8011, 0x000A141E},
        {"32-bit fallback", 32, D3DFMT_X8R8G8B8, true, D3DFMT_X8R8G8B8, 0xFFFF8011, 0x000A141E},
        // A 15 R 15 G 7 B 1; keyed: A 0, R 0, G 1, B 1.
        {"four-bit alpha", 16, D3DFMT_R5G6B5, false, D3DFMT_A4R4G4B4, 0xFF71, 0x0011},
        // R 31 G 31 B 2; keyed: R 1 G 4 B 3 (2 in five-bit green), alpha lost.
        {"R5G6B5 fallback", 16, D3DFMT_R5G6B5, true, D3DFMT_R5G6B5, 0xFBE2, 0x0883},
        {"X1R5G5B5 fallback", 16, D3DFMT_X1R5G5B5, true, D3DFMT_X1R5G5B5, 0x7DE2, 0x0443},
        {"A1R5G5B5 fallback", 16, D3DFMT_A1R5G5B5, true, D3DFMT_A1R5G5B5, 0xFDE2, 0x0443},
    };
    for (const Case& kCase : akCases) {
        ResetWorld();
        // The screen takes the first format of its depth that is not refused.
        for (D3DFORMAT eFormat : {D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, D3DFMT_X1R5G5B5}) {
            if (eFormat != kCase.eScreenFormat) {
                fake::d3d::RefuseBackBufferFormat(eFormat);
            }
        }
        MakeScreen(kCase.uiDepth);
        ASSERT_EQ(m_pkScreen->GetFormat(), kCase.eScreenFormat) << kCase.acWhat;
        if (kCase.bRefusePreferred) {
            fake::d3d::RefuseTextureFormat(kCase.uiDepth == 32 ? D3DFMT_A8R8G8B8 : D3DFMT_A4R4G4B4);
        }
        qnRGBAImage kImage;
        MakeImage(kImage);
        qnTexture kTexture;
        ASSERT_EQ(kTexture.Create(kImage), QN_OK) << kCase.acWhat;
        const fake::d3d::Image& kTexels = OnlyTexture();
        EXPECT_EQ(kTexels.format, kCase.eExpectedFormat) << kCase.acWhat;
        EXPECT_EQ(Texel(kTexels, 0, 0), kCase.uiOpaque) << kCase.acWhat;
        EXPECT_EQ(Texel(kTexels, 1, 0), kCase.uiKeyed) << kCase.acWhat;
        EXPECT_EQ(kTexels.lockCount, 1) << kCase.acWhat;
        EXPECT_EQ(kTexels.unlockCount, 1) << kCase.acWhat;
    }
}

TEST_F(TextureTest, OnlyTheMaximumReachesTheTopOfAChannel)
{
    MakeScreen(16);
    qnRGBAImage kImage;
    kImage.SetWidth(1);
    kImage.SetHeight(1);
    const uint32_t uiPixel = 0xFEFEFEFE;
    kImage.SetRawData(&uiPixel);
    qnTexture kTexture;
    ASSERT_EQ(kTexture.Create(kImage), QN_OK);
    EXPECT_EQ(Texel(OnlyTexture(), 0, 0), 0xEEEEu);  // 254 gives 14 of 15
}

TEST_F(TextureTest, AnyAlphaAboveZeroSetsTheOneBitAlpha)
{
    fake::d3d::RefuseBackBufferFormat(D3DFMT_R5G6B5);
    fake::d3d::RefuseBackBufferFormat(D3DFMT_X1R5G5B5);
    MakeScreen(16);
    ASSERT_EQ(m_pkScreen->GetFormat(), D3DFMT_A1R5G5B5);
    fake::d3d::RefuseTextureFormat(D3DFMT_A4R4G4B4);
    // Blue pixels, from keyed to opaque; half-transparent edges must stay visible.
    const uint32_t aiAlphas[] = {0, 1, 127, 128, 255};
    std::vector<uint32_t> kPixels;
    for (uint32_t uiAlpha : aiAlphas) {
        kPixels.push_back(0x0000FF00 | uiAlpha);
    }
    qnRGBAImage kImage;
    kImage.SetWidth(static_cast<uint32_t>(kPixels.size()));
    kImage.SetHeight(1);
    kImage.SetRawData(kPixels.data());
    qnTexture kTexture;
    ASSERT_EQ(kTexture.Create(kImage), QN_OK);
    const fake::d3d::Image& kTexels = OnlyTexture();
    ASSERT_EQ(kTexels.format, D3DFMT_A1R5G5B5);
    for (uint32_t x = 0; x < kPixels.size(); ++x) {
        EXPECT_EQ(Texel(kTexels, x, 0), aiAlphas[x] > 0 ? 0x801Fu : 0x001Fu)
            << "alpha " << aiAlphas[x];
    }
}

TEST_F(TextureTest, TextureHasTheImagesSizeInTheManagedPool)
{
    MakeScreen();
    qnRGBAImage kImage;
    kImage.SetWidth(150);
    kImage.SetHeight(150);
    kImage.SetRawData(nullptr);
    qnTexture kTexture;
    ASSERT_EQ(kTexture.Create(kImage), QN_OK);
    EXPECT_EQ(fake::Calls().front(), "IDirect3DDevice8::CreateTexture(150,150,0,0,21,1)");
    const fake::d3d::Image& kTexels = OnlyTexture();
    EXPECT_EQ(kTexels.width, 150u);
    EXPECT_EQ(kTexels.height, 150u);
    EXPECT_EQ(kTexels.pool, D3DPOOL_MANAGED);
}

TEST_F(TextureTest, PaddedPitchLeavesThePaddingUnwritten)
{
    MakeScreen();
    fake::d3d::SetPitchPadding(12);
    qnRGBAImage kImage;
    kImage.SetWidth(3);
    kImage.SetHeight(2);
    kImage.SetRawData(nullptr);
    for (uint32_t i = 0; i < 6; ++i) {
        kImage.SetColor(i % 3, i / 3, 1, 2, 3, static_cast<int>(i + 1));
    }
    qnTexture kTexture;
    ASSERT_EQ(kTexture.Create(kImage), QN_OK);
    const fake::d3d::Image& kTexels = OnlyTexture();
    ASSERT_EQ(kTexels.pitch, 3 * 4 + 12);
    for (uint32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(Texel(kTexels, i % 3, i / 3), (i + 1) << 24 | 0x010203u) << i;
    }
    for (int iRow = 0; iRow < 2; ++iRow) {
        for (int iByte = 12; iByte < 24; ++iByte) {
            EXPECT_EQ(kTexels.bytes[iRow * 24 + iByte], 0) << iRow << " " << iByte;
        }
    }
}

TEST_F(TextureTest, NumbersAreHandedOutInTurnAndActivationBindsOnlyOnChange)
{
    MakeScreen();
    qnRGBAImage kImage;
    MakeImage(kImage);
    qnTexture kFirst;
    qnTexture kSecond;
    kFirst.Create(kImage);
    kSecond.Create(kImage);
    EXPECT_EQ(kSecond.GetID(), kFirst.GetID() + 1);
    std::vector<IDirect3DTexture8*> kDeviceTextures = fake::d3d::Textures();

    fake::ClearCalls();
    kFirst.Activate();
    EXPECT_EQ(qnTexture::GetActiveID(), kFirst.GetID());
    EXPECT_EQ(fake::d3d::BoundTexture(0), kDeviceTextures[0]);
    kFirst.Activate();
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetTexture"), 1);
    kSecond.Activate();
    EXPECT_EQ(fake::d3d::BoundTexture(0), kDeviceTextures[1]);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetTexture"), 2);
    EXPECT_EQ(qnTexture::GetActiveID(), kSecond.GetID());

    // A binding made elsewhere is not seen: the cache still holds the second texture.
    m_pkScreen->GetDevice()->SetTexture(0, nullptr);
    kSecond.Activate();
    EXPECT_EQ(fake::d3d::BoundTexture(0), nullptr);

    // Told that nothing is bound (after a device reset), it binds again.
    qnTexture::ForgetActive();
    kSecond.Activate();
    EXPECT_EQ(fake::d3d::BoundTexture(0), kDeviceTextures[1]);
}

TEST_F(TextureTest, UploadWithoutImageReturnsNoImage)
{
    MakeScreen();
    qnTexture kTexture;
    EXPECT_EQ(kTexture.Upload(), QN_ERR_NO_IMAGE);
    EXPECT_EQ(kTexture.GetImage(), nullptr);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::CreateTexture"), 0);
}

TEST_F(TextureTest, FailedCreationsKeepTheImageForALaterUpload)
{
    MakeScreen(16);
    qnRGBAImage kImage;
    MakeImage(kImage);
    qnTexture kTexture;
    ASSERT_EQ(kTexture.Create(kImage), QN_OK);
    fake::FailCall("IDirect3DDevice8::CreateTexture", 2);
    fake::ClearCalls();
    EXPECT_EQ(kTexture.Upload(), QN_ERR_CREATE_TEXTURE);
    // The old texture went first; then A4R4G4B4, then the screen's format.
    EXPECT_EQ(fake::Calls()[0], "IDirect3DTexture8::Release()");
    EXPECT_EQ(fake::Calls()[1], "IDirect3DDevice8::CreateTexture(2,1,0,0,26,1)");
    EXPECT_EQ(fake::Calls()[2], "IDirect3DDevice8::CreateTexture(2,1,0,0,23,1)");
    EXPECT_EQ(fake::d3d::LiveTextures(), 0);
    ASSERT_NE(kTexture.GetImage(), nullptr);
    EXPECT_EQ(kTexture.GetImage()->GetColor(0, 0), 0xFF8011FFu);
    EXPECT_EQ(kTexture.Upload(), QN_OK);
    EXPECT_EQ(fake::d3d::LiveTextures(), 1);
}

TEST_F(TextureTest, FailedLockKeepsNoTexture)
{
    MakeScreen();
    qnRGBAImage kImage;
    MakeImage(kImage);
    qnTexture kTexture;
    fake::FailCall("IDirect3DTexture8::LockRect", 1);
    EXPECT_EQ(kTexture.Create(kImage), QN_ERR_CREATE_TEXTURE);
    EXPECT_EQ(fake::d3d::LiveTextures(), 0);
}

TEST_F(TextureTest, DestructorReleasesTheDeviceTexture)
{
    MakeScreen();
    qnRGBAImage kImage;
    MakeImage(kImage);
    {
        qnTexture kTexture;
        kTexture.Create(kImage);
        EXPECT_EQ(fake::d3d::LiveTextures(), 1);
    }
    EXPECT_EQ(fake::d3d::LiveTextures(), 0);
}

}  // namespace
