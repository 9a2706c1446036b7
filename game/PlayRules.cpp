// The running game: one play frame, its steps in the order they run. Steps 1 to 5 see the zone
// the previous frame left; step 6 updates it for the rest of the frame. Setting a new state does
// not end the frame: the frame acts on it from the next frame on.
#include <algorithm>
#include <cstdlib>

#include "ArcadeGame.h"
#include "platform/crt.h"

namespace {

constexpr int kSpawnRowY = -2000;
constexpr int kTopBarY = -1300;
constexpr int kMaxPaddleSize = 5;
constexpr int kMaxShield = 4;
constexpr int kMaxGuns = 2;
constexpr int kMaxFuel = 100;
constexpr int kMapEndRow = 500;
constexpr int kFinishRow = 1000;

bool Near(int iA, int iB, int iDistance)
{
    return std::abs(iA - iB) < iDistance;
}

// The runtime's generator as "a - b" with a drawn before b.
int RandomSpread(int iRange)
{
    int iAdded = crt::Rand() % iRange;
    return iAdded - crt::Rand() % iRange;
}

// "-a + b" with the subtracted a drawn first.
int RandomSpreadSubtractedFirst(int iRange)
{
    int iSubtracted = crt::Rand() % iRange;
    return -iSubtracted + crt::Rand() % iRange;
}

}  // namespace

void ArcadeGame::PlayFrame()
{
    FireShipVolley();          // 1
    DrawPaddleScenery();       // 2
    ScrollBackgrounds();       // 3
    MoveObjects();             // 4
    FireEnemies();             // 5
    UpdateZone();              // 6
    FreeObjectsOffTheSides();  // 7
    TurnAtTheEdges();          // 8
    PlacePlayer();             // 9
    MovePlayer();              // 10
    DrawPlayer();              // 11
    PlayPaddleAndBall();       // 12
    FreeObjectsOffTheEnds();   // 13
    CollideWithPlayer();       // 14
    HitWithBullets();          // 15
    DrawObjects();             // 16
    BurnFuel();                // 17
    DrawFuel();                // 18
    SpawnCourseRow();          // 19
    CountToFinish();           // 20
    DrawProgress();            // 21
    DrawScore();               // 22
    UpdateExplosions();        // 23
    DropRandomItems();         // 24
    SpawnEnemiesAfterMap();    // 25
    SpawnShipZoneEnemies();    // 26
}

// A volley leaves every 7 frames in the ship zone; the hand shows 0 on the frame after it.
void ArcadeGame::FireShipVolley()
{
    m_kShipHand2.SetAngle(-30.0f, 0);
    if (m_eZone != ZONE_SHIP) {
        return;
    }
    m_iFireTimer += 1;
    if (m_iFireTimer > 6) {
        m_kShipHand2.SetAngle(0.0f, 0);
        m_iFireTimer = 0;
    } else if (m_iFireTimer > 5) {
        if (m_iGuns == 0) {
            SpawnObject(OBJ_PLAYER_BULLET, m_iPlayerX, m_iPlayerY);
        } else if (m_iGuns == 1) {
            SpawnObject(OBJ_PLAYER_BULLET, m_iPlayerX + 20, m_iPlayerY);
            SpawnObject(OBJ_PLAYER_BULLET, m_iPlayerX - 20, m_iPlayerY);
        } else {
            SpawnObject(OBJ_PLAYER_BULLET, m_iPlayerX - 40, m_iPlayerY);
            SpawnObject(OBJ_PLAYER_BULLET, m_iPlayerX, m_iPlayerY);
            SpawnObject(OBJ_PLAYER_BULLET, m_iPlayerX + 40, m_iPlayerY);
        }
        PlaySoundEvent(SOUND_SHOOT);
    }
}

