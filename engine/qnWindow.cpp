#include "qnWindow.h"

namespace {

const char* const kClassName = "Quenta Window";

}  // namespace

qnWindow::qnWindow() : m_kWindowClass(), m_hWindow(nullptr), m_kMessage() {}

qnWindow::~qnWindow() = default;

qnError qnWindow::Create(HINSTANCE hInstance, const char* acTitle, int iWidth, int iHeight,
                         DWORD uiStyle)
{
    m_kWindowClass.style = 0;
    m_kWindowClass.lpfnWndProc = qnWindow::WndProc;
    m_kWindowClass.cbClsExtra = 0;
    m_kWindowClass.cbWndExtra = 0;
    m_kWindowClass.hInstance = hInstance;
    m_kWindowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    m_kWindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    m_kWindowClass.hbrBackground = reinterpret_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    m_kWindowClass.lpszMenuName = nullptr;
    m_kWindowClass.lpszClassName = kClassName;

    if (RegisterClassA(&m_kWindowClass) == 0) {
        return QN_ERR_REGISTER_CLASS;
    }

    m_hWindow = CreateWindowExA(0, kClassName, acTitle, uiStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                                iWidth, iHeight, nullptr, nullptr, hInstance, this);
    SetWindowTextA(m_hWindow, acTitle);
    return QN_OK;
}

LRESULT CALLBACK qnWindow::WndProc(HWND hWindow, UINT uiMessage, WPARAM wParam, LPARAM lParam)
{
    if (uiMessage == WM_NCCREATE) {
        auto* pkCreate = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongA(hWindow, GWL_USERDATA, reinterpret_cast<LONG>(pkCreate->lpCreateParams));
    } else if (auto* pkWindow = reinterpret_cast<qnWindow*>(GetWindowLongA(hWindow, GWL_USERDATA))) {
        if (pkWindow->MessageHandler(uiMessage, wParam, lParam)) {
            return 0;
        }
    }
    return DefWindowProcA(hWindow, uiMessage, wParam, lParam);
}

void qnWindow::Run()
{
    for (;;) {
        if (PeekMessageA(&m_kMessage, m_hWindow, 0, 0, PM_REMOVE)) {
            if (m_kMessage.message == WM_QUIT) {
                return;
            }
            TranslateMessage(&m_kMessage);
            DispatchMessageA(&m_kMessage);
        } else if (Frame() == 0) {
            return;
        }
    }
}

BOOL qnWindow::MessageHandler(UINT uiMessage, WPARAM, LPARAM)
{
    switch (uiMessage) {
    case WM_PAINT: {
        PAINTSTRUCT kPaint;
        BeginPaint(m_hWindow, &kPaint);
        return EndPaint(m_hWindow, &kPaint);
    }
    case WM_CLOSE:
        PostQuitMessage(0);
        return 1;
    default:
        return 0;
    }
}

void qnWindow::SetPosition(int iX, int iY)
{
    SetWindowPos(m_hWindow, HWND_TOP, iX, iY, 0, 0, SWP_NOSIZE);
}

std::pair<int, int> qnWindow::GetPosition() const
{
    RECT kRect = {};
    GetWindowRect(m_hWindow, &kRect);
    return {static_cast<int>(kRect.left), static_cast<int>(kRect.top)};
}

void qnWindow::SetSize(int iWidth, int iHeight)
{
    SetWindowPos(m_hWindow, HWND_TOP, 0, 0, iWidth, iHeight, SWP_NOMOVE);
}

std::pair<int, int> qnWindow::GetSize() const
{
    RECT kRect = {};
    GetWindowRect(m_hWindow, &kRect);
    return {static_cast<int>(kRect.right - kRect.left), static_cast<int>(kRect.bottom - kRect.top)};
}

void qnWindow::Show(int iShowCommand)
{
    ShowWindow(m_hWindow, iShowCommand);
}

HWND qnWindow::GetHandle() const
{
    return m_hWindow;
}
