#include "qnSprite.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/crt.h"
#include "qnRGBAImage.h"

namespace {

constexpr size_t kMaxTokenLength = 255;
constexpr uint32_t kImageBitmap = 1;
constexpr uint32_t kImageTarga = 2;

// The whitespace-separated tokens of a description file.
class TokenReader {
public:
    explicit TokenReader(std::FILE* pkFile) : m_pkFile(pkFile) {}

    // The next token; none at the end of the file or when the token is too long.
    std::optional<std::string> Next()
    {
        int iChar = SkipSpace();
        std::string kToken;
        while (iChar != EOF && !IsSpace(iChar)) {
            if (kToken.size() == kMaxTokenLength) {
                return std::nullopt;
            }
            kToken.push_back(static_cast<char>(iChar));
            iChar = std::fgetc(m_pkFile);
        }
        if (kToken.empty()) {
            return std::nullopt;
        }
        return kToken;
    }

    // The next token as an unsigned number: decimal, 0x hexadecimal or 0 octal, with an
    // optional sign; the low 32 bits count.
    std::optional<uint32_t> NextNumber()
    {
        std::optional<std::string> kToken = Next();
        if (!kToken) {
            return std::nullopt;
        }
        char* pcEnd = nullptr;
        unsigned long long uiValue = std::strtoull(kToken->c_str(), &pcEnd, 0);
        if (pcEnd != kToken->c_str() + kToken->size()) {
            return std::nullopt;
        }
        return static_cast<uint32_t>(uiValue);
    }

private:
    static bool IsSpace(int iChar)
    {
        return iChar == ' ' || iChar == '\t' || iChar == '\n' || iChar == '\r' || iChar == '\v' ||
               iChar == '\f';
    }
    int SkipSpace()
    {
        int iChar = std::fgetc(m_pkFile);
        while (iChar != EOF && IsSpace(iChar)) {
            iChar = std::fgetc(m_pkFile);
        }
        return iChar;
    }

    std::FILE* m_pkFile;
};

struct Description {
    std::string kImage;
    uint32_t uiKind = 0;
    uint32_t auiKey[3] = {};
    uint32_t uiCellWidth = 0;
    uint32_t uiCellHeight = 0;
    // Per animation, its frames as pairs (column, row).
    std::vector<std::vector<int32_t>> kAnimations;
};

// Reads the whole description; none when a token is missing, too long or not a number.
std::optional<Description> ReadDescription(std::FILE* pkFile)
{
    TokenReader kReader(pkFile);
    Description kDescription;
    std::optional<std::string> kImage = kReader.Next();
    std::optional<uint32_t> kKind = kReader.NextNumber();
    if (!kImage || !kKind) {
        return std::nullopt;
    }
    kDescription.kImage = *kImage;
    kDescription.uiKind = *kKind;
    uint32_t* apuiFields[] = {&kDescription.auiKey[0], &kDescription.auiKey[1],
                              &kDescription.auiKey[2], &kDescription.uiCellWidth,
                              &kDescription.uiCellHeight};
    for (uint32_t* puiField : apuiFields) {
        std::optional<uint32_t> kValue = kReader.NextNumber();
        if (!kValue) {
            return std::nullopt;
        }
        *puiField = *kValue;
    }
    std::optional<uint32_t> kCount = kReader.NextNumber();
    if (!kCount) {
        return std::nullopt;
    }
    // Nothing is reserved from a count: the lists grow only with the tokens the file holds.
    for (uint32_t i = 0; i < *kCount; ++i) {
        std::optional<uint32_t> kFrames = kReader.NextNumber();
        if (!kFrames) {
            return std::nullopt;
        }
        std::vector<int32_t>& kPairs = kDescription.kAnimations.emplace_back();
        for (uint64_t j = 0; j < 2ull * *kFrames; ++j) {
            std::optional<uint32_t> kValue = kReader.NextNumber();
            if (!kValue) {
                return std::nullopt;
            }
            kPairs.push_back(static_cast<int32_t>(*kValue));
        }
    }
    return kDescription;
}

}  // namespace

qnSprite::qnSprite()
    : m_pkAnimations(nullptr),
      m_uiCurrentAnimation(0),
      m_uiColor(0),
      m_iX(0),
      m_iY(0),
      m_uiWidth(0),
      m_uiHeight(0),
      m_fAngle(0.0f),
      m_fRadius(0.0f),
      m_pkTexture(nullptr),
      m_uiAnimationCount(0)
{
}

