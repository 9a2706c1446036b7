#include <cstring>
#include <set>

#include "GameFixture.h"
#include "platform/d3dx8.h"

namespace {

constexpr uint8_t kKeyDown = 0x80;

class FrameTest : public GameTest {
protected:
    void StartGame()
    {
        GameTest::StartGame();
        for (IDirect3DTexture8* pkTexture : fake::d3d::Textures()) {
            m_kSpriteTextures.insert(pkTexture);
        }
    }

    // Text is drawn with the text renderer's own textures, made after start-up.
    int TextDraws() const
    {
        int iCount = 0;
        for (const fake::d3d::Draw& kDraw : fake::d3d::Draws()) {
            iCount += m_kSpriteTextures.count(kDraw.texture) == 0 ? 1 : 0;
        }
        return iCount;
    }

    // Runs one frame and tells how many text draws it made.
    int TextDrawsOfFrame(bool bSpace = false, bool bButton = false)
    {
        fake::d3d::ClearDraws();
        Step(bSpace, bButton);
        return TextDraws();
    }

    std::set<IDirect3DBaseTexture8*> m_kSpriteTextures;
};

void ExpectViewFrom(float fEyeX, float fEyeY, float fAtX, float fAtY)
{
    D3DXVECTOR3 kEye(fEyeX, fEyeY, -1100.0f);
    D3DXVECTOR3 kAt(fAtX, fAtY, 0.0f);
    D3DXVECTOR3 kUp(0.0f, 1.0f, 0.0f);
    D3DXMATRIX kExpected;
    D3DXMatrixLookAtLH(&kExpected, &kEye, &kAt, &kUp);
    D3DMATRIX kView = fake::d3d::Transform(D3DTS_VIEW);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(kView.m[i / 4][i % 4], kExpected.m[i / 4][i % 4]) << "element " << i;
    }
}

TEST_F(FrameTest, EscapeEndsTheGameBeforeAnythingOfTheFrameIsDrawn)
{
    for (GameState eState : {STATE_ATTRACT, STATE_PLAY, STATE_GAME_OVER, STATE_WIN}) {
        SCOPED_TRACE(eState);
        StartGame();
        Step();
        m_pkProbe->State() = eState;
        fake::d3d::ClearDraws();
        fake::ClearCalls();
        int iPresents = fake::d3d::PresentCount();
        fake::SetKey(DIK_ESCAPE, kKeyDown);
        EXPECT_EQ(Step(), 0);
        EXPECT_TRUE(fake::d3d::Draws().empty());
        EXPECT_EQ(fake::d3d::PresentCount(), iPresents);
        EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::EndScene"), 0);
        EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::SetTransform"), 0);
        EXPECT_EQ(m_pkProbe->State(), eState);
        TearDown();
        SetUp();
    }
}

TEST_F(FrameTest, ALostDeviceDrawsNothingAndHoldsTheGameStill)
{
    StartGame();
    StartPlaying();
    StepFrames(3);
    GameProbe& p = *m_pkProbe;
    int iPlayerX = p.PlayerX();
    int iRowTimer = p.RowTimer();
    int iPresents = fake::d3d::PresentCount();
    fake::d3d::ClearDraws();
    fake::ClearCalls();
    fake::d3d::SetCooperativeLevel(D3DERR_DEVICELOST);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Step(true), 1);
    }
    EXPECT_EQ(fake::CountCalls("WaitMessage"), 5);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::BeginScene"), 0);
    EXPECT_EQ(fake::CountCalls("IDirectInputDevice8A::GetDeviceState"), 0);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::Reset"), 0);
    EXPECT_TRUE(fake::d3d::Draws().empty());
    EXPECT_EQ(fake::d3d::PresentCount(), iPresents);
    EXPECT_EQ(p.PlayerX(), iPlayerX);
    EXPECT_EQ(p.RowTimer(), iRowTimer);
    EXPECT_FALSE(p.SpaceLatch());

    fake::d3d::SetCooperativeLevel(D3D_OK);
    Step();
    EXPECT_EQ(p.RowTimer(), iRowTimer + 1);
    EXPECT_EQ(fake::d3d::PresentCount(), iPresents + 1);
}

