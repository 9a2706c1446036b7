// Helpers for tests of the running game: a run started and cleared, objects put into slots,
// sounds and explosions counted, and the runtime generator's sequence computed on its own.
#pragma once

#include <initializer_list>

#include "GameFixture.h"

// The runtime generator, worked out here without the game's code: seed * 214013 + 2531011,
// bits 16 to 30.
class RandSequence {
public:
    explicit RandSequence(unsigned int uiSeed) : m_uiSeed(uiSeed) {}
    int Next()
    {
        m_uiSeed = m_uiSeed * 214013u + 2531011u;
        return static_cast<int>((m_uiSeed >> 16) & 0x7fffu);
    }

private:
    unsigned int m_uiSeed;
};

class PlayTest : public GameTest {
protected:
    // A run in its first play frame's state with an empty map, an empty field and the ball
    // resting far from the paddle and the top bar.
    void StartRun()
    {
        StartGame();
        StartPlaying();
        for (int iRow = 0; iRow < ArcadeGame::kMapRows; ++iRow) {
            for (int iColumn = 0; iColumn < ArcadeGame::kMapColumns; ++iColumn) {
                P().Map(iRow, iColumn) = OBJ_FREE;
            }
        }
        ClearField();
        RestBall();
    }

    GameProbe& P() { return *m_pkProbe; }

    void ClearField()
    {
        for (int i = 0; i < ArcadeGame::kObjectSlots; ++i) {
            P().Object(i).Reset();
        }
    }

    void RestBall()
    {
        P().BallX() = 0;
        P().BallY() = -700;
        P().BallDX() = 0;
        P().BallDY() = 0;
    }

    // The player at x in the zone that x lies in, heading the given way.
    void PutPlayer(int iX, GameZone eZone, int iDirection)
    {
        PlacePlayer(iX, eZone);
        P().Direction() = iDirection;
    }

    // Spawns into the first free slot and returns that slot.
    FieldObject& Put(int iType, int iX, int iY)
    {
        int iSlot = FirstFreeSlot();
        Spawn(iType, iX, iY);
        return P().Object(iSlot);
    }

    int FirstFreeSlot()
    {
        for (int i = 0; i < ArcadeGame::kObjectSlots; ++i) {
            if (!P().Object(i).InPlay()) {
                return i;
            }
        }
        return -1;
    }

    int PlaysOf(const char* acSound) { return Plays(P().Sound(acSound)); }

    int ExplosionSoundPlays()
    {
        int iPlays = 0;
        for (const char* acSound : {"e1", "e2", "e3", "e4", "e5"}) {
            iPlays += PlaysOf(acSound);
        }
        return iPlays;
    }

    // The texture a sprite draws with, found by drawing it once.
    IDirect3DBaseTexture8* TextureOf(qnSprite& kSprite)
    {
        fake::d3d::ClearDraws();
        kSprite.Draw(0);
        return fake::d3d::Draws().empty() ? nullptr : fake::d3d::Draws().back().texture;
    }

    static int DrawsWith(IDirect3DBaseTexture8* pkTexture)
    {
        int iDraws = 0;
        for (const fake::d3d::Draw& kDraw : fake::d3d::Draws()) {
            iDraws += kDraw.texture == pkTexture ? 1 : 0;
        }
        return iDraws;
    }

    int RunningExplosions()
    {
        int iRunning = 0;
        for (int i = 0; i < ArcadeGame::kExplosionSlots; ++i) {
            iRunning += P().ExplosionSlot(i).m_iActive == 1 ? 1 : 0;
        }
        return iRunning;
    }
};
