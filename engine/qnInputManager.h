// The one owner of the DirectInput object; the input devices reach it through GetSingleton.
#pragma once

#include "platform/dinput8.h"
#include "qnError.h"

class qnInputManager {
public:
    qnInputManager();
    ~qnInputManager();
    qnInputManager(const qnInputManager&) = delete;
    qnInputManager& operator=(const qnInputManager&) = delete;

    // Creates the DirectInput object. Called again, it stores a new one over the old pointer.
    qnError Init(HINSTANCE hInstance);
    IDirectInput8A* GetDirectInput() const;
    static qnInputManager* GetSingleton();

private:
    IDirectInput8A* m_pkDirectInput;
    static inline qnInputManager* m_pkSingleton = nullptr;
};
