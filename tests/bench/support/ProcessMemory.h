// The process's memory as the kernel counts it.
#pragma once

// Prints the resident memory now (VmRSS) and at its peak (VmHWM), indented.
void PrintResidentMemory();
