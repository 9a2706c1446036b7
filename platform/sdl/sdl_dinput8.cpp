// DirectInput's raw input on SDL: the keyboard state in DirectInput scan codes, the mouse's
// relative motion (captured while an exclusive acquisition holds it), the joysticks in SDL's
// order, and the window focus from SDL's window events.
#include <SDL.h>

#include <algorithm>
#include <map>

#include "dinput_backend.h"
#include "sdl_window.h"

namespace {

constexpr int32_t kWheelDelta = 120;

struct ScanCodePair {
    SDL_Scancode sdl;
    uint8_t dik;
};

constexpr ScanCodePair kScanCodes[] = {
    {SDL_SCANCODE_A, DIK_A}, {SDL_SCANCODE_B, DIK_B}, {SDL_SCANCODE_C, DIK_C},
    {SDL_SCANCODE_D, DIK_D}, {SDL_SCANCODE_E, DIK_E}, {SDL_SCANCODE_F, DIK_F},
    {SDL_SCANCODE_G, DIK_G}, {SDL_SCANCODE_H, DIK_H}, {SDL_SCANCODE_I, DIK_I},
    {SDL_SCANCODE_J, DIK_J}, {SDL_SCANCODE_K, DIK_K}, {SDL_SCANCODE_L, DIK_L},
    {SDL_SCANCODE_M, DIK_M}, {SDL_SCANCODE_N, DIK_N}, {SDL_SCANCODE_O, DIK_O},
    {SDL_SCANCODE_P, DIK_P}, {SDL_SCANCODE_Q, DIK_Q}, {SDL_SCANCODE_R, DIK_R},
    {SDL_SCANCODE_S, DIK_S}, {SDL_SCANCODE_T, DIK_T}, {SDL_SCANCODE_U, DIK_U},
    {SDL_SCANCODE_V, DIK_V}, {SDL_SCANCODE_W, DIK_W}, {SDL_SCANCODE_X, DIK_X},
    {SDL_SCANCODE_Y, DIK_Y}, {SDL_SCANCODE_Z, DIK_Z},
    {SDL_SCANCODE_1, DIK_1}, {SDL_SCANCODE_2, DIK_2}, {SDL_SCANCODE_3, DIK_3},
    {SDL_SCANCODE_4, DIK_4}, {SDL_SCANCODE_5, DIK_5}, {SDL_SCANCODE_6, DIK_6},
    {SDL_SCANCODE_7, DIK_7}, {SDL_SCANCODE_8, DIK_8}, {SDL_SCANCODE_9, DIK_9},
    {SDL_SCANCODE_0, DIK_0},
    {SDL_SCANCODE_RETURN, DIK_RETURN}, {SDL_SCANCODE_ESCAPE, DIK_ESCAPE},
    {SDL_SCANCODE_BACKSPACE, DIK_BACK}, {SDL_SCANCODE_TAB, DIK_TAB},
    {SDL_SCANCODE_SPACE, DIK_SPACE}, {SDL_SCANCODE_MINUS, DIK_MINUS},
    {SDL_SCANCODE_EQUALS, DIK_EQUALS}, {SDL_SCANCODE_LEFTBRACKET, DIK_LBRACKET},
    {SDL_SCANCODE_RIGHTBRACKET, DIK_RBRACKET}, {SDL_SCANCODE_BACKSLASH, DIK_BACKSLASH},
    {SDL_SCANCODE_NONUSHASH, DIK_BACKSLASH}, {SDL_SCANCODE_SEMICOLON, DIK_SEMICOLON},
    {SDL_SCANCODE_APOSTROPHE, DIK_APOSTROPHE}, {SDL_SCANCODE_GRAVE, DIK_GRAVE},
    {SDL_SCANCODE_COMMA, DIK_COMMA}, {SDL_SCANCODE_PERIOD, DIK_PERIOD},
    {SDL_SCANCODE_SLASH, DIK_SLASH}, {SDL_SCANCODE_CAPSLOCK, DIK_CAPITAL},
    {SDL_SCANCODE_F1, DIK_F1}, {SDL_SCANCODE_F2, DIK_F2}, {SDL_SCANCODE_F3, DIK_F3},
    {SDL_SCANCODE_F4, DIK_F4}, {SDL_SCANCODE_F5, DIK_F5}, {SDL_SCANCODE_F6, DIK_F6},
    {SDL_SCANCODE_F7, DIK_F7}, {SDL_SCANCODE_F8, DIK_F8}, {SDL_SCANCODE_F9, DIK_F9},
    {SDL_SCANCODE_F10, DIK_F10}, {SDL_SCANCODE_F11, DIK_F11}, {SDL_SCANCODE_F12, DIK_F12},
    {SDL_SCANCODE_F13, DIK_F13}, {SDL_SCANCODE_F14, DIK_F14}, {SDL_SCANCODE_F15, DIK_F15},
    {SDL_SCANCODE_PRINTSCREEN, DIK_SYSRQ}, {SDL_SCANCODE_SCROLLLOCK, DIK_SCROLL},
    {SDL_SCANCODE_PAUSE, DIK_PAUSE}, {SDL_SCANCODE_INSERT, DIK_INSERT},
    {SDL_SCANCODE_HOME, DIK_HOME}, {SDL_SCANCODE_PAGEUP, DIK_PRIOR},
    {SDL_SCANCODE_DELETE, DIK_DELETE}, {SDL_SCANCODE_END, DIK_END},
    {SDL_SCANCODE_PAGEDOWN, DIK_NEXT}, {SDL_SCANCODE_RIGHT, DIK_RIGHT},
    {SDL_SCANCODE_LEFT, DIK_LEFT}, {SDL_SCANCODE_DOWN, DIK_DOWN}, {SDL_SCANCODE_UP, DIK_UP},
    {SDL_SCANCODE_NUMLOCKCLEAR, DIK_NUMLOCK}, {SDL_SCANCODE_KP_DIVIDE, DIK_DIVIDE},
    {SDL_SCANCODE_KP_MULTIPLY, DIK_MULTIPLY}, {SDL_SCANCODE_KP_MINUS, DIK_SUBTRACT},
    {SDL_SCANCODE_KP_PLUS, DIK_ADD}, {SDL_SCANCODE_KP_ENTER, DIK_NUMPADENTER},
    {SDL_SCANCODE_KP_1, DIK_NUMPAD1}, {SDL_SCANCODE_KP_2, DIK_NUMPAD2},
    {SDL_SCANCODE_KP_3, DIK_NUMPAD3}, {SDL_SCANCODE_KP_4, DIK_NUMPAD4},
    {SDL_SCANCODE_KP_5, DIK_NUMPAD5}, {SDL_SCANCODE_KP_6, DIK_NUMPAD6},
    {SDL_SCANCODE_KP_7, DIK_NUMPAD7}, {SDL_SCANCODE_KP_8, DIK_NUMPAD8},
    {SDL_SCANCODE_KP_9, DIK_NUMPAD9}, {SDL_SCANCODE_KP_0, DIK_NUMPAD0},
    {SDL_SCANCODE_KP_PERIOD, DIK_DECIMAL}, {SDL_SCANCODE_KP_EQUALS, DIK_NUMPADEQUALS},
    {SDL_SCANCODE_KP_COMMA, DIK_NUMPADCOMMA}, {SDL_SCANCODE_NONUSBACKSLASH, DIK_OEM_102},
    {SDL_SCANCODE_APPLICATION, DIK_APPS}, {SDL_SCANCODE_POWER, DIK_POWER},
    {SDL_SCANCODE_SLEEP, DIK_SLEEP}, {SDL_SCANCODE_INTERNATIONAL1, DIK_ABNT_C1},
    {SDL_SCANCODE_INTERNATIONAL2, DIK_KANA}, {SDL_SCANCODE_INTERNATIONAL3, DIK_YEN},
    {SDL_SCANCODE_INTERNATIONAL4, DIK_CONVERT}, {SDL_SCANCODE_INTERNATIONAL5, DIK_NOCONVERT},
    {SDL_SCANCODE_LCTRL, DIK_LCONTROL}, {SDL_SCANCODE_LSHIFT, DIK_LSHIFT},
    {SDL_SCANCODE_LALT, DIK_LMENU}, {SDL_SCANCODE_LGUI, DIK_LWIN},
    {SDL_SCANCODE_RCTRL, DIK_RCONTROL}, {SDL_SCANCODE_RSHIFT, DIK_RSHIFT},
    {SDL_SCANCODE_RALT, DIK_RMENU}, {SDL_SCANCODE_RGUI, DIK_RWIN},
    {SDL_SCANCODE_MUTE, DIK_MUTE}, {SDL_SCANCODE_AUDIOMUTE, DIK_MUTE},
    {SDL_SCANCODE_VOLUMEUP, DIK_VOLUMEUP}, {SDL_SCANCODE_VOLUMEDOWN, DIK_VOLUMEDOWN},
    {SDL_SCANCODE_AUDIONEXT, DIK_NEXTTRACK}, {SDL_SCANCODE_AUDIOPREV, DIK_PREVTRACK},
    {SDL_SCANCODE_AUDIOSTOP, DIK_MEDIASTOP}, {SDL_SCANCODE_AUDIOPLAY, DIK_PLAYPAUSE},
    {SDL_SCANCODE_MEDIASELECT, DIK_MEDIASELECT}, {SDL_SCANCODE_MAIL, DIK_MAIL},
    {SDL_SCANCODE_CALCULATOR, DIK_CALCULATOR}, {SDL_SCANCODE_COMPUTER, DIK_MYCOMPUTER},
    {SDL_SCANCODE_AC_SEARCH, DIK_WEBSEARCH}, {SDL_SCANCODE_AC_HOME, DIK_WEBHOME},
    {SDL_SCANCODE_AC_BACK, DIK_WEBBACK}, {SDL_SCANCODE_AC_FORWARD, DIK_WEBFORWARD},
    {SDL_SCANCODE_AC_STOP, DIK_WEBSTOP}, {SDL_SCANCODE_AC_REFRESH, DIK_WEBREFRESH},
    {SDL_SCANCODE_AC_BOOKMARKS, DIK_WEBFAVORITES},
};

struct FocusState {
    std::map<Uint32, uint64_t> losses;
    int32_t wheel = 0;
};

FocusState& Watched()
{
    static FocusState state;
    static bool listening = false;
    if (!listening) {
        listening = true;
        sdl::AddEventListener([](const SDL_Event& event) {
            if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
                ++state.losses[event.window.windowID];
            } else if (event.type == SDL_MOUSEWHEEL) {
                state.wheel += event.wheel.y * kWheelDelta;
            }
        });
    }
    return state;
}

