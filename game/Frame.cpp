// One frame: the device check, the input, the camera, the steering, one step of the state
// machine, the control panels, and the pacing to at least 13 ms before the present.
#include <cstdio>
#include <memory>

#include "ArcadeGame.h"
#include "qnTexture.h"
#include "platform/crt.h"
#include "platform/dinput8.h"

namespace {

constexpr DWORD kFrameMilliseconds = 13;
constexpr int kOpaque = 255;
constexpr float kLookAheadLimit = 40.0f;
constexpr int kGameOverFrames = 50;
constexpr int kWinFrames = 150;

}  // namespace

int ArcadeGame::Frame()
{
    if (DeviceNeedsAttention()) {
        return 1;
    }
    ReadInput();
    m_kScreen.Clear(0, 0, 0, 0);
    m_kScreen.StartFrame();
    DWORD uiStart = GetTickCount();
    if (m_kKeyboard.IsKeyDown(DIK_ESCAPE)) {
        return 0;
    }
    PlaceCamera();
    Steer();
    RunState();
    DrawControlPanels();
    WaitForFrameEnd(uiStart);
    m_kScreen.EndFrame();
    return 1;
}

// True when this frame draws nothing: the device is lost (wait for a message) or has just
// been reset.
bool ArcadeGame::DeviceNeedsAttention()
{
    IDirect3DDevice8* pkDevice = m_kScreen.GetDevice();
    if (!pkDevice) {
        return false;
    }
    HRESULT hResult = pkDevice->TestCooperativeLevel();
    if (hResult == D3DERR_DEVICELOST) {
        WaitMessage();
        return true;
    }
    if (hResult == D3DERR_DEVICENOTRESET) {
        ResetDevice();
        return true;
    }
    return false;
}

// Sprites keep their textures through a reset: they live in the managed pool.
void ArcadeGame::ResetDevice()
{
    IDirect3DDevice8* pkDevice = m_kScreen.GetDevice();
    D3DPRESENT_PARAMETERS kParameters{};
    kParameters.BackBufferWidth = 1024;
    kParameters.BackBufferHeight = 768;
    kParameters.BackBufferFormat = D3DFMT_A8R8G8B8;
    kParameters.BackBufferCount = 1;
    kParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    kParameters.Windowed = FALSE;
    pkDevice->Reset(&kParameters);

    m_kScreen.SetDefaultStates();
    // The reset unbound the sprites' texture; without this the first frame after it would
    // draw sprites with whatever the text output binds.
    qnTexture::ForgetActive();

    m_kInputManager.Init(m_hInstance);
    m_kKeyboard.Init(m_hWindow);

    std::destroy_at(&m_kTextOutput);
    std::construct_at(&m_kTextOutput);
    m_kTextOutput.Init(m_hWindow, pkDevice);
    m_kTextOutput.LoadFont(kFontFile);
}

void ArcadeGame::ReadInput()
{
    m_kKeyboard.Update();
    if (m_kSettings.UsesController()) {
        m_kJoystick.Update();
    }
    m_kMouse.Update();
}

void ArcadeGame::PlaceCamera()
{
    float fStep = m_kSettings.fLookAheadStep;
    if (m_eState != STATE_PLAY) {
        m_fLookAhead = 0.0f;
    } else if (m_iDirection == 1 && m_fLookAhead < kLookAheadLimit) {
        m_fLookAhead += fStep;
    } else if (m_iDirection == 0 && m_fLookAhead > -kLookAheadLimit) {
        m_fLookAhead -= fStep;
    }
    m_kScreen.SetCamera(static_cast<float>(m_iPlayerX + 10 - 20 * m_iDirection),
                        static_cast<float>(m_iPlayerY + 310), -1100.0f,
                        static_cast<float>(m_iPlayerX) + m_fLookAhead,
                        static_cast<float>(m_iPlayerY + 800), 0.0f);
}

