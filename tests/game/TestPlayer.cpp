#include "TestPlayer.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kReach = 480;        // how far either way a planned target may lie
constexpr int kTargetStep = 24;
constexpr int kFramesPerPlan = 2;  // the player looks again every other frame
constexpr int kPlayerY = -300;
constexpr int kTouch = 40;         // the game's touching distance
constexpr int kDangerMargin = 8;   // kept clear of damaging objects, beyond touching
constexpr int kItemMargin = 4;     // items are counted only when surely taken
constexpr double kDeath = -1e6;

bool Level(int iY, int iMargin)
{
    return std::abs(iY - kPlayerY) < kTouch + iMargin;
}

bool Homing(int iType)
{
    return iType == 8 || iType == 15;
}

bool IsItem(int iType)
{
    return iType >= OBJ_ITEM_MINUS;
}

// The game's zone rule: the gaps between the zones keep the zone.
int ZoneAt(int iX, int iZone)
{
    if (iX > -600 && iX < 500) {
        return ZONE_PADDLE;
    }
    if (iX > 600 && iX < 1800) {
        return ZONE_CAR;
    }
    if (iX > 1850 && iX < 3000) {
        return ZONE_SHIP;
    }
    return iZone;
}

// One frame of an object's own motion; homing ones steer toward iPlayerX.
void Move(int& iX, int& iY, int& iTimer, int& iZigZag, int iType, int iPlayerX)
{
    switch (iType) {
    case 0: case 1: case 2: case 12: case 16:
    case 20: case 21: case 22: case 23: case 24:
        iY += 6;
        break;
    case 3: case 4: case 5: case 6: case 10: case 11: case 17:
        iY += 3;
        break;
    case 7: case 14: case 9: case 13:
        iTimer += 1;
        if (iTimer > (iType == 7 || iType == 14 ? 100 : 50)) {
            iTimer = 0;
            iZigZag = 1 - iZigZag;
        }
        iX += iZigZag == 0 ? 3 : -3;
        iY += 3;
        break;
    case 8: case 15:
        if (std::abs(iX - iPlayerX) < 300 && std::abs(iY - kPlayerY) < 900) {
            iX += iX > iPlayerX ? -3 : 3;
        }
        iY += 3;
        break;
    case OBJ_PLAYER_BULLET:
        iY -= 15;
        break;
    case OBJ_ENEMY_BULLET:
        iY += 10;
        break;
    default:
        break;
    }
}

// True when the object fires a bullet at its place this frame (after its motion).
bool Fires(int iType, int& iTimer)
{
    if (iType == 14) {
        return iTimer == 45 || iTimer == 50 || iTimer == 55;
    }
    if (iType == 13 || iType == 15) {
        iTimer += 1;
        if (iTimer > 50) {
            iTimer = 0;
            return true;
        }
    }
    return false;
}

}  // namespace

TestPlayer::TestPlayer(GameProbe& kProbe, SteeringRule eSpaceRule)
    : m_kProbe(kProbe), m_eSpaceRule(eSpaceRule), m_kTopBar(kProbe.Sprite("TopBar"))
{
}

bool TestPlayer::Decide()
{
    m_kNow = ReadSelf();
    m_iRow = m_kProbe.Row();
    m_iFrame += 1;
    if (m_iFrame % kFramesPerPlan == 1) {
        m_iTarget = BestTarget();
    }
    return SpaceFor(m_kNow, m_iTarget);
}

int TestPlayer::BestTarget()
{
    ForeseeObjects();
    Plan kBest{kDeath * 10, m_kNow.iX};
    for (int iTarget = m_kNow.iX - kReach; iTarget <= m_kNow.iX + kReach;
         iTarget += kTargetStep) {
        Plan kPlan = Judge(std::clamp(iTarget, -440, 2880));
        if (kPlan.dValue > kBest.dValue) {
            kBest = kPlan;
        }
    }
    return kBest.iTarget;
}

TestPlayer::Self TestPlayer::ReadSelf()
{
    GameProbe& p = m_kProbe;
    return Self{p.PlayerX(),    p.Direction(), p.SpaceLatch(), p.Zone(),
                p.PaddleSize(), p.Shield(),    p.Guns(),       p.Fuel(),
                p.BallX(),      p.BallY(),     p.BallDX(),     p.BallDY(),
                m_kTopBar.GetY()};
}

