// The look of a particle emitter, copied into the emitter when it is created.
#pragma once

#include "platform/d3d8.h"
#include "qnVector2.h"

class qnParticleEmitterParams {
public:
    // Screen pixels; every particle is drawn relative to it.
    qnVector2 m_kPosition;
    // Half the side of a particle's square, in pixels, at birth and at death.
    float m_fStartSize = 0.0f;
    float m_fEndSize = 0.0f;
    D3DCOLOR m_uiStartColor = 0;
    D3DCOLOR m_uiEndColor = 0;
    // Seconds from birth to death.
    float m_fLifetime = 0.0f;
    // 0: every particle straight down the screen; 1: a fan all around but straight up.
    float m_fSpread = 0.0f;
    // Hundreds of pixels per second at most.
    float m_fSpeed = 0.0f;
};
