#include "GameFixture.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {

constexpr uint8_t kDown = 0x80;

}  // namespace

qnSprite& GameProbe::Sprite(const std::string& kName)
{
    ArcadeGame& g = m_kGame;
    const std::map<std::string, qnSprite*> kSprites = {
        {"Particle", &g.m_kParticle},       {"Title", &g.m_kTitle},
        {"Paddle", &g.m_kPaddle},           {"Car", &g.m_kCar},
        {"CarShield1", &g.m_kCarShield1},   {"CarShield2", &g.m_kCarShield2},
        {"CarShield3", &g.m_kCarShield3},   {"CarShield4", &g.m_kCarShield4},
        {"Ship", &g.m_kShip},               {"PaddlePanel", &g.m_kPaddlePanel},
        {"PaddleHand", &g.m_kPaddleHand},   {"CarPanel", &g.m_kCarPanel},
        {"CarHand", &g.m_kCarHand},         {"CarDial", &g.m_kCarDial},
        {"ShipPanel", &g.m_kShipPanel},     {"ShipHand", &g.m_kShipHand},
        {"ShipHand2", &g.m_kShipHand2},     {"FrameLine", &g.m_kFrameLine},
        {"WallRight", &g.m_kWallRight},     {"WallLeft", &g.m_kWallLeft},
        {"CentreLine", &g.m_kCentreLine},   {"Ball", &g.m_kBall},
        {"TopBar", &g.m_kTopBar},           {"CarMap0", &g.m_akCarMap[0]},
        {"CarMap1", &g.m_akCarMap[1]},      {"ShipMap0", &g.m_akShipMap[0]},
        {"ShipMap1", &g.m_akShipMap[1]},    {"Gauge", &g.m_kGauge},
        {"FuelIcon", &g.m_kFuelIcon},       {"Track", &g.m_kTrack},
        {"Flag", &g.m_kFlag},
    };
    return *kSprites.at(kName);
}

qnSoundBuffer& GameProbe::Sound(const std::string& kName)
{
    ArcadeGame& g = m_kGame;
    const std::map<std::string, qnSoundBuffer*> kSounds = {
        {"e1", &g.m_akSoundE[0]},      {"e2", &g.m_akSoundE[1]},   {"e3", &g.m_akSoundE[2]},
        {"e4", &g.m_akSoundE[3]},      {"e5", &g.m_akSoundE[4]},   {"shoot", &g.m_kSoundShoot},
        {"ping", &g.m_kSoundPing},     {"pong", &g.m_kSoundPong},  {"barp", &g.m_kSoundBarp},
        {"barm", &g.m_kSoundBarm},     {"ship", &g.m_kSoundShip},  {"buffer", &g.m_kSoundBuffer},
        {"fuel", &g.m_kSoundFuel},     {"die1", &g.m_akSoundDie[0]}, {"die2", &g.m_akSoundDie[1]},
        {"m1", &g.m_akSoundM[0]},      {"m2", &g.m_akSoundM[1]},   {"m3", &g.m_akSoundM[2]},
        {"m4", &g.m_akSoundM[3]},      {"m5", &g.m_akSoundM[4]},
    };
    return *kSounds.at(kName);
}

int GameProbe::CountInPlay()
{
    int iCount = 0;
    for (const FieldObject& kObject : m_kGame.m_akObjects) {
        iCount += kObject.InPlay() ? 1 : 0;
    }
    return iCount;
}

int GameProbe::CountOfType(int iType)
{
    int iCount = 0;
    for (const FieldObject& kObject : m_kGame.m_akObjects) {
        iCount += kObject.m_iType == iType ? 1 : 0;
    }
    return iCount;
}

void GameTest::SetUp()
{
    fake::Reset();
    crt::SeedRand(1);
    // Every read of the clock moves it on by a millisecond, so the 13 ms wait ends at once.
    fake::SetTimeStep(1000);
}

void GameTest::TearDown()
{
    m_pkProbe.reset();
    m_pkGame.reset();
    fake::Reset();
}

void GameTest::StartGame(const GameSettings& kSettings, bool bController)
{
    if (bController) {
        m_iController = fake::AttachController("test pad");
    }
    static char cInstance;
    m_pkGame.Build(kSettings);
    m_pkProbe = std::make_unique<GameProbe>(*m_pkGame);
    m_pkGame->StartUp(reinterpret_cast<HINSTANCE>(&cInstance));
}

int GameTest::Step(bool bSpace, bool bButton)
{
    fake::SetKey(DIK_SPACE, bSpace ? kDown : 0);
    if (m_iController >= 0) {
        fake::SetControllerButton(m_iController, 0, bButton ? kDown : 0);
    }
    return m_pkGame->Frame();
}

void GameTest::StepFrames(int iFrames, bool bSpace, bool bButton)
{
    for (int i = 0; i < iFrames; ++i) {
        Step(bSpace, bButton);
    }
}

void GameTest::StartPlaying()
{
    Step(true);
    Step();
    ASSERT_EQ(m_pkProbe->State(), STATE_PLAY);
}

void GameTest::PlacePlayer(int iX, GameZone eZone)
{
    m_pkProbe->PlayerX() = iX;
    m_pkProbe->Zone() = eZone;
}

void GameTest::Spawn(int iType, int iX, int iY)
{
    m_pkGame->SpawnObject(iType, iX, iY);
}

bool GameTest::IsPlaying(const qnSoundBuffer& kSound)
{
    return kSound.GetBuffer() && fake::SoundBufferInfo(kSound.GetBuffer()).playing;
}

bool GameTest::IsLooping(const qnSoundBuffer& kSound)
{
    return kSound.GetBuffer() && fake::SoundBufferInfo(kSound.GetBuffer()).looping;
}

int GameTest::Plays(const qnSoundBuffer& kSound)
{
    return kSound.GetBuffer() ? fake::SoundBufferInfo(kSound.GetBuffer()).plays : 0;
}

DataCopy::DataCopy()
{
    namespace fs = std::filesystem;
    m_kPrevious = fs::current_path().string();
    char acTemplate[] = "/tmp/brask-data-XXXXXX";
    m_kRoot = mkdtemp(acTemplate);
    fs::copy(BRASK_DATA_DIR, m_kRoot, fs::copy_options::recursive);
    fs::current_path(m_kRoot);
}

DataCopy::~DataCopy()
{
    namespace fs = std::filesystem;
    std::error_code kError;
    fs::current_path(m_kPrevious, kError);
    fs::remove_all(m_kRoot, kError);
}

std::string DataCopy::Path(const std::string& kRelative) const
{
    return m_kRoot + "/" + kRelative;
}

void DataCopy::Remove(const std::string& kRelative) const
{
    std::filesystem::remove(Path(kRelative));
}

void DataCopy::Write(const std::string& kRelative, const std::string& kBytes) const
{
    std::ofstream(Path(kRelative), std::ios::binary | std::ios::trunc) << kBytes;
}

std::string DataCopy::Read(const std::string& kRelative) const
{
    std::ifstream kFile(Path(kRelative), std::ios::binary);
    std::ostringstream kBytes;
    kBytes << kFile.rdbuf();
    return kBytes.str();
}