void TestPlayer::ForeseeObjects()
{
    m_akTracks.clear();
    m_akHoming.clear();
    m_akLaterItems.clear();
    for (int iSlot = 0; iSlot < ArcadeGame::kObjectSlots; ++iSlot) {
        const FieldObject& kObject = m_kProbe.Object(iSlot);
        if (!kObject.InPlay() || kObject.m_iType == OBJ_PLAYER_BULLET) {
            continue;
        }
        Body kBody{kObject.m_iType, kObject.m_iX, kObject.m_iY, kObject.m_iTimer,
                   kObject.m_uiZigZag};
        if (Homing(kBody.iType)) {
            if (kBody.iY + 3 * kHorizon > kPlayerY - kTouch - kDangerMargin &&
                kBody.iY < kPlayerY + kTouch + kDangerMargin &&
                std::abs(kBody.iX - m_kNow.iX) < kReach + 300) {
                m_akHoming.push_back(kBody);
            }
            continue;
        }
        if (kBody.iY < kPlayerY - kTouch - kDangerMargin - 10 * kHorizon) {
            if (IsItem(kBody.iType)) {
                m_akLaterItems.push_back(kBody);
            }
            continue;
        }
        Path aiX{};
        Path aiY{};
        aiX[0] = kBody.iX;
        aiY[0] = kBody.iY;
        for (int iFrame = 1; iFrame <= kHorizon; ++iFrame) {
            Move(kBody.iX, kBody.iY, kBody.iTimer, kBody.iZigZag, kBody.iType, 0);
            aiX[iFrame] = kBody.iX;
            aiY[iFrame] = kBody.iY;
            if (kBody.iY > kPlayerY + kTouch + kDangerMargin) {
                break;
            }
            if (Fires(kBody.iType, kBody.iTimer)) {
                Path aiShotX{};
                Path aiShotY{};
                for (int iLater = iFrame; iLater <= kHorizon; ++iLater) {
                    aiShotX[iLater] = kBody.iX;
                    aiShotY[iLater] = kBody.iY + 10 * (iLater - iFrame);
                }
                AddTrack(OBJ_ENEMY_BULLET, iFrame, aiShotX, aiShotY);
            }
        }
        AddTrack(kBody.iType, 0, aiX, aiY);
        if (IsItem(kBody.iType) && aiY[kHorizon] < kPlayerY - kTouch) {
            m_akLaterItems.push_back(kBody);
        }
    }
    m_aaiLevelTracks.assign(kHorizon + 1, {});
    for (size_t i = 0; i < m_akTracks.size(); ++i) {
        for (int iFrame = m_akTracks[i].iFirst; iFrame <= m_akTracks[i].iLast; ++iFrame) {
            m_aaiLevelTracks[iFrame].push_back(static_cast<int>(i));
        }
    }
}

// Keeps a path only when it comes level with the player within the planned frames.
void TestPlayer::AddTrack(int iType, int iFrom, const Path& aiX, const Path& aiY)
{
    Track kTrack{iType, -1, -1, aiX};
    for (int iFrame = std::max(iFrom, 1); iFrame <= kHorizon; ++iFrame) {
        bool bWithinReach =
            std::abs(aiX[iFrame] - m_kNow.iX) < 8 * iFrame + kTouch + kDangerMargin;
        if (bWithinReach && Level(aiY[iFrame], kDangerMargin)) {
            kTrack.iFirst = kTrack.iFirst < 0 ? iFrame : kTrack.iFirst;
            kTrack.iLast = iFrame;
        }
    }
    if (kTrack.iFirst > 0) {
        m_akTracks.push_back(kTrack);
    }
}

bool TestPlayer::SpaceFor(const Self& kSelf, int iTarget) const
{
    int iWanted = iTarget > kSelf.iX ? 1 : (iTarget < kSelf.iX ? 0 : kSelf.iDirection);
    if (m_eSpaceRule == SteeringRule::Hold) {
        return iWanted == 0;
    }
    // Toggle: Space is kept down so that a release turns the player at once.
    return !kSelf.bLatch || iWanted == kSelf.iDirection;
}