bool JoysticksReady()
{
    static bool ready = SDL_InitSubSystem(SDL_INIT_JOYSTICK | SDL_INIT_GAMECONTROLLER) == 0;
    return ready;
}

class KeyboardSource : public dinput::Source {
public:
    void ReadKeys(uint8_t* keys) override
    {
        int count = 0;
        const Uint8* pressed = SDL_GetKeyboardState(&count);
        std::fill(keys, keys + 256, uint8_t{0});
        for (const auto& pair : kScanCodes) {
            if (pair.sdl < count && pressed[pair.sdl]) {
                keys[pair.dik] = 0x80;
            }
        }
    }
};

class MouseSource : public dinput::Source {
public:
    void ReadMouse(DIMOUSESTATE& state) override
    {
        int dx = 0;
        int dy = 0;
        Uint32 buttons = SDL_GetRelativeMouseState(&dx, &dy);
        state = {};
        state.lX = dx;
        state.lY = dy;
        state.lZ = Watched().wheel;
        Watched().wheel = 0;
        const Uint32 masks[4] = {SDL_BUTTON_LMASK, SDL_BUTTON_RMASK, SDL_BUTTON_MMASK,
                                 SDL_BUTTON_X1MASK};
        for (int i = 0; i < 4; ++i) {
            state.rgbButtons[i] = (buttons & masks[i]) ? 0x80 : 0;
        }
    }