TEST_F(FrameTest, AResetRestoresTheDeviceInputAndTextAndPlayGoesOn)
{
    StartGame();
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    p.State() = STATE_GAME_OVER;
    ASSERT_GT(TextDrawsOfFrame(), 0);
    std::vector<IDirect3DTexture8*> kBefore = fake::d3d::Textures();
    int iGameOverCount = p.GameOverCount();
    int iPresents = fake::d3d::PresentCount();
    fake::d3d::ClearDraws();
    fake::ClearCalls();
    fake::d3d::SetCooperativeLevel(D3DERR_DEVICENOTRESET);
    EXPECT_EQ(Step(), 1);
    fake::d3d::SetCooperativeLevel(D3D_OK);

    ASSERT_EQ(fake::d3d::ResetRequests().size(), 1u);
    D3DPRESENT_PARAMETERS kExpected;
    std::memset(&kExpected, 0, sizeof(kExpected));
    kExpected.BackBufferWidth = 1024;
    kExpected.BackBufferHeight = 768;
    kExpected.BackBufferFormat = D3DFMT_A8R8G8B8;
    kExpected.BackBufferCount = 1;
    kExpected.SwapEffect = D3DSWAPEFFECT_DISCARD;
    kExpected.Windowed = FALSE;
    EXPECT_EQ(std::memcmp(&fake::d3d::ResetRequests()[0], &kExpected, sizeof(kExpected)), 0);

    // The default states, set again after the reset, in this order.
    std::vector<std::string> kStates;
    bool bAfterReset = false;
    for (const std::string& kCall : fake::Calls()) {
        bAfterReset = bAfterReset || kCall.rfind("IDirect3DDevice8::Reset", 0) == 0;
        if (bAfterReset && (kCall.rfind("IDirect3DDevice8::SetRenderState", 0) == 0 ||
                            kCall.rfind("IDirect3DDevice8::SetTextureStageState", 0) == 0)) {
            kStates.push_back(kCall);
        }
    }
    const std::vector<std::string> kExpectedStates = {
        "IDirect3DDevice8::SetRenderState(22,1)",      // cull none
        "IDirect3DDevice8::SetRenderState(137,0)",     // lighting off
        "IDirect3DDevice8::SetRenderState(27,1)",      // alpha blending on
        "IDirect3DDevice8::SetRenderState(19,5)",      // source alpha
        "IDirect3DDevice8::SetRenderState(20,6)",      // inverse source alpha
        "IDirect3DDevice8::SetTextureStageState(0,1,4)",  // colour modulate
        "IDirect3DDevice8::SetTextureStageState(0,4,4)",  // alpha modulate
    };
    EXPECT_EQ(kStates, kExpectedStates);

    EXPECT_EQ(fake::CountCalls("DirectInput8Create"), 1);
    EXPECT_EQ(fake::CountCalls("IDirectInput8A::CreateDevice(GUID_SysKeyboard)"), 1);
    EXPECT_EQ(fake::CountCalls("IDirectInput8A::CreateDevice"), 1);
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::BeginScene"), 0);
    EXPECT_TRUE(fake::d3d::Draws().empty());
    EXPECT_EQ(fake::d3d::PresentCount(), iPresents);
    EXPECT_EQ(p.GameOverCount(), iGameOverCount);

    // The sprites keep their textures; the old text output's textures are gone.
    std::vector<IDirect3DTexture8*> kAfter = fake::d3d::Textures();
    for (IDirect3DBaseTexture8* pkTexture : m_kSpriteTextures) {
        EXPECT_NE(fake::d3d::TextureImage(pkTexture), nullptr);
    }
    EXPECT_LT(kAfter.size(), kBefore.size());
    EXPECT_EQ(fake::CountCalls("IDirect3DDevice8::CreateTexture"), 0);

    // The new keyboard reads Space, the new text output draws, the state goes on.
    int iDirection = p.Direction();
    EXPECT_GT(TextDrawsOfFrame(true), 0);
    EXPECT_EQ(p.GameOverCount(), iGameOverCount + 1);
    EXPECT_EQ(fake::d3d::PresentCount(), iPresents + 1);
    Step();
    EXPECT_EQ(p.Direction(), 1 - iDirection);
}

struct LatchCase {
    const char* acName;
    std::vector<std::pair<bool, bool>> kFrames;  // Space, button 0
    bool bReversed;
};

