// The course of a run: the paddle and ball, the fuel and its display, the map rows, the finish,
// and the random drops, items and enemies, drawn number by number in their order.
#include <vector>

#include "PlayFixture.h"

namespace {

constexpr int kPlayerY = -300;

struct Spawned {
    int iType;
    int iX;
    int iY;
    bool operator==(const Spawned&) const = default;
};

std::ostream& operator<<(std::ostream& kOut, const Spawned& kSpawned)
{
    return kOut << "{type " << kSpawned.iType << " at " << kSpawned.iX << ", " << kSpawned.iY
                << "}";
}

// "- a + b" with a drawn first.
int Spread(RandSequence& kRand, int iRange)
{
    int iSubtracted = kRand.Next() % iRange;
    return -iSubtracted + kRand.Next() % iRange;
}

// What the random items, the enemies after the map and the ship-zone enemies spawn in one frame,
// given the player's x after its move.
std::vector<Spawned> RandomSpawns(RandSequence& kRand, GameZone eZone, int iRow, int iPlayerX)
{
    std::vector<Spawned> kSpawned;
    const int iY = kPlayerY - 1200;
    if (kRand.Next() % 100 == 13) {
        int iItems = kRand.Next() % 2;
        int iKind = kRand.Next() % 10;
        for (int i = 0; i < iItems; ++i) {
            int iX = iPlayerX + Spread(kRand, 200);
            int iType = 0;
            if (eZone == ZONE_CAR) {
                iType = iKind == 9 ? OBJ_ITEM_FUEL : OBJ_ITEM_BUFFER + kRand.Next() % 2;
            } else {
                iType = iKind < 4 ? OBJ_ITEM_MINUS + kRand.Next() % 5 : OBJ_ITEM_FUEL + kRand.Next() % 3;
            }
            kSpawned.push_back({iType, iX, iY});
        }
    }
    if (iRow <= 500) {
        return kSpawned;
    }
    if (kRand.Next() % (8 - (1000 - iRow) / 100) == 1) {
        int iAttempts = kRand.Next() % 3;
        if (eZone == ZONE_PADDLE) {
            iAttempts = 1;
        }
        for (int i = 0; i < iAttempts; ++i) {
            int iType = kRand.Next() % 25;
            if (iType == 14 || iType == 19) {
                continue;
            }
            int iX = iPlayerX + Spread(kRand, 3000);
            if (iX > 470) {
                kSpawned.push_back({iType, iX, iY});
                continue;
            }
            if (kRand.Next() % 10 < 2) {
                kSpawned.push_back({iType, iX, iY});
            }
            break;
        }
    }
    if (eZone == ZONE_SHIP && kRand.Next() % (10 - (1000 - iRow) / 100) == 1) {
        int iAttempts = kRand.Next() % 2;
        for (int i = 0; i < iAttempts; ++i) {
            int iType = kRand.Next() % 18;
            if (iType != 14) {
                kSpawned.push_back({iType, 2440 + Spread(kRand, 300), iY});
            }
        }
    }
    return kSpawned;
}

class CourseTest : public PlayTest {
protected:
    std::vector<Spawned> Field()
    {
        std::vector<Spawned> kField;
        for (int i = 0; i < ArcadeGame::kObjectSlots; ++i) {
            const FieldObject& kObject = P().Object(i);
            if (kObject.InPlay()) {
                kField.push_back({kObject.m_iType, kObject.m_iX, kObject.m_iY});
            }
        }
        return kField;
    }

    std::vector<Spawned> FieldAt(int iY)
    {
        std::vector<Spawned> kRow;
        for (const Spawned& kObject : Field()) {
            if (kObject.iY == iY) {
                kRow.push_back(kObject);
            }
        }
        return kRow;
    }

