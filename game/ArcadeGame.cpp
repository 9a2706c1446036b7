#include "ArcadeGame.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "platform/crt.h"

namespace {

const char* const kTitle = "Orvik  -  Tamberlo Arcade";
constexpr uint32_t kPlayerSize = 150;
constexpr uint32_t kBulletSize = 70;

}  // namespace

ArcadeGame::ArcadeGame(const GameSettings& kSettings) : m_kSettings(kSettings)
{
    std::fill(&m_aaiMap[0][0], &m_aaiMap[0][0] + kMapRows * kMapColumns, OBJ_FREE);
}

ArcadeGame::~ArcadeGame() = default;

void ArcadeGame::StartUp(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    Create(hInstance, kTitle, CW_USEDEFAULT, CW_USEDEFAULT, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    SetSize(1024, 768);
    SetPosition(0, 0);
    m_kScreen.Init(m_hWindow);
    m_kScreen.SetMode(1, 1024, 768, 32, true);
    m_kInputManager.Init(hInstance);
    m_kKeyboard.Init(m_hWindow);
    m_kMouse.Init(m_hWindow);
    Init();
}

void ArcadeGame::Init()
{
    m_kSoundPlayer.Init(m_hWindow);
    if (m_kSettings.UsesController()) {
        m_kJoystick.Init(m_hWindow, -10, 10, 1);
    }
    m_iBlink = 0;
    m_bPadLatch = false;
    m_bSpaceLatch = false;
    m_kTextOutput.Init(m_hWindow, m_kScreen.GetDevice());
    if (!m_kTextOutput.LoadFont(kFontFile)) {
        ReportMissing(kFontFile);
    }
    LoadSprites();
    LoadTemplates();
    NewGame();
    m_eState = STATE_ATTRACT;
    LoadSounds();
}

void ArcadeGame::LoadSprites()
{
    LoadSprite(m_kTitle, "graphics\\title.txt");
    LoadSprite(m_kPaddlePanel, "graphics\\p-control.txt");
    LoadSprite(m_kPaddleHand, "graphics\\p-control-hand.txt");
    LoadSprite(m_kCarPanel, "graphics\\r-control.txt");
    LoadSprite(m_kCarHand, "graphics\\r-control-hand.txt");
    LoadSprite(m_kCarDial, "graphics\\r-control-c.txt");
    LoadSprite(m_kShipPanel, "graphics\\s-control.txt");
    LoadSprite(m_kShipHand, "graphics\\s-control-hand.txt");
    LoadSprite(m_kShipHand2, "graphics\\s-control-hand2.txt");
    LoadSprite(m_kFrameLine, "graphics\\line.txt");
    LoadSprite(m_kPaddle, "graphics\\p-bar.txt", kPlayerSize, kPlayerSize);
    LoadSprite(m_kCar, "graphics\\r-car.txt", kPlayerSize, kPlayerSize);
    LoadSprite(m_kShip, "graphics\\s-ship.txt", kPlayerSize, kPlayerSize);
    LoadSprite(m_kWallRight, "graphics\\p-line.txt");
    LoadSprite(m_kWallLeft, "graphics\\p-line.txt");
    LoadSprite(m_kCentreLine, "graphics\\p-dotline.txt");
    LoadSprite(m_kBall, "graphics\\p-ball.txt");
    LoadSprite(m_kTopBar, "graphics\\p-bar2.txt");
    LoadSprite(m_akCarMap[0], "graphics\\r-map1.txt");
    LoadSprite(m_akCarMap[1], "graphics\\r-map1.txt");
    LoadSprite(m_kCarShield1, "graphics\\levelup\\item-buffer1.txt", kPlayerSize, kPlayerSize);
    LoadSprite(m_kCarShield2, "graphics\\levelup\\item-buffer2.txt", kPlayerSize, kPlayerSize);
    LoadSprite(m_kCarShield3, "graphics\\levelup\\item-buffer3.txt", kPlayerSize, kPlayerSize);
    LoadSprite(m_kCarShield4, "graphics\\levelup\\item-buffer4.txt", kPlayerSize, kPlayerSize);
    LoadSprite(m_akShipMap[0], "graphics\\s-map1.txt");
    LoadSprite(m_akShipMap[1], "graphics\\s-map1.txt");
}

void ArcadeGame::LoadTemplates()
{
    const char* const aacItems[] = {"item-minus", "item-plus", "item-fuel", "item-buffer",
                                    "item-ship"};
    for (int iType = 0; iType < kLoadedObjectTypes; ++iType) {
        std::string kPath;
        if (iType < 10) {
            kPath = "graphics\\objects\\r-ob" + std::to_string(iType + 1) + ".txt";
        } else if (iType < OBJ_ITEM_MINUS) {
            kPath = "graphics\\objects\\s-ob" + std::to_string(iType - 9) + ".txt";
        } else {
            kPath = std::string("graphics\\items\\") + aacItems[iType - OBJ_ITEM_MINUS] + ".txt";
        }
        bool bBullet = iType == OBJ_PLAYER_BULLET || iType == OBJ_ENEMY_BULLET;
        uint32_t uiSize = bBullet ? kBulletSize : kPlayerSize;
        LoadSprite(m_akTemplates[iType], kPath.c_str(), uiSize, uiSize);
    }
    LoadSprite(m_kGauge, "graphics\\gage.txt");
    LoadSprite(m_kFuelIcon, "graphics\\fuel.txt");
    LoadSprite(m_kTrack, "graphics\\track.txt");
    LoadSprite(m_kFlag, "graphics\\flag.txt");
    LoadSprite(m_kParticle, "graphics\\par.txt");
}

void ArcadeGame::LoadSounds()
{
    const struct {
        qnSoundBuffer* pkSound;
        const char* acName;
    } akSounds[] = {
        {&m_akSoundE[0], "e1"},       {&m_akSoundE[1], "e2"},     {&m_akSoundE[2], "e3"},
        {&m_akSoundE[3], "e4"},       {&m_akSoundE[4], "e5"},     {&m_kSoundShoot, "shoot"},
        {&m_kSoundPing, "ping"},      {&m_kSoundPong, "pong"},    {&m_kSoundBarm, "barm"},
        {&m_kSoundBarp, "barp"},      {&m_kSoundShip, "ship"},    {&m_kSoundBuffer, "buffer"},
        {&m_kSoundFuel, "fuel"},      {&m_akSoundDie[0], "die1"}, {&m_akSoundDie[1], "die2"},
        {&m_akSoundM[0], "m1"},       {&m_akSoundM[1], "m2"},     {&m_akSoundM[2], "m3"},
        {&m_akSoundM[3], "m4"},       {&m_akSoundM[4], "m5"},
    };
    // Without a sound device no sound loads: one line says so rather than one per file.
    bool bSilent = !m_kSoundPlayer.GetDevice();
    if (bSilent) {
        std::fprintf(m_pkReports, "%s: no sound device, playing silently\n", m_kSettings.acProgram);
    }
    for (const auto& kEntry : akSounds) {
        std::string kPath = std::string("sounds\\") + kEntry.acName + ".wav";
        kEntry.pkSound->LoadFromFile(kPath.c_str());
        if (!bSilent && !kEntry.pkSound->IsLoaded()) {
            ReportMissing(kPath.c_str());
        }
        kEntry.pkSound->SetVolume(1);
    }
}

void ArcadeGame::ReportMissing(const char* acPath)
{
    if (!m_kReportedFiles.insert(acPath).second) {
        return;
    }
    std::fprintf(m_pkReports, "%s: %s did not load\n", m_kSettings.acProgram,
                 crt::NativePath(acPath).c_str());
}

void ArcadeGame::LoadSprite(qnSprite& kSprite, const char* acPath)
{
    kSprite.Load(acPath);
    if (!kSprite.IsLoaded()) {
        ReportMissing(acPath);
    }
    kSprite.SetColor(255, 255, 255, 255);
}

void ArcadeGame::LoadSprite(qnSprite& kSprite, const char* acPath, uint32_t uiWidth,
                            uint32_t uiHeight)
{
    LoadSprite(kSprite, acPath);
    kSprite.SetSize(uiWidth, uiHeight);
}

int RunArcadeGame(HINSTANCE hInstance, const GameSettings& kSettings)
{
    ArcadeGame kGame(kSettings);
    kGame.StartUp(hInstance);
    kGame.Run();
    return 0;
}
