#include "qnKeyboard.h"

#include <algorithm>
#include <iterator>

#include "qnInputManager.h"

namespace {

constexpr uint8_t kDownBit = 0x80;

IDirectInput8A* DirectInput()
{
    qnInputManager* pkManager = qnInputManager::GetSingleton();
    return pkManager ? pkManager->GetDirectInput() : nullptr;
}

}  // namespace

qnKeyboard::qnKeyboard() : m_pkDevice(nullptr)
{
    std::fill(std::begin(m_acKeys), std::end(m_acKeys), uint8_t{0});
}

qnKeyboard::~qnKeyboard()
{
    ReleaseDevice();
}

void qnKeyboard::ReleaseDevice()
{
    if (m_pkDevice) {
        m_pkDevice->Unacquire();
        m_pkDevice->Release();
        m_pkDevice = nullptr;
    }
}

qnError qnKeyboard::Init(HWND hWindow)
{
    // Created again after a device reset: the earlier device goes.
    ReleaseDevice();
    IDirectInput8A* pkDirectInput = DirectInput();
    if (!pkDirectInput ||
        FAILED(pkDirectInput->CreateDevice(GUID_SysKeyboard, &m_pkDevice, nullptr))) {
        return QN_ERR_KEYBOARD_CREATE;
    }
    if (FAILED(m_pkDevice->SetDataFormat(&c_dfDIKeyboard))) {
        return QN_ERR_KEYBOARD_FORMAT;
    }
    if (FAILED(m_pkDevice->SetCooperativeLevel(hWindow, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND))) {
        return QN_ERR_KEYBOARD_COOPERATIVE;
    }
    m_pkDevice->Acquire();
    return QN_OK;
}

qnError qnKeyboard::Update()
{
    if (!m_pkDevice) {
        return QN_ERR_KEYBOARD_READ;
    }
    HRESULT hResult = m_pkDevice->GetDeviceState(sizeof(m_acKeys), m_acKeys);
    if (hResult == DIERR_INPUTLOST && FAILED(m_pkDevice->Acquire())) {
        return QN_ERR_KEYBOARD_ACQUIRE;
    }
    return FAILED(hResult) ? QN_ERR_KEYBOARD_READ : QN_OK;
}

bool qnKeyboard::IsKeyDown(int iScanCode) const
{
    if (iScanCode < 0 || iScanCode >= kKeyCount) {
        return false;
    }
    return (m_acKeys[iScanCode] & kDownBit) != 0;
}

bool qnKeyboard::IsKeyUp(int iScanCode) const
{
    return !IsKeyDown(iScanCode);
}
