#include <filesystem>
#include <string>
#include <vector>

#include "GameFixture.h"

namespace {

constexpr uint8_t kKeyDown = 0x80;

class MissingFilesTest : public GameTest {
protected:
    // Starts the game, plays a few frames of the title, a game and its end, then quits.
    void PlayAndQuit()
    {
        StartGame();
        StepFrames(3);
        Step(true);
        StepFrames(20);
        m_pkGame->SpawnObject(5, 1224, -300);
        m_pkGame->StartExplosion(1224, -400);
        m_pkGame->PlaySoundEvent(SOUND_E);
        StepFrames(3);
        m_pkProbe->State() = STATE_GAME_OVER;
        StepFrames(3);
        fake::SetKey(DIK_ESCAPE, kKeyDown);
        EXPECT_EQ(Step(), 0);
    }

    void Restart()
    {
        TearDown();
        SetUp();
    }
};

std::vector<std::string> Lines(const std::string& kText)
{
    std::vector<std::string> kLines;
    size_t uiStart = 0;
    for (size_t uiEnd = kText.find('\n'); uiEnd != std::string::npos;
         uiEnd = kText.find('\n', uiStart)) {
        kLines.push_back(kText.substr(uiStart, uiEnd - uiStart));
        uiStart = uiEnd + 1;
    }
    return kLines;
}

std::string MapOf(const std::string& kCell, int iCount)
{
    std::string kMap;
    for (int k = 0; k < iCount; ++k) {
        kMap += kCell + (k % 24 == 23 ? "\n" : " ");
    }
    return kMap;
}

struct MissingCase {
    const char* acRemoved;
    const char* acReported;
};

TEST_F(MissingFilesTest, EachMissingFileIsReportedOnceAndTheGameStillRuns)
{
    std::vector<MissingCase> kCases = {
        {"graphics/title.txt", "graphics/title.txt"},
        {"graphics/p-control.txt", "graphics/p-control.txt"},
        {"graphics/p-control-hand.txt", "graphics/p-control-hand.txt"},
        {"graphics/r-control.txt", "graphics/r-control.txt"},
        {"graphics/r-control-hand.txt", "graphics/r-control-hand.txt"},
        {"graphics/r-control-c.txt", "graphics/r-control-c.txt"},
        {"graphics/s-control.txt", "graphics/s-control.txt"},
        {"graphics/s-control-hand.txt", "graphics/s-control-hand.txt"},
        {"graphics/s-control-hand2.txt", "graphics/s-control-hand2.txt"},
        {"graphics/line.txt", "graphics/line.txt"},
        {"graphics/p-bar.txt", "graphics/p-bar.txt"},
        {"graphics/r-car.txt", "graphics/r-car.txt"},
        {"graphics/s-ship.txt", "graphics/s-ship.txt"},
        {"graphics/p-line.txt", "graphics/p-line.txt"},
        {"graphics/p-dotline.txt", "graphics/p-dotline.txt"},
        {"graphics/p-ball.txt", "graphics/p-ball.txt"},
        {"graphics/p-bar2.txt", "graphics/p-bar2.txt"},
        {"graphics/r-map1.txt", "graphics/r-map1.txt"},
        {"graphics/s-map1.txt", "graphics/s-map1.txt"},
        {"graphics/gage.txt", "graphics/gage.txt"},
        {"graphics/fuel.txt", "graphics/fuel.txt"},
        {"graphics/track.txt", "graphics/track.txt"},
        {"graphics/flag.txt", "graphics/flag.txt"},
        {"graphics/par.txt", "graphics/par.txt"},
        {"graphics/title.bmp", "graphics/title.txt"},
        {"graphics/r-map1.bmp", "graphics/r-map1.txt"},
        {"ArcadeClassic32.fnt", "ArcadeClassic32.fnt"},
        {"sounds/e1.wav", "sounds/e1.wav"},
        {"sounds/m3.wav", "sounds/m3.wav"},
        {"graphics/map.txt", "graphics/map.txt"},
    };
    std::vector<std::string> kDescriptions;
    for (int i = 1; i <= 4; ++i) {
        kDescriptions.push_back("graphics/levelup/item-buffer" + std::to_string(i) + ".txt");
    }
    for (int i = 1; i <= 10; ++i) {
        kDescriptions.push_back("graphics/objects/r-ob" + std::to_string(i) + ".txt");
        kDescriptions.push_back("graphics/objects/s-ob" + std::to_string(i) + ".txt");
    }
    for (const char* acItem : {"minus", "plus", "fuel", "buffer", "ship"}) {
        kDescriptions.push_back(std::string("graphics/items/item-") + acItem + ".txt");
    }
    for (const std::string& kTemplate : kDescriptions) {
        kCases.push_back({kTemplate.c_str(), kTemplate.c_str()});
    }

    DataCopy kData;
    for (const MissingCase& kCase : kCases) {
        SCOPED_TRACE(kCase.acRemoved);
        std::string kPath = kData.Path(kCase.acRemoved);
        ASSERT_TRUE(std::filesystem::exists(kPath));
        std::filesystem::rename(kPath, kPath + ".gone");
        StderrCapture kErrors;
        PlayAndQuit();
        std::vector<std::string> kExpected = {std::string("brask-pad-toggle: ") +
                                              kCase.acReported + " did not load"};
        EXPECT_EQ(Lines(kErrors.Text()), kExpected);
        std::filesystem::rename(kPath + ".gone", kPath);
        Restart();
    }
}

TEST_F(MissingFilesTest, AShortMapLeavesTheCellsNotReadEmpty)
{
    DataCopy kData;
    kData.Write("graphics/map.txt", MapOf("4", 30));
    StderrCapture kErrors;
    StartGame();
    EXPECT_EQ(kErrors.Text(),
              "brask-pad-toggle: graphics/map.txt holds only 30 of its 12000 cells\n");
    EXPECT_EQ(m_pkProbe->Map(1, 5), 4);
    EXPECT_EQ(m_pkProbe->Map(1, 6), -1);
    EXPECT_EQ(m_pkProbe->Map(499, 23), -1);
}

TEST_F(MissingFilesTest, MapValuesOutsideTheTypesAreReadAsEmpty)
{
    DataCopy kData;
    kData.Write("graphics/map.txt", "25 -2 24 -1 0 99999 30\n" + MapOf("2", 12000 - 7));
    StderrCapture kErrors;
    StartGame();
    EXPECT_EQ(kErrors.Text(),
              "brask-pad-toggle: graphics/map.txt has 4 cells outside -1..24, read as empty\n");
    const int aiExpected[] = {-1, -1, 24, -1, 0, -1, -1, 2};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(m_pkProbe->Map(0, c), aiExpected[c]) << "column " << c;
    }
    // A row of such values spawns nothing.
    StartPlaying();
    StepFrames(8);
    EXPECT_EQ(m_pkProbe->Row(), 1);
    for (int iType = 25; iType < 30; ++iType) {
        EXPECT_EQ(m_pkProbe->CountOfType(iType), 0);
    }
}

}  // namespace
