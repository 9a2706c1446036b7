// Faults a player's machine can throw at the game: broken data files, a device lost and reset
// over and over, a controller unplugged and plugged in again, the focus lost, and whole games
// played to both ends. The game must play on or end cleanly through each.
#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <sstream>

#include "AssetNames.h"
#include "GameFixture.h"

namespace {

constexpr uint8_t kDown = 0x80;
const char* const kProgram = "brask-pad-toggle: ";

std::string Slashed(std::string kPath)
{
    std::replace(kPath.begin(), kPath.end(), '\\', '/');
    return kPath;
}

// Every file the game loads, relative to the data folder: each sprite description and the
// image it names, each sound, the font and the map.
std::vector<std::string> DataFiles()
{
    std::vector<std::string> kFiles = {ArcadeGame::kFontFile, "graphics/map.txt"};
    for (const std::string& kSprite : assetnames::Sprites()) {
        std::string kDescription = Slashed(kSprite) + ".txt";
        std::ifstream kFile(std::string(BRASK_DATA_DIR) + "/" + kDescription);
        std::string kImage;
        std::getline(kFile, kImage);
        kFiles.push_back(kDescription);
        kFiles.push_back(Slashed(kImage.substr(0, kImage.find_last_not_of(" \r") + 1)));
    }
    for (const auto* pkNames : {&assetnames::Effects(), &assetnames::Music()}) {
        for (const std::string& kName : *pkNames) {
            kFiles.push_back("sounds/" + kName + ".wav");
        }
    }
    return kFiles;
}

std::string RandomBytes(size_t uiLength, unsigned uiSeed)
{
    std::mt19937 kGenerator(uiSeed);
    std::string kBytes(uiLength, '\0');
    for (char& c : kBytes) {
        c = static_cast<char>(kGenerator() & 0xFF);
    }
    return kBytes;
}

std::string WithoutExtension(const std::string& kPath)
{
    return kPath.substr(0, kPath.rfind('.'));
}

std::vector<std::string> Lines(const std::string& kText)
{
    std::vector<std::string> kLines;
    std::istringstream kStream(kText);
    for (std::string kLine; std::getline(kStream, kLine);) {
        kLines.push_back(kLine);
    }
    return kLines;
}

// What a player would notice of the game at one moment.
struct GameSnapshot {
    int iState, iZone, iDirection, iPlayerX, iPlayerY, iScore, iFuel, iRow, iBallX, iBallY;
    std::vector<int> kObjects;
    bool operator==(const GameSnapshot&) const = default;
};

GameSnapshot Snapshot(GameProbe& p)
{
    GameSnapshot kShot{p.State(), p.Zone(),  p.Direction(), p.PlayerX(), p.PlayerY(),
                       p.Score(), p.Fuel(),  p.Row(),       p.BallX(),   p.BallY(), {}};
    for (int i = 0; i < ArcadeGame::kObjectSlots; ++i) {
        const FieldObject& kObject = p.Object(i);
        kShot.kObjects.insert(kShot.kObjects.end(), {kObject.m_iType, kObject.m_iX, kObject.m_iY});
    }
    return kShot;
}

// One frame's drawing by content: each draw's vertices, the picture of its texture (0 for
// none), and the blending that the frame ends with.
struct Picture {
    std::vector<size_t> kVertices;
    std::vector<size_t> kTextures;
    std::vector<DWORD> kStates;
    int iLiveTextures;
};

Picture DrawnPicture()
{
    std::map<const IDirect3DBaseTexture8*, size_t> kPictures;
    auto PictureOf = [&](const IDirect3DBaseTexture8* pkTexture) {
        auto kFound = kPictures.find(pkTexture);
        if (kFound != kPictures.end()) {
            return kFound->second;
        }
        const fake::d3d::Image* pkImage = fake::d3d::TextureImage(pkTexture);
        size_t uiHash = pkImage ? std::hash<std::string_view>()(std::string_view(
                                      reinterpret_cast<const char*>(pkImage->bytes.data()),
                                      pkImage->bytes.size())) ^
                                      pkImage->width ^ (size_t(pkImage->height) << 20)
                                : 0;
        kPictures[pkTexture] = uiHash;
        return uiHash;
    };
    using fake::d3d::RenderState;
    Picture kPicture{{},
                     {},
                     {RenderState(D3DRS_CULLMODE), RenderState(D3DRS_LIGHTING),
                      RenderState(D3DRS_ALPHABLENDENABLE), RenderState(D3DRS_SRCBLEND),
                      RenderState(D3DRS_DESTBLEND),
                      fake::d3d::TextureStageState(0, D3DTSS_COLOROP),
                      fake::d3d::TextureStageState(0, D3DTSS_ALPHAOP)},
                     fake::d3d::LiveTextures()};
    for (const fake::d3d::Draw& kDraw : fake::d3d::Draws()) {
        kPicture.kTextures.push_back(PictureOf(kDraw.texture));
        kPicture.kVertices.push_back(std::hash<std::string_view>()(std::string_view(
            reinterpret_cast<const char*>(kDraw.vertices.data()), kDraw.vertices.size())));
    }
    return kPicture;
}

// A damaged copy of a file's bytes; the seed differs from file to file.
using Damage = std::function<std::string(const std::string& kOriginal, unsigned uiSeed)>;

class FaultsTest : public GameTest {
protected:
    // Ends the game and puts the world back as a fresh test has it.
    void EndGame()
    {
        m_pkProbe.reset();
        m_pkGame.reset();
        EXPECT_EQ(fake::d3d::LiveTextures(), 0);
        EXPECT_EQ(fake::d3d::LiveDevices(), 0);
        fake::Reset();
        crt::SeedRand(1);
        fake::SetTimeStep(1000);
        m_iController = -1;
    }

