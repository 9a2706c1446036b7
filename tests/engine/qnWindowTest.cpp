#include <gtest/gtest.h>

#include <vector>

#include "fake/fake_win32.h"
#include "qnWindow.h"

namespace {

// A window whose Frame counts its calls and ends the pump after a set number of them.
class CountingWindow : public qnWindow {
public:
    int Frame() override
    {
        ++m_iFrames;
        m_aiQueuedAtFrame.push_back(PeekMessageA(nullptr, m_hWindow, 0, 0, PM_NOREMOVE));
        return m_iFrames < m_iFramesToRun ? 1 : 0;
    }

    BOOL MessageHandler(UINT uiMessage, WPARAM wParam, LPARAM lParam) override
    {
        m_auiHandled.push_back(uiMessage);
        return qnWindow::MessageHandler(uiMessage, wParam, lParam);
    }

    int m_iFrames = 0;
    int m_iFramesToRun = 1;
    std::vector<UINT> m_auiHandled;
    std::vector<BOOL> m_aiQueuedAtFrame;
};

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { fake::Reset(); }

    void CreateWindowed(CountingWindow& kWindow)
    {
        ASSERT_EQ(kWindow.Create(nullptr, "Orvik  -  Tamberlo Arcade", CW_USEDEFAULT,
                                 CW_USEDEFAULT, WS_OVERLAPPEDWINDOW | WS_VISIBLE),
                  QN_OK);
        ASSERT_NE(kWindow.GetHandle(), nullptr);
        kWindow.m_auiHandled.clear();
    }

    // Removes what creation queued (the first paint), so that a test sees only its own messages.
    void Drain(CountingWindow& kWindow)
    {
        MSG kMessage;
        while (PeekMessageA(&kMessage, kWindow.GetHandle(), 0, 0, PM_REMOVE)) {
            DispatchMessageA(&kMessage);
        }
        kWindow.m_auiHandled.clear();
    }
};

TEST_F(WindowTest, CreateRegistersTheClassAndTitlesTheWindow)
{
    CountingWindow kWindow;
    CreateWindowed(kWindow);
    EXPECT_EQ(fake::WindowTitle(kWindow.GetHandle()), "Orvik  -  Tamberlo Arcade");
    EXPECT_TRUE(fake::WindowVisible(kWindow.GetHandle()));
    const auto& kCalls = fake::Calls();
    ASSERT_GE(kCalls.size(), 3u);
    EXPECT_EQ(kCalls[0], "RegisterClassA(Quenta Window)");
    EXPECT_EQ(kCalls[1], "CreateWindowExA(Quenta Window)");
    EXPECT_EQ(fake::CountCalls("SetWindowTextA(Orvik  -  Tamberlo Arcade)"), 1);
}

TEST_F(WindowTest, FailedRegistrationReturnsOneAndCreatesNothing)
{
    fake::FailCall("RegisterClassA");
    CountingWindow kWindow;
    EXPECT_EQ(kWindow.Create(nullptr, "t", 100, 100, 0), QN_ERR_REGISTER_CLASS);
    EXPECT_EQ(kWindow.GetHandle(), nullptr);
    EXPECT_EQ(fake::CountCalls("CreateWindowExA"), 0);
    EXPECT_EQ(fake::CountCalls("SetWindowTextA"), 0);
}

TEST_F(WindowTest, SecondCreateInTheSameProcessReturnsOne)
{
    CountingWindow kFirst;
    CreateWindowed(kFirst);
    CountingWindow kSecond;
    EXPECT_EQ(kSecond.Create(nullptr, "again", 100, 100, 0), QN_ERR_REGISTER_CLASS);
}

TEST_F(WindowTest, FailedWindowCreationIsNotReportedAndNothingCrashesLater)
{
    fake::FailCall("CreateWindowExA");
    CountingWindow kWindow;
    EXPECT_EQ(kWindow.Create(nullptr, "t", 100, 100, WS_VISIBLE), QN_OK);
    EXPECT_EQ(kWindow.GetHandle(), nullptr);
    kWindow.SetSize(1024, 768);
    kWindow.SetPosition(0, 0);
    kWindow.Show(SW_SHOW);
    EXPECT_EQ(kWindow.GetSize(), std::make_pair(0, 0));
    kWindow.m_iFramesToRun = 2;
    kWindow.Run();
    EXPECT_EQ(kWindow.m_iFrames, 2);
}

TEST_F(WindowTest, PlacementSetsTheOuterRectangle)
{
    CountingWindow kWindow;
    CreateWindowed(kWindow);
    kWindow.SetSize(1024, 768);
    kWindow.SetPosition(0, 0);
    EXPECT_EQ(kWindow.GetSize(), std::make_pair(1024, 768));
    EXPECT_EQ(kWindow.GetPosition(), std::make_pair(0, 0));
    kWindow.SetPosition(30, 40);
    EXPECT_EQ(kWindow.GetPosition(), std::make_pair(30, 40));
    EXPECT_EQ(kWindow.GetSize(), std::make_pair(1024, 768));
    EXPECT_EQ(fake::CountCalls("SetWindowPos(0,0,1024,768,2)"), 1);
    EXPECT_EQ(fake::CountCalls("SetWindowPos(30,40,0,0,1)"), 1);
}

