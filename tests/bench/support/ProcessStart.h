// How long the process has been running, from the kernel's record of its start.
#pragma once

// Milliseconds since the process started; the kernel records the start to 10 ms. -1 when the
// record cannot be read.
double MillisecondsSinceProcessStart();
