#include "qnSpriteAnimation.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "qnScreen.h"
#include "qnTexturedVertex.h"

namespace {

constexpr float kDegreesToRadians = 0.0174f;

struct BlendMode {
    DWORD uiSource;
    DWORD uiDestination;
};

constexpr BlendMode kBlendModes[] = {
    {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA}, {D3DBLEND_SRCALPHA, D3DBLEND_ONE},
    {D3DBLEND_SRCALPHA, D3DBLEND_ONE},         {D3DBLEND_DESTCOLOR, D3DBLEND_ZERO},
    {D3DBLEND_ZERO, D3DBLEND_DESTCOLOR},       {D3DBLEND_INVDESTCOLOR, D3DBLEND_ZERO},
    {D3DBLEND_ONE, D3DBLEND_ZERO},
};
constexpr int kReverseSubtractMode = 2;

bool IsBlendMode(int iMode)
{
    return iMode >= 0 && iMode < static_cast<int>(std::size(kBlendModes));
}

void SetBlendStates(IDirect3DDevice8* pkDevice, int iMode)
{
    if (iMode == kReverseSubtractMode) {
        pkDevice->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_REVSUBTRACT);
    }
    pkDevice->SetRenderState(D3DRS_SRCBLEND, kBlendModes[iMode].uiSource);
    pkDevice->SetRenderState(D3DRS_DESTBLEND, kBlendModes[iMode].uiDestination);
}

}  // namespace

qnSpriteAnimation::qnSpriteAnimation() : m_uiFrameCount(0), m_uiCurrentFrame(0), m_piFrames() {}

qnSpriteAnimation::~qnSpriteAnimation()
{
    m_piFrames = nullptr;
    m_uiFrameCount = 0;
    m_uiCurrentFrame = 0;
}

void qnSpriteAnimation::Create(const qnSpriteSheet& kSheet, uint32_t uiFrameCount,
                               const int32_t* aiPairs)
{
    m_uiFrameCount = uiFrameCount;
    m_uiCurrentFrame = 0;
    size_t uiValues = 2 * static_cast<size_t>(uiFrameCount);
    std::shared_ptr<int32_t[]> kFrames(new int32_t[uiValues]);
    std::copy(aiPairs, aiPairs + uiValues, kFrames.get());
    m_piFrames = std::move(kFrames);
    qnSpriteSheet::operator=(kSheet);
}

bool qnSpriteAnimation::Advance()
{
    ++m_uiCurrentFrame;
    if (m_uiCurrentFrame >= m_uiFrameCount) {
        m_uiCurrentFrame = 0;
        return true;
    }
    return false;
}

qnError qnSpriteAnimation::Draw(int iX, int iY, int iWidth, int iHeight, D3DCOLOR uiColor,
                                float fAngle, int iBlendMode) const
{
    if (m_uiCurrentFrame >= m_uiFrameCount) {
        return QN_OK;
    }
    IDirect3DDevice8* pkDevice = qnScreen::GetSingleton()->GetDevice();
    if (IsBlendMode(iBlendMode)) {
        SetBlendStates(pkDevice, iBlendMode);
    }

    float fHalfWidth = static_cast<float>(iWidth >> 1);
    float fHalfHeight = static_cast<float>(iHeight >> 1);
    float afOffsets[4][2] = {{-fHalfWidth, -fHalfHeight},
                             {fHalfWidth, -fHalfHeight},
                             {fHalfWidth, fHalfHeight},
                             {-fHalfWidth, fHalfHeight}};
    if (fAngle != 0.0f) {
        double dAngle = fAngle * kDegreesToRadians;
        double dCos = std::cos(dAngle);
        double dSin = std::sin(dAngle);
        for (float* afOffset : afOffsets) {
            double dX = afOffset[0];
            double dY = afOffset[1];
            afOffset[0] = static_cast<float>(dX * dCos - dY * dSin);
            afOffset[1] = static_cast<float>(dX * dSin + dY * dCos);
        }
    }

    const int32_t* aiCell = &m_piFrames[2 * static_cast<size_t>(m_uiCurrentFrame)];
    float afUV[4];
    GetCellUV(static_cast<uint32_t>(aiCell[0]), static_cast<uint32_t>(aiCell[1]), afUV);
    const float afCornerUV[4][2] = {
        {afUV[0], afUV[1]}, {afUV[2], afUV[1]}, {afUV[2], afUV[3]}, {afUV[0], afUV[3]}};
    qnTexturedVertex akVertices[4];
    for (int i = 0; i < 4; ++i) {
        akVertices[i] = {static_cast<float>(iX) + afOffsets[i][0],
                         static_cast<float>(iY) + afOffsets[i][1],
                         0.0f,
                         uiColor,
                         afCornerUV[i][0],
                         afCornerUV[i][1]};
    }

    Activate();
    pkDevice->SetVertexShader(kTexturedVertexFormat);
    HRESULT iResult = pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, akVertices,
                                                sizeof(qnTexturedVertex));
    if (iBlendMode == kReverseSubtractMode) {
        pkDevice->SetRenderState(D3DRS_BLENDOP, D3DBLENDOP_ADD);
    }
    return FAILED(iResult) ? QN_ERR_DRAW : QN_OK;
}

void qnSpriteAnimation::SetFrame(uint32_t uiFrame)
{
    m_uiCurrentFrame = uiFrame;
}

uint32_t qnSpriteAnimation::GetFrame() const
{
    return m_uiCurrentFrame;
}