    // The ball about to reach (x, y) with the given speed; the player at x 0 heading to +x,
    // so at x 6 when the ball is tested.
    void AimBall(int iNextX, int iNextY, int iDX, int iDY)
    {
        PutPlayer(0, ZONE_PADDLE, 1);
        P().BallDX() = iDX;
        P().BallDY() = iDY;
        P().BallX() = iNextX - iDX;
        P().BallY() = iNextY - iDY;
    }
};

TEST_F(CourseTest, BallPastMinus100EndsTheGame)
{
    StartRun();
    for (int iY : {-100, -99}) {
        PutPlayer(300, ZONE_PADDLE, 1);
        P().BallY() = iY;
        Step();
        EXPECT_EQ(P().State(), iY == -99 ? STATE_GAME_OVER : STATE_PLAY) << "ball at " << iY;
    }
}

TEST_F(CourseTest, BallTurnsAtTheSideWalls)
{
    struct Case {
        int iX;
        int iDX;
        int iDXAfter;
    };
    const std::vector<Case> kCases = {{-461, -5, 5}, {-460, -5, -5}, {441, 5, -5}, {440, 5, 5}};
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "ball at " << kCase.iX);
        PutPlayer(300, ZONE_PADDLE, 1);
        P().BallX() = kCase.iX;
        P().BallY() = -700;
        P().BallDX() = kCase.iDX;
        int iPings = PlaysOf("ping");
        Step();
        EXPECT_EQ(P().BallDX(), kCase.iDXAfter);
        EXPECT_EQ(P().BallX(), kCase.iX + kCase.iDXAfter);
        EXPECT_EQ(PlaysOf("ping") - iPings, kCase.iDX == kCase.iDXAfter ? 0 : 1);
    }
}

TEST_F(CourseTest, PaddleSendsTheBallBackFasterAndDropsAnItem)
{
    struct Case {
        int iPaddleSize;
        int iNextX;
        int iNextY;
        int iDX;
        bool bHits;
    };
    // The paddle lies at x 6 once the player has moved.
    const std::vector<Case> kCases = {
        {2, 6 - 99, -314, 7, true},  {2, 6 - 100, -310, 7, false}, {2, 6 + 99, -286, -7, true},
        {2, 6 + 100, -300, 7, false}, {2, 6, -315, 7, false},      {2, 6, -285, 7, false},
        {5, 6 + 159, -300, 0, true}, {5, 6 + 160, -300, 0, false}, {0, 6 - 59, -300, -1, true},
        {0, 6 - 60, -300, 7, false},
    };
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "size " << kCase.iPaddleSize << " next " << kCase.iNextX
                                        << ", " << kCase.iNextY << " dx " << kCase.iDX);
        ClearField();
        P().PaddleSize() = kCase.iPaddleSize;
        AimBall(kCase.iNextX, kCase.iNextY, kCase.iDX, 5);
        int iPongs = PlaysOf("pong");
        Step();
        EXPECT_EQ(P().BallDY(), kCase.bHits ? -5 : 5);
        EXPECT_EQ(P().BallDX(), kCase.bHits ? kCase.iDX + 1 : kCase.iDX);
        EXPECT_EQ(PlaysOf("pong") - iPongs, kCase.bHits ? 1 : 0);
        std::vector<Spawned> kItems = FieldAt(-820);
        ASSERT_EQ(kItems.size(), kCase.bHits ? 1u : 0u);
        if (kCase.bHits) {
            EXPECT_GE(kItems[0].iType, OBJ_ITEM_MINUS);
            EXPECT_LE(kItems[0].iType, OBJ_ITEM_SHIP);
        }
        EXPECT_EQ(P().PaddleHits(), 0);
    }
}

TEST_F(CourseTest, PaddleDropDrawsPositionBeforeTypeInOrder)
{
    StartRun();
    std::vector<int> kSeenCounts(3, 0);
    for (unsigned int uiSeed = 1; uiSeed <= 40; ++uiSeed) {
        RandSequence kRand(uiSeed);
        kRand.Next();
        kRand.Next();
        std::vector<Spawned> kExpected;
        int iX = kRand.Next() % 600 - 400;
        kExpected.push_back({OBJ_ITEM_MINUS + kRand.Next() % 5, iX, -820});
        int iCount = kRand.Next() % 3;
        for (int i = 0; i < iCount; ++i) {
            int iObjectX = kRand.Next() % 600 - 400;
            kExpected.push_back({kRand.Next() % 25, iObjectX, -1320});
        }
        if (kRand.Next() % 100 == 13) {
            continue;  // a random item would join the drop
        }
        SCOPED_TRACE(testing::Message() << "seed " << uiSeed);
        ClearField();
        AimBall(6, -300, 7, 5);
        crt::SeedRand(uiSeed);
        Step();
        EXPECT_EQ(Field(), kExpected);
        kSeenCounts[iCount] += 1;
    }
    for (int iSeen : kSeenCounts) {
        EXPECT_GT(iSeen, 0);
    }
}

