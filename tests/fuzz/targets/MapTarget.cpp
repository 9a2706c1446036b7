// The object map through ArcadeGame::NewGame, which reads graphics\map.txt from the current
// folder: every cell must come out as an empty cell or a loaded object type, whatever the file.
#include <cstdio>
#include <filesystem>

#include "ArcadeGame.h"
#include "FuzzTargets.h"
#include "Scratch.h"

// Reads the map the game holds, and sends the game's reports of troubled files elsewhere.
class GameProbe {
public:
    explicit GameProbe(ArcadeGame& kGame) : m_kGame(kGame) {}
    int Cell(int iRow, int iColumn) const { return m_kGame.m_aaiMap[iRow][iColumn]; }
    void SendReportsTo(std::FILE* pkFile) { m_kGame.m_pkReports = pkFile; }

private:
    ArcadeGame& m_kGame;
};

namespace fuzz {

void LoadMap(const uint8_t* pucData, size_t uiSize)
{
    std::error_code kError;
    std::filesystem::create_directories(ScratchPath("graphics"), kError);
    WriteScratch("graphics/map.txt", pucData, uiSize);
    InScratchFolder kHere;
    // One game for the whole run, as a player's session has: each new game reads the map again.
    static ArcadeGame s_kGame(kPadToggleSettings);
    GameProbe kProbe(s_kGame);
    // The game's line about values outside the types would fill the fuzzer's log, one an input.
    static std::FILE* s_pkNowhere = std::fopen("/dev/null", "w");
    if (s_pkNowhere) {
        kProbe.SendReportsTo(s_pkNowhere);
    }
    s_kGame.NewGame();
    for (int iRow = 0; iRow < ArcadeGame::kMapRows; ++iRow) {
        for (int iColumn = 0; iColumn < ArcadeGame::kMapColumns; ++iColumn) {
            int iCell = kProbe.Cell(iRow, iColumn);
            Require(iCell >= OBJ_FREE && iCell < kLoadedObjectTypes, "map: a cell names no type");
        }
    }
}

}  // namespace fuzz
