// One slot of a particle emitter: dead at age 1 or more, re-emitted by its emitter.
#pragma once

#include "platform/d3d8.h"
#include "qnError.h"
#include "qnVector2.h"

class qnParticleEmitter;

class qnParticle {
public:
    // Dead, waiting for its first emission.
    qnParticle();

    void Update(float fDt);
    // One quad at the particle's position relative to the emitter; QN_ERR_DRAW when the
    // draw call fails. The emitter sets the texture, the blend and the vertex format.
    qnError Render(const qnParticleEmitter& kEmitter) const;
    // A new life from the emitter's block: two random draws, the angle first.
    void Emit(const qnParticleEmitter& kEmitter);
    float GetAge() const;

    // Relative to the emitter's position, pixels.
    qnVector2 m_kPosition;
    qnVector2 m_kPrevPosition;
    // Pixels per second, subtracted from the position.
    qnVector2 m_kVelocity;
    float m_fStartSize;
    float m_fEndSize;
    // Fraction of the lifetime that has passed.
    float m_fAge;
    float m_fLifetime;
    D3DCOLOR m_uiStartColor;
    D3DCOLOR m_uiEndColor;
    float m_fSpread;
    float m_fSpeed;

private:
    D3DCOLOR CurrentColor() const;
    float CurrentHalfSize() const;
};
