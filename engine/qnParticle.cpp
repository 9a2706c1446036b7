#include "qnParticle.h"

#include <cmath>

#include "platform/crt.h"
#include "qnParticleEmitter.h"
#include "qnScreen.h"

namespace {

// Pre-transformed: screen position with reciprocal w, diffuse colour, one texture coordinate.
struct ParticleVertex {
    float fX;
    float fY;
    float fZ;
    float fRhw;
    D3DCOLOR uiColor;
    float fU;
    float fV;
};
static_assert(sizeof(ParticleVertex) == 28);

// Just short of half a turn either way, so a sliver straight up is never hit.
constexpr float kAngleRange = 3.132f;
// Straight down the screen.
constexpr float kDownward = 1.570795f;
constexpr float kPixelsPerSpeedUnit = 100.0f;
constexpr float kRandRange = static_cast<float>(crt::kRandMax);

// Stays within one byte, so that no channel spills into another when packed.
uint32_t ChannelAt(uint32_t uiStart, uint32_t uiEnd, float fAge)
{
    const float fStart = static_cast<float>(uiStart);
    const float fValue = fStart + (static_cast<float>(uiEnd) - fStart) * fAge;
    if (!(fValue >= 0.0f)) {
        return 0;
    }
    return fValue >= 255.0f ? 255 : static_cast<uint32_t>(fValue);
}

}  // namespace

qnParticle::qnParticle()
    : m_fStartSize(0.0f),
      m_fEndSize(0.0f),
      m_fAge(1.0f),
      m_fLifetime(0.0f),
      m_uiStartColor(0),
      m_uiEndColor(0),
      m_fSpread(0.0f),
      m_fSpeed(0.0f)
{
}

void qnParticle::Update(float fDt)
{
    m_kPrevPosition = m_kPosition;
    m_kPosition -= m_kVelocity * fDt;
    m_fAge = fDt / m_fLifetime + m_fAge;
}

qnError qnParticle::Render(const qnParticleEmitter& kEmitter) const
{
    const D3DCOLOR uiColor = CurrentColor();
    const float fHalf = CurrentHalfSize();
    const float fCentreX = m_kPosition.m_fX + kEmitter.m_kParams.m_kPosition.m_fX;
    const float fCentreY = m_kPosition.m_fY + kEmitter.m_kParams.m_kPosition.m_fY;
    const ParticleVertex akVertices[4] = {
        {fCentreX - fHalf, fCentreY - fHalf, 0.0f, 1.0f, uiColor, 0.0f, 0.0f},
        {fCentreX + fHalf, fCentreY - fHalf, 0.0f, 1.0f, uiColor, 1.0f, 0.0f},
        {fCentreX + fHalf, fCentreY + fHalf, 0.0f, 1.0f, uiColor, 1.0f, 1.0f},
        {fCentreX - fHalf, fCentreY + fHalf, 0.0f, 1.0f, uiColor, 0.0f, 1.0f},
    };
    IDirect3DDevice8* pkDevice = qnScreen::GetSingleton()->GetDevice();
    const HRESULT hResult =
        pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, akVertices, sizeof(ParticleVertex));
    return FAILED(hResult) ? QN_ERR_DRAW : QN_OK;
}

void qnParticle::Emit(const qnParticleEmitter& kEmitter)
{
    const qnParticleEmitterParams& kParams = kEmitter.m_kParams;
    m_kPosition.Zero();
    m_kPrevPosition.Zero();
    m_fStartSize = kParams.m_fStartSize;
    m_fEndSize = kParams.m_fEndSize;
    m_fLifetime = kParams.m_fLifetime;
    m_uiStartColor = kParams.m_uiStartColor;
    m_uiEndColor = kParams.m_uiEndColor;
    m_fSpread = kParams.m_fSpread;
    m_fSpeed = kParams.m_fSpeed;
    m_fAge = 0.0f;

    const float fAngleDraw = static_cast<float>(crt::Rand());
    const float fTurn = (1.0f - 2.0f * fAngleDraw / kRandRange) * kAngleRange;
    const float fAngle = fTurn * m_fSpread + kDownward;
    m_kVelocity = qnVector2(std::cos(fAngle), std::sin(fAngle));

    const float fSpeedDraw = static_cast<float>(crt::Rand());
    const float fSpeed = m_fSpeed * kPixelsPerSpeedUnit -
                         (fSpeedDraw / kRandRange) * m_fSpeed * kPixelsPerSpeedUnit;
    m_kVelocity *= -fSpeed;
}

float qnParticle::GetAge() const
{
    return m_fAge;
}

D3DCOLOR qnParticle::CurrentColor() const
{
    D3DCOLOR uiColor = 0;
    for (int iShift = 24; iShift >= 0; iShift -= 8) {
        const uint32_t uiStart = (m_uiStartColor >> iShift) & 0xff;
        const uint32_t uiEnd = (m_uiEndColor >> iShift) & 0xff;
        uiColor |= ChannelAt(uiStart, uiEnd, m_fAge) << iShift;
    }
    return uiColor;
}

float qnParticle::CurrentHalfSize() const
{
    return (m_fEndSize - m_fStartSize) * m_fAge + m_fStartSize;
}
