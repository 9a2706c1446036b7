// The single-instance rule of the screen, the input manager and the sound player. Each class
// keeps its own static m_pkSingleton and calls these from its constructor, destructor and
// accessor; a failed check goes to the runtime's assertion report with the caller's line, which
// the default argument __builtin_LINE() takes at the call.
#pragma once

#include "platform/crt.h"

template <class T>
class qnSingleInstance {
public:
    // Constructor: checks that no instance exists, then registers this one.
    static void Register(T*& rpkSingleton, T* pkInstance, const char* acModule,
                         int iLine = __builtin_LINE())
    {
        Check(!rpkSingleton, "!m_pkSingleton", acModule, iLine);
        rpkSingleton = pkInstance;
    }

    // Destructor: checks that an instance exists, then clears the pointer whatever it holds.
    static void Unregister(T*& rpkSingleton, const char* acModule, int iLine = __builtin_LINE())
    {
        Check(rpkSingleton != nullptr, "m_pkSingleton", acModule, iLine);
        rpkSingleton = nullptr;
    }

    // Accessor: checks that an instance exists, then returns the pointer.
    static T* Get(T* pkSingleton, const char* acModule, int iLine = __builtin_LINE())
    {
        Check(pkSingleton != nullptr, "m_pkSingleton", acModule, iLine);
        return pkSingleton;
    }

private:
    static void Check(bool bHolds, const char* acExpression, const char* acModule, int iLine)
    {
        if (!bHolds) {
            crt::AssertReport(acExpression, acModule, iLine);
        }
    }
};
