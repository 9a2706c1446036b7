// A player for whole-game tests: before each frame it looks at the game through the probe (never
// writing to it) and decides whether Space is held. It plans a short way ahead: for each spot it
// could head for, it plays the coming frames in its head with the game's own motion rules for
// itself, the ball and every object it can see, and picks the spot that keeps it alive, takes
// the items it needs and stays in the zone it prefers.
#pragma once

#include <array>
#include <vector>

#include "GameFixture.h"

class TestPlayer {
public:
    TestPlayer(GameProbe& kProbe, SteeringRule eSpaceRule);

    // Whether Space is to be held in the coming play frame.
    bool Decide();

private:
    static constexpr int kHorizon = 60;  // frames planned ahead
    using Path = std::array<int, kHorizon + 1>;  // a value per planned frame, 0 = now

    // The player's side of the game: place, steering, levels and the ball.
    struct Self {
        int iX;
        int iDirection;
        bool bLatch;
        int iZone;
        int iPaddleSize;
        int iShield;
        int iGuns;
        int iFuel;
        int iBallX;
        int iBallY;
        int iBallDX;
        int iBallDY;
        int iTopBarY;
    };
    // A field object as the player expects it to move and fire.
    struct Body {
        int iType;
        int iX;
        int iY;
        int iTimer;
        int iZigZag;
    };
    // Where an object (or a bullet still to be fired) will be on each planned frame.
    struct Track {
        int iType;
        int iFirst;  // the planned frames on which it is level with the player
        int iLast;
        Path aiX;
    };
    struct Plan {
        double dValue;
        int iTarget;
    };

    Self ReadSelf();
    // The spot to head for, by planning the coming frames for each spot within reach.
    int BestTarget();
    void ForeseeObjects();
    // A path from planned frame iFrom on.
    void AddTrack(int iType, int iFrom, const Path& aiX, const Path& aiY);
    Plan Judge(int iTarget);
    // What the planned player meets on one frame; both set bDies when it is lost.
    double MeetTracks(Self& kSelf, int iFrame, bool& bDies);
    double MeetHoming(Self& kSelf, int iOldX, bool& bDies);
    bool SpaceFor(const Self& kSelf, int iTarget) const;
    // One planned frame: steering, zone, edges, motion and the ball. False when the ball is lost.
    bool Advance(Self& kSelf, int iTarget) const;
    double Touch(Self& kSelf, int iType, bool& bDies) const;
    double ItemValue(const Self& kSelf, int iType) const;
    double PlaceValue(int iTarget) const;
    double LaterItemsValue(int iTarget, const Self& kEnd) const;
    bool BallCatchable(const Self& kSelf) const;

    GameProbe& m_kProbe;
    SteeringRule m_eSpaceRule;
    const qnSprite& m_kTopBar;
    Self m_kNow{};
    int m_iRow = 0;
    int m_iFrame = 0;
    int m_iTarget = 0;
    std::vector<Track> m_akTracks;
    std::vector<std::vector<int>> m_aaiLevelTracks;  // per planned frame, the tracks level with it
    std::vector<Body> m_akHoming;       // they steer by where the player is: planned per plan
    std::vector<Body> m_akLaterItems;   // items that arrive after the planned frames
    // Scratch of one plan: the tracks already met, homing objects and their shots.
    std::vector<Body> m_akHomingPlanned;
    std::vector<Body> m_akHomingShots;
    std::vector<bool> m_abTaken;
};