qnSprite::~qnSprite()
{
    Empty();
}

void qnSprite::Empty()
{
    delete[] m_pkAnimations;
    m_pkAnimations = nullptr;
    m_uiAnimationCount = 0;
    delete m_pkTexture;
    m_pkTexture = nullptr;
    m_uiCurrentAnimation = 0;
    m_iX = 0;
    m_iY = 0;
    m_uiWidth = 0;
    m_uiHeight = 0;
    m_fAngle = 0.0f;
    m_fRadius = 0.0f;
}

void qnSprite::Load(const char* acPath)
{
    std::FILE* pkFile = crt::OpenFile(acPath, "r");
    if (!pkFile) {
        return;
    }
    std::optional<Description> kDescription = ReadDescription(pkFile);
    std::fclose(pkFile);
    if (!kDescription) {
        return;
    }

    qnRGBAImage kImage;
    if (kDescription->uiKind == kImageBitmap) {
        kImage.LoadFromBitmap(kDescription->kImage.c_str());
    } else if (kDescription->uiKind == kImageTarga) {
        kImage.LoadFromTarga(kDescription->kImage.c_str());
    }
    kImage.SetColorKey(static_cast<int>(kDescription->auiKey[0]),
                       static_cast<int>(kDescription->auiKey[1]),
                       static_cast<int>(kDescription->auiKey[2]));
    delete m_pkTexture;
    m_pkTexture = new qnTexture;
    m_pkTexture->Create(kImage);

    qnSpriteSheet kSheet;
    kSheet.Create(m_pkTexture, kImage.GetWidth(), kImage.GetHeight(), kDescription->uiCellWidth,
                  kDescription->uiCellHeight);
    uint32_t uiCount = static_cast<uint32_t>(kDescription->kAnimations.size());
    m_uiAnimationCount = uiCount;
    qnSpriteAnimation* pkAnimations = new qnSpriteAnimation[uiCount];
    for (uint32_t i = 0; i < uiCount; ++i) {
        const std::vector<int32_t>& kPairs = kDescription->kAnimations[i];
        pkAnimations[i].Create(kSheet, static_cast<uint32_t>(kPairs.size() / 2), kPairs.data());
    }
    SetAnimations(uiCount, pkAnimations);
    delete[] pkAnimations;
}

bool qnSprite::IsLoaded() const
{
    const qnRGBAImage* pkImage = m_pkTexture ? m_pkTexture->GetImage() : nullptr;
    return m_uiAnimationCount > 0 && pkImage && pkImage->GetWidth() > 0 && pkImage->GetHeight() > 0;
}

void qnSprite::SetAnimations(uint32_t uiCount, const qnSpriteAnimation* pkSource)
{
    qnSpriteAnimation* pkOld = m_pkAnimations;
    m_pkAnimations = new qnSpriteAnimation[uiCount];
    m_uiAnimationCount = uiCount;
    for (uint32_t i = 0; i < uiCount; ++i) {
        AssignAnimation(i, &pkSource[i]);
    }
    delete[] pkOld;
}

void qnSprite::AssignAnimation(uint32_t uiIndex, const qnSpriteAnimation* pkSource)
{
    if (uiIndex >= m_uiAnimationCount) {
        return;
    }
    m_pkAnimations[uiIndex] = *pkSource;
    m_pkAnimations[uiIndex].SetFrame(0);
}

void qnSprite::CopyAnimations(const qnSprite& kOther)
{
    SetAnimations(kOther.m_uiAnimationCount, kOther.m_pkAnimations);
}

qnError qnSprite::Draw(int iBlendMode) const
{
    if (!HasCurrentAnimation()) {
        return QN_OK;
    }
    return m_pkAnimations[m_uiCurrentAnimation].Draw(m_iX, m_iY, static_cast<int>(m_uiWidth),
                                                     static_cast<int>(m_uiHeight), m_uiColor,
                                                     m_fAngle, iBlendMode);
}

bool qnSprite::Animate()
{
    return HasCurrentAnimation() && m_pkAnimations[m_uiCurrentAnimation].Advance();
}

