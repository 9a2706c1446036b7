// Counts the allocations a program makes, for benchmarks that must show there are none. A
// program that calls AllocationCount gets the counting operator new and delete with it.
#pragma once

// How many times operator new has run since the program started.
long AllocationCount();
