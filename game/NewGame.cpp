// The object map file and the reset of a run.
#include <cstdio>

#include "ArcadeGame.h"
#include "platform/crt.h"

namespace {

const char* const kMapFile = "graphics\\map.txt";

bool IsMapValue(int iValue)
{
    return iValue >= OBJ_FREE && iValue < kLoadedObjectTypes;
}

}  // namespace

void ArcadeGame::NewGame()
{
    m_iVoice = 0;
    m_iFireTimer = 0;
    m_kFuelIcon.SetColor(255, 255, 255, 255);
    ReadMap();
    for (Explosion& kExplosion : m_akExplosions) {
        kExplosion.m_iActive = 0;
    }
    m_bTitleMusic = false;
    m_iFinishCount = 0;
    m_iRowTimer = 0;
    m_iFuelTick = 0;
    m_iPaddleHits = 0;
    m_iPaddleSize = 2;
    m_iShield = 0;
    m_iGuns = 0;
    m_iGameOverCount = 0;
    m_fLookAhead = 0.0f;
    m_iDirection = crt::Rand() % 2;
    m_eState = STATE_PLAY;
    m_eZone = ZONE_CAR;
    m_iPlayerX = 1224;
    m_iPlayerY = -300;
    int iSubtracted = crt::Rand() % 200;
    m_iBallX = -iSubtracted + crt::Rand() % 200;
    m_iBallY = -820;
    m_iBallDX = crt::Rand() % 3 + 7;
    m_iBallDY = 5;
    m_iFuel = 100;
    m_iRow = 0;
    m_iScore = 0;
    m_pkPlayer = &m_kCar;
    m_pkPlayer->SetPosition(m_iPlayerX, m_iPlayerY);
    for (int i = 0; i < 2; ++i) {
        m_akCarMap[i].SetSize(1100, 2000);
        m_akCarMap[i].SetPosition(1200, -1000 - 2000 * i);
        m_akShipMap[i].SetSize(1100, 2000);
        m_akShipMap[i].SetPosition(2450, -1000 - 2000 * i);
    }
    for (FieldObject& kObject : m_akObjects) {
        kObject.Reset();
    }
}

// 12,000 whitespace-separated integers, row by row. A cell whose read fails keeps what it held
// (-1 before the first read); a value that names no loaded type is read as -1.
void ArcadeGame::ReadMap()
{
    m_kMapFile.open(crt::NativePath(kMapFile));
    int iRead = 0;
    int iOutside = 0;
    for (int k = 0; k < kMapRows * kMapColumns; ++k) {
        int iValue = 0;
        if (!(m_kMapFile >> iValue)) {
            continue;
        }
        ++iRead;
        if (!IsMapValue(iValue)) {
            ++iOutside;
            iValue = OBJ_FREE;
        }
        m_aaiMap[k / kMapColumns][k % kMapColumns] = iValue;
    }
    m_kMapFile.close();
    m_kMapFile.clear();
    if (iRead == 0) {
        ReportMissing(kMapFile);
    } else if (iRead < kMapRows * kMapColumns) {
        std::fprintf(m_pkReports, "%s: %s holds only %d of its %d cells\n", m_kSettings.acProgram,
                     crt::NativePath(kMapFile).c_str(), iRead, kMapRows * kMapColumns);
    }
    if (iOutside > 0) {
        std::fprintf(m_pkReports, "%s: %s has %d cells outside -1..24, read as empty\n",
                     m_kSettings.acProgram, crt::NativePath(kMapFile).c_str(), iOutside);
    }
}