void ArcadeGame::Steer()
{
    if (m_kSettings.eButton != SteeringRule::NotRead) {
        bool bDown = m_kJoystick.IsButtonDown(0);
        bool bUp = m_kJoystick.IsButtonUp(0);
        SteerBy(m_kSettings.eButton, bDown, bUp, m_bPadLatch);
    }
    bool bDown = m_kKeyboard.IsKeyDown(DIK_SPACE);
    bool bUp = m_kKeyboard.IsKeyUp(DIK_SPACE);
    SteerBy(m_kSettings.eSpace, bDown, bUp, m_bSpaceLatch);
}

void ArcadeGame::SteerBy(SteeringRule eRule, bool bDown, bool bUp, bool& bLatch)
{
    if (eRule == SteeringRule::Toggle) {
        SteerByToggle(bDown, bUp, bLatch);
    } else {
        SteerByHold(bDown, bUp);
    }
}

// The direction reverses on the release of a press seen down in an earlier frame.
void ArcadeGame::SteerByToggle(bool bDown, bool bUp, bool& bLatch)
{
    if (bDown) {
        bLatch = true;
    }
    if (bUp && bLatch) {
        bLatch = false;
        Reverse();
    }
}

void ArcadeGame::SteerByHold(bool bDown, bool bUp)
{
    if (bDown) {
        m_iDirection = 0;
    }
    if (bUp) {
        m_iDirection = 1;
    }
}

void ArcadeGame::Reverse()
{
    m_iDirection = m_iDirection == 0 ? 1 : 0;
}

void ArcadeGame::RunState()
{
    switch (m_eState) {
    case STATE_ATTRACT:
        Attract();
        break;
    case STATE_NEW_GAME:
        StartNewGame();
        break;
    case STATE_PLAY:
        PlayFrame();
        break;
    case STATE_GAME_OVER:
        GameOver();
        break;
    case STATE_WIN:
        Win();
        break;
    }
}

void ArcadeGame::Attract()
{
    m_kTitle.SetSize(1624, 1624);
    m_kTitle.SetPosition(1224, -700);
    m_kTitle.Draw(0);
    m_iBlink += 1;
    if (m_iBlink > 10) {
        DrawBlanks(49, 1224.0f);
        DrawText(1030.0f, -300.0f, 2.0f, "INSERT COIN");
    }
    if (m_iBlink > 20) {
        m_iBlink = 0;
    }
    if (m_kSettings.UsesController() && m_kJoystick.IsButtonDown(0)) {
        m_eState = STATE_NEW_GAME;
    }
    if (m_kKeyboard.IsKeyDown(DIK_SPACE)) {
        m_eState = STATE_NEW_GAME;
    }
    if (!m_bTitleMusic) {
        PlaySoundEvent(SOUND_M);
        m_bTitleMusic = true;
    }
}

void ArcadeGame::StartNewGame()
{
    NewGame();
    m_bTitleMusic = false;
    for (int i = 0; i < kRingVoices; ++i) {
        m_akVoices[i].Stop();
    }
    if (m_kSettings.bMusicDuringPlay) {
        StopMusicTracks();
        m_akVoices[kMusicVoice].Stop();
        PlaySoundEvent(SOUND_M);
    }
}

void ArcadeGame::GameOver()
{
    PlaySoundEvent(SOUND_DIE);
    DrawBlanks(68, 0.0f);
    DrawText(-200.0f, -600.0f, 2.0f, "GAME OVER");
    DrawBlanks(66, 1224.0f);
    DrawText(1030.0f, -600.0f, 2.0f, "GAME OVER");
    DrawBlanks(65, 2348.0f);
    DrawText(2360.0f, -600.0f, 2.0f, "GAME OVER");
    m_iGameOverCount += 1;
    if (m_iGameOverCount > kGameOverFrames) {
        m_iGameOverCount = 0;
        m_eState = STATE_ATTRACT;
        m_iPlayerX = 1224;
    }
    if (m_kSettings.bMusicDuringPlay) {
        StopMusicTracks();
    }
}