TEST_F(CourseTest, TopBarFollowsTheBallAndSendsItBack)
{
    StartRun();
    PutPlayer(300, ZONE_PADDLE, 1);
    P().BallX() = 120;
    Step();
    EXPECT_EQ(P().Sprite("TopBar").GetX(), 120);
    EXPECT_EQ(P().Sprite("TopBar").GetY(), -1300);
    EXPECT_EQ(P().Sprite("TopBar").GetWidth(), 150u);
    EXPECT_EQ(P().Sprite("Ball").GetX(), 120);
    EXPECT_EQ(P().Sprite("Ball").GetY(), -700);
    EXPECT_EQ(P().Sprite("Ball").GetWidth(), 20u);
    for (int iY : {-1310, -1309, -1291, -1290}) {
        SCOPED_TRACE(testing::Message() << "ball at " << iY);
        PutPlayer(300, ZONE_PADDLE, 1);
        P().BallY() = iY;
        P().BallDY() = -5;
        int iPongs = PlaysOf("pong");
        Step();
        bool bTurns = iY == -1309 || iY == -1291;
        EXPECT_EQ(P().BallDY(), bTurns ? 5 : -5);
        EXPECT_EQ(PlaysOf("pong") - iPongs, bTurns ? 1 : 0);
        EXPECT_EQ(P().BallY(), iY + P().BallDY());
    }
}

TEST_F(CourseTest, BallWaitsOutsideThePaddleZone)
{
    StartRun();
    for (GameZone eZone : {ZONE_CAR, ZONE_SHIP}) {
        PutPlayer(eZone == ZONE_CAR ? 1224 : 2400, eZone, 1);
        P().BallX() = -461;
        P().BallY() = -50;
        P().BallDX() = -4;
        P().BallDY() = 5;
        Step();
        EXPECT_EQ(P().BallX(), -461);
        EXPECT_EQ(P().BallY(), -50);
        EXPECT_EQ(P().BallDX(), -4);
        EXPECT_EQ(P().State(), STATE_PLAY);
    }
}

TEST_F(CourseTest, CarBurnsOneUnitEvery16FramesAndIsLostOnThe1616th)
{
    StartRun();
    int iFrame = 0;
    while (P().State() == STATE_PLAY && iFrame < 2000) {
        ClearField();
        PutPlayer(1224, ZONE_CAR, 1);
        Step();
        ++iFrame;
        if (iFrame == 15 || iFrame == 16 || iFrame == 1600) {
            EXPECT_EQ(P().Fuel(), iFrame == 15 ? 100 : iFrame == 16 ? 99 : 0);
        }
    }
    EXPECT_EQ(iFrame, 1616);
    EXPECT_EQ(P().Fuel(), -1);
}

TEST_F(CourseTest, FuelTickAdvancesOnlyInTheCarZoneButBurnsAnywhere)
{
    StartRun();
    PutPlayer(2400, ZONE_SHIP, 1);
    P().FuelTick() = 15;
    StepFrames(20);
    EXPECT_EQ(P().FuelTick(), 15);
    EXPECT_EQ(P().Fuel(), 100);
    P().FuelTick() = 16;
    Step();
    EXPECT_EQ(P().FuelTick(), 0);
    EXPECT_EQ(P().Fuel(), 99);
}