bool TestPlayer::Advance(Self& s, int iTarget) const
{
    bool bSpace = SpaceFor(s, iTarget);
    if (m_eSpaceRule == SteeringRule::Hold) {
        s.iDirection = bSpace ? 0 : 1;
    } else if (bSpace) {
        s.bLatch = true;
    } else if (s.bLatch) {
        s.bLatch = false;
        s.iDirection = 1 - s.iDirection;
    }
    s.iZone = ZoneAt(s.iX, s.iZone);
    if (s.iX < s.iPaddleSize * 30 - 470) {
        s.iDirection = 1;
    }
    if (s.iX > 2900 - s.iGuns * 20) {
        s.iDirection = 0;
    }
    int iSpeed = s.iZone == ZONE_CAR ? 8 : 6;
    s.iX += s.iDirection == 1 ? iSpeed : -iSpeed;
    if (s.iZone != ZONE_PADDLE) {
        return true;
    }
    if (s.iBallX < -460 || s.iBallX > 440) {
        s.iBallDX = -s.iBallDX;
    }
    int iNextX = s.iBallX + s.iBallDX;
    int iReach = 60 + s.iPaddleSize * 20;
    if (std::abs(s.iBallY + s.iBallDY - kPlayerY) < 15 && iNextX > s.iX - iReach &&
        iNextX < s.iX + iReach) {
        s.iBallDY = -s.iBallDY;
        s.iBallDX += 1;
    }
    if (std::abs(s.iBallY - s.iTopBarY) < 10) {
        s.iBallDY = -s.iBallDY;
    }
    s.iTopBarY = -1300;
    if (s.iBallY > -100) {
        return false;
    }
    s.iBallX += s.iBallDX;
    s.iBallY += s.iBallDY;
    return true;
}

TestPlayer::Plan TestPlayer::Judge(int iTarget)
{
    Self s = m_kNow;
    m_abTaken.assign(m_akTracks.size(), false);
    m_akHomingPlanned = m_akHoming;
    m_akHomingShots.clear();
    double dValue = 0.0;
    for (int iFrame = 1; iFrame <= kHorizon; ++iFrame) {
        int iOldX = s.iX;
        bool bDies = !Advance(s, iTarget);
        dValue += MeetTracks(s, iFrame, bDies);
        dValue += MeetHoming(s, iOldX, bDies);
        if (bDies) {
            return {kDeath - 1000.0 * (kHorizon - iFrame) + dValue * 1e-3, iTarget};
        }
    }
    if (s.iZone == ZONE_PADDLE && !BallCatchable(s)) {
        dValue += kDeath / 2;
    }
    return {dValue + PlaceValue(iTarget) + LaterItemsValue(iTarget, s), iTarget};
}

double TestPlayer::MeetTracks(Self& s, int iFrame, bool& bDies)
{
    double dValue = 0.0;
    for (int i : m_aaiLevelTracks[iFrame]) {
        const Track& kTrack = m_akTracks[i];
        int iMargin = IsItem(kTrack.iType) ? -kItemMargin : kDangerMargin;
        if (!bDies && !m_abTaken[i] && std::abs(kTrack.aiX[iFrame] - s.iX) < kTouch + iMargin) {
            m_abTaken[i] = true;
            dValue += Touch(s, kTrack.iType, bDies);
        }
    }
    return dValue;
}

// Homing objects and their shots move by where the planned player was a frame before.
double TestPlayer::MeetHoming(Self& s, int iOldX, bool& bDies)
{
    double dValue = 0.0;
    for (Body& kBody : m_akHomingPlanned) {
        if (kBody.iType < 0 || bDies) {
            continue;
        }
        Move(kBody.iX, kBody.iY, kBody.iTimer, kBody.iZigZag, kBody.iType, iOldX);
        if (Fires(kBody.iType, kBody.iTimer)) {
            m_akHomingShots.push_back({OBJ_ENEMY_BULLET, kBody.iX, kBody.iY - 10, 0, 0});
        }
        if (Level(kBody.iY, kDangerMargin) &&
            std::abs(kBody.iX - s.iX) < kTouch + 2 * kDangerMargin) {
            dValue += Touch(s, kBody.iType, bDies);
            kBody.iType = OBJ_FREE;
        }
    }
    for (Body& kShot : m_akHomingShots) {
        kShot.iY += 10;
        if (kShot.iType != OBJ_FREE && !bDies && Level(kShot.iY, kDangerMargin) &&
            std::abs(kShot.iX - s.iX) < kTouch + kDangerMargin) {
            dValue += Touch(s, kShot.iType, bDies);
            kShot.iType = OBJ_FREE;
        }
    }
    return dValue;
}

