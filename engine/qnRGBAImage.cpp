#include "qnRGBAImage.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/crt.h"

namespace {

constexpr uint16_t kBitmapSignature = 0x4D42;
constexpr uint16_t kBitmapDepth = 24;
constexpr uint8_t kTargaTrueColor = 2;
constexpr uint8_t kTargaDepth = 32;
constexpr uint8_t kTargaTopToBottom = 0x20;
constexpr uint32_t kTargaColorMapEntryBytes = 4;

// Closes the file on every way out of a loader.
class OpenedFile {
public:
    explicit OpenedFile(const char* acPath) : m_pkFile(crt::OpenFile(acPath, "rb")) {}
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    ~OpenedFile()
    {
        if (m_pkFile) {
            std::fclose(m_pkFile);
        }
    }

    bool IsOpen() const { return m_pkFile != nullptr; }

    // Reads exactly uiCount bytes; bytes past the end of the file read as zero.
    void ReadPadded(uint8_t* pucBuffer, size_t uiCount)
    {
        size_t uiRead = std::fread(pucBuffer, 1, uiCount, m_pkFile);
        std::memset(pucBuffer + uiRead, 0, uiCount - uiRead);
    }

    bool Read(uint8_t* pucBuffer, size_t uiCount)
    {
        return std::fread(pucBuffer, 1, uiCount, m_pkFile) == uiCount;
    }

    uint64_t Size()
    {
        long iHere = std::ftell(m_pkFile);
        std::fseek(m_pkFile, 0, SEEK_END);
        long iEnd = std::ftell(m_pkFile);
        std::fseek(m_pkFile, iHere, SEEK_SET);
        return iEnd < 0 ? 0 : static_cast<uint64_t>(iEnd);
    }

    // Bytes from the absolute position uiOffset to the end of the file (0 past the end).
    uint64_t BytesFrom(uint64_t uiOffset)
    {
        uint64_t uiSize = Size();
        return uiOffset < uiSize ? uiSize - uiOffset : 0;
    }

    void SeekTo(uint64_t uiOffset) { std::fseek(m_pkFile, static_cast<long>(uiOffset), SEEK_SET); }

private:
    std::FILE* m_pkFile;
};

uint16_t Read16(const uint8_t* pucBytes)
{
    return static_cast<uint16_t>(pucBytes[0] | pucBytes[1] << 8);
}

uint32_t Read32(const uint8_t* pucBytes)
{
    return static_cast<uint32_t>(pucBytes[0]) | static_cast<uint32_t>(pucBytes[1]) << 8 |
           static_cast<uint32_t>(pucBytes[2]) << 16 | static_cast<uint32_t>(pucBytes[3]) << 24;
}

// True when uiRows rows of uiRowBytes each fit in uiAvailable bytes.
bool Fits(uint64_t uiRowBytes, uint64_t uiRows, uint64_t uiAvailable)
{
    return uiRowBytes == 0 || uiRows <= uiAvailable / uiRowBytes;
}

// Null for an image of width or height 0: its row loops then do not run at all, however many
// empty rows the header claims.
uint32_t* NewPixels(uint32_t uiWidth, uint32_t uiHeight)
{
    size_t uiCount = static_cast<size_t>(uiWidth) * uiHeight;
    return uiCount == 0 ? nullptr : new uint32_t[uiCount];
}

}  // namespace

qnRGBAImage::qnRGBAImage() : m_uiWidth(0), m_uiHeight(0), m_piPixels(nullptr) {}

qnRGBAImage::~qnRGBAImage()
{
    ReplacePixels(0, 0, nullptr);
}

qnRGBAImage& qnRGBAImage::operator=(const qnRGBAImage& kOther)
{
    if (this == &kOther) {
        return *this;
    }
    SetWidth(kOther.m_uiWidth);
    SetHeight(kOther.m_uiHeight);
    SetRawData(kOther.m_piPixels);
    return *this;
}

qnError qnRGBAImage::LoadFromBitmap(const char* acPath)
{
    OpenedFile kFile(acPath);
    if (!kFile.IsOpen()) {
        return QN_OK;
    }
    uint8_t aucHeader[34];
    kFile.ReadPadded(aucHeader, sizeof(aucHeader));
    if (Read16(aucHeader) != kBitmapSignature) {
        return QN_ERR_NOT_BITMAP;
    }
    uint32_t uiOffset = Read32(aucHeader + 10);
    int32_t iWidth = static_cast<int32_t>(Read32(aucHeader + 18));
    int32_t iHeight = static_cast<int32_t>(Read32(aucHeader + 22));
    uint16_t uiDepth = Read16(aucHeader + 28);
    uint32_t uiCompression = Read32(aucHeader + 30);
    if (uiDepth != kBitmapDepth || uiCompression != 0 || iWidth < 0 || iHeight < 0) {
        return QN_ERR_BITMAP_FORMAT;
    }
    uint32_t uiWidth = static_cast<uint32_t>(iWidth);
    uint32_t uiHeight = static_cast<uint32_t>(iHeight);
    uint64_t uiRowBytes = (3ull * uiWidth + 3) & ~3ull;
    if (!Fits(uiRowBytes, uiHeight, kFile.BytesFrom(uiOffset))) {
        return QN_ERR_BITMAP_FORMAT;
    }

    kFile.SeekTo(uiOffset);
    std::vector<uint8_t> kData(uiRowBytes * uiHeight);
    if (!kFile.Read(kData.data(), kData.size())) {
        return QN_ERR_BITMAP_FORMAT;
    }
    uint32_t* piPixels = NewPixels(uiWidth, uiHeight);
    for (uint32_t i = 0; piPixels && i < uiHeight; ++i) {
        const uint8_t* pucRow = kData.data() + i * uiRowBytes;
        uint32_t* piTarget = piPixels + static_cast<size_t>(uiHeight - 1 - i) * uiWidth;
        for (uint32_t j = 0; j < uiWidth; ++j) {
            const uint8_t* pucPixel = pucRow + 3 * j;
            piTarget[j] = static_cast<uint32_t>(pucPixel[2]) << 24 |
                          static_cast<uint32_t>(pucPixel[1]) << 16 |
                          static_cast<uint32_t>(pucPixel[0]) << 8 | 255u;
        }
    }
    ReplacePixels(uiWidth, uiHeight, piPixels);
    return QN_OK;
}

