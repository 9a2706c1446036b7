#include "CpuClock.h"

#include <ctime>

double CpuSeconds()
{
    timespec kTime = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &kTime);
    return static_cast<double>(kTime.tv_sec) + static_cast<double>(kTime.tv_nsec) * 1e-9;
}