// What touching an object does to the player, as a value; the player's levels follow the game.
double TestPlayer::Touch(Self& s, int iType, bool& bDies) const
{
    if (IsItem(iType)) {
        double dValue = ItemValue(s, iType);
        switch (iType) {
        case OBJ_ITEM_MINUS:
            s.iPaddleSize -= 1;
            bDies = s.iPaddleSize < 0;
            break;
        case OBJ_ITEM_PLUS:
            s.iPaddleSize = std::min(s.iPaddleSize + 1, 5);
            break;
        case OBJ_ITEM_FUEL:
            s.iFuel = std::min(s.iFuel + 20, 100);
            break;
        case OBJ_ITEM_BUFFER:
            s.iShield = std::min(s.iShield + 1, 4);
            break;
        default:
            s.iGuns = std::min(s.iGuns + 1, 2);
            break;
        }
        return dValue;
    }
    switch (s.iZone) {
    case ZONE_PADDLE:
        bDies = s.iPaddleSize == 0;
        s.iPaddleSize -= 1;
        return -3000.0;
    case ZONE_CAR:
        if (s.iShield > 0) {
            s.iShield -= 1;
            return -800.0;
        }
        s.iFuel -= 5;
        bDies = s.iFuel < 0;
        return -1500.0;
    default:
        bDies = s.iGuns == 0;
        s.iGuns -= 1;
        return -2500.0;
    }
}

double TestPlayer::ItemValue(const Self& s, int iType) const
{
    switch (iType) {
    case OBJ_ITEM_MINUS:
        return -2500.0;
    case OBJ_ITEM_PLUS:
        return s.iPaddleSize < 5 ? 400.0 : 0.0;
    case OBJ_ITEM_FUEL:
        return std::min(20, 100 - s.iFuel) * (s.iFuel < 50 ? 120.0 : 60.0);
    case OBJ_ITEM_BUFFER:
        return s.iShield < 4 ? 1200.0 : 0.0;
    default:
        return s.iGuns < 2 ? 1500.0 : 0.0;
    }
}

// The zone the player prefers to be in: the road while fuel cans come down it or the fuel
// lasts to the finish, else space, where nothing burns.
double TestPlayer::PlaceValue(int iTarget) const
{
    int iFramesLeft = (1001 - m_iRow) * 8 + 41;
    bool bRoad = m_iRow < 470 || m_kNow.iFuel * 16 > iFramesLeft + 200;
    int iLow = bRoad ? 700 : 1950;
    int iHigh = bRoad ? 1700 : 2800;
    int iOutside = std::max(iLow - iTarget, iTarget - iHigh);
    return iOutside > 0 ? -3.0 * iOutside : 0.0;
}

// Items that arrive after the planned frames pull the player under them.
double TestPlayer::LaterItemsValue(int iTarget, const Self& kEnd) const
{
    double dValue = 0.0;
    for (const Body& kItem : m_akLaterItems) {
        if (std::abs(kItem.iX - iTarget) < 30) {
            dValue += 0.5 * ItemValue(kEnd, kItem.iType);
        }
    }
    return dValue;
}

// Whether the paddle can still get under the ball, staying in the court from here.
bool TestPlayer::BallCatchable(const Self& kSelf) const
{
    Self s = kSelf;
    for (int iFrame = 1; iFrame < 500; ++iFrame) {
        if (s.iBallX < -460 || s.iBallX > 440) {
            s.iBallDX = -s.iBallDX;
        }
        int iNextX = s.iBallX + s.iBallDX;
        int iNextY = s.iBallY + s.iBallDY;
        if (std::abs(iNextY - kPlayerY) < 15) {
            int iReach = 60 + s.iPaddleSize * 20 - 10;
            return std::abs(iNextX - s.iX) - iReach <= 6 * (iFrame - 2);
        }
        if (std::abs(s.iBallY - s.iTopBarY) < 10) {
            s.iBallDY = -s.iBallDY;
        }
        s.iTopBarY = -1300;
        s.iBallX += s.iBallDX;
        s.iBallY += s.iBallDY;
    }
    return true;
}
