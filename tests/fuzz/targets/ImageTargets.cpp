// BMP and TGA files through qnRGBAImage.
#include <initializer_list>

#include "FuzzTargets.h"
#include "Scratch.h"
#include "qnRGBAImage.h"

namespace fuzz {

namespace {

constexpr uint32_t kKeptPixel = 0x11223344;

// Reads every pixel: the array must hold width x height of them, and be null when that is 0.
uint32_t SumPixels(const qnRGBAImage& kImage)
{
    uint64_t uiCount = uint64_t{kImage.GetWidth()} * kImage.GetHeight();
    Require((uiCount == 0) == (kImage.GetRawData() == nullptr),
            "image: pixel array does not match the size");
    uint32_t uiSum = 0;
    for (uint32_t y = 0; uiCount != 0 && y < kImage.GetHeight(); ++y) {
        for (uint32_t x = 0; x < kImage.GetWidth(); ++x) {
            uiSum += kImage.GetColor(x, y);
        }
    }
    return uiSum;
}

// Loads through the given loader into an image that held one pixel: success gives a consistent
// image, a refusal one of the loader's own codes and the image as it was.
void LoadImage(const char* acName, const uint8_t* pucData, size_t uiSize,
               qnError (qnRGBAImage::*pfnLoad)(const char*),
               std::initializer_list<qnError> kRefusals)
{
    std::string kPath = WriteScratch(acName, pucData, uiSize);
    qnRGBAImage kImage;
    kImage.SetWidth(1);
    kImage.SetHeight(1);
    kImage.SetRawData(&kKeptPixel);
    qnError iResult = (kImage.*pfnLoad)(kPath.c_str());
    if (iResult != QN_OK) {
        bool bKnown = false;
        for (qnError iRefusal : kRefusals) {
            bKnown = bKnown || iResult == iRefusal;
        }
        Require(bKnown, "image: unknown result code");
        Require(kImage.GetWidth() == 1 && kImage.GetHeight() == 1 &&
                    kImage.GetColor(0, 0) == kKeptPixel,
                "image: a refused load changed the image");
    }
    SumPixels(kImage);
    kImage.SetColorKey(255, 0, 255);
}

}  // namespace

void LoadBitmap(const uint8_t* pucData, size_t uiSize)
{
    LoadImage("input.bmp", pucData, uiSize, &qnRGBAImage::LoadFromBitmap,
              {QN_ERR_NOT_BITMAP, QN_ERR_BITMAP_FORMAT});
}

void LoadTarga(const uint8_t* pucData, size_t uiSize)
{
    LoadImage("input.tga", pucData, uiSize, &qnRGBAImage::LoadFromTarga, {QN_ERR_TARGA_FORMAT});
}

}  // namespace fuzz