void ArcadeGame::DrawPaddleScenery()
{
    const struct {
        qnSprite* pkSprite;
        int iX;
    } akWalls[] = {{&m_kWallLeft, -470}, {&m_kWallRight, 450}, {&m_kCentreLine, -20}};
    for (const auto& kWall : akWalls) {
        kWall.pkSprite->SetSize(1000, 1000);
        kWall.pkSprite->SetPosition(kWall.iX, -820);
        kWall.pkSprite->Draw(0);
    }
    m_kBall.Draw(0);
    m_kTopBar.Draw(0);
}

void ArcadeGame::ScrollBackgrounds()
{
    const struct {
        qnSprite* pkPair;
        int iStep;
        int iLimit;
    } akZones[] = {{m_akCarMap, 100, 700}, {m_akShipMap, 30, 800}};
    for (const auto& kZone : akZones) {
        for (int i = 0; i < 2; ++i) {
            qnSprite& kMap = kZone.pkPair[i];
            int iY = kMap.GetY();
            kMap.SetPosition(kMap.GetX(), iY + kZone.iStep);
            if (iY > kZone.iLimit) {
                kMap.SetPosition(kMap.GetX(), -3000);
            }
            kMap.Draw(0);
        }
    }
}

void ArcadeGame::MoveObjects()
{
    for (FieldObject& kObject : m_akObjects) {
        if (!kObject.InPlay()) {
            continue;
        }
        switch (kObject.m_iType) {
        case 0: case 1: case 2: case 12: case 16:
        case 20: case 21: case 22: case 23: case 24:
            kObject.m_iY += 6;
            break;
        case 3: case 4: case 5: case 6: case 10: case 11: case 17:
            kObject.m_iY += 3;
            break;
        case 7: case 14: case 9: case 13: {
            int iPeriod = kObject.m_iType == 7 || kObject.m_iType == 14 ? 100 : 50;
            kObject.m_iTimer += 1;
            if (kObject.m_iTimer > iPeriod) {
                kObject.m_iTimer = 0;
                kObject.m_uiZigZag = kObject.m_uiZigZag == 0 ? 1 : 0;
            }
            kObject.m_iX += kObject.m_uiZigZag == 0 ? 3 : -3;
            kObject.m_iY += 3;
            break;
        }
        case 8: case 15: {
            // Steers by where the object was last drawn.
            int iSpriteX = kObject.m_kSprite.GetX();
            if (Near(iSpriteX, m_iPlayerX, 300) && Near(kObject.m_kSprite.GetY(), m_iPlayerY, 900)) {
                kObject.m_iX += iSpriteX > m_iPlayerX ? -3 : 3;
            }
            kObject.m_iY += 3;
            break;
        }
        case OBJ_PLAYER_BULLET:
            kObject.m_iY -= 15;
            break;
        case OBJ_ENEMY_BULLET:
            kObject.m_iY += 10;
            break;
        default:
            break;
        }
    }
}

void ArcadeGame::FireEnemies()
{
    for (FieldObject& kObject : m_akObjects) {
        if (kObject.m_iType == 14) {
            int iTimer = kObject.m_iTimer;
            if (iTimer == 45 || iTimer == 50 || iTimer == 55) {
                SpawnObject(OBJ_ENEMY_BULLET, kObject.m_iX + RandomSpread(5), kObject.m_iY);
            }
        } else if (kObject.m_iType == 13 || kObject.m_iType == 15) {
            kObject.m_iTimer += 1;
            if (kObject.m_iTimer > 50) {
                kObject.m_iTimer = 0;
                SpawnObject(OBJ_ENEMY_BULLET, kObject.m_iX, kObject.m_iY);
            }
        }
    }
}

void ArcadeGame::UpdateZone()
{
    if (m_iPlayerX > -600 && m_iPlayerX < 500) {
        m_eZone = ZONE_PADDLE;
    } else if (m_iPlayerX > 600 && m_iPlayerX < 1800) {
        m_eZone = ZONE_CAR;
    } else if (m_iPlayerX > 1850 && m_iPlayerX < 3000) {
        m_eZone = ZONE_SHIP;
    }
}

