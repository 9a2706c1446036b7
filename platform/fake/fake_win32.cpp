#include "fake/fake_win32.h"

#include <map>

#include "backend.h"
#include "window_system.h"

namespace {

struct World {
    std::vector<std::string> calls;
    std::map<std::string, int, std::less<>> failures;
    uint64_t time = 0;
    uint64_t timeStep = 0;
    HWND lastWindow = nullptr;
    std::vector<std::string> messageBoxes;
    POINT cursor = {0, 0};
    bool recording = true;
};

World& TheWorld()
{
    static World world;
    return world;
}

std::vector<void (*)()>& ResetHooks()
{
    static std::vector<void (*)()> hooks;
    return hooks;
}

}  // namespace

namespace fake {

void Reset()
{
    window_system::Reset();
    TheWorld() = World();
    for (auto hook : ResetHooks()) {
        hook();
    }
}

void OnReset(void (*reset)())
{
    ResetHooks().push_back(reset);
}

void Log(const std::string& call)
{
    if (TheWorld().recording) {
        TheWorld().calls.push_back(call);
    }
}

void SetRecording(bool recording)
{
    TheWorld().recording = recording;
}

bool Recording()
{
    return TheWorld().recording;
}

const std::vector<std::string>& Calls()
{
    return TheWorld().calls;
}

void ClearCalls()
{
    TheWorld().calls.clear();
}

int CountCalls(const std::string& prefix)
{
    int count = 0;
    for (const auto& call : TheWorld().calls) {
        count += call.rfind(prefix, 0) == 0 ? 1 : 0;
    }
    return count;
}

void FailCall(const std::string& name, int times)
{
    TheWorld().failures[name] = times;
}

bool ShouldFail(std::string_view name)
{
    auto found = TheWorld().failures.find(name);
    if (found == TheWorld().failures.end() || found->second == 0) {
        return false;
    }
    if (found->second > 0) {
        --found->second;
    }
    return true;
}

void SetTime(uint64_t microseconds)
{
    TheWorld().time = microseconds;
}

void AdvanceTime(uint64_t microseconds)
{
    TheWorld().time += microseconds;
}

void SetTimeStep(uint64_t microseconds)
{
    TheWorld().timeStep = microseconds;
}

HWND LastWindow()
{
    return TheWorld().lastWindow;
}

std::string WindowTitle(HWND window)
{
    return window ? window->title : std::string();
}

bool WindowVisible(HWND window)
{
    return window && window->visible;
}

const std::vector<std::string>& MessageBoxes()
{
    return TheWorld().messageBoxes;
}

void SetCursorPosition(int x, int y)
{
    TheWorld().cursor = {x, y};
}

}  // namespace fake

namespace backend {

void Trace(const std::string& call)
{
    fake::Log(call);
}

bool Tracing()
{
    return TheWorld().recording;
}

bool ShouldFail(const char* call)
{
    return fake::ShouldFail(call);
}

bool CreateNativeWindow(HWND window)
{
    TheWorld().lastWindow = window;
    return true;
}

void DestroyNativeWindow(HWND window)
{
    if (TheWorld().lastWindow == window) {
        TheWorld().lastWindow = nullptr;
    }
}

void UpdateNativeTitle(HWND) {}

void UpdateNativePlacement(HWND) {}

void UpdateNativeVisibility(HWND) {}

// Tests post their messages directly; nothing else arrives.
void PumpEvents() {}

// Nothing arrives by itself in a test: a wait returns at once.
bool WaitForEvent()
{
    return false;
}

uint64_t MonotonicMicroseconds()
{
    World& world = TheWorld();
    uint64_t now = world.time;
    world.time += world.timeStep;
    return now;
}

int ShowMessageBox(HWND, const char* text, const char* caption, UINT)
{
    TheWorld().messageBoxes.push_back(std::string(caption) + ": " + text);
    return IDOK;
}

bool CursorPosition(POINT* point)
{
    *point = TheWorld().cursor;
    return true;
}

}  // namespace backend
