// Collisions of the running game: the player with items and with damaging objects by zone,
// and the player's bullets with the objects on the field.
#include <cstdlib>
#include <vector>

#include "PlayFixture.h"

namespace {

constexpr int kPlayerY = -300;

int MotionY(int iType)
{
    switch (iType) {
    case 3: case 17:
        return 3;
    case OBJ_PLAYER_BULLET:
        return -15;
    case OBJ_ENEMY_BULLET:
        return 10;
    default:
        return 6;  // the items
    }
}

int Speed(GameZone eZone)
{
    return eZone == ZONE_CAR ? 8 : 6;
}

enum class Level { PaddleSize, Fuel, Shield, Guns };

class CollisionsTest : public PlayTest {
protected:
    // The player at x heading toward +x, nothing about to fire, the fuel tick at rest.
    void Arrange(int iX, GameZone eZone)
    {
        ClearField();
        RestBall();
        PutPlayer(iX, eZone, 1);
        P().FireTimer() = 0;
        P().FuelTick() = 0;
    }

    // Puts an object where, after this frame's motion, it lies dx, dy from the player.
    FieldObject& PutByPlayer(int iType, int iDX, int iDY)
    {
        int iPlayerX = P().PlayerX() + Speed(P().Zone());
        return Put(iType, iPlayerX + iDX, kPlayerY + iDY - MotionY(iType));
    }

    int& LevelOf(Level eLevel)
    {
        switch (eLevel) {
        case Level::PaddleSize:
            return P().PaddleSize();
        case Level::Fuel:
            return P().Fuel();
        case Level::Shield:
            return P().Shield();
        case Level::Guns:
            break;
        }
        return P().Guns();
    }

    int CountDamaging()
    {
        int iCount = 0;
        for (int iType = 0; iType < OBJ_ITEM_MINUS; ++iType) {
            iCount += P().CountOfType(iType);
        }
        return iCount;
    }
};

TEST_F(CollisionsTest, PlayerTouchesWithinLessThan40EachWay)
{
    struct Case {
        int iDX;
        int iDY;
        bool bTouches;
    };
    const std::vector<Case> kCases = {
        {39, 0, true},    {40, 0, false},  {-39, 0, true},  {-40, 0, false}, {0, 39, true},
        {0, 40, false},   {0, -39, true},  {0, -40, false}, {39, -39, true}, {-39, 40, false},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "dx " << kCase.iDX << " dy " << kCase.iDY);
        Arrange(1224, ZONE_CAR);
        P().Fuel() = 50;
        FieldObject& kItem = PutByPlayer(OBJ_ITEM_FUEL, kCase.iDX, kCase.iDY);
        Step();
        EXPECT_EQ(P().Fuel(), kCase.bTouches ? 70 : 50);
        EXPECT_EQ(kItem.InPlay(), !kCase.bTouches);
    }
}

