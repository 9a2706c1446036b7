// An image in main memory: width, height and one 32-bit pixel R<<24 | G<<16 | B<<8 | A per
// picture element, row 0 at the top. Reads uncompressed 24-bit BMP and 32-bit TGA files.
//
// Files from anywhere are refused rather than trusted: a file whose pixel data does not fit in
// it (a short file, or sizes too large for its contents), and a BMP with a negative width or
// height, are refused with the loader's format code and leave the image as it was. A header cut
// short reads its missing bytes as zero, which the format checks then refuse.
#pragma once

#include <cstdint>

#include "qnError.h"

class qnRGBAImage {
public:
    qnRGBAImage();
    qnRGBAImage(const qnRGBAImage&) = delete;
    ~qnRGBAImage();

    qnRGBAImage& operator=(const qnRGBAImage& kOther);

    qnError LoadFromBitmap(const char* acPath);
    qnError LoadFromTarga(const char* acPath);

    void SetColorKey(int iRed, int iGreen, int iBlue);

    void SetWidth(uint32_t uiWidth);
    void SetHeight(uint32_t uiHeight);
    // Replaces the pixels with a copy of width x height pixels from piSource.
    void SetRawData(const uint32_t* piSource);
    void SetColor(uint32_t uiX, uint32_t uiY, int iRed, int iGreen, int iBlue, int iAlpha);

    uint32_t GetWidth() const;
    uint32_t GetHeight() const;
    uint32_t GetColor(uint32_t uiX, uint32_t uiY) const;
    uint32_t* GetRawData() const;

    uint32_t m_uiWidth;
    uint32_t m_uiHeight;
    uint32_t* m_piPixels;

private:
    void ReplacePixels(uint32_t uiWidth, uint32_t uiHeight, uint32_t* piPixels);
};
