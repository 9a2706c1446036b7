// The program's start-up: SDL's video and events, then the Windows-style entry.
#include <SDL.h>

#include <cstdio>
#include <string>

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

}  // namespace

int main(int argc, char** argv)
{
    // Closing the window is the program's business, not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "%s: cannot open the display: %s\n", argc > 0 ? argv[0] : "brask",
                     SDL_GetError());
        return 1;
    }
    static char instance;
    std::string commandLine = CommandLine(argc, argv);
    int result = WinMain(reinterpret_cast<HINSTANCE>(&instance), nullptr, commandLine.data(),
                         SW_SHOWNORMAL);
    window_system::Reset();
    SDL_Quit();
    return result;
}
