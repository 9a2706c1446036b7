// Looking through the fake backend's call log.
#pragma once

#include <string>
#include <vector>

#include "fake/fake_win32.h"

// The logged calls that start with the prefix, in order.
inline std::vector<std::string> CallsStartingWith(const std::string& kPrefix)
{
    std::vector<std::string> kFound;
    for (const std::string& kCall : fake::Calls()) {
        if (kCall.rfind(kPrefix, 0) == 0) {
            kFound.push_back(kCall);
        }
    }
    return kFound;
}
