#include "ProcessStart.h"

#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

double MillisecondsSinceProcessStart()
{
    std::ifstream kStat("/proc/self/stat");
    std::string kText((std::istreambuf_iterator<char>(kStat)), std::istreambuf_iterator<char>());
    size_t uiEnd = kText.rfind(')');
    if (uiEnd == std::string::npos) {
        return -1.0;
    }
    // Fields after the command: state is field 3; the start time is field 22.
    std::vector<std::string> kFields;
    size_t uiPos = uiEnd + 2;
    while (uiPos < kText.size()) {
        size_t uiNext = kText.find(' ', uiPos);
        kFields.push_back(kText.substr(uiPos, uiNext - uiPos));
        if (uiNext == std::string::npos) {
            break;
        }
        uiPos = uiNext + 1;
    }
    if (kFields.size() < 20) {
        return -1.0;
    }
    double dStartSeconds = std::stod(kFields[19]) / static_cast<double>(sysconf(_SC_CLK_TCK));
    timespec kNow = {};
    clock_gettime(CLOCK_BOOTTIME, &kNow);
    double dNowSeconds = static_cast<double>(kNow.tv_sec) + static_cast<double>(kNow.tv_nsec) * 1e-9;
    return (dNowSeconds - dStartSeconds) * 1000.0;
}