TEST_F(CourseTest, FuelIconWarnsAndTheGaugeShowsOneBarPerUnit)
{
    enum Look { Kept, Yellow, Flicker };
    struct Case {
        int iFuel;
        Look eLook;
    };
    const std::vector<Case> kCases = {
        {100, Kept}, {60, Kept}, {59, Yellow}, {100, Kept}, {30, Yellow},
        {29, Flicker}, {60, Kept}, {1, Flicker}, {0, Flicker},
    };
    StartRun();
    qnSprite& kIcon = P().Sprite("FuelIcon");
    IDirect3DBaseTexture8* pkGauge = TextureOf(P().Sprite("Gauge"));
    ASSERT_NE(pkGauge, nullptr);
    D3DCOLOR uiColour = 0xffffffffu;
    unsigned int uiSeed = 7;
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "fuel " << kCase.iFuel);
        PutPlayer(1224, ZONE_CAR, 1);
        P().Fuel() = kCase.iFuel;
        P().FuelTick() = 0;
        ClearField();
        RandSequence kRand(++uiSeed);
        uint32_t uiWidth = 300;
        uint32_t uiHeight = 300;
        if (kCase.eLook == Flicker) {
            int iBlue = kRand.Next() % 255;
            int iGreen = kRand.Next() % 255;
            uiColour = 0xffff0000u | static_cast<D3DCOLOR>(iGreen << 8 | iBlue);
            uiHeight = static_cast<uint32_t>(300 - Spread(kRand, 50));
            uiWidth = static_cast<uint32_t>(300 - Spread(kRand, 50));
        } else if (kCase.eLook == Yellow) {
            uiColour = 0xffffff00u;
            uiHeight = static_cast<uint32_t>(300 - Spread(kRand, 90));
            uiWidth = static_cast<uint32_t>(300 - Spread(kRand, 90));
        }
        crt::SeedRand(uiSeed);
        fake::d3d::ClearDraws();
        Step();
        EXPECT_EQ(kIcon.GetColor(), uiColour);
        EXPECT_EQ(kIcon.GetWidth(), uiWidth);
        EXPECT_EQ(kIcon.GetHeight(), uiHeight);
        EXPECT_EQ(kIcon.GetX(), 1224);
        EXPECT_EQ(kIcon.GetY(), -190);
        EXPECT_EQ(DrawsWith(pkGauge), kCase.iFuel);
        if (kCase.iFuel > 0) {
            EXPECT_EQ(P().Sprite("Gauge").GetX(), 1134 + 2 * (kCase.iFuel - 1));
            EXPECT_EQ(P().Sprite("Gauge").GetY(), -200);
        }
    }
}

TEST_F(CourseTest, MapRowsComeEvery8FramesAcrossTheColumns)
{
    StartRun();
    for (int iColumn = 0; iColumn < ArcadeGame::kMapColumns; ++iColumn) {
        P().Map(0, iColumn) = iColumn % 3 == 0 ? OBJ_FREE : iColumn % 13;
        P().Map(1, iColumn) = iColumn == 23 ? OBJ_ITEM_SHIP : OBJ_FREE;
    }
    std::vector<Spawned> kRow0;
    for (int iColumn = 0; iColumn < ArcadeGame::kMapColumns; ++iColumn) {
        if (P().Map(0, iColumn) != OBJ_FREE) {
            kRow0.push_back({P().Map(0, iColumn), iColumn * 145 - 450, -2000});
        }
    }
    for (int iFrame = 1; iFrame <= 16; ++iFrame) {
        SCOPED_TRACE(testing::Message() << "frame " << iFrame);
        PutPlayer(1224, ZONE_CAR, 1);
        Step();
        EXPECT_EQ(P().Row(), iFrame / 8);
        if (iFrame == 8) {
            EXPECT_EQ(FieldAt(-2000), kRow0);
        } else if (iFrame == 16) {
            EXPECT_EQ(FieldAt(-2000), (std::vector<Spawned>{{OBJ_ITEM_SHIP, 2885, -2000}}));
        } else {
            EXPECT_TRUE(FieldAt(-2000).empty());
        }
    }
}

TEST_F(CourseTest, RowCounterRunsOnPastTheLastMapRow)
{
    StartRun();
    P().Map(499, 4) = 5;
    P().Row() = 499;
    P().RowTimer() = 7;
    Step();
    EXPECT_EQ(P().Row(), 500);
    EXPECT_EQ(FieldAt(-2000), (std::vector<Spawned>{{5, 130, -2000}}));
    ClearField();
    P().RowTimer() = 7;
    Step();
    EXPECT_EQ(P().Row(), 501);
    EXPECT_TRUE(FieldAt(-2000).empty());
}

