#include "qnParticleEmitter.h"

#include <cmath>
#include <new>

#include "qnScreen.h"
#include "qnTexture.h"

namespace {

constexpr DWORD kParticleVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1;
static_assert(kParticleVertexFormat == 0x144);

}  // namespace

qnParticleEmitter::qnParticleEmitter()
    : m_pkParticles(nullptr),
      m_uiParticleCount(0),
      m_pkTexture(nullptr),
      m_uiRate(0),
      m_fCarry(0.0f),
      m_bStopped(0)
{
}

qnParticleEmitter::~qnParticleEmitter()
{
    delete[] m_pkParticles;
    m_kParams = qnParticleEmitterParams();
    m_pkParticles = nullptr;
    m_uiParticleCount = 0;
    m_pkTexture = nullptr;
    m_uiRate = 0;
    m_fCarry = 0.0f;
    m_bStopped = 0;
}

void qnParticleEmitter::Create(const qnParticleEmitterParams* pkParams, uint32_t uiCount,
                               uint32_t uiRate, qnTexture* pkTexture)
{
    m_kParams = *pkParams;
    delete[] m_pkParticles;
    m_pkParticles = new (std::nothrow) qnParticle[uiCount];
    m_uiParticleCount = m_pkParticles ? uiCount : 0;
    m_uiRate = uiRate;
    m_pkTexture = pkTexture;
}

void qnParticleEmitter::Update(float fDt)
{
    const float fOwed = static_cast<float>(m_uiRate) * fDt + m_fCarry;
    const float fWhole = std::trunc(fOwed);
    m_fCarry = fOwed - fWhole;
    float fToEmit = fWhole;
    for (uint32_t uiIndex = 0; uiIndex < m_uiParticleCount; ++uiIndex) {
        qnParticle& kParticle = m_pkParticles[uiIndex];
        if (kParticle.GetAge() < 1.0f) {
            kParticle.Update(fDt);
        } else if (m_bStopped == 0 && fToEmit > 0.0f) {
            kParticle.Emit(*this);
            fToEmit -= 1.0f;
        }
    }
}

void qnParticleEmitter::Render()
{
    IDirect3DDevice8* pkDevice = qnScreen::GetSingleton()->GetDevice();
    DWORD uiColorOp = D3DTOP_MODULATE;
    if (m_pkTexture) {
        m_pkTexture->Activate();
    } else {
        // Texturing off for this draw only; the texture bound to the stage stays bound.
        pkDevice->GetTextureStageState(0, D3DTSS_COLOROP, &uiColorOp);
        pkDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_DISABLE);
    }
    pkDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    pkDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
    pkDevice->SetVertexShader(kParticleVertexFormat);
    for (uint32_t uiIndex = 0; uiIndex < m_uiParticleCount; ++uiIndex) {
        const qnParticle& kParticle = m_pkParticles[uiIndex];
        if (kParticle.GetAge() < 1.0f) {
            kParticle.Render(*this);
        }
    }
    pkDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    pkDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    if (!m_pkTexture) {
        pkDevice->SetTextureStageState(0, D3DTSS_COLOROP, uiColorOp);
    }
}

void qnParticleEmitter::SetPosition(const qnVector2& kPosition)
{
    m_kParams.m_kPosition = kPosition;
}

void qnParticleEmitter::SetStopped(int bStopped)
{
    m_bStopped = bStopped;
}

qnVector2 qnParticleEmitter::GetPosition() const
{
    return m_kParams.m_kPosition;
}
