// A libFuzzer program for the one target that BRASK_FUZZ_TARGET names.
#include <cstdio>
#include <cstdlib>

#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pucData, size_t uiSize)
{
    static const fuzz::Target* pkTarget = fuzz::FindTarget(BRASK_FUZZ_TARGET);
    if (!pkTarget) {
        std::fprintf(stderr, "fuzz: no target named %s\n", BRASK_FUZZ_TARGET);
        std::abort();
    }
    pkTarget->pfnRun(pucData, uiSize);
    return 0;
}
