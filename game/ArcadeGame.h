// The game object: owns every engine object by value, runs one frame of the game per call of
// Frame, and holds the whole state of a run. Its files:
//   ArcadeGame.cpp   the object, its start-up and WinMain's steps
//   Frame.cpp        the frame: device check, input, camera, steering, states, panels, pacing
//   PlayRules.cpp    the running game, step by step
//   FieldObjects.cpp the object and explosion pools
//   NewGame.cpp      the object map and the reset of a run
//   SoundEvents.cpp  the sound events and the voice ring
#pragma once

#include <cstdio>
#include <fstream>
#include <set>
#include <string>

#include "FieldObject.h"
#include "GameSettings.h"
#include "TextOutput.h"
#include "qnInputManager.h"
#include "qnJoystick.h"
#include "qnKeyboard.h"
#include "qnMouse.h"
#include "qnScreen.h"
#include "qnSoundBuffer.h"
#include "qnSoundPlayer.h"
#include "qnSprite.h"
#include "qnWindow.h"

enum GameState {
    STATE_ATTRACT = 0,
    STATE_NEW_GAME = 1,
    STATE_PLAY = 2,
    STATE_GAME_OVER = 3,
    STATE_WIN = 4,
};

enum GameZone {
    ZONE_PADDLE = 0,
    ZONE_CAR = 1,
    ZONE_SHIP = 2,
};

enum SoundEvent {
    SOUND_E = 0,
    SOUND_SHOOT = 1,
    SOUND_PING = 2,
    SOUND_PONG = 3,
    SOUND_BARM = 4,
    SOUND_BARP = 5,
    SOUND_SHIP = 6,
    SOUND_BUFFER = 7,
    SOUND_FUEL = 8,
    SOUND_DIE = 9,
    SOUND_M = 10,
};

class ArcadeGame : public qnWindow {
public:
    static constexpr int kMapRows = 500;
    static constexpr int kMapColumns = 24;
    static constexpr int kObjectSlots = 300;
    static constexpr int kExplosionSlots = 30;
    static constexpr int kRingVoices = 20;
    // After the ring: the music voice of the programs that play music during a game.
    static constexpr int kMusicVoice = kRingVoices;
    static constexpr const char* kFontFile = "ArcadeClassic32.fnt";

    explicit ArcadeGame(const GameSettings& kSettings);
    ~ArcadeGame();
    ArcadeGame(const ArcadeGame&) = delete;
    ArcadeGame& operator=(const ArcadeGame&) = delete;

    // WinMain's steps before the pump: the window, the screen, DirectInput, keyboard, mouse, Init.
    void StartUp(HINSTANCE hInstance);
    void Init();
    int Frame() override;

    void NewGame();
    void PlaySoundEvent(int iEvent);
    void SpawnObject(int iType, int iX, int iY);
    void StartExplosion(int iX, int iY);
    void UpdateExplosions();

private:
    friend class GameProbe;

    // Start-up.
    void LoadSprites();
    void LoadTemplates();
    void LoadSounds();
    void LoadSprite(qnSprite& kSprite, const char* acPath);
    void LoadSprite(qnSprite& kSprite, const char* acPath, uint32_t uiWidth, uint32_t uiHeight);
    // One line on stderr naming a file that did not load, once per file in a run.
    void ReportMissing(const char* acPath);

    // The frame.
    bool DeviceNeedsAttention();
    void ResetDevice();
    void ReadInput();
    void PlaceCamera();
    void Steer();
    void SteerBy(SteeringRule eRule, bool bDown, bool bUp, bool& bLatch);
    void SteerByToggle(bool bDown, bool bUp, bool& bLatch);
    void SteerByHold(bool bDown, bool bUp);
    void RunState();
    void Attract();
    void StartNewGame();
    void GameOver();
    void Win();
    void StopMusicTracks();
    void DrawControlPanels();
    void TiltHand(qnSprite& kHand, float fLimit, float fStep);
    void DrawText(float fX, float fY, float fScale, const char* acText);
    void DrawBlanks(int iCount, float fX);
    void DrawNumber(int iValue, float fX, float fY, float fScale);
    void WaitForFrameEnd(DWORD uiStart);

    // The object map.
    void ReadMap();