TEST_F(WindowTest, PumpHandlesOneMessagePerTurnAndFramesOnlyWhenTheQueueIsEmpty)
{
    CountingWindow kWindow;
    CreateWindowed(kWindow);
    Drain(kWindow);
    for (int i = 0; i < 3; ++i) {
        PostMessageA(kWindow.GetHandle(), WM_USER + i, 0, 0);
    }
    kWindow.m_iFramesToRun = 2;
    kWindow.Run();
    EXPECT_EQ(kWindow.m_auiHandled, (std::vector<UINT>{WM_USER, WM_USER + 1, WM_USER + 2}));
    EXPECT_EQ(kWindow.m_iFrames, 2);
    EXPECT_EQ(kWindow.m_aiQueuedAtFrame, (std::vector<BOOL>{FALSE, FALSE}));
}

TEST_F(WindowTest, FrameReturningZeroEndsTheRunBeforeLaterMessages)
{
    CountingWindow kWindow;
    CreateWindowed(kWindow);
    Drain(kWindow);
    kWindow.m_iFramesToRun = 1;
    kWindow.Run();
    PostMessageA(kWindow.GetHandle(), WM_USER, 0, 0);
    EXPECT_EQ(kWindow.m_iFrames, 1);
    EXPECT_TRUE(kWindow.m_auiHandled.empty());
}

TEST_F(WindowTest, CloseQuitsThePumpAndKeepsTheWindow)
{
    CountingWindow kWindow;
    CreateWindowed(kWindow);
    Drain(kWindow);
    PostMessageA(kWindow.GetHandle(), WM_CLOSE, 0, 0);
    kWindow.m_iFramesToRun = 100;
    kWindow.Run();
    EXPECT_EQ(kWindow.m_iFrames, 0);
    EXPECT_EQ(fake::CountCalls("PostQuitMessage(0)"), 1);
    EXPECT_EQ(fake::CountCalls("DefWindowProcA(16)"), 0);
    RECT kRect;
    EXPECT_TRUE(GetWindowRect(kWindow.GetHandle(), &kRect));
}

TEST_F(WindowTest, PaintIsHandledAndSkipsDefWindowProc)
{
    CountingWindow kWindow;
    CreateWindowed(kWindow);
    fake::ClearCalls();
    EXPECT_EQ(SendMessageA(kWindow.GetHandle(), WM_PAINT, 0, 0), 0);
    EXPECT_EQ(fake::CountCalls("BeginPaint"), 1);
    EXPECT_EQ(fake::CountCalls("EndPaint"), 1);
    EXPECT_EQ(fake::CountCalls("DefWindowProcA"), 0);
}

TEST_F(WindowTest, UnhandledMessageGoesToDefWindowProc)
{
    CountingWindow kWindow;
    CreateWindowed(kWindow);
    fake::ClearCalls();
    SendMessageA(kWindow.GetHandle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(fake::Calls(), (std::vector<std::string>{"DefWindowProcA(1031)"}));
}

TEST_F(WindowTest, CreationMessagesReachTheObjectOnlyFromNcCreateOn)
{
    CountingWindow kWindow;
    ASSERT_EQ(kWindow.Create(nullptr, "t", 100, 100, 0), QN_OK);
    // WM_GETMINMAXINFO comes before WM_NCCREATE and goes straight to DefWindowProcA;
    // WM_NCCREATE stores the object and takes DefWindowProcA's result, so creation goes on.
    ASSERT_GE(fake::Calls().size(), 5u);
    EXPECT_EQ(fake::Calls()[2], "DefWindowProcA(36)");
    EXPECT_EQ(fake::Calls()[3], "DefWindowProcA(129)");
    EXPECT_EQ(kWindow.m_auiHandled, (std::vector<UINT>{WM_CREATE}));
    EXPECT_EQ(GetWindowLongA(kWindow.GetHandle(), GWL_USERDATA),
              reinterpret_cast<LONG>(static_cast<qnWindow*>(&kWindow)));
}

TEST_F(WindowTest, HandledMessageReturnsZeroWithoutDefWindowProc)
{
    struct Greedy : CountingWindow {
        BOOL MessageHandler(UINT, WPARAM, LPARAM) override { return 5; }
    } kWindow;
    ASSERT_EQ(kWindow.Create(nullptr, "t", 100, 100, 0), QN_OK);
    fake::ClearCalls();
    EXPECT_EQ(qnWindow::WndProc(kWindow.GetHandle(), WM_USER, 0, 0), 0);
    EXPECT_EQ(fake::CountCalls("DefWindowProcA"), 0);
}

}  // namespace
