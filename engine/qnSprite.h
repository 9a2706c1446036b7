// The engine's game graphic: a centre, a size, an ARGB colour, an angle in degrees and one or
// more animations, loaded from a sprite description file that names an image and cuts it into
// cells. The sprite that loaded a texture owns it; copies of its animations share it.
//
// Description files come from anywhere. One that does not open, ends before its last token,
// holds a token that is not a number where a number belongs, or a token longer than 255
// characters, is refused as a whole: the sprite is left exactly as it was. Counts are bounded
// by the tokens the file really holds, so a huge count never allocates beyond them. Loading
// into a sprite that already holds animations or a texture releases them first.
//
// A sprite without animations, or whose current animation lies beyond them, draws nothing and
// does not animate.
#pragma once

#include <cstdint>

#include "platform/d3d8.h"
#include "qnError.h"
#include "qnSpriteAnimation.h"
#include "qnTexture.h"

class qnSprite {
public:
    qnSprite();
    qnSprite(const qnSprite&) = delete;
    qnSprite& operator=(const qnSprite&) = delete;
    ~qnSprite();

    void Load(const char* acPath);
    // Whether a description and a non-empty image have been loaded.
    bool IsLoaded() const;
    void SetAnimations(uint32_t uiCount, const qnSpriteAnimation* pkSource);
    void AssignAnimation(uint32_t uiIndex, const qnSpriteAnimation* pkSource);
    // other must outlive this sprite: its texture is shared, not copied.
    void CopyAnimations(const qnSprite& kOther);

    qnError Draw(int iBlendMode) const;
    bool Animate();
    void SetAnimation(uint32_t uiIndex);
    uint32_t GetAnimation() const;

    bool Collides(const qnSprite& kOther, int iCircle) const;
    bool CollidesInset(int iInsetX, int iInsetY, const qnSprite& kOther, int iCircle) const;
    bool ContainsPoint(int iX, int iY) const;

    void SetPosition(int iX, int iY);
    void SetSize(uint32_t uiWidth, uint32_t uiHeight);
    void SetColor(int iAlpha, int iRed, int iGreen, int iBlue);
    void SetRadius(float fRadius);
    void SetAngle(float fDegrees, int iRelative);

    int GetX() const;
    int GetY() const;
    uint32_t GetWidth() const;
    uint32_t GetHeight() const;
    D3DCOLOR GetColor() const;
    float GetAngle() const;
    float GetRadius() const;

private:
    void Empty();
    bool HasCurrentAnimation() const;
    bool CirclesOverlap(const qnSprite& kOther) const;
    float CollisionRadius() const;
    bool AnyCornerInside(const qnSprite& kOther, int iInsetX, int iInsetY) const;

    qnSpriteAnimation* m_pkAnimations;
    uint32_t m_uiCurrentAnimation;
    D3DCOLOR m_uiColor;
    int32_t m_iX;
    int32_t m_iY;
    uint32_t m_uiWidth;
    uint32_t m_uiHeight;
    float m_fAngle;
    float m_fRadius;
    qnTexture* m_pkTexture;
    uint32_t m_uiAnimationCount;
};