TEST_F(CourseTest, FlagClimbsTheTrackWithTheRow)
{
    struct Case {
        int iRow;
        int iFlagY;
    };
    const std::vector<Case> kCases = {{0, -250}, {1, -250}, {3, -251}, {500, -500}, {999, -749},
                                      {1000, -750}};
    StartRun();
    for (const Case& kCase : kCases) {
        SCOPED_TRACE(testing::Message() << "row " << kCase.iRow);
        PutPlayer(1224, ZONE_CAR, 1);
        P().Row() = kCase.iRow;
        P().RowTimer() = 0;
        Step();
        EXPECT_EQ(P().Sprite("Flag").GetX(), 1680);
        EXPECT_EQ(P().Sprite("Flag").GetY(), kCase.iFlagY);
        EXPECT_EQ(P().Sprite("Flag").GetWidth(), 200u);
        EXPECT_EQ(P().Sprite("Flag").GetHeight(), 100u);
        EXPECT_EQ(P().Sprite("Track").GetX(), 1680);
        EXPECT_EQ(P().Sprite("Track").GetY(), -500);
        EXPECT_EQ(P().Sprite("Track").GetWidth(), 500u);
    }
}

TEST_F(CourseTest, GameLostOnTheLastFinishFrameStillEndsInAWin)
{
    StartRun();
    PutPlayer(1224, ZONE_CAR, 1);
    P().Row() = 1001;
    P().FinishCount() = 40;
    P().Fuel() = 0;
    P().FuelTick() = 15;
    Step();
    EXPECT_EQ(P().Fuel(), -1);
    EXPECT_EQ(P().State(), STATE_WIN);
    EXPECT_EQ(P().FinishCount(), 0);
}

TEST_F(CourseTest, EmptyMapRunsToAWinOnPlayFrame8048)
{
    StartRun();
    int iFrame = 0;
    int iFinishFrames = 0;
    while (P().State() == STATE_PLAY && iFrame < 9000) {
        // Keep the player out of harm's way: only the course counts here.
        ClearField();
        PutPlayer(1224, ZONE_CAR, 1);
        P().Fuel() = 100;
        Step();
        ++iFrame;
        ASSERT_TRUE(FieldAt(-2000).empty()) << "frame " << iFrame;
        iFinishFrames += P().Row() > 1000 ? 1 : 0;
        if (iFrame == 8007) {
            EXPECT_EQ(P().Row(), 1000);
            EXPECT_EQ(P().FinishCount(), 0);
        }
    }
    EXPECT_EQ(iFrame, 8048);
    EXPECT_EQ(P().State(), STATE_WIN);
    EXPECT_EQ(iFinishFrames, 41);
}

TEST_F(CourseTest, RandomItemsAndEnemiesDrawTheirNumbersInOrder)
{
    // Seeds on which a random item is dropped, added to a run of plain seeds.
    std::vector<unsigned int> kSeeds;
    for (unsigned int uiSeed = 1; kSeeds.size() < 12; ++uiSeed) {
        RandSequence kRand(uiSeed);
        if (kRand.Next() % 100 == 13 && kRand.Next() % 2 == 1) {
            kSeeds.push_back(uiSeed);
        }
    }
    for (unsigned int uiSeed = 1; uiSeed <= 100; ++uiSeed) {
        kSeeds.push_back(uiSeed);
    }
    const std::vector<int> kRows = {0, 500, 501, 600, 601, 700, 701, 800, 801, 900, 901, 1000};
    const struct {
        GameZone eZone;
        int iX;
    } akZones[] = {{ZONE_PADDLE, 0}, {ZONE_CAR, 1224}, {ZONE_SHIP, 2400}};
    StartRun();
    int iFramesWithSpawns = 0;
    for (const auto& kZone : akZones) {
        for (int iRow : kRows) {
            for (unsigned int uiSeed : kSeeds) {
                SCOPED_TRACE(testing::Message() << "zone " << kZone.eZone << " row " << iRow
                                                << " seed " << uiSeed);
                ClearField();
                RestBall();
                PutPlayer(kZone.iX, kZone.eZone, 1);
                P().Row() = iRow;
                P().RowTimer() = 0;
                P().FireTimer() = 0;
                P().Fuel() = 100;
                crt::SeedRand(uiSeed);
                Step();
                RandSequence kRand(uiSeed);
                std::vector<Spawned> kExpected =
                    RandomSpawns(kRand, kZone.eZone, iRow, P().PlayerX());
                ASSERT_EQ(Field(), kExpected);
                iFramesWithSpawns += kExpected.empty() ? 0 : 1;
            }
        }
    }
    EXPECT_GT(iFramesWithSpawns, 300);
}

}  // namespace
