// The running game's player and object rules: zones, sideways motion and edges, the ship's
// volley, how objects move and fire, and where they leave the field.
#include <cstdlib>
#include <vector>

#include "PlayFixture.h"

namespace {

class PlayRulesTest : public PlayTest {};

TEST_F(PlayRulesTest, ZoneComesFromPlayerXAndTheGapsKeepTheLastZone)
{
    struct Case {
        int iX;
        GameZone eBefore;
        int iDirection;
        GameZone eAfter;
        int iXAfter;
    };
    const std::vector<Case> kCases = {
        {499, ZONE_CAR, 1, ZONE_PADDLE, 505},   {500, ZONE_CAR, 1, ZONE_CAR, 508},
        {500, ZONE_SHIP, 1, ZONE_SHIP, 506},    {600, ZONE_PADDLE, 0, ZONE_PADDLE, 594},
        {601, ZONE_PADDLE, 0, ZONE_CAR, 593},   {1799, ZONE_SHIP, 1, ZONE_CAR, 1807},
        {1800, ZONE_SHIP, 1, ZONE_SHIP, 1806},  {1850, ZONE_CAR, 1, ZONE_CAR, 1858},
        {1851, ZONE_CAR, 0, ZONE_SHIP, 1845},   {2899, ZONE_CAR, 1, ZONE_SHIP, 2905},
        {3000, ZONE_SHIP, 0, ZONE_SHIP, 2994},  {3000, ZONE_CAR, 0, ZONE_CAR, 2992},
        {-599, ZONE_CAR, 1, ZONE_PADDLE, -593}, {-600, ZONE_CAR, 1, ZONE_CAR, -592},
        {-600, ZONE_SHIP, 1, ZONE_SHIP, -594},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "x " << kCase.iX << " from zone " << kCase.eBefore);
        RestBall();
        PutPlayer(kCase.iX, kCase.eBefore, kCase.iDirection);
        Step();
        EXPECT_EQ(P().Zone(), kCase.eAfter);
        EXPECT_EQ(P().PlayerX(), kCase.iXAfter);
        const char* acSprite[] = {"Paddle", "Car", "Ship"};
        EXPECT_EQ(P().Player(), &P().Sprite(acSprite[kCase.eAfter]));
    }
}

TEST_F(PlayRulesTest, PlayerSpriteFollowsPaddleSizeAndShieldLevel)
{
    StartRun();
    for (int iSize = 0; iSize <= 5; ++iSize) {
        PutPlayer(0, ZONE_PADDLE, 1);
        P().PaddleSize() = iSize;
        Step();
        EXPECT_EQ(P().Sprite("Paddle").GetWidth(), static_cast<uint32_t>(iSize * 30 + 150));
        EXPECT_EQ(P().Sprite("Paddle").GetHeight(), 150u);
    }
    const char* acCars[] = {"Car", "CarShield1", "CarShield2", "CarShield3", "CarShield4"};
    for (int iShield = 0; iShield <= 4; ++iShield) {
        PutPlayer(1224, ZONE_CAR, 1);
        P().Shield() = iShield;
        Step();
        EXPECT_EQ(P().Player(), &P().Sprite(acCars[iShield])) << "shield " << iShield;
    }
}

TEST_F(PlayRulesTest, ShipIsDrawnOncePerGunLevelAroundThePlayer)
{
    struct Case {
        int iGuns;
        int iDraws;
        int iLastOffset;  // in quarters of the ship's width
    };
    const std::vector<Case> kCases = {{0, 1, 0}, {1, 2, 1}, {2, 3, -2}};
    StartRun();
    IDirect3DBaseTexture8* pkShip = TextureOf(P().Sprite("Ship"));
    ASSERT_NE(pkShip, nullptr);
    PutPlayer(2400, ZONE_SHIP, 1);
    Step();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "guns " << kCase.iGuns);
        PutPlayer(2400, ZONE_SHIP, 1);
        P().Guns() = kCase.iGuns;
        P().FireTimer() = 0;
        fake::d3d::ClearDraws();
        Step();
        int iWidth = static_cast<int>(P().Sprite("Ship").GetWidth());
        EXPECT_EQ(DrawsWith(pkShip), kCase.iDraws);
        EXPECT_EQ(P().Sprite("Ship").GetX(), 2400 + kCase.iLastOffset * iWidth / 4);
    }
}

