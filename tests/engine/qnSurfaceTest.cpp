#include <cstring>

#include "FakeScreen.h"
#include "qnSurface.h"

namespace {

class SurfaceTest : public FakeScreenTest {
protected:
    static uint32_t BackBufferPixel(int iX, int iY)
    {
        const fake::d3d::Image& kBack = *fake::d3d::BackBufferImage();
        int iBytes = fake::d3d::BytesPerPixel(kBack.format);
        uint32_t uiPixel = 0;
        std::memcpy(&uiPixel, &kBack.bytes[iY * kBack.pitch + iX * iBytes], iBytes);
        return uiPixel;
    }
};

TEST_F(SurfaceTest, ConvertsIntoTheBackBuffersFormat)
{
    struct Case {
        uint16_t uiDepth;
        D3DFORMAT eFormat;
        uint32_t uiOpaque;
        uint32_t uiKeyed;
    };
    const Case akCases[] = {
        {32, D3DFMT_A8R8G8B8, 0xFFFF8011, 0x000A141E},
        {32, D3DFMT_X8R8G8B8, 0xFFFF8011, 0x000A141E},
        {16, D3DFMT_R5G6B5, 0xFBE2, 0x0883},
        {16, D3DFMT_X1R5G5B5, 0x7DE2, 0x0443},
        {16, D3DFMT_A1R5G5B5, 0xFDE2, 0x0443},
    };
    for (const Case& kCase : akCases) {
        ResetWorld();
        for (D3DFORMAT eFormat : {D3DFMT_A8R8G8B8, D3DFMT_R5G6B5, D3DFMT_X1R5G5B5}) {
            if (eFormat != kCase.eFormat) {
                fake::d3d::RefuseBackBufferFormat(eFormat);
            }
        }
        MakeScreen(kCase.uiDepth);
        ASSERT_EQ(m_pkScreen->GetFormat(), kCase.eFormat);
        qnRGBAImage kImage;
        kImage.SetWidth(2);
        kImage.SetHeight(1);
        const uint32_t aiPixels[] = {0xFF8011FF, 0x0A141E00};
        kImage.SetRawData(aiPixels);
        qnSurface kSurface;
        ASSERT_EQ(kSurface.Create(kImage), QN_OK);
        EXPECT_EQ(fake::Calls().front(),
                  "IDirect3DDevice8::CreateImageSurface(2,1," + std::to_string(kCase.eFormat) + ")");
        POINT kAt = {10, 20};
        ASSERT_EQ(kSurface.Render(&kAt, nullptr), QN_OK);
        EXPECT_EQ(BackBufferPixel(10, 20), kCase.uiOpaque) << kCase.eFormat;
        EXPECT_EQ(BackBufferPixel(11, 20), kCase.uiKeyed) << kCase.eFormat;
    }
}

TEST_F(SurfaceTest, WholeSurfaceLandsAtTheDestination)
{
    MakeScreen();
    fake::d3d::SetPitchPadding(16);
    qnRGBAImage kImage;
    kImage.SetWidth(64);
    kImage.SetHeight(32);
    std::vector<uint32_t> aiPixels(64 * 32, 0x336699FF);
    kImage.SetRawData(aiPixels.data());
    qnSurface kSurface;
    ASSERT_EQ(kSurface.Create(kImage), QN_OK);
    POINT kAt = {100, 50};
    ASSERT_EQ(kSurface.Render(&kAt, nullptr), QN_OK);
    ASSERT_EQ(fake::d3d::Copies().size(), 1u);
    const fake::d3d::Copy& kCopy = fake::d3d::Copies()[0];
    ASSERT_EQ(kCopy.sourceRects.size(), 1u);
    EXPECT_EQ(kCopy.sourceRects[0].left, 0);
    EXPECT_EQ(kCopy.sourceRects[0].top, 0);
    EXPECT_EQ(kCopy.sourceRects[0].right, 64);
    EXPECT_EQ(kCopy.sourceRects[0].bottom, 32);
    ASSERT_EQ(kCopy.destinationPoints.size(), 1u);
    EXPECT_EQ(kCopy.destinationPoints[0].x, 100);
    EXPECT_EQ(kCopy.destinationPoints[0].y, 50);
    EXPECT_EQ(BackBufferPixel(100, 50), 0xFF336699u);
    EXPECT_EQ(BackBufferPixel(163, 81), 0xFF336699u);
    EXPECT_EQ(BackBufferPixel(164, 81), 0u);
    EXPECT_EQ(BackBufferPixel(163, 82), 0u);
    // The back buffer that Render borrowed is given back.
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::GetBackBuffer"), 1);
    EXPECT_EQ(fake::d3d::LiveSurfaces(), 1);
}

TEST_F(SurfaceTest, SourceRectangleAndNullDestinationPassThrough)
{
    MakeScreen();
    qnRGBAImage kImage;
    kImage.SetWidth(8);
    kImage.SetHeight(8);
    kImage.SetRawData(nullptr);
    qnSurface kSurface;
    ASSERT_EQ(kSurface.Create(kImage), QN_OK);
    RECT kPart = {2, 3, 6, 7};
    ASSERT_EQ(kSurface.Render(nullptr, &kPart), QN_OK);
    const fake::d3d::Copy& kCopy = fake::d3d::Copies().back();
    EXPECT_EQ(kCopy.sourceRects[0].left, 2);
    EXPECT_EQ(kCopy.sourceRects[0].bottom, 7);
    EXPECT_TRUE(kCopy.destinationPoints.empty());
}

TEST_F(SurfaceTest, WithoutImageThereIsNoSurfaceAndRenderCopiesNothing)
{
    MakeScreen();
    qnSurface kSurface;
    EXPECT_EQ(kSurface.Update(), QN_ERR_NO_IMAGE);
    EXPECT_EQ(kSurface.Render(nullptr, nullptr), QN_OK);
    EXPECT_TRUE(fake::d3d::Copies().empty());
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::"), 0);
}

TEST_F(SurfaceTest, FailuresLeaveNoSurfaceButKeepTheImage)
{
    MakeScreen();
    qnRGBAImage kImage;
    kImage.SetWidth(4);
    kImage.SetHeight(4);
    kImage.SetRawData(nullptr);
    qnSurface kSurface;
    ASSERT_EQ(kSurface.Create(kImage), QN_OK);
    fake::FailCall("IDirect3DDevice8::CreateImageSurface", 1);
    EXPECT_EQ(kSurface.Update(), QN_ERR_CREATE_SURFACE);
    EXPECT_EQ(fake::d3d::LiveSurfaces(), 0);
    fake::FailCall("IDirect3DSurface8::LockRect", 1);
    EXPECT_EQ(kSurface.Update(), QN_ERR_CREATE_SURFACE);
    EXPECT_EQ(fake::d3d::LiveSurfaces(), 0);
    EXPECT_EQ(kSurface.Render(nullptr, nullptr), QN_OK);
    EXPECT_TRUE(fake::d3d::Copies().empty());
    ASSERT_NE(kSurface.GetImage(), nullptr);
    EXPECT_EQ(kSurface.Update(), QN_OK);
    EXPECT_EQ(fake::d3d::LiveSurfaces(), 1);
}

}  // namespace
