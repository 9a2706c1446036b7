// The single-instance rule of the screen, the input manager and the sound player. Each class
// keeps its own static m_pkSingleton and calls these from its constructor, destructor and
// accessor; a failed check goes to the runtime's assertion report with the caller's line.
#pragma once

#include <source_location>

#include "platform/crt.h"

template <class T>
class qnSingleInstance {
public:
    // Constructor: checks that no instance exists, then registers this one.
    static void Register(T*& rpkSingleton, T* pkInstance, const char* acModule,
                         std::source_location kWhere = std::source_location::current())
    {
        Check(!rpkSingleton, "!m_pkSingleton", acModule, kWhere);
        rpkSingleton = pkInstance;
    }

    // Destructor: checks that an instance exists, then clears the pointer whatever it holds.
    static void Unregister(T*& rpkSingleton, const char* acModule,
                           std::source_location kWhere = std::source_location::current())
    {
        Check(rpkSingleton != nullptr, "m_pkSingleton", acModule, kWhere);
        rpkSingleton = nullptr;
    }

    // Accessor: checks that an instance exists, then returns the pointer.
    static T* Get(T* pkSingleton, const char* acModule,
                  std::source_location kWhere = std::source_location::current())
    {
        Check(pkSingleton != nullptr, "m_pkSingleton", acModule, kWhere);
        return pkSingleton;
    }

private:
    static void Check(bool bHolds, const char* acExpression, const char* acModule,
                      const std::source_location& kWhere)
    {
        if (!bHolds) {
            crt::AssertReport(acExpression, acModule, static_cast<int>(kWhere.line()));
        }
    }
};