TEST_F(PlayRulesTest, PlayerTurnsAtThePaddleAndShipEdges)
{
    struct Case {
        int iX;
        int iPaddleSize;
        int iGuns;
        int iDirection;
        int iDirectionAfter;
    };
    const std::vector<Case> kCases = {
        {-411, 2, 0, 0, 1}, {-410, 2, 0, 0, 0}, {-471, 0, 0, 0, 1}, {-470, 0, 0, 0, 0},
        {-321, 5, 0, 0, 1}, {-320, 5, 0, 0, 0}, {2901, 2, 0, 1, 0}, {2900, 2, 0, 1, 1},
        {2861, 2, 2, 1, 0}, {2860, 2, 2, 1, 1}, {2881, 2, 1, 1, 0}, {2880, 2, 1, 1, 1},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "x " << kCase.iX);
        RestBall();
        ClearField();
        PutPlayer(kCase.iX, kCase.iX < 0 ? ZONE_PADDLE : ZONE_SHIP, kCase.iDirection);
        P().PaddleSize() = kCase.iPaddleSize;
        P().Guns() = kCase.iGuns;
        Step();
        EXPECT_EQ(P().Direction(), kCase.iDirectionAfter);
    }
}

TEST_F(PlayRulesTest, ShipFiresAVolleyEverySevenFramesByGunLevel)
{
    struct Case {
        int iGuns;
        std::vector<int> kOffsets;
    };
    const std::vector<Case> kCases = {{0, {0}}, {1, {20, -20}}, {2, {-40, 0, 40}}};
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "guns " << kCase.iGuns);
        PutPlayer(2400, ZONE_SHIP, 1);
        P().FireTimer() = 0;
        P().Guns() = kCase.iGuns;
        int iShots = PlaysOf("shoot");
        for (int iFrame = 1; iFrame <= 14; ++iFrame) {
            SCOPED_TRACE(testing::Message() << "frame " << iFrame);
            ClearField();
            int iX = P().PlayerX();
            Step();
            bool bVolley = iFrame == 6 || iFrame == 13;
            EXPECT_EQ(P().Sprite("ShipHand2").GetAngle(), iFrame == 7 || iFrame == 14 ? 0.0f : -30.0f);
            EXPECT_EQ(PlaysOf("shoot") - iShots, bVolley ? 1 : 0);
            iShots = PlaysOf("shoot");
            if (!bVolley) {
                EXPECT_EQ(P().CountOfType(OBJ_PLAYER_BULLET), 0);
                continue;
            }
            // Fired from where the ship was, moved once; the ship itself is not hurt.
            ASSERT_EQ(P().CountOfType(OBJ_PLAYER_BULLET), static_cast<int>(kCase.kOffsets.size()));
            for (size_t i = 0; i < kCase.kOffsets.size(); ++i) {
                EXPECT_EQ(P().Object(i).m_iType, OBJ_PLAYER_BULLET);
                EXPECT_EQ(P().Object(i).m_iX, iX + kCase.kOffsets[i]);
                EXPECT_EQ(P().Object(i).m_iY, -315);
            }
            EXPECT_EQ(P().Guns(), kCase.iGuns);
        }
    }
}

TEST_F(PlayRulesTest, FireTimerWaitsOutsideTheShipZone)
{
    StartRun();
    PutPlayer(1224, ZONE_CAR, 1);
    P().FireTimer() = 5;
    Step();
    EXPECT_EQ(P().FireTimer(), 5);
    EXPECT_EQ(P().Sprite("ShipHand2").GetAngle(), -30.0f);
    PutPlayer(2400, ZONE_SHIP, 1);
    Step();
    EXPECT_EQ(P().CountOfType(OBJ_PLAYER_BULLET), 1);
}

