#include "qnSpriteSheet.h"

qnSpriteSheet::qnSpriteSheet()
    : m_pkTexture(nullptr), m_uiWidth(0), m_uiHeight(0), m_uiCellWidth(0), m_uiCellHeight(0)
{
}

qnSpriteSheet::~qnSpriteSheet()
{
    m_pkTexture = nullptr;
    m_uiWidth = 0;
    m_uiHeight = 0;
    m_uiCellWidth = 0;
    m_uiCellHeight = 0;
}

void qnSpriteSheet::Create(qnTexture* pkTexture, uint32_t uiWidth, uint32_t uiHeight,
                           uint32_t uiCellWidth, uint32_t uiCellHeight)
{
    m_pkTexture = pkTexture;
    m_uiWidth = uiWidth;
    m_uiHeight = uiHeight;
    m_uiCellWidth = uiCellWidth;
    m_uiCellHeight = uiCellHeight;
}

void qnSpriteSheet::GetCellUV(uint32_t uiColumn, uint32_t uiRow, float afUV[4]) const
{
    uint32_t uiLeft = (m_uiCellWidth + 1) * uiColumn + 1;
    uint32_t uiTop = (m_uiCellHeight + 1) * uiRow + 1;
    float fWidth = static_cast<float>(m_uiWidth);
    float fHeight = static_cast<float>(m_uiHeight);
    afUV[0] = static_cast<float>(uiLeft) / fWidth;
    afUV[1] = static_cast<float>(uiTop) / fHeight;
    afUV[2] = static_cast<float>(uiLeft + m_uiCellWidth) / fWidth;
    afUV[3] = static_cast<float>(uiTop + m_uiCellHeight) / fHeight;
}

void qnSpriteSheet::Activate() const
{
    if (m_pkTexture) {
        m_pkTexture->Activate();
    }
}

uint32_t qnSpriteSheet::GetWidth() const
{
    return m_uiWidth;
}

uint32_t qnSpriteSheet::GetHeight() const
{
    return m_uiHeight;
}

uint32_t qnSpriteSheet::GetCellWidth() const
{
    return m_uiCellWidth;
}

uint32_t qnSpriteSheet::GetCellHeight() const
{
    return m_uiCellHeight;
}
