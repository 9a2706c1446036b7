#include "platform/sdl_test_hooks.h"

#include <SDL.h>

namespace {

SDL_Joystick* g_pkVirtual = nullptr;
int g_iVirtualIndex = -1;

}  // namespace

namespace sdl_test_hooks {

bool AttachVirtualJoystick(int axes, int buttons, int hats)
{
    if (g_pkVirtual || SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) != 0) {
        return false;
    }
    g_iVirtualIndex =
        SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, hats);
    if (g_iVirtualIndex < 0) {
        return false;
    }
    g_pkVirtual = SDL_JoystickOpen(g_iVirtualIndex);
    return g_pkVirtual != nullptr;
}

bool SetVirtualJoystickAxis(int axis, int16_t value)
{
    return g_pkVirtual && SDL_JoystickSetVirtualAxis(g_pkVirtual, axis, value) == 0;
}

bool SetVirtualJoystickButton(int button, bool down)
{
    return g_pkVirtual && SDL_JoystickSetVirtualButton(g_pkVirtual, button,
                                                       down ? SDL_PRESSED : SDL_RELEASED) == 0;
}

void DetachVirtualJoystick()
{
    if (g_pkVirtual) {
        SDL_JoystickClose(g_pkVirtual);
        SDL_JoystickDetachVirtual(g_iVirtualIndex);
        g_pkVirtual = nullptr;
        g_iVirtualIndex = -1;
    }
}

}  // namespace sdl_test_hooks