TEST_F(PlayRulesTest, EachTypeMovesByItsOwnStep)
{
    struct Case {
        int iType;
        int iDX;
        int iDY;
    };
    std::vector<Case> kCases;
    for (int iType : {0, 1, 2, 12, 16, 20, 21, 22, 23, 24}) {
        kCases.push_back({iType, 0, 6});
    }
    for (int iType : {3, 4, 5, 6, 10, 11, 17, 8, 15}) {
        kCases.push_back({iType, 0, 3});
    }
    for (int iType : {7, 9, 13, 14}) {
        kCases.push_back({iType, 3, 3});
    }
    kCases.push_back({OBJ_PLAYER_BULLET, 0, -15});
    kCases.push_back({OBJ_ENEMY_BULLET, 0, 10});
    StartRun();
    PutPlayer(1224, ZONE_CAR, 1);
    for (const Case& kCase : kCases) {
        Put(kCase.iType, 200 + 45 * kCase.iType, -1400);
    }
    Step();
    for (size_t i = 0; i < kCases.size(); ++i) {
        const FieldObject& kObject = P().Object(static_cast<int>(i));
        SCOPED_TRACE(testing::Message() << "type " << kCases[i].iType);
        EXPECT_EQ(kObject.m_iType, kCases[i].iType);
        EXPECT_EQ(kObject.m_iX, 200 + 45 * kCases[i].iType + kCases[i].iDX);
        EXPECT_EQ(kObject.m_iY, -1400 + kCases[i].iDY);
        EXPECT_EQ(kObject.m_kSprite.GetY(), kObject.m_iY);
    }
}

TEST_F(PlayRulesTest, ZigZagReversesByItsPeriod)
{
    struct Case {
        int iType;
        std::vector<int> kReversals;
    };
    const std::vector<Case> kCases = {
        {7, {101, 202}}, {14, {101, 202}}, {9, {51, 102, 153, 204}}, {13, {26, 77, 128, 179}},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "type " << kCase.iType);
        ClearField();
        FieldObject& kObject = Put(kCase.iType, 200, -2100);
        std::vector<int> kReversals;
        int iStep = 3;
        for (int iFrame = 1; iFrame <= 210; ++iFrame) {
            PutPlayer(1224, ZONE_CAR, 1);
            int iX = kObject.m_iX;
            Step();
            ASSERT_EQ(kObject.m_iType, kCase.iType);
            int iMoved = kObject.m_iX - iX;
            ASSERT_EQ(std::abs(iMoved), 3);
            if (iMoved != iStep) {
                kReversals.push_back(iFrame);
                iStep = iMoved;
            }
        }
        EXPECT_EQ(kReversals, kCase.kReversals);
    }
}

TEST_F(PlayRulesTest, EnemiesFireOnTheirTimers)
{
    struct Case {
        int iType;
        std::vector<int> kShots;
    };
    const std::vector<Case> kCases = {
        {14, {45, 50, 55, 146, 151, 156}}, {13, {51, 102, 153}}, {15, {51, 102, 153}},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "type " << kCase.iType);
        ClearField();
        FieldObject& kShooter = Put(kCase.iType, 200, -2100);
        std::vector<int> kShots;
        for (int iFrame = 1; iFrame <= 160; ++iFrame) {
            PutPlayer(1224, ZONE_CAR, 1);
            int iBullets = P().CountOfType(OBJ_ENEMY_BULLET);
            Step();
            if (P().CountOfType(OBJ_ENEMY_BULLET) == iBullets) {
                continue;
            }
            kShots.push_back(iFrame);
            // The newest bullet starts where the shooter is, beside it by at most 4 for type 14.
            const FieldObject& kBullet = P().Object(FirstFreeSlot() - 1);
            ASSERT_EQ(kBullet.m_iType, OBJ_ENEMY_BULLET);
            EXPECT_EQ(kBullet.m_iY, kShooter.m_iY);
            EXPECT_LE(std::abs(kBullet.m_iX - kShooter.m_iX), kCase.iType == 14 ? 4 : 0);
        }
        EXPECT_EQ(kShots, kCase.kShots);
    }
}