void ArcadeGame::FreeObjectsOffTheSides()
{
    for (FieldObject& kObject : m_akObjects) {
        if (kObject.m_iX < -600 || kObject.m_iX > 3000) {
            kObject.Reset();
        }
    }
}

void ArcadeGame::TurnAtTheEdges()
{
    if (m_iPlayerX < m_iPaddleSize * 30 - 470) {
        m_iDirection = 1;
    }
    if (m_iPlayerX > 2900 - m_iGuns * 20) {
        m_iDirection = 0;
    }
}

// Places the player's sprites; in the ship zone draws the ship once per gun level.
void ArcadeGame::PlacePlayer()
{
    for (qnSprite* pkSprite : {m_pkPlayer, &m_kPaddle, &m_kCar, &m_kShip}) {
        pkSprite->SetPosition(m_iPlayerX, m_iPlayerY);
    }
    if (m_eZone != ZONE_SHIP) {
        return;
    }
    int iWidth = static_cast<int>(m_pkPlayer->GetWidth());
    int aiOffsets[3] = {0, 0, 0};
    int iCount = 1;
    if (m_iGuns == 1) {
        aiOffsets[0] = -iWidth / 4;
        aiOffsets[1] = iWidth / 4;
        iCount = 2;
    } else if (m_iGuns >= 2) {
        aiOffsets[1] = iWidth / 2;
        aiOffsets[2] = -(iWidth / 2);
        iCount = 3;
    }
    for (int i = 0; i < iCount; ++i) {
        m_pkPlayer->SetPosition(m_iPlayerX + aiOffsets[i], m_iPlayerY);
        m_pkPlayer->Draw(0);
    }
}

void ArcadeGame::MovePlayer()
{
    int iSign = m_iDirection == 1 ? 1 : -1;
    switch (m_eZone) {
    case ZONE_PADDLE:
        m_iPlayerX += 6 * iSign;
        m_pkPlayer = &m_kPaddle;
        m_kPaddle.SetSize(static_cast<uint32_t>(m_iPaddleSize * 30 + 150), 150);
        break;
    case ZONE_CAR: {
        m_iPlayerX += 8 * iSign;
        qnSprite* apkCars[] = {&m_kCar, &m_kCarShield1, &m_kCarShield2, &m_kCarShield3,
                               &m_kCarShield4};
        m_pkPlayer = apkCars[m_iShield];
        break;
    }
    case ZONE_SHIP:
        m_iPlayerX += 6 * iSign;
        m_pkPlayer = &m_kShip;
        break;
    }
}

void ArcadeGame::DrawPlayer()
{
    if (m_eZone == ZONE_PADDLE || m_eZone == ZONE_CAR) {
        m_pkPlayer->Draw(0);
    }
}

// Only in the paddle zone; elsewhere the ball keeps its place and speed.
void ArcadeGame::PlayPaddleAndBall()
{
    if (m_eZone != ZONE_PADDLE) {
        return;
    }
    if (m_iBallX < -460) {
        m_iBallDX = -m_iBallDX;
        PlaySoundEvent(SOUND_PING);
    }
    if (m_iBallX > 440) {
        m_iBallDX = -m_iBallDX;
        PlaySoundEvent(SOUND_PING);
    }

    int iNextX = m_iBallX + m_iBallDX;
    int iNextY = m_iBallY + m_iBallDY;
    int iReach = 60 + m_iPaddleSize * 20;
    if (Near(iNextY, m_iPlayerY, 15) && iNextX > m_iPlayerX - iReach &&
        iNextX < m_iPlayerX + iReach) {
        m_iBallDY = -m_iBallDY;
        // Two numbers are drawn here that do not change the result.
        crt::Rand();
        crt::Rand();
        m_iBallDX += 1;
        m_iPaddleHits += 1;
        if (m_iPaddleHits == 1) {
            int iX = crt::Rand() % 600 - 400;
            SpawnObject(OBJ_ITEM_MINUS + crt::Rand() % 5, iX, -820);
            int iCount = crt::Rand() % 3;
            for (int i = 0; i < iCount; ++i) {
                int iObjectX = crt::Rand() % 600 - 400;
                SpawnObject(crt::Rand() % 25, iObjectX, -1320);
            }
            m_iPaddleHits = 0;
        }
        PlaySoundEvent(SOUND_PONG);
    }

    if (Near(m_iBallY, m_kTopBar.GetY(), 10)) {
        m_iBallDY = -m_iBallDY;
        PlaySoundEvent(SOUND_PONG);
    }

    m_kBall.SetSize(20, 20);
    m_kBall.SetPosition(m_iBallX, m_iBallY);
    m_kTopBar.SetPosition(m_iBallX, kTopBarY);
    m_kTopBar.SetSize(150, 150);
    if (m_iBallY > -100) {
        m_eState = STATE_GAME_OVER;
    }
    m_iBallX += m_iBallDX;
    m_iBallY += m_iBallDY;
}

