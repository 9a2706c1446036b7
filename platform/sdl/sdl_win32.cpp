#include <chrono>
#include <cstdio>
#include <vector>

#include "backend.h"
#include "sdl_d3d8.h"
#include "sdl_window.h"
#include "window_system.h"

namespace {

constexpr WPARAM kSizeRestored = 0;
constexpr WPARAM kSizeMinimized = 1;

std::vector<std::function<void(const SDL_Event&)>>& Listeners()
{
    static std::vector<std::function<void(const SDL_Event&)>> listeners;
    return listeners;
}

SDL_Window* Native(HWND window)
{
    return static_cast<SDL_Window*>(window->native);
}

struct Borders {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
};

Borders BordersOf(SDL_Window* native)
{
    Borders borders;
    SDL_GetWindowBordersSize(native, &borders.top, &borders.left, &borders.bottom, &borders.right);
    return borders;
}

// The outer rectangle, frame included, as the window system keeps it.
RECT OuterRectOf(SDL_Window* native)
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(native, &x, &y);
    SDL_GetWindowSize(native, &width, &height);
    Borders borders = BordersOf(native);
    return {x - borders.left, y - borders.top, x + width + borders.right,
            y + height + borders.bottom};
}

WPARAM VirtualKey(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z) {
        return static_cast<WPARAM>('A' + (key - SDLK_a));
    }
    if ((key >= SDLK_0 && key <= SDLK_9) || key == SDLK_SPACE) {
        return static_cast<WPARAM>(key);
    }
    if (key >= SDLK_F1 && key <= SDLK_F12) {
        return static_cast<WPARAM>(0x70 + (key - SDLK_F1));
    }
    switch (key) {
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_RETURN: return 0x0D;
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 0x11;
    case SDLK_LALT:
    case SDLK_RALT: return 0x12;
    default: return 0;
    }
}

void PostKey(HWND window, const SDL_KeyboardEvent& key)
{
    bool down = key.type == SDL_KEYDOWN;
    LPARAM lParam = 1 | (static_cast<LPARAM>(key.keysym.scancode & 0xff) << 16);
    if (!down) {
        lParam |= static_cast<LPARAM>(0xC0000000u);
    } else if (key.repeat) {
        lParam |= static_cast<LPARAM>(0x40000000u);
    }
    PostMessageA(window, down ? WM_KEYDOWN : WM_KEYUP, VirtualKey(key.keysym.sym), lParam);
}

void PostWindowEvent(HWND window, const SDL_WindowEvent& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        window_system::InvalidateWindow(window);
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        PostMessageA(window, WM_ACTIVATEAPP, TRUE, 0);
        PostMessageA(window, WM_ACTIVATE, WA_ACTIVE, 0);
        PostMessageA(window, WM_SETFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        PostMessageA(window, WM_ACTIVATE, WA_INACTIVE, 0);
        PostMessageA(window, WM_ACTIVATEAPP, FALSE, 0);
        PostMessageA(window, WM_KILLFOCUS, 0, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        window->style |= WS_MINIMIZE;
        PostMessageA(window, WM_SIZE, kSizeMinimized, 0);
        break;
    case SDL_WINDOWEVENT_RESTORED:
        window->style &= ~static_cast<DWORD>(WS_MINIMIZE);
        PostMessageA(window, WM_SIZE, kSizeRestored, 0);
        break;
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        window_system::SetOuterRect(window, OuterRectOf(Native(window)));
        break;
    default:
        break;
    }
}

HWND WindowOfEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return window_system::FindByNative(SDL_GetWindowFromID(event.window.windowID));
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return window_system::FindByNative(SDL_GetWindowFromID(event.key.windowID));
    default:
        return nullptr;
    }
}

void Translate(const SDL_Event& event)
{
    for (auto& listener : Listeners()) {
        listener(event);
    }
    if (event.type == SDL_QUIT) {
        // An interrupt asks every window to close, as its close box would.
        for (HWND window : window_system::LiveWindows()) {
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
        return;
    }
    HWND window = WindowOfEvent(event);
    if (!window) {
        return;
    }
    if (event.type == SDL_WINDOWEVENT) {
        PostWindowEvent(window, event.window);
    } else {
        PostKey(window, event.key);
    }
}

}  // namespace

namespace sdl {

SDL_Window* NativeWindow(HWND window)
{
    return window && !window->destroyed ? Native(window) : nullptr;
}

void AddEventListener(std::function<void(const SDL_Event&)> listener)
{
    Listeners().push_back(std::move(listener));
}

uint64_t ClockMicroseconds()
{
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace sdl

namespace backend {

void Trace(const std::string&) {}

bool Tracing()
{
    return false;
}

bool ShouldFail(const char*)
{
    return false;
}

bool CreateNativeWindow(HWND window)
{
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (window->style & WS_THICKFRAME) {
        flags |= SDL_WINDOW_RESIZABLE;
    }
    const RECT& outer = window->outer;
    SDL_Window* native = SDL_CreateWindow(window->title.c_str(), static_cast<int>(outer.left),
                                          static_cast<int>(outer.top),
                                          static_cast<int>(outer.right - outer.left),
                                          static_cast<int>(outer.bottom - outer.top), flags);
    if (!native) {
        std::fprintf(stderr, "Cannot create the window: %s\n", SDL_GetError());
        return false;
    }
    window->native = native;
    return true;
}

void DestroyNativeWindow(HWND window)
{
    if (window->native) {
        SDL_DestroyWindow(Native(window));
        window->native = nullptr;
    }
}

void UpdateNativeTitle(HWND window)
{
    SDL_SetWindowTitle(Native(window), window->title.c_str());
}

void UpdateNativePlacement(HWND window)
{
    SDL_Window* native = Native(window);
    Borders borders = BordersOf(native);
    const RECT& outer = window->outer;
    int width = static_cast<int>(outer.right - outer.left) - borders.left - borders.right;
    int height = static_cast<int>(outer.bottom - outer.top) - borders.top - borders.bottom;
    SDL_SetWindowPosition(native, static_cast<int>(outer.left) + borders.left,
                          static_cast<int>(outer.top) + borders.top);
    SDL_SetWindowSize(native, width > 0 ? width : 1, height > 0 ? height : 1);
}

void UpdateNativeVisibility(HWND window)
{
    SDL_Window* native = Native(window);
    if (!window->visible) {
        SDL_HideWindow(native);
    } else if (window->style & WS_MINIMIZE) {
        SDL_MinimizeWindow(native);
    } else {
        SDL_ShowWindow(native);
        SDL_RestoreWindow(native);
    }
}

void PumpEvents()
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        Translate(event);
    }
}

bool WaitForEvent()
{
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) {
        return false;
    }
    Translate(event);
    return true;
}

uint64_t MonotonicMicroseconds()
{
    uint64_t now = sdl::ClockMicroseconds();
    sdl::OnClockRead(now);
    return now;
}

int ShowMessageBox(HWND window, const char* text, const char* caption, UINT)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text,
                             window ? sdl::NativeWindow(window) : nullptr);
    return IDOK;
}

bool CursorPosition(POINT* point)
{
    int x = 0;
    int y = 0;
    SDL_GetGlobalMouseState(&x, &y);
    point->x = x;
    point->y = y;
    return true;
}

}  // namespace backend
