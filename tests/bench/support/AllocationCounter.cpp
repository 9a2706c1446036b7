#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_iAllocations{0};

}  // namespace

long AllocationCount()
{
    return g_iAllocations.load();
}

// Every allocation is counted; the array forms come here through their default versions.
void* operator new(std::size_t uiSize)
{
    ++g_iAllocations;
    if (void* pMemory = std::malloc(uiSize ? uiSize : 1)) {
        return pMemory;
    }
    throw std::bad_alloc();
}

void operator delete(void* pMemory) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, std::size_t) noexcept
{
    std::free(pMemory);
}