    void PlayWithEachFileDamaged(const Damage& kDamage);
    void PlayWholeGameTo(GameState eEnd);

    // Attract screen, a game with every kind of object in view in each zone, the win and game
    // over screens, then Escape. Every frame but the last must go on.
    void PlayEverything()
    {
        StepFrames(11);
        fake::ClearCalls();
        StartPlaying();
        for (int iType = 0; iType < kLoadedObjectTypes; ++iType) {
            m_pkGame->SpawnObject(iType, 1224 + (iType % 5 - 2) * 150, -700 - (iType / 5) * 150);
        }
        for (int iX : {1224, 0, 2450}) {
            m_pkProbe->PlayerX() = iX;
            for (int i = 0; i < 4; ++i) {
                EXPECT_EQ(Step(), 1);
            }
        }
        for (GameState eEnd : {STATE_WIN, STATE_GAME_OVER}) {
            m_pkProbe->State() = eEnd;
            EXPECT_EQ(Step(), 1);
        }
        fake::SetKey(DIK_ESCAPE, kDown);
        EXPECT_EQ(m_pkGame->Frame(), 0);
        fake::SetKey(DIK_ESCAPE, 0);
    }

    // One frame with the device lost and one with it waiting for a reset: neither draws,
    // presents or moves the game on; the second resets the device.
    void LoseAndResetDevice(bool bSpace)
    {
        const GameSnapshot kBefore = Snapshot(*m_pkProbe);
        const size_t uiResets = fake::d3d::ResetRequests().size();
        const int iPresents = fake::d3d::PresentCount();
        fake::d3d::ClearDraws();
        fake::d3d::SetCooperativeLevel(D3DERR_DEVICELOST);
        EXPECT_EQ(Step(bSpace), 1);
        fake::d3d::SetCooperativeLevel(D3DERR_DEVICENOTRESET);
        EXPECT_EQ(Step(bSpace), 1);
        fake::d3d::SetCooperativeLevel(D3D_OK);
        EXPECT_EQ(fake::d3d::ResetRequests().size(), uiResets + 1);
        EXPECT_TRUE(fake::d3d::Draws().empty());
        EXPECT_EQ(fake::d3d::PresentCount(), iPresents);
        EXPECT_TRUE(Snapshot(*m_pkProbe) == kBefore);
    }

    struct Played {
        std::vector<Picture> kPictures;
        std::vector<GameSnapshot> kStates;
    };

