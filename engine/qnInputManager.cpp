#include "qnInputManager.h"

#include "qnSingleInstance.h"

namespace {

const char* const kModule = "qnInputManager";

}  // namespace

qnInputManager::qnInputManager() : m_pkDirectInput(nullptr)
{
    qnSingleInstance<qnInputManager>::Register(m_pkSingleton, this, kModule);
}

qnInputManager::~qnInputManager()
{
    if (m_pkDirectInput) {
        m_pkDirectInput->Release();
        m_pkDirectInput = nullptr;
    }
    qnSingleInstance<qnInputManager>::Unregister(m_pkSingleton, kModule);
}

qnError qnInputManager::Init(HINSTANCE hInstance)
{
    // Created again after a device reset: the earlier object goes.
    if (m_pkDirectInput) {
        m_pkDirectInput->Release();
        m_pkDirectInput = nullptr;
    }
    HRESULT hResult = DirectInput8Create(hInstance, DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                         reinterpret_cast<LPVOID*>(&m_pkDirectInput), nullptr);
    return FAILED(hResult) ? QN_ERR_DINPUT_CREATE : QN_OK;
}

IDirectInput8A* qnInputManager::GetDirectInput() const
{
    return m_pkDirectInput;
}

qnInputManager* qnInputManager::GetSingleton()
{
    return qnSingleInstance<qnInputManager>::Get(m_pkSingleton, kModule);
}
