// A texture cut into equal cells, each preceded by a one-pixel gutter; answers the texture
// coordinates that frame one cell.
#pragma once

#include <cstdint>

#include "qnTexture.h"

class qnSpriteSheet {
public:
    qnSpriteSheet();
    ~qnSpriteSheet();

    void Create(qnTexture* pkTexture, uint32_t uiWidth, uint32_t uiHeight, uint32_t uiCellWidth,
                uint32_t uiCellHeight);
    // afUV: left u, top v, right u, bottom v.
    void GetCellUV(uint32_t uiColumn, uint32_t uiRow, float afUV[4]) const;
    // Binds the texture, if the sheet has one.
    void Activate() const;

    uint32_t GetWidth() const;
    uint32_t GetHeight() const;
    uint32_t GetCellWidth() const;
    uint32_t GetCellHeight() const;

protected:
    qnTexture* m_pkTexture;
    uint32_t m_uiWidth;
    uint32_t m_uiHeight;
    uint32_t m_uiCellWidth;
    uint32_t m_uiCellHeight;
};
