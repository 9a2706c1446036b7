// A sprite sheet and the cells it shows one after the other; draws the current cell as one
// coloured, optionally rotated quad in world space with one of seven blend modes.
//
// Copies share the sheet's texture and the frame list; the list lives as long as its last
// copy. An animation without frames, or whose current frame lies beyond its list, draws
// nothing and succeeds.
#pragma once

#include <cstdint>
#include <memory>

#include "platform/d3d8.h"
#include "qnError.h"
#include "qnSpriteSheet.h"

class qnSpriteAnimation : public qnSpriteSheet {
public:
    qnSpriteAnimation();
    ~qnSpriteAnimation();

    // aiPairs: uiFrameCount pairs (column, row), in showing order.
    void Create(const qnSpriteSheet& kSheet, uint32_t uiFrameCount, const int32_t* aiPairs);
    // One frame on; true when it wrapped to frame 0.
    bool Advance();
    // x, y: centre; w, h: full size; angle in degrees.
    qnError Draw(int iX, int iY, int iWidth, int iHeight, D3DCOLOR uiColor, float fAngle,
                 int iBlendMode) const;
    void SetFrame(uint32_t uiFrame);
    uint32_t GetFrame() const;

private:
    uint32_t m_uiFrameCount;
    uint32_t m_uiCurrentFrame;
    std::shared_ptr<const int32_t[]> m_piFrames;
};
