// Screen-space particles: a fixed array of slots, refilled from the emitter's position at a
// rate per second, drawn as additive textured squares in pre-transformed pixels.
#pragma once

#include <cstdint>

#include "qnParticle.h"
#include "qnParticleEmitterParams.h"
#include "qnVector2.h"

class qnTexture;

class qnParticleEmitter {
public:
    qnParticleEmitter();
    ~qnParticleEmitter();
    qnParticleEmitter(const qnParticleEmitter&) = delete;
    qnParticleEmitter& operator=(const qnParticleEmitter&) = delete;

    // Replaces any earlier particles with uiCount dead ones. Without a texture the
    // particles are drawn untextured.
    void Create(const qnParticleEmitterParams* pkParams, uint32_t uiCount, uint32_t uiRate,
                qnTexture* pkTexture);
    void Update(float fDt);
    // Between the screen's frame start and end.
    void Render();
    // Live particles move with the emitter.
    void SetPosition(const qnVector2& kPosition);
    // Nonzero: dead particles are not re-emitted.
    void SetStopped(int bStopped);
    qnVector2 GetPosition() const;

    qnParticleEmitterParams m_kParams;
    qnParticle* m_pkParticles;
    uint32_t m_uiParticleCount;
    qnTexture* m_pkTexture;
    uint32_t m_uiRate;
    // Fraction of a particle owed from earlier updates.
    float m_fCarry;
    int m_bStopped;
};