TEST_F(CollisionsTest, DamageTakesTheZoneLevelOrEndsTheGame)
{
    struct Case {
        const char* acName;
        GameZone eZone;
        int iX;
        std::vector<int> kTypes;
        Level eLevel;
        int iLevel;
        int iLevelAfter;
        int iFuelAfter;
        int iLeft;        // damaging objects still on the field
        int iExplosions;  // also the number of explosion sounds
        GameState eState;
    };
    const std::vector<Case> kCases = {
        {"car, two hits take two shields", ZONE_CAR, 1224, {3, 3}, Level::Shield, 2, 0, 100, 0, 2, STATE_PLAY},
        {"car, two hits take 10 fuel", ZONE_CAR, 1224, {3, 3}, Level::Shield, 0, 0, 90, 0, 2, STATE_PLAY},
        {"car, enemy bullet hurts", ZONE_CAR, 1224, {OBJ_ENEMY_BULLET}, Level::Shield, 1, 0, 100, 0, 1, STATE_PLAY},
        {"car, own bullet does not", ZONE_CAR, 1224, {OBJ_PLAYER_BULLET}, Level::Shield, 1, 1, 100, 1, 0, STATE_PLAY},
        {"car, fuel below 0", ZONE_CAR, 1224, {3}, Level::Fuel, 4, -1, -1, 0, 1, STATE_GAME_OVER},
        {"paddle, only the first hit", ZONE_PADDLE, 0, {3, 3}, Level::PaddleSize, 2, 1, 100, 1, 1, STATE_PLAY},
        {"paddle, level 0", ZONE_PADDLE, 0, {3}, Level::PaddleSize, 0, 0, 100, 0, 1, STATE_GAME_OVER},
        {"paddle, own bullet hurts", ZONE_PADDLE, 0, {OBJ_PLAYER_BULLET}, Level::PaddleSize, 2, 1, 100, 0, 1, STATE_PLAY},
        {"paddle, below level 0", ZONE_PADDLE, 0, {3}, Level::PaddleSize, -1, -1, 100, 1, 0, STATE_PLAY},
        {"ship, only the first hit", ZONE_SHIP, 2400, {3, 3}, Level::Guns, 2, 1, 100, 1, 1, STATE_PLAY},
        {"ship, type 17 hurts", ZONE_SHIP, 2400, {17}, Level::Guns, 1, 0, 100, 0, 1, STATE_PLAY},
        {"ship, own bullet does not", ZONE_SHIP, 2400, {OBJ_PLAYER_BULLET}, Level::Guns, 1, 1, 100, 1, 0, STATE_PLAY},
        {"ship, level 0", ZONE_SHIP, 2400, {3, 3}, Level::Guns, 0, 0, 100, 2, 0, STATE_GAME_OVER},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(kCase.acName);
        Arrange(kCase.iX, kCase.eZone);
        P().State() = STATE_PLAY;
        P().Fuel() = 100;
        P().Shield() = 0;
        LevelOf(kCase.eLevel) = kCase.iLevel;
        for (int iType : kCase.kTypes) {
            PutByPlayer(iType, 0, 0);
        }
        int iExplosions = RunningExplosions();
        int iSounds = ExplosionSoundPlays();
        Step();
        EXPECT_EQ(LevelOf(kCase.eLevel), kCase.iLevelAfter);
        EXPECT_EQ(P().Fuel(), kCase.iFuelAfter);
        EXPECT_EQ(CountDamaging(), kCase.iLeft);
        EXPECT_EQ(RunningExplosions() - iExplosions, kCase.iExplosions);
        EXPECT_EQ(ExplosionSoundPlays() - iSounds, kCase.iExplosions);
        EXPECT_EQ(P().State(), kCase.eState);
    }
}

TEST_F(CollisionsTest, ItemsRaiseTheirLevelWithinItsCapAndPlayTheirSound)
{
    struct Case {
        int iType;
        GameZone eZone;
        int iX;
        Level eLevel;
        int iLevel;
        int iLevelAfter;
        const char* acSound;
        GameState eState;
    };
    const std::vector<Case> kCases = {
        {OBJ_ITEM_MINUS, ZONE_CAR, 1224, Level::PaddleSize, 2, 1, "barm", STATE_PLAY},
        {OBJ_ITEM_MINUS, ZONE_CAR, 1224, Level::PaddleSize, 0, -1, "barm", STATE_GAME_OVER},
        {OBJ_ITEM_PLUS, ZONE_CAR, 1224, Level::PaddleSize, 5, 5, "barp", STATE_PLAY},
        {OBJ_ITEM_PLUS, ZONE_PADDLE, 0, Level::PaddleSize, 2, 3, "barp", STATE_PLAY},
        {OBJ_ITEM_FUEL, ZONE_CAR, 1224, Level::Fuel, 95, 100, "fuel", STATE_PLAY},
        {OBJ_ITEM_FUEL, ZONE_SHIP, 2400, Level::Fuel, 50, 70, "fuel", STATE_PLAY},
        {OBJ_ITEM_BUFFER, ZONE_CAR, 1224, Level::Shield, 4, 4, "buffer", STATE_PLAY},
        {OBJ_ITEM_BUFFER, ZONE_PADDLE, 0, Level::Shield, 1, 2, "buffer", STATE_PLAY},
        {OBJ_ITEM_SHIP, ZONE_CAR, 1224, Level::Guns, 2, 2, "ship", STATE_PLAY},
        {OBJ_ITEM_SHIP, ZONE_SHIP, 2400, Level::Guns, 0, 1, "ship", STATE_PLAY},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "type " << kCase.iType << " at level " << kCase.iLevel);
        Arrange(kCase.iX, kCase.eZone);
        P().State() = STATE_PLAY;
        LevelOf(kCase.eLevel) = kCase.iLevel;
        FieldObject& kItem = PutByPlayer(kCase.iType, 0, 0);
        int iPlays = PlaysOf(kCase.acSound);
        int iExplosions = RunningExplosions();
        Step();
        EXPECT_EQ(LevelOf(kCase.eLevel), kCase.iLevelAfter);
        EXPECT_FALSE(kItem.InPlay());
        EXPECT_EQ(PlaysOf(kCase.acSound) - iPlays, 1);
        EXPECT_EQ(RunningExplosions(), iExplosions);
        EXPECT_EQ(P().State(), kCase.eState);
    }
}