bool qnSprite::HasCurrentAnimation() const
{
    return m_pkAnimations && m_uiCurrentAnimation < m_uiAnimationCount;
}

void qnSprite::SetAnimation(uint32_t uiIndex)
{
    m_uiCurrentAnimation = uiIndex;
}

uint32_t qnSprite::GetAnimation() const
{
    return m_uiCurrentAnimation;
}

bool qnSprite::Collides(const qnSprite& kOther, int iCircle) const
{
    return iCircle ? CirclesOverlap(kOther) : AnyCornerInside(kOther, 0, 0);
}

bool qnSprite::CollidesInset(int iInsetX, int iInsetY, const qnSprite& kOther, int iCircle) const
{
    return iCircle ? CirclesOverlap(kOther) : AnyCornerInside(kOther, iInsetX, iInsetY);
}

bool qnSprite::ContainsPoint(int iX, int iY) const
{
    int iHalfWidth = static_cast<int>(m_uiWidth >> 1);
    int iHalfHeight = static_cast<int>(m_uiHeight >> 1);
    return m_iX - iHalfWidth <= iX && iX <= m_iX + iHalfWidth && m_iY - iHalfHeight <= iY &&
           iY <= m_iY + iHalfHeight;
}

bool qnSprite::CirclesOverlap(const qnSprite& kOther) const
{
    float fDx = static_cast<float>(m_iX) - static_cast<float>(kOther.m_iX);
    float fDy = static_cast<float>(m_iY) - static_cast<float>(kOther.m_iY);
    float fDistance = std::sqrt(fDx * fDx + fDy * fDy);
    return CollisionRadius() + kOther.CollisionRadius() >= fDistance;
}

float qnSprite::CollisionRadius() const
{
    if (m_fRadius != 0.0f) {
        return m_fRadius;
    }
    float fHalfWidth = static_cast<float>(m_uiWidth >> 1);
    float fHalfHeight = static_cast<float>(m_uiHeight >> 1);
    return std::sqrt(fHalfWidth * fHalfWidth + fHalfHeight * fHalfHeight);
}

bool qnSprite::AnyCornerInside(const qnSprite& kOther, int iInsetX, int iInsetY) const
{
    int iLeft = m_iX - static_cast<int>(m_uiWidth >> 1) + iInsetX;
    int iRight = m_iX + static_cast<int>(m_uiWidth >> 1) - iInsetX;
    int iTop = m_iY - static_cast<int>(m_uiHeight >> 1) + iInsetY;
    int iBottom = m_iY + static_cast<int>(m_uiHeight >> 1) - iInsetY;
    return kOther.ContainsPoint(iLeft, iTop) || kOther.ContainsPoint(iLeft, iBottom) ||
           kOther.ContainsPoint(iRight, iBottom) || kOther.ContainsPoint(iRight, iTop);
}

void qnSprite::SetPosition(int iX, int iY)
{
    m_iX = iX;
    m_iY = iY;
}

void qnSprite::SetSize(uint32_t uiWidth, uint32_t uiHeight)
{
    m_uiWidth = uiWidth;
    m_uiHeight = uiHeight;
}

void qnSprite::SetColor(int iAlpha, int iRed, int iGreen, int iBlue)
{
    m_uiColor = static_cast<D3DCOLOR>(iAlpha & 255) << 24 |
                static_cast<D3DCOLOR>(iRed & 255) << 16 |
                static_cast<D3DCOLOR>(iGreen & 255) << 8 | static_cast<D3DCOLOR>(iBlue & 255);
}

void qnSprite::SetRadius(float fRadius)
{
    m_fRadius = fRadius;
}

void qnSprite::SetAngle(float fDegrees, int iRelative)
{
    m_fAngle = iRelative ? m_fAngle + fDegrees : fDegrees;
}

int qnSprite::GetX() const
{
    return m_iX;
}

int qnSprite::GetY() const
{
    return m_iY;
}

uint32_t qnSprite::GetWidth() const
{
    return m_uiWidth;
}

uint32_t qnSprite::GetHeight() const
{
    return m_uiHeight;
}

D3DCOLOR qnSprite::GetColor() const
{
    return m_uiColor;
}

float qnSprite::GetAngle() const
{
    return m_fAngle;
}

float qnSprite::GetRadius() const
{
    return m_fRadius;
}