    void Capture(bool captured) override
    {
        SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE);
    }
};

int32_t PovOf(Uint8 hat)
{
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return -1;
    }
}

class JoystickSource : public dinput::Source {
public:
    explicit JoystickSource(SDL_Joystick* joystick) : m_joystick(joystick) {}
    ~JoystickSource() override { SDL_JoystickClose(m_joystick); }

    bool UpdateController() override
    {
        SDL_JoystickUpdate();
        return SDL_JoystickGetAttached(m_joystick) == SDL_TRUE;
    }

    void ReadController(dinput::ControllerReading& reading) override
    {
        reading = {};
        int axes = std::min(SDL_JoystickNumAxes(m_joystick), dinput::ControllerReading::kAxes);
        for (int i = 0; i < axes; ++i) {
            reading.aiAxes[i] = SDL_JoystickGetAxis(m_joystick, i);
        }
        int hats = std::min(SDL_JoystickNumHats(m_joystick), dinput::ControllerReading::kPovs);
        for (int i = 0; i < hats; ++i) {
            reading.aiPovs[i] = PovOf(SDL_JoystickGetHat(m_joystick, i));
        }
        int buttons =
            std::min(SDL_JoystickNumButtons(m_joystick), dinput::ControllerReading::kButtons);
        for (int i = 0; i < buttons; ++i) {
            reading.aucButtons[i] = SDL_JoystickGetButton(m_joystick, i) ? 0x80 : 0;
        }
    }

private:
    SDL_Joystick* m_joystick;
};

