#include "ProcessMemory.h"

#include <cstdio>
#include <fstream>
#include <string>

void PrintResidentMemory()
{
    std::ifstream kStatus("/proc/self/status");
    std::string kLine;
    while (std::getline(kStatus, kLine)) {
        if (kLine.rfind("VmRSS:", 0) == 0 || kLine.rfind("VmHWM:", 0) == 0) {
            std::printf("  %s\n", kLine.c_str());
        }
    }
}
