#include "qnMouse.h"

#include <algorithm>
#include <iterator>

#include "qnInputManager.h"

namespace {

constexpr DWORD kBufferSize = 8;

IDirectInput8A* DirectInput()
{
    qnInputManager* pkManager = qnInputManager::GetSingleton();
    return pkManager ? pkManager->GetDirectInput() : nullptr;
}

uint32_t ButtonIndex(uint32_t uiButton)
{
    return uiButton <= 3 ? uiButton : 0;
}

POINT CursorPosition()
{
    POINT kPoint = {0, 0};
    GetCursorPos(&kPoint);
    return kPoint;
}

}  // namespace

qnMouse::qnMouse() : m_pkDevice(nullptr), m_akBufferedData{}, m_kMouseState{} {}

qnMouse::~qnMouse()
{
    if (m_pkDevice) {
        m_pkDevice->Unacquire();
        m_pkDevice->Release();
        m_pkDevice = nullptr;
    }
}

qnError qnMouse::Init(HWND hWindow)
{
    IDirectInput8A* pkDirectInput = DirectInput();
    if (!pkDirectInput ||
        FAILED(pkDirectInput->CreateDevice(GUID_SysMouse, &m_pkDevice, nullptr))) {
        return QN_ERR_MOUSE_CREATE;
    }
    if (FAILED(m_pkDevice->SetDataFormat(&c_dfDIMouse))) {
        return QN_ERR_MOUSE_FORMAT;
    }
    if (FAILED(m_pkDevice->SetCooperativeLevel(hWindow, DISCL_EXCLUSIVE | DISCL_FOREGROUND))) {
        return QN_ERR_MOUSE_COOPERATIVE;
    }
    DIPROPDWORD kBuffer = {};
    kBuffer.diph.dwSize = sizeof(DIPROPDWORD);
    kBuffer.diph.dwHeaderSize = sizeof(DIPROPHEADER);
    kBuffer.diph.dwObj = 0;
    kBuffer.diph.dwHow = DIPH_DEVICE;
    kBuffer.dwData = kBufferSize;
    if (FAILED(m_pkDevice->SetProperty(DIPROP_BUFFERSIZE, &kBuffer.diph))) {
        return QN_ERR_MOUSE_BUFFER;
    }
    m_pkDevice->Acquire();
    return QN_OK;
}

qnError qnMouse::Update()
{
    if (!m_pkDevice || FAILED(m_pkDevice->GetDeviceState(sizeof(DIMOUSESTATE), &m_kMouseState))) {
        return QN_ERR_MOUSE_READ;
    }
    return QN_OK;
}

bool qnMouse::IsButtonDown(uint32_t uiButton) const
{
    return m_kMouseState.rgbButtons[ButtonIndex(uiButton)] != 0;
}

bool qnMouse::IsButtonUp(uint32_t uiButton) const
{
    return m_kMouseState.rgbButtons[ButtonIndex(uiButton)] == 0;
}

int32_t qnMouse::GetXDelta() const
{
    return m_kMouseState.lX;
}

int32_t qnMouse::GetYDelta() const
{
    return m_kMouseState.lY;
}

int32_t qnMouse::GetCursorX() const
{
    return static_cast<int32_t>(CursorPosition().x);
}

int32_t qnMouse::GetCursorY() const
{
    return static_cast<int32_t>(CursorPosition().y);
}

qnError qnMouse::Clear()
{
    std::fill(std::begin(m_akBufferedData), std::end(m_akBufferedData), DIDEVICEOBJECTDATA{});
    DWORD uiCount = INFINITE;
    if (!m_pkDevice ||
        FAILED(m_pkDevice->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), nullptr, &uiCount, 0))) {
        return QN_ERR_MOUSE_READ;
    }
    return QN_OK;
}