TEST_F(FrameTest, TheDirectionReversesOnTheReleaseOfAPressSeenInAnEarlierFrame)
{
    const LatchCase kCases[] = {
        {"nothing held", {{false, false}, {false, false}}, false},
        {"Space held, not yet released", {{true, false}, {true, false}, {true, false}}, false},
        {"Space pressed and released", {{true, false}, {false, false}}, true},
        {"button pressed and released", {{false, true}, {false, false}}, true},
        {"button held long, then released", {{false, true}, {false, true}, {false, false}}, true},
        {"both pressed and released together", {{true, true}, {false, false}}, false},
        {"Space, then the button", {{true, false}, {false, true}, {false, false}}, false},
        {"two presses of Space", {{true, false}, {false, false}, {true, false}, {false, false}},
         false},
    };
    for (const LatchCase& kCase : kCases) {
        SCOPED_TRACE(kCase.acName);
        StartGame();
        m_pkProbe->State() = STATE_GAME_OVER;
        int iDirection = m_pkProbe->Direction();
        for (auto [bSpace, bButton] : kCase.kFrames) {
            Step(bSpace, bButton);
        }
        EXPECT_EQ(m_pkProbe->Direction(), kCase.bReversed ? 1 - iDirection : iDirection);
        TearDown();
        SetUp();
    }
}

TEST_F(FrameTest, APressBetweenTwoFramesIsNeverSeen)
{
    StartGame();
    StartPlaying();
    int iDirection = m_pkProbe->Direction();
    fake::SetKey(DIK_SPACE, kKeyDown);
    fake::SetControllerButton(m_iController, 0, kKeyDown);
    fake::SetKey(DIK_SPACE, 0);
    fake::SetControllerButton(m_iController, 0, 0);
    StepFrames(2);
    EXPECT_EQ(m_pkProbe->Direction(), iDirection);
    EXPECT_FALSE(m_pkProbe->SpaceLatch());
    EXPECT_FALSE(m_pkProbe->PadLatch());
}

TEST_F(FrameTest, TheStartPressHeldIntoPlayReversesTheNewGamesDirectionOnRelease)
{
    StartGame();
    Step(true);
    EXPECT_EQ(m_pkProbe->State(), STATE_NEW_GAME);
    Step(true);
    EXPECT_EQ(m_pkProbe->State(), STATE_PLAY);
    int iChosen = m_pkProbe->Direction();
    Step();
    EXPECT_EQ(m_pkProbe->Direction(), 1 - iChosen);
}

TEST_F(FrameTest, TheLookAheadLeadsTheMotionInPlayOnly)
{
    StartGame();
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    p.Direction() = 1;
    p.LookAhead() = 0.0f;
    StepFrames(7);
    EXPECT_FLOAT_EQ(p.LookAhead(), 35.0f);
    Step();
    EXPECT_FLOAT_EQ(p.LookAhead(), 40.0f);
    StepFrames(3);
    EXPECT_FLOAT_EQ(p.LookAhead(), 40.0f);
    p.Direction() = 0;
    StepFrames(15);
    EXPECT_FLOAT_EQ(p.LookAhead(), -35.0f);
    Step();
    EXPECT_FLOAT_EQ(p.LookAhead(), -40.0f);
    Step();
    EXPECT_FLOAT_EQ(p.LookAhead(), -40.0f);
    p.State() = STATE_GAME_OVER;
    Step();
    EXPECT_FLOAT_EQ(p.LookAhead(), 0.0f);
}

TEST_F(FrameTest, TheCameraFollowsThePlayerAndLeadsByTheLookAhead)
{
    StartGame();
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    p.PlayerX() = 1000;
    p.Direction() = 1;
    p.LookAhead() = 40.0f;
    Step();
    ExpectViewFrom(990.0f, 10.0f, 1040.0f, 500.0f);
    p.PlayerX() = 700;
    p.Direction() = 0;
    p.LookAhead() = 0.0f;
    Step();
    ExpectViewFrom(710.0f, 10.0f, 695.0f, 500.0f);
}

TEST_F(FrameTest, InsertCoinShowsInTheLastElevenFramesOfEach21)
{
    StartGame();
    m_pkProbe->Blink() = 0;
    std::string kShown;
    for (int iFrame = 1; iFrame <= 42; ++iFrame) {
        kShown += TextDrawsOfFrame() > 0 ? '#' : '.';
    }
    EXPECT_EQ(kShown, "..........###########..........###########");
    EXPECT_EQ(m_pkProbe->Blink(), 0);
    EXPECT_EQ(m_pkProbe->State(), STATE_ATTRACT);
}