// By where each object was last drawn: the near end, and player bullets past the far end.
void ArcadeGame::FreeObjectsOffTheEnds()
{
    for (FieldObject& kObject : m_akObjects) {
        if (!kObject.InPlay()) {
            continue;
        }
        int iY = kObject.m_kSprite.GetY();
        if ((iY >= 0 && iY <= 99) || (kObject.m_iType == OBJ_PLAYER_BULLET && iY < -1500)) {
            kObject.Reset();
        }
    }
}

void ArcadeGame::CollideWithPlayer()
{
    for (FieldObject& kObject : m_akObjects) {
        if (!kObject.InPlay() || !Near(kObject.m_iX, m_iPlayerX, 40) ||
            !Near(kObject.m_iY, m_iPlayerY, 40)) {
            continue;
        }
        if (kObject.m_iType >= OBJ_ITEM_MINUS) {
            TakeItem(kObject);
        } else if (TakeDamage(kObject)) {
            return;
        }
    }
}

void ArcadeGame::TakeItem(FieldObject& kObject)
{
    int iType = kObject.m_iType;
    kObject.Reset();
    switch (iType) {
    case OBJ_ITEM_MINUS:
        m_iPaddleSize -= 1;
        if (m_iPaddleSize == -1) {
            m_eState = STATE_GAME_OVER;
        }
        PlaySoundEvent(SOUND_BARM);
        break;
    case OBJ_ITEM_PLUS:
        m_iPaddleSize = std::min(m_iPaddleSize + 1, kMaxPaddleSize);
        PlaySoundEvent(SOUND_BARP);
        break;
    case OBJ_ITEM_FUEL:
        m_iFuel = std::min(m_iFuel + 20, kMaxFuel);
        PlaySoundEvent(SOUND_FUEL);
        break;
    case OBJ_ITEM_BUFFER:
        m_iShield = std::min(m_iShield + 1, kMaxShield);
        PlaySoundEvent(SOUND_BUFFER);
        break;
    case OBJ_ITEM_SHIP:
        m_iGuns = std::min(m_iGuns + 1, kMaxGuns);
        PlaySoundEvent(SOUND_SHIP);
        break;
    default:
        break;
    }
}

// A damaging object touches the player, by the zone of this frame. True when the collision
// step ends here.
bool ArcadeGame::TakeDamage(FieldObject& kObject)
{
    switch (m_eZone) {
    case ZONE_PADDLE:
        if (m_iPaddleSize < 0) {
            return false;
        }
        if (m_iPaddleSize > 0) {
            m_iPaddleSize -= 1;
        } else {
            m_eState = STATE_GAME_OVER;
        }
        BlowUp(kObject);
        return true;
    case ZONE_CAR:
        if (kObject.m_iType == OBJ_PLAYER_BULLET) {
            return false;
        }
        if (m_iShield > 0) {
            m_iShield -= 1;
        } else {
            m_iFuel -= 5;
            if (m_iFuel < 0) {
                m_eState = STATE_GAME_OVER;
            }
        }
        BlowUp(kObject);
        return false;
    case ZONE_SHIP:
        if (kObject.m_iType == OBJ_PLAYER_BULLET) {
            return false;
        }
        if (m_iGuns == 0) {
            m_eState = STATE_GAME_OVER;
            return false;
        }
        m_iGuns -= 1;
        BlowUp(kObject);
        return true;
    }
    return false;
}