qnError qnRGBAImage::LoadFromTarga(const char* acPath)
{
    OpenedFile kFile(acPath);
    if (!kFile.IsOpen()) {
        return QN_OK;
    }
    uint8_t aucHeader[18];
    kFile.ReadPadded(aucHeader, sizeof(aucHeader));
    uint8_t uiIdLength = aucHeader[0];
    uint16_t uiColorMapLength = Read16(aucHeader + 5);
    uint32_t uiWidth = Read16(aucHeader + 12);
    uint32_t uiHeight = Read16(aucHeader + 14);
    uint8_t uiDescriptor = aucHeader[17];
    if (aucHeader[2] != kTargaTrueColor || aucHeader[16] != kTargaDepth) {
        return QN_ERR_TARGA_FORMAT;
    }
    uint64_t uiDataOffset =
        sizeof(aucHeader) + uiIdLength + uint64_t{uiColorMapLength} * kTargaColorMapEntryBytes;
    uint64_t uiRowBytes = 4ull * uiWidth;
    if (!Fits(uiRowBytes, uiHeight, kFile.BytesFrom(uiDataOffset))) {
        return QN_ERR_TARGA_FORMAT;
    }

    kFile.SeekTo(uiDataOffset);
    std::vector<uint8_t> kData(uiRowBytes * uiHeight);
    if (!kFile.Read(kData.data(), kData.size())) {
        return QN_ERR_TARGA_FORMAT;
    }
    uint32_t* piPixels = NewPixels(uiWidth, uiHeight);
    bool bTopFirst = (uiDescriptor & kTargaTopToBottom) != 0;
    for (uint32_t i = 0; piPixels && i < uiHeight; ++i) {
        const uint8_t* pucRow = kData.data() + i * uiRowBytes;
        uint32_t uiImageRow = bTopFirst ? i : uiHeight - 1 - i;
        uint32_t* piTarget = piPixels + static_cast<size_t>(uiImageRow) * uiWidth;
        for (uint32_t j = 0; j < uiWidth; ++j) {
            uint32_t uiArgb = Read32(pucRow + 4 * j);
            piTarget[j] = uiArgb << 8 | uiArgb >> 24;
        }
    }
    ReplacePixels(uiWidth, uiHeight, piPixels);
    return QN_OK;
}

void qnRGBAImage::SetColorKey(int iRed, int iGreen, int iBlue)
{
    uint32_t uiKey = static_cast<uint32_t>(iRed & 255) << 24 |
                     static_cast<uint32_t>(iGreen & 255) << 16 |
                     static_cast<uint32_t>(iBlue & 255) << 8;
    size_t uiCount = static_cast<size_t>(m_uiWidth) * m_uiHeight;
    for (size_t i = 0; i < uiCount && m_piPixels; ++i) {
        if ((m_piPixels[i] & 0xFFFFFF00u) == uiKey) {
            m_piPixels[i] &= 0xFFFFFF00u;
        }
    }
}

void qnRGBAImage::SetWidth(uint32_t uiWidth)
{
    m_uiWidth = uiWidth;
}

void qnRGBAImage::SetHeight(uint32_t uiHeight)
{
    m_uiHeight = uiHeight;
}

void qnRGBAImage::SetRawData(const uint32_t* piSource)
{
    if (piSource && piSource == m_piPixels) {
        return;
    }
    uint32_t* piPixels = NewPixels(m_uiWidth, m_uiHeight);
    size_t uiCount = static_cast<size_t>(m_uiWidth) * m_uiHeight;
    if (piPixels && piSource) {
        std::memcpy(piPixels, piSource, uiCount * sizeof(uint32_t));
    } else if (piPixels) {
        std::memset(piPixels, 0, uiCount * sizeof(uint32_t));
    }
    ReplacePixels(m_uiWidth, m_uiHeight, piPixels);
}

void qnRGBAImage::SetColor(uint32_t uiX, uint32_t uiY, int iRed, int iGreen, int iBlue, int iAlpha)
{
    m_piPixels[uiX + static_cast<size_t>(uiY) * m_uiWidth] =
        static_cast<uint32_t>(iRed & 255) << 24 | static_cast<uint32_t>(iGreen & 255) << 16 |
        static_cast<uint32_t>(iBlue & 255) << 8 | static_cast<uint32_t>(iAlpha & 255);
}

uint32_t qnRGBAImage::GetWidth() const
{
    return m_uiWidth;
}

uint32_t qnRGBAImage::GetHeight() const
{
    return m_uiHeight;
}

uint32_t qnRGBAImage::GetColor(uint32_t uiX, uint32_t uiY) const
{
    return m_piPixels[uiX + static_cast<size_t>(uiY) * m_uiWidth];
}

uint32_t* qnRGBAImage::GetRawData() const
{
    return m_piPixels;
}

void qnRGBAImage::ReplacePixels(uint32_t uiWidth, uint32_t uiHeight, uint32_t* piPixels)
{
    delete[] m_piPixels;
    m_piPixels = piPixels;
    m_uiWidth = uiWidth;
    m_uiHeight = uiHeight;
}
