// The base class of the program's one window: registers the class, creates the window with
// itself as the creation parameter, routes its messages to MessageHandler, and runs a pump
// that never waits and calls Frame whenever the queue is empty.
#pragma once

#include <utility>

#include "platform/win32.h"
#include "qnError.h"

class qnWindow {
public:
    qnWindow();
    // Neither destroys the window nor unregisters the class.
    ~qnWindow();

    qnError Create(HINSTANCE hInstance, const char* acTitle, int iWidth, int iHeight, DWORD uiStyle);
    static LRESULT CALLBACK WndProc(HWND hWindow, UINT uiMessage, WPARAM wParam, LPARAM lParam);
    void Run();

    virtual BOOL MessageHandler(UINT uiMessage, WPARAM wParam, LPARAM lParam);
    // Nonzero keeps the pump going; 0 ends it.
    virtual int Frame() = 0;

    void SetPosition(int iX, int iY);
    std::pair<int, int> GetPosition() const;
    void SetSize(int iWidth, int iHeight);
    std::pair<int, int> GetSize() const;
    void Show(int iShowCommand);
    HWND GetHandle() const;

protected:
    WNDCLASSA m_kWindowClass;
    HWND m_hWindow;
    MSG m_kMessage;
};