void ArcadeGame::BlowUp(FieldObject& kObject)
{
    StartExplosion(kObject.m_iX, kObject.m_iY);
    kObject.Reset();
    PlaySoundEvent(SOUND_E);
}

// Each player bullet hits the first object in slot order that it overlaps.
void ArcadeGame::HitWithBullets()
{
    for (FieldObject& kBullet : m_akObjects) {
        if (kBullet.m_iType != OBJ_PLAYER_BULLET) {
            continue;
        }
        for (FieldObject& kTarget : m_akObjects) {
            if (&kTarget == &kBullet || kTarget.m_iType < 0 || kTarget.m_iType > 17 ||
                !Near(kTarget.m_iX, kBullet.m_iX, 30) || !Near(kTarget.m_iY, kBullet.m_iY, 30)) {
                continue;
            }
            if (kTarget.m_iType == 17) {
                StartExplosion(kTarget.m_iX, kTarget.m_iY);
                kTarget.m_iHitPoints -= 1;
                if (kTarget.m_iHitPoints == 0) {
                    kTarget.Reset();
                }
                PlaySoundEvent(SOUND_E);
                kBullet.Reset();
            } else {
                BlowUp(kTarget);
                kBullet.Reset();
                m_iScore += 100;
            }
            break;
        }
    }
}

void ArcadeGame::DrawObjects()
{
    for (FieldObject& kObject : m_akObjects) {
        if (kObject.InPlay()) {
            kObject.m_kSprite.SetPosition(kObject.m_iX, kObject.m_iY);
            kObject.m_kSprite.Draw(0);
        }
    }
}

// One unit every 16 frames in the car zone.
void ArcadeGame::BurnFuel()
{
    if (m_eZone == ZONE_CAR) {
        m_iFuelTick += 1;
    }
    if (m_iFuelTick > 15) {
        m_iFuel -= 1;
        m_iFuelTick = 0;
    }
    if (m_iFuel < 0) {
        m_eState = STATE_GAME_OVER;
    }
}

// The icon flickers below 30 units and pulses yellow below 60; one 2-unit bar per unit.
void ArcadeGame::DrawFuel()
{
    m_kFuelIcon.SetSize(300, 300);
    if (m_iFuel < 30) {
        int iBlue = crt::Rand() % 255;
        int iGreen = crt::Rand() % 255;
        m_kFuelIcon.SetColor(255, 255, iGreen, iBlue);
        int iHeight = 300 + RandomSpread(50);
        int iWidth = 300 + RandomSpread(50);
        m_kFuelIcon.SetSize(static_cast<uint32_t>(iWidth), static_cast<uint32_t>(iHeight));
    } else if (m_iFuel < 60) {
        m_kFuelIcon.SetColor(255, 255, 255, 0);
        int iHeight = 300 + RandomSpread(90);
        int iWidth = 300 + RandomSpread(90);
        m_kFuelIcon.SetSize(static_cast<uint32_t>(iWidth), static_cast<uint32_t>(iHeight));
    }
    m_kFuelIcon.SetPosition(1224, -190);
    m_kFuelIcon.Draw(0);
    for (int i = 0; i < m_iFuel; ++i) {
        m_kGauge.SetPosition(1134 + 2 * i, -200);
        m_kGauge.SetSize(2, 40);
        m_kGauge.Draw(0);
    }
}

