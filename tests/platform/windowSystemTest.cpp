#include <gtest/gtest.h>

#include "fake/fake_win32.h"

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

// Handles the window system never made, or whose window is gone, are refused without being read.
TEST(WindowSystem, RefusesHandlesItDidNotMakeOrHasDestroyed)
{
    fake::Reset();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "Test";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND destroyed = CreateWindowExA(0, "Test", "t", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(DestroyWindow(destroyed));

    long bogusStorage = 0;
    HWND bogus = reinterpret_cast<HWND>(&bogusStorage);
    for (HWND window : {bogus, destroyed, static_cast<HWND>(nullptr)}) {
        RECT rect;
        PAINTSTRUCT paint;
        EXPECT_FALSE(GetClientRect(window, &rect));
        EXPECT_FALSE(GetWindowRect(window, &rect));
        EXPECT_FALSE(SetWindowPos(window, HWND_TOP, 0, 0, 5, 5, 0));
        EXPECT_FALSE(SetWindowTextA(window, "x"));
        EXPECT_FALSE(ShowWindow(window, SW_SHOW));
        EXPECT_EQ(BeginPaint(window, &paint), nullptr);
        EXPECT_EQ(SendMessageA(window, WM_USER, 0, 0), 0);
        EXPECT_EQ(GetWindowLongA(window, GWL_USERDATA), 0);
    }
    EXPECT_FALSE(PostMessageA(bogus, WM_USER, 0, 0));
    EXPECT_EQ(bogusStorage, 0);
}

TEST(WindowSystem, QuitReachesAPeekFilteredOnAWindow)
{
    fake::Reset();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "Test";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
    HWND window = CreateWindowExA(0, "Test", "t", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(nullptr, WM_USER, 0, 0);
    PostQuitMessage(3);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, window, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 3u);
    // Other thread messages are not the window's.
    EXPECT_FALSE(PeekMessageA(&message, window, 0, 0, PM_REMOVE));
}

}  // namespace
