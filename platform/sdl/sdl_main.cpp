// The program's start-up: SDL's video and events, then the Windows-style entry.
#include <SDL.h>

#include <cstdio>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "platform/win32.h"
#include "window_system.h"

namespace {

std::string CommandLine(int argc, char** argv)
{
    std::string line;
    for (int i = 1; i < argc; ++i) {
        line += (i > 1 ? " " : "") + std::string(argv[i]);
    }
    return line;
}

// SDL falls back to drivers that show nothing when no display can be reached; a player would
// get an invisible game. Those count only when asked for by name.
bool HasDisplay()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    bool invisible = driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    return driver && (!invisible || (requested && SDL_strcmp(requested, driver) == 0));
}

// With nothing that names a display, trying SDL's drivers only adds their own complaints (the
// Wayland library prints one when it has no runtime folder) to ours.
bool NamesADisplay()
{
    return SDL_getenv("SDL_VIDEODRIVER") || SDL_getenv("DISPLAY") || SDL_getenv("WAYLAND_DISPLAY") ||
           SDL_getenv("XDG_RUNTIME_DIR");
}

void ReportNoDisplay(const char* program)
{
    std::fprintf(stderr, "%s: cannot open the display: no display is available (is DISPLAY set?)\n",
                 program);
}

// Under the leak checker, looks for leaks while SDL still holds its system libraries: once
// SDL_Quit has unloaded them, their allocations can no longer be told from ours.
void CheckLeaksBeforeUnloading()
{
#if defined(__SANITIZE_ADDRESS__)
    __lsan_do_leak_check();
#endif
}

}  // namespace

int main(int argc, char** argv)
{
    // Closing the window is the program's business, not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    const char* program = argc > 0 ? argv[0] : "brask";
    if (!NamesADisplay()) {
        ReportNoDisplay(program);
        return 1;
    }
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "%s: cannot open the display: %s\n", program, SDL_GetError());
        return 1;
    }
    if (!HasDisplay()) {
        ReportNoDisplay(program);
        SDL_Quit();
        return 1;
    }
    static char instance;
    std::string commandLine = CommandLine(argc, argv);
    int result = WinMain(reinterpret_cast<HINSTANCE>(&instance), nullptr, commandLine.data(),
                         SW_SHOWNORMAL);
    CheckLeaksBeforeUnloading();
    window_system::Reset();
    SDL_Quit();
    return result;
}