// One map row every 8 frames; the row counter goes on past the map toward the finish.
void ArcadeGame::SpawnCourseRow()
{
    m_iRowTimer += 1;
    if (m_iRowTimer <= 7) {
        return;
    }
    m_iRowTimer = 0;
    if (m_iRow < kMapRows) {
        for (int iColumn = 0; iColumn < kMapColumns; ++iColumn) {
            SpawnObject(m_aaiMap[m_iRow][iColumn], iColumn * 145 - 450, kSpawnRowY);
        }
    }
    m_iRow += 1;
}

void ArcadeGame::CountToFinish()
{
    if (m_iRow <= kFinishRow) {
        return;
    }
    DrawBlanks(49, 0.0f);
    DrawText(-1224.0f, -600.0f, 2.0f, "F I N I S H");
    m_iFinishCount += 1;
    if (m_iFinishCount > 40) {
        m_iFinishCount = 0;
        m_eState = STATE_WIN;
    }
}

void ArcadeGame::DrawProgress()
{
    m_kTrack.SetSize(500, 500);
    m_kTrack.SetPosition(1680, -500);
    m_kTrack.Draw(0);
    m_kFlag.SetSize(200, 100);
    m_kFlag.SetPosition(1680, -250 - m_iRow / 2);
    m_kFlag.Draw(0);
}

void ArcadeGame::DrawScore()
{
    DrawNumber(m_iScore, 2500.0f, -1400.0f, 3.0f);
}

void ArcadeGame::DropRandomItems()
{
    if (crt::Rand() % 100 != 13) {
        return;
    }
    int iCount = crt::Rand() % 2;
    int iKind = crt::Rand() % 10;
    for (int i = 0; i < iCount; ++i) {
        int iX = m_iPlayerX + RandomSpreadSubtractedFirst(200);
        int iType = 0;
        if (m_eZone == ZONE_CAR) {
            iType = iKind == 9 ? OBJ_ITEM_FUEL : OBJ_ITEM_BUFFER + crt::Rand() % 2;
        } else {
            iType = iKind <= 3 ? OBJ_ITEM_MINUS + crt::Rand() % 5 : OBJ_ITEM_FUEL + crt::Rand() % 3;
        }
        SpawnObject(iType, iX, m_iPlayerY - 1200);
    }
}

// More often the nearer the finish: one roll in d, d from 4 up to 8.
void ArcadeGame::SpawnEnemiesAfterMap()
{
    if (m_iRow <= kMapEndRow) {
        return;
    }
    int iDivisor = 8 - (kFinishRow - m_iRow) / 100;
    if (crt::Rand() % iDivisor != 1) {
        return;
    }
    int iAttempts = crt::Rand() % 3;
    if (m_eZone == ZONE_PADDLE) {
        iAttempts = 1;
    }
    for (int i = 0; i < iAttempts; ++i) {
        int iType = crt::Rand() % 25;
        if (iType == 14 || iType == OBJ_ENEMY_BULLET) {
            continue;
        }
        int iX = m_iPlayerX + RandomSpreadSubtractedFirst(3000);
        if (iX > 470) {
            SpawnObject(iType, iX, m_iPlayerY - 1200);
            continue;
        }
        if (crt::Rand() % 10 < 2) {
            SpawnObject(iType, iX, m_iPlayerY - 1200);
        }
        return;
    }
}

void ArcadeGame::SpawnShipZoneEnemies()
{
    if (m_iRow <= kMapEndRow || m_eZone != ZONE_SHIP) {
        return;
    }
    int iDivisor = 10 - (kFinishRow - m_iRow) / 100;
    if (crt::Rand() % iDivisor != 1) {
        return;
    }
    int iAttempts = crt::Rand() % 2;
    for (int i = 0; i < iAttempts; ++i) {
        int iType = crt::Rand() % 18;
        if (iType == 14) {
            continue;
        }
        SpawnObject(iType, 2440 + RandomSpreadSubtractedFirst(300), m_iPlayerY - 1200);
    }
}