    // A game of 200 frames with Space pressed now and then, the device lost and reset before
    // every other frame or never.
    Played PlayWithResets(bool bLoseDevice)
    {
        Played kPlayed;
        StartGame();
        StartPlaying();
        for (int i = 0; i < 200; ++i) {
            bool bSpace = i % 10 < 3;
            if (bLoseDevice && i % 2 == 0) {
                LoseAndResetDevice(bSpace);
            }
            fake::d3d::ClearDraws();
            EXPECT_EQ(Step(bSpace), 1);
            kPlayed.kPictures.push_back(DrawnPicture());
            kPlayed.kStates.push_back(Snapshot(*m_pkProbe));
        }
        EndGame();
        return kPlayed;
    }
};

// Each data file in turn damaged: the game starts, plays and quits, and says that something is
// wrong only in lines naming the broken file (or, for an image, the sprite description that
// uses it).
void FaultsTest::PlayWithEachFileDamaged(const Damage& kDamage)
{
    DataCopy kData;
    unsigned uiSeed = 1;
    for (const std::string& kFile : DataFiles()) {
        SCOPED_TRACE(kFile);
        const std::string kOriginal = kData.Read(kFile);
        ASSERT_FALSE(kOriginal.empty());
        kData.Write(kFile, kDamage(kOriginal, uiSeed++));
        StderrCapture kErrors;
        StartGame();
        PlayEverything();
        EndGame();
        const std::vector<std::string> kLines = Lines(kErrors.Text());
        EXPECT_FALSE(kLines.empty());
        for (const std::string& kLine : kLines) {
            EXPECT_EQ(kLine.rfind(kProgram, 0), 0u) << kLine;
            EXPECT_NE(kLine.find(WithoutExtension(kFile)), std::string::npos) << kLine;
        }
        kData.Write(kFile, kOriginal);
    }
}

TEST_F(FaultsTest, EveryDataFileCutToHalfStillPlays)
{
    PlayWithEachFileDamaged([](const std::string& kOriginal, unsigned) {
        return kOriginal.substr(0, kOriginal.size() / 2);
    });
}

TEST_F(FaultsTest, EveryDataFileOfRandomBytesStillPlays)
{
    PlayWithEachFileDamaged([](const std::string& kOriginal, unsigned uiSeed) {
        return RandomBytes(kOriginal.size(), uiSeed);
    });
}

// After each of 100 resets the game plays on as if the device had never been lost: the same
// state, the keyboard steering it as before, the same draws and no more textures alive. In the
// frame right after a reset the text output's pages are new, so the text draws' page pictures
// differ there; from the next frame on every texture matches again.
TEST_F(FaultsTest, DeviceLostAndReset100TimesDrawsTheSameGame)
{
    const Played kUndisturbed = PlayWithResets(false);
    const Played kReset = PlayWithResets(true);
    ASSERT_EQ(kReset.kPictures.size(), kUndisturbed.kPictures.size());
    for (size_t i = 0; i < kReset.kPictures.size(); ++i) {
        SCOPED_TRACE("frame " + std::to_string(i));
        const Picture& kSeen = kReset.kPictures[i];
        const Picture& kExpected = kUndisturbed.kPictures[i];
        EXPECT_FALSE(kSeen.kVertices.empty());
        EXPECT_TRUE(kSeen.kVertices == kExpected.kVertices);
        EXPECT_EQ(kSeen.iLiveTextures, kExpected.iLiveTextures);
        EXPECT_EQ(kSeen.kStates, kExpected.kStates);
        if (i % 2 == 1) {
            EXPECT_TRUE(kSeen.kTextures == kExpected.kTextures);
        }
        EXPECT_TRUE(kReset.kStates[i] == kUndisturbed.kStates[i]);
    }
}

// No sound device: the game plays silently and says so in one line.
TEST_F(FaultsTest, NoSoundDevicePlaysSilently)
{
    fake::FailCall("DirectSoundCreate8");
    StderrCapture kErrors;
    StartGame();
    PlayEverything();
    EXPECT_EQ(kErrors.Text(), "brask-pad-toggle: no sound device, playing silently\n");
}

// The map is read again for each game; a missing map is told once.
TEST_F(FaultsTest, MissingMapIsToldOnceForManyGames)
{
    DataCopy kData;
    kData.Remove("graphics/map.txt");
    StderrCapture kErrors;
    StartGame();
    for (int i = 0; i < 3; ++i) {
        StartPlaying();
        m_pkProbe->State() = STATE_ATTRACT;
    }
    EXPECT_EQ(kErrors.Text(), "brask-pad-toggle: graphics/map.txt did not load\n");
}

// With no controller at all, and with the controller unplugged in the middle of a game, the
// game plays on and Space steers it; plugged in again (under a new id, as a system numbers a
// controller that comes back), button 0 steers it again.
TEST_F(FaultsTest, ControllerMissingOrUnpluggedAndPluggedInAgain)
{
    auto Reverses = [&](bool bSpace, bool bButton) {
        int iBefore = m_pkProbe->Direction();
        m_pkProbe->PlayerX() = 1224;
        EXPECT_EQ(Step(bSpace, bButton), 1);
        EXPECT_EQ(Step(), 1);
        EXPECT_EQ(Step(), 1);
        EXPECT_EQ(m_pkProbe->State(), STATE_PLAY);
        return m_pkProbe->Direction() != iBefore;
    };

    StartGame(kPadToggleSettings, false);
    StartPlaying();
    EXPECT_TRUE(Reverses(true, false));
    EndGame();

    StartGame();
    StartPlaying();
    EXPECT_TRUE(Reverses(false, true));
    fake::DetachController(m_iController);
    EXPECT_FALSE(Reverses(false, true));
    EXPECT_TRUE(Reverses(true, false));
    m_iController = fake::AttachController("test pad");
    StepFrames(2);
    EXPECT_TRUE(Reverses(false, true));
    EXPECT_TRUE(Reverses(true, false));
}

// The window loses the focus with the device (full screen), then gets both back: the game
// stands still meanwhile, then the keyboard steers it again.
TEST_F(FaultsTest, FocusLostAndRegainedPlaysOn)
{
    StartGame();
    StartPlaying();
    StepFrames(5);
    const GameSnapshot kBefore = Snapshot(*m_pkProbe);
    fake::SetInputFocus(false);
    fake::d3d::SetCooperativeLevel(D3DERR_DEVICELOST);
    StepFrames(20, true, true);
    EXPECT_TRUE(Snapshot(*m_pkProbe) == kBefore);
    fake::SetInputFocus(true);
    fake::d3d::SetCooperativeLevel(D3DERR_DEVICENOTRESET);
    EXPECT_EQ(Step(), 1);
    fake::d3d::SetCooperativeLevel(D3D_OK);
    EXPECT_EQ(Step(), 1);
    int iBefore = m_pkProbe->Direction();
    m_pkProbe->PlayerX() = 1224;
    Step(true);
    Step();
    EXPECT_NE(m_pkProbe->Direction(), iBefore);
    fake::SetKey(DIK_ESCAPE, kDown);
    EXPECT_EQ(m_pkGame->Frame(), 0);
}

// A whole game to the given end and back to the attract screen, with the player kept in the
// car zone: to the win the fuel is topped up every frame until the finish; to game over it
// runs out. Under the sanitizers this is the leak and overflow check of a whole run.
void FaultsTest::PlayWholeGameTo(GameState eEnd)
{
    StartGame();
    StartPlaying();
    int iFrames = 0;
    while (m_pkProbe->State() == STATE_PLAY && iFrames++ < 10000) {
        // Thousands of frames: the logs would only grow.
        fake::ClearCalls();
        fake::d3d::ClearDraws();
        m_pkProbe->PlayerX() = 1224;
        if (eEnd == STATE_WIN) {
            m_pkProbe->Fuel() = 100;
        }
        ASSERT_EQ(Step(), 1);
    }
    EXPECT_EQ(m_pkProbe->State(), eEnd);
    while (m_pkProbe->State() == eEnd && iFrames++ < 10200) {
        ASSERT_EQ(Step(), 1);
    }
    EXPECT_EQ(m_pkProbe->State(), STATE_ATTRACT);
    fake::SetKey(DIK_ESCAPE, kDown);
    EXPECT_EQ(m_pkGame->Frame(), 0);
}

TEST_F(FaultsTest, WholeGameToTheWin)
{
    PlayWholeGameTo(STATE_WIN);
}

TEST_F(FaultsTest, WholeGameToGameOver)
{
    PlayWholeGameTo(STATE_GAME_OVER);
}

}  // namespace