TEST_F(FrameTest, GameOverLasts51FramesWithADyingSoundEachAndReturnsToTheTitle)
{
    StartGame();
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    p.State() = STATE_GAME_OVER;
    p.PlayerX() = 2500;
    int iFrames = 0;
    while (p.State() == STATE_GAME_OVER && iFrames < 100) {
        EXPECT_GT(TextDrawsOfFrame(), 0);
        ++iFrames;
    }
    EXPECT_EQ(iFrames, 51);
    EXPECT_EQ(Plays(p.Sound("die1")) + Plays(p.Sound("die2")), 51);
    EXPECT_EQ(p.State(), STATE_ATTRACT);
    EXPECT_EQ(p.PlayerX(), 1224);
    EXPECT_EQ(p.GameOverCount(), 0);
    Step();
    ExpectViewFrom(1234.0f - 20.0f * p.Direction(), 10.0f, 1224.0f, 500.0f);
}

TEST_F(FrameTest, WinLasts151FramesAndTheTitleThenStandsAt1230)
{
    StartGame();
    StartPlaying();
    GameProbe& p = *m_pkProbe;
    p.State() = STATE_WIN;
    p.FinishCount() = 0;
    int iFrames = 0;
    while (p.State() == STATE_WIN && iFrames < 300) {
        EXPECT_GT(TextDrawsOfFrame(), 0);
        ++iFrames;
    }
    EXPECT_EQ(iFrames, 151);
    EXPECT_EQ(p.State(), STATE_ATTRACT);
    EXPECT_EQ(p.FinishCount(), 0);
    EXPECT_EQ(p.PlayerX(), 1230);
    Step();
    ExpectViewFrom(1240.0f - 20.0f * p.Direction(), 10.0f, 1230.0f, 500.0f);
}

TEST_F(FrameTest, TheHandsSettleOnTheSideOfTheDirection)
{
    StartGame();
    GameProbe& p = *m_pkProbe;
    p.Direction() = 0;
    Step();
    EXPECT_FLOAT_EQ(p.Sprite("PaddleHand").GetAngle(), -1.0f);
    EXPECT_FLOAT_EQ(p.Sprite("CarHand").GetAngle(), -7.0f);
    StepFrames(40);
    EXPECT_FLOAT_EQ(p.Sprite("PaddleHand").GetAngle(), -30.0f);
    EXPECT_FLOAT_EQ(p.Sprite("CarHand").GetAngle(), -63.0f);
    EXPECT_FLOAT_EQ(p.Sprite("ShipHand").GetAngle(), -63.0f);
    p.Direction() = 1;
    StepFrames(80);
    EXPECT_FLOAT_EQ(p.Sprite("PaddleHand").GetAngle(), 30.0f);
    EXPECT_FLOAT_EQ(p.Sprite("CarHand").GetAngle(), 63.0f);
    EXPECT_FLOAT_EQ(p.Sprite("ShipHand").GetAngle(), 63.0f);
    float fDial = p.Sprite("CarDial").GetAngle();
    Step();
    EXPECT_FLOAT_EQ(std::abs(p.Sprite("CarDial").GetAngle() - fDial), 2.0f);
}

TEST_F(FrameTest, ThePanelsArePlacedAndDrawnEveryFrame)
{
    struct Panel {
        const char* acName;
        uint32_t uiWidth, uiHeight;
        int iX, iY;
    };
    const Panel kPanels[] = {
        {"FrameLine", 4900, 5050, 1224, -1024}, {"PaddlePanel", 1224, 1224, 0, 0},
        {"CarPanel", 1224, 1224, 1224, 0},      {"ShipPanel", 1224, 1224, 2448, 0},
        {"CarDial", 200, 200, 884, -10},        {"ShipHand2", 500, 500, 2764, 40},
        {"PaddleHand", 1000, 1000, -40, -40},   {"CarHand", 1000, 1000, 1194, 0},
        {"ShipHand", 1000, 1000, 2294, -10},
    };
    StartGame();
    StartPlaying();
    m_pkProbe->State() = STATE_GAME_OVER;
    fake::d3d::ClearDraws();
    Step();
    EXPECT_EQ(static_cast<int>(fake::d3d::Draws().size()) - TextDraws(), 9);
    for (const Panel& kPanel : kPanels) {
        SCOPED_TRACE(kPanel.acName);
        const qnSprite& kSprite = m_pkProbe->Sprite(kPanel.acName);
        EXPECT_EQ(kSprite.GetWidth(), kPanel.uiWidth);
        EXPECT_EQ(kSprite.GetHeight(), kPanel.uiHeight);
        EXPECT_EQ(kSprite.GetX(), kPanel.iX);
        EXPECT_EQ(kSprite.GetY(), kPanel.iY);
    }
}

}  // namespace