    // The play rules, in the order they run.
    void PlayFrame();
    void FireShipVolley();
    void DrawPaddleScenery();
    void ScrollBackgrounds();
    void MoveObjects();
    void FireEnemies();
    void UpdateZone();
    void FreeObjectsOffTheSides();
    void TurnAtTheEdges();
    void PlacePlayer();
    void MovePlayer();
    void DrawPlayer();
    void PlayPaddleAndBall();
    void FreeObjectsOffTheEnds();
    void CollideWithPlayer();
    void TakeItem(FieldObject& kObject);
    bool TakeDamage(FieldObject& kObject);
    void HitWithBullets();
    void DrawObjects();
    void BurnFuel();
    void DrawFuel();
    void SpawnCourseRow();
    void CountToFinish();
    void DrawProgress();
    void DrawScore();
    void DropRandomItems();
    void SpawnEnemiesAfterMap();
    void SpawnShipZoneEnemies();

    void BlowUp(FieldObject& kObject);
    void Reverse();

    const GameSettings& m_kSettings;
    // Files already reported missing: a file loaded into two sprites, or read at every new
    // game, is named once.
    std::set<std::string> m_kReportedFiles;
    // Where the game tells of files that did not load or read short.
    std::FILE* m_pkReports = stderr;

    qnScreen m_kScreen;
    qnInputManager m_kInputManager;
    qnKeyboard m_kKeyboard;
    qnMouse m_kMouse;
    bool m_bTitleMusic;
    TextOutput m_kTextOutput;
    HINSTANCE m_hInstance;
    qnSoundPlayer m_kSoundPlayer;
    qnSoundBuffer m_akSoundE[5];
    qnSoundBuffer m_kSoundShoot;
    qnSoundBuffer m_kSoundPing;
    qnSoundBuffer m_kSoundPong;
    qnSoundBuffer m_kSoundBarp;
    qnSoundBuffer m_kSoundBarm;
    qnSoundBuffer m_kSoundShip;
    qnSoundBuffer m_kSoundBuffer;
    qnSoundBuffer m_kSoundFuel;
    qnSoundBuffer m_akSoundDie[2];
    qnSoundBuffer m_akSoundM[5];
    // The ring of effect voices, then the music voice; a voice shares its bank sound's buffer.
    qnSoundBuffer m_akVoices[kRingVoices + 1];
    int m_iVoice;
    qnJoystick m_kJoystick;
    std::ifstream m_kMapFile;
    bool m_bPadLatch;
    bool m_bSpaceLatch;
    // 0 toward -x, 1 toward +x.
    int m_iDirection;
    GameState m_eState;
    GameZone m_eZone;
    int m_iBlink;
    int m_iGameOverCount;
    float m_fLookAhead;
    int m_iPlayerX;
    int m_iPlayerY;
    int m_iBallX;
    int m_iBallY;
    int m_iBallDX;
    int m_iBallDY;
    int m_iPaddleHits;
    int m_iPaddleSize;
    int m_iFuelTick;
    int m_iFuel;
    int m_iRowTimer;
    int m_iRow;
    int m_iShield;
    int m_iScore;
    int m_iGuns;
    int m_iFinishCount;
    qnSprite m_kParticle;
    Explosion m_akExplosions[kExplosionSlots];
    qnSprite m_kTitle;
    qnSprite m_kPaddle;
    qnSprite m_kCar;
    qnSprite m_kCarShield1;
    qnSprite m_kCarShield2;
    qnSprite m_kCarShield3;
    qnSprite m_kCarShield4;
    qnSprite m_kShip;
    qnSprite* m_pkPlayer;
    qnSprite m_kPaddlePanel;
    qnSprite m_kPaddleHand;
    qnSprite m_kCarPanel;
    qnSprite m_kCarHand;
    qnSprite m_kCarDial;
    qnSprite m_kShipPanel;
    qnSprite m_kShipHand;
    qnSprite m_kShipHand2;
    qnSprite m_kFrameLine;
    qnSprite m_kWallRight;
    qnSprite m_kWallLeft;
    qnSprite m_kCentreLine;
    qnSprite m_kBall;
    qnSprite m_kTopBar;
    qnSprite m_akCarMap[2];
    qnSprite m_akShipMap[2];
    qnSprite m_kGauge;
    qnSprite m_kFuelIcon;
    qnSprite m_kTrack;
    qnSprite m_kFlag;
    // Cells never read hold -1 (empty).
    int m_aaiMap[kMapRows][kMapColumns];
    int m_iFireTimer;
    FieldObject m_akObjects[kObjectSlots];
    // Indexed by object type; types 25..29 are never loaded.
    qnSprite m_akTemplates[30];
};

// The whole program: builds the game, starts it up, runs the pump until Frame returns 0.
int RunArcadeGame(HINSTANCE hInstance, const GameSettings& kSettings);
