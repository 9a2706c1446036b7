// The test world behind the fake backend: tests drive it directly and read what the code did.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32.h"

namespace fake {

// Puts the whole world back as a fresh process has it: every area that registered with
// OnReset is reset too, along with the windows, the queue, the clock, the log and the failures.
void Reset();
void OnReset(void (*reset)());

// Every platform call the code makes, in order, as "Name(arguments)".
void Log(const std::string& call);
// Off: calls and draws are no longer recorded (long runs that only watch the game); the fake
// otherwise behaves the same. Reset() turns recording on again.
void SetRecording(bool recording);
bool Recording();
const std::vector<std::string>& Calls();
void ClearCalls();
// How many logged calls start with the given text.
int CountCalls(const std::string& prefix);

// Makes a call fail: the next `times` calls, or every call when times is negative.
void FailCall(const std::string& name, int times = -1);
// True when the named call is to fail now; used by the fake implementations.
bool ShouldFail(std::string_view name);

// The clock behind GetTickCount and the performance counter (1,000,000 counts a second).
void SetTime(uint64_t microseconds);
void AdvanceTime(uint64_t microseconds);
// Each read of the clock advances it by this much, so that busy-waits end.
void SetTimeStep(uint64_t microseconds);

// The window the code created last, or null; its title as the window shows it.
HWND LastWindow();
std::string WindowTitle(HWND window);
bool WindowVisible(HWND window);

// Message boxes shown so far, as "caption: text".
const std::vector<std::string>& MessageBoxes();

void SetCursorPosition(int x, int y);

}  // namespace fake