TEST_F(CollisionsTest, BulletHitsWithinLessThan30AndScores100)
{
    struct Case {
        int iDX;
        int iDY;
        bool bHits;
    };
    const std::vector<Case> kCases = {
        {29, 0, true}, {30, 0, false}, {-29, 0, true},  {-30, 0, false},
        {0, 29, true}, {0, -30, false}, {-29, 29, true}, {29, 30, false},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "dx " << kCase.iDX << " dy " << kCase.iDY);
        Arrange(1224, ZONE_CAR);
        FieldObject& kTarget = Put(3, 200, -1003);
        FieldObject& kBullet = Put(OBJ_PLAYER_BULLET, 200 + kCase.iDX, -1000 + kCase.iDY + 15);
        int iScore = P().Score();
        int iSounds = ExplosionSoundPlays();
        int iExplosions = RunningExplosions();
        Step();
        EXPECT_EQ(kTarget.InPlay(), !kCase.bHits);
        EXPECT_EQ(kBullet.InPlay(), !kCase.bHits);
        EXPECT_EQ(P().Score() - iScore, kCase.bHits ? 100 : 0);
        EXPECT_EQ(ExplosionSoundPlays() - iSounds, kCase.bHits ? 1 : 0);
        EXPECT_EQ(RunningExplosions() - iExplosions, kCase.bHits ? 1 : 0);
    }
}

TEST_F(CollisionsTest, BulletHitsOnlyTheFirstEnemyInSlotOrder)
{
    struct Case {
        const char* acName;
        std::vector<int> kTypes;  // in slot order, all on one spot
        std::vector<bool> kLeft;
        int iScore;
    };
    const std::vector<Case> kCases = {
        {"two enemies before the bullet", {3, 3, OBJ_PLAYER_BULLET}, {false, true, false}, 100},
        {"two enemies after the bullet", {OBJ_PLAYER_BULLET, 3, 3}, {false, false, true}, 100},
        {"items and enemy bullets passed over", {OBJ_ITEM_FUEL, OBJ_ENEMY_BULLET, 3, OBJ_PLAYER_BULLET},
         {true, true, false, false}, 100},
        {"type 17 first takes the hit", {17, 3, OBJ_PLAYER_BULLET}, {true, true, false}, 0},
        {"two bullets, one enemy", {3, OBJ_PLAYER_BULLET, OBJ_PLAYER_BULLET}, {false, false, true}, 100},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(kCase.acName);
        Arrange(1224, ZONE_CAR);
        std::vector<FieldObject*> kObjects;
        for (int iType : kCase.kTypes) {
            kObjects.push_back(&Put(iType, 200, -1000 - MotionY(iType)));
        }
        int iScore = P().Score();
        Step();
        for (size_t i = 0; i < kObjects.size(); ++i) {
            EXPECT_EQ(kObjects[i]->InPlay(), kCase.kLeft[i]) << "slot " << i;
        }
        EXPECT_EQ(P().Score() - iScore, kCase.iScore);
    }
}

TEST_F(CollisionsTest, TypeSeventeenTakesFifteenHitsWithoutScore)
{
    StartRun();
    Arrange(1224, ZONE_CAR);
    FieldObject& kTarget = Put(17, 200, -1200);
    for (int iHit = 1; iHit <= 15; ++iHit) {
        SCOPED_TRACE(testing::Message() << "hit " << iHit);
        PutPlayer(1224, ZONE_CAR, 1);
        Put(OBJ_PLAYER_BULLET, 200, kTarget.m_iY + 3 + 15);
        int iSounds = ExplosionSoundPlays();
        int iExplosions = RunningExplosions();
        Step();
        EXPECT_EQ(P().CountOfType(OBJ_PLAYER_BULLET), 0);
        EXPECT_EQ(ExplosionSoundPlays() - iSounds, 1);
        EXPECT_EQ(RunningExplosions() - iExplosions, 1);
        EXPECT_EQ(P().Score(), 0);
        EXPECT_EQ(kTarget.InPlay(), iHit < 15);
        if (iHit < 15) {
            EXPECT_EQ(kTarget.m_iHitPoints, 15 - iHit);
        }
    }
}

}  // namespace
