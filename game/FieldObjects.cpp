// The object and explosion pools: fixed slots, scanned from slot 0, first free wins.
#include <memory>

#include "ArcadeGame.h"
#include "platform/crt.h"

namespace {

constexpr int kExplosionFrames = 20;
constexpr int kParticlesPerFrame = 10;

// a - b, with a drawn before b.
int Jitter(int iRange)
{
    int iAdded = crt::Rand() % iRange;
    return iAdded - crt::Rand() % iRange;
}

}  // namespace

void FieldObject::Reset()
{
    m_iType = OBJ_FREE;
    m_iX = 0;
    m_iY = 0;
    m_iTimer = 0;
    m_uiZigZag = 0;
    m_iHitPoints = 0;
    std::destroy_at(&m_kSprite);
    std::construct_at(&m_kSprite);
}

void ArcadeGame::SpawnObject(int iType, int iX, int iY)
{
    if (iType == OBJ_FREE) {
        return;
    }
    for (FieldObject& kObject : m_akObjects) {
        if (kObject.InPlay()) {
            continue;
        }
        kObject.m_iType = iType;
        kObject.m_iX = iX;
        kObject.m_iY = iY;
        kObject.m_kSprite.CopyAnimations(m_akTemplates[iType]);
        kObject.m_kSprite.SetSize(150, 150);
        if (iType == OBJ_PLAYER_BULLET || iType == OBJ_ENEMY_BULLET) {
            kObject.m_kSprite.SetSize(70, 70);
        }
        kObject.m_kSprite.SetColor(255, 255, 255, 255);
        kObject.m_kSprite.SetPosition(iX, iY);
        if (iType == 17) {
            kObject.m_iHitPoints = 15;
        }
        return;
    }
}

void ArcadeGame::StartExplosion(int iX, int iY)
{
    for (Explosion& kExplosion : m_akExplosions) {
        if (kExplosion.m_iActive == 0) {
            kExplosion = Explosion{iX, iY, 1, 0};
            return;
        }
    }
}

void ArcadeGame::UpdateExplosions()
{
    for (Explosion& kExplosion : m_akExplosions) {
        if (kExplosion.m_iActive != 1 || kExplosion.m_iFrame >= kExplosionFrames) {
            continue;
        }
        for (int i = 0; i < kParticlesPerFrame; ++i) {
            int iY = kExplosion.m_iY + Jitter(10);
            int iX = kExplosion.m_iX + Jitter(10);
            m_kParticle.SetPosition(iX, iY);
            int iBlue = crt::Rand() % 255;
            int iGreen = crt::Rand() % 255;
            int iRed = crt::Rand() % 255;
            m_kParticle.SetColor(255, iRed, iGreen, iBlue);
            int iHeight = 80 + Jitter(60);
            int iWidth = 80 + Jitter(60);
            m_kParticle.SetSize(static_cast<uint32_t>(iWidth), static_cast<uint32_t>(iHeight));
            m_kParticle.Draw(0);
        }
        kExplosion.m_iFrame += 1;
        if (kExplosion.m_iFrame == kExplosionFrames) {
            kExplosion.m_iActive = 0;
        }
    }
}