void ArcadeGame::Win()
{
    m_iPlayerX = 1230;
    DrawBlanks(57, 0.0f);
    DrawText(800.0f, -700.0f, 3.0f, "You win");
    DrawText(800.0f, -600.0f, 2.0f, "Your Score Is");
    DrawNumber(m_iScore, 800.0f, -500.0f, 3.0f);
    m_iFinishCount += 1;
    if (m_iFinishCount > kWinFrames) {
        m_iFinishCount = 0;
        m_eState = STATE_ATTRACT;
        // The game's track would otherwise play on under the next title track.
        if (m_kSettings.bMusicDuringPlay) {
            StopMusicTracks();
        }
    }
}

void ArcadeGame::StopMusicTracks()
{
    for (qnSoundBuffer& kTrack : m_akSoundM) {
        kTrack.Stop();
    }
}

void ArcadeGame::DrawControlPanels()
{
    m_kFrameLine.SetSize(4900, 5050);
    m_kFrameLine.SetPosition(1224, -1024);
    m_kFrameLine.Draw(0);
    qnSprite* apkPanels[] = {&m_kPaddlePanel, &m_kCarPanel, &m_kShipPanel};
    for (int i = 0; i < 3; ++i) {
        apkPanels[i]->SetSize(1224, 1224);
        apkPanels[i]->SetPosition(1224 * i, 0);
        apkPanels[i]->Draw(0);
    }
    m_kCarDial.SetSize(200, 200);
    m_kCarDial.SetPosition(884, -10);
    float fDial = crt::Rand() % 10 > 5 ? 2.0f : -2.0f;
    m_kCarDial.SetAngle(m_kCarDial.GetAngle() + fDial, 0);
    m_kCarDial.Draw(0);
    m_kShipHand2.SetSize(500, 500);
    m_kShipHand2.SetPosition(2764, 40);
    m_kShipHand2.Draw(0);
    m_kPaddleHand.SetSize(1000, 1000);
    m_kPaddleHand.SetPosition(-40, -40);
    TiltHand(m_kPaddleHand, 30.0f, 1.0f);
    m_kPaddleHand.Draw(0);
    m_kCarHand.SetSize(1000, 1000);
    m_kCarHand.SetPosition(1194, 0);
    TiltHand(m_kCarHand, 60.0f, 7.0f);
    m_kCarHand.Draw(0);
    m_kShipHand.SetSize(1000, 1000);
    m_kShipHand.SetPosition(2294, -10);
    TiltHand(m_kShipHand, 60.0f, 7.0f);
    m_kShipHand.Draw(0);
}

// A hand leans toward the direction of motion by a step a frame until it passes the limit.
void ArcadeGame::TiltHand(qnSprite& kHand, float fLimit, float fStep)
{
    float fAngle = kHand.GetAngle();
    if (m_iDirection == 0 && fAngle > -fLimit) {
        kHand.SetAngle(fAngle - fStep, 0);
    } else if (m_iDirection == 1 && fAngle < fLimit) {
        kHand.SetAngle(fAngle + fStep, 0);
    }
}

void ArcadeGame::DrawText(float fX, float fY, float fScale, const char* acText)
{
    m_kTextOutput.DrawString(fX, fY, fScale, kOpaque, kOpaque, kOpaque, kOpaque, acText);
}

// Every text block is preceded by a string of blanks at y -900.
void ArcadeGame::DrawBlanks(int iCount, float fX)
{
    static const char acBlanks[] =
        "                                                                    ";
    static_assert(sizeof(acBlanks) - 1 == 68);
    DrawText(fX, -900.0f, 1.0f, acBlanks + (sizeof(acBlanks) - 1 - iCount));
}

void ArcadeGame::DrawNumber(int iValue, float fX, float fY, float fScale)
{
    char acNumber[16];
    std::snprintf(acNumber, sizeof(acNumber), "%d", iValue);
    DrawText(fX, fY, fScale, acNumber);
}

// Busy-waits: the frame lasts at least 13 ms from just after the scene start.
void ArcadeGame::WaitForFrameEnd(DWORD uiStart)
{
    while (GetTickCount() - uiStart < kFrameMilliseconds) {
    }
}