std::unique_ptr<dinput::Source> OpenJoystick(uint32_t id)
{
    if (!JoysticksReady()) {
        return nullptr;
    }
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (static_cast<uint32_t>(SDL_JoystickGetDeviceInstanceID(i)) != id) {
            continue;
        }
        SDL_Joystick* joystick = SDL_JoystickOpen(i);
        return joystick ? std::make_unique<JoystickSource>(joystick) : nullptr;
    }
    return nullptr;
}

}  // namespace

namespace dinput_backend {

HRESULT InjectedFailure(const char*)
{
    return S_OK;
}

std::vector<dinput::ControllerInfo> Controllers()
{
    std::vector<dinput::ControllerInfo> controllers;
    if (!JoysticksReady()) {
        return controllers;
    }
    SDL_JoystickUpdate();
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        const char* name = SDL_JoystickNameForIndex(i);
        controllers.push_back({static_cast<uint32_t>(SDL_JoystickGetDeviceInstanceID(i)),
                               name ? name : "Joystick"});
    }
    return controllers;
}

std::unique_ptr<dinput::Source> Open(dinput::Kind kind, uint32_t controller)
{
    Watched();
    switch (kind) {
    case dinput::Kind::Keyboard: return std::make_unique<KeyboardSource>();
    case dinput::Kind::Mouse: return std::make_unique<MouseSource>();
    case dinput::Kind::Controller: return OpenJoystick(controller);
    }
    return nullptr;
}

bool HasFocus(HWND window)
{
    SDL_Window* native = sdl::NativeWindow(window);
    return native && (SDL_GetWindowFlags(native) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

uint64_t FocusLosses(HWND window)
{
    SDL_Window* native = sdl::NativeWindow(window);
    if (!native) {
        return 0;
    }
    auto& losses = Watched().losses;
    auto found = losses.find(SDL_GetWindowID(native));
    return found == losses.end() ? 0 : found->second;
}

}  // namespace dinput_backend
