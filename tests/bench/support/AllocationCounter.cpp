#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_iAllocations{0};

void* CountedAllocation(std::size_t uiSize) noexcept
{
    ++g_iAllocations;
    return std::malloc(uiSize ? uiSize : 1);
}

void* CountedAllocationOrThrow(std::size_t uiSize)
{
    if (void* pMemory = CountedAllocation(uiSize)) {
        return pMemory;
    }
    throw std::bad_alloc();
}

}  // namespace

long AllocationCount()
{
    return g_iAllocations.load();
}

// Every form is replaced, not only the plain one: a sanitizer runtime supplies the others
// itself, and its allocations must not reach the free below. The aligned forms are left to
// the runtime, in pairs.
void* operator new(std::size_t uiSize)
{
    return CountedAllocationOrThrow(uiSize);
}

void* operator new[](std::size_t uiSize)
{
    return CountedAllocationOrThrow(uiSize);
}

void* operator new(std::size_t uiSize, const std::nothrow_t&) noexcept
{
    return CountedAllocation(uiSize);
}

void* operator new[](std::size_t uiSize, const std::nothrow_t&) noexcept
{
    return CountedAllocation(uiSize);
}

void operator delete(void* pMemory) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, std::size_t) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory, std::size_t) noexcept
{
    std::free(pMemory);
}

void operator delete(void* pMemory, const std::nothrow_t&) noexcept
{
    std::free(pMemory);
}

void operator delete[](void* pMemory, const std::nothrow_t&) noexcept
{
    std::free(pMemory);
}
