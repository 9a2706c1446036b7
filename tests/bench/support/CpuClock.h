// The CPU time the process has used, for benchmarks that time their own work.
#pragma once

// Seconds of CPU time this process has used.
double CpuSeconds();