TEST_F(PlayRulesTest, HomingSteersByItsSpriteWithin300Across899)
{
    struct Case {
        int iPlayerX;
        int iSpriteX;
        int iSpriteY;
        int iShiftX;  // the object's x apart from its sprite's
        int iDX;
    };
    const std::vector<Case> kCases = {
        {100, 399, -1199, 0, -3}, {100, 400, -1199, 0, 0},  {100, -199, -1199, 0, 3},
        {100, -200, -1199, 0, 0}, {100, 399, -1200, 0, 0},  {100, 100, -1100, 0, 3},
        {-100, 199, -1000, 0, -3}, {-100, -399, -1000, 0, 3}, {-100, -400, -1000, 0, 0},
        {100, 399, -1000, 500, -3}, {100, 1000, -1000, -900, 0}, {100, 300, 598, 0, -3},
    };
    StartRun();
    for (int iType : {8, 15}) {
        for (const Case& kCase : kCases) {
            SCOPED_TRACE(testing::Message() << "type " << iType << " player " << kCase.iPlayerX
                                            << " sprite " << kCase.iSpriteX << ", "
                                            << kCase.iSpriteY);
            ClearField();
            RestBall();
            PutPlayer(kCase.iPlayerX, ZONE_PADDLE, 1);
            FieldObject& kObject = Put(iType, kCase.iSpriteX, kCase.iSpriteY);
            kObject.m_iX += kCase.iShiftX;
            int iX = kObject.m_iX;
            Step();
            EXPECT_EQ(kObject.m_iX, iX + kCase.iDX);
            EXPECT_EQ(kObject.m_iY, kCase.iSpriteY + 3);
        }
    }
}

TEST_F(PlayRulesTest, ObjectsLeaveAtTheNearEndAndBulletsPastTheFarEnd)
{
    struct Case {
        int iType;
        int iY;
        int iFreedOnFrame;  // 0: still there after three frames
    };
    const std::vector<Case> kCases = {
        {0, -2, 2},    {0, -7, 3},    {0, 99, 1},   {0, 100, 0},   {0, 0, 1},
        {3, -3, 2},    {OBJ_ENEMY_BULLET, -5, 2},   {OBJ_PLAYER_BULLET, -1500, 2},
        {OBJ_PLAYER_BULLET, -1501, 1},              {OBJ_PLAYER_BULLET, -1485, 3},
        {OBJ_ITEM_FUEL, 50, 1},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "type " << kCase.iType << " at " << kCase.iY);
        ClearField();
        FieldObject& kObject = Put(kCase.iType, 200, kCase.iY);
        int iFreedOn = 0;
        for (int iFrame = 1; iFrame <= 3 && iFreedOn == 0; ++iFrame) {
            PutPlayer(1224, ZONE_CAR, 1);
            Step();
            iFreedOn = kObject.InPlay() ? 0 : iFrame;
        }
        EXPECT_EQ(iFreedOn, kCase.iFreedOnFrame);
    }
}

TEST_F(PlayRulesTest, TypeSixObjectDrawnAtFourLeavesOnTheNextFrame)
{
    StartRun();
    FieldObject& kObject = Put(0, 200, -2000);
    for (int iFrame = 1; iFrame <= 334; ++iFrame) {
        PutPlayer(1224, ZONE_CAR, 1);
        Step();
    }
    ASSERT_TRUE(kObject.InPlay());
    EXPECT_EQ(kObject.m_kSprite.GetY(), 4);
    PutPlayer(1224, ZONE_CAR, 1);
    Step();
    EXPECT_FALSE(kObject.InPlay());
}

TEST_F(PlayRulesTest, ObjectsLeaveSidewaysPastMinus600And3000)
{
    struct Case {
        int iType;
        int iX;
        bool bStays;
    };
    const std::vector<Case> kCases = {
        {3, -600, true}, {3, -601, false}, {3, 3000, true},  {3, 3001, false},
        {7, 2998, false}, {OBJ_ITEM_FUEL, -5000, false},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "type " << kCase.iType << " at x " << kCase.iX);
        ClearField();
        PutPlayer(1224, ZONE_CAR, 1);
        FieldObject& kObject = Put(kCase.iType, kCase.iX, -1800);
        Step();
        EXPECT_EQ(kObject.InPlay(), kCase.bStays);
    }
}

}  // namespace
