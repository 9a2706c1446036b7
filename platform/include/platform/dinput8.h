// The subset of DirectInput 8 that the engine calls, with the platform's documented values.
// Both backends implement the factory and the two interfaces.
#pragma once

#include <cstdint>

#include "platform/win32.h"

#define DIRECTINPUT_VERSION 0x0800

// Statuses.
#define DI_OK S_OK
#define DI_NOEFFECT S_FALSE
#define DI_BUFFEROVERFLOW S_FALSE
#define DI_PROPNOEFFECT S_FALSE
#define DI_POLLEDDEVICE ((HRESULT)0x00000002)
#define DIERR_GENERIC E_FAIL
#define DIERR_OUTOFMEMORY E_OUTOFMEMORY
#define DIERR_INVALIDPARAM E_INVALIDARG
#define DIERR_NOINTERFACE E_NOINTERFACE
#define DIERR_UNSUPPORTED ((HRESULT)0x80004001)
#define DIERR_DEVICENOTREG ((HRESULT)0x80040154)
#define DIERR_NOTFOUND ((HRESULT)0x80070002)
#define DIERR_OBJECTNOTFOUND ((HRESULT)0x80070002)
#define DIERR_OTHERAPPHASPRIO ((HRESULT)0x80070005)
#define DIERR_READONLY ((HRESULT)0x80070005)
#define DIERR_HANDLEEXISTS ((HRESULT)0x80070005)
#define DIERR_NOTACQUIRED ((HRESULT)0x8007000C)
#define DIERR_NOTINITIALIZED ((HRESULT)0x80070015)
#define DIERR_INPUTLOST ((HRESULT)0x8007001E)
#define DIERR_BADDRIVERVER ((HRESULT)0x80070077)
#define DIERR_ACQUIRED ((HRESULT)0x800700AA)
#define DIERR_OLDDIRECTINPUTVERSION ((HRESULT)0x8007047E)
#define DIERR_BETADIRECTINPUTVERSION ((HRESULT)0x80070481)
#define DIERR_ALREADYINITIALIZED ((HRESULT)0x800704DF)
#define DIERR_INSUFFICIENTPRIVS ((HRESULT)0x80040200)
#define DIERR_DEVICEFULL ((HRESULT)0x80040201)
#define DIERR_MOREDATA ((HRESULT)0x80040202)
#define DIERR_NOTEXCLUSIVEACQUIRED ((HRESULT)0x80040205)
#define DIERR_NOTBUFFERED ((HRESULT)0x80040207)
#define DIERR_UNPLUGGED ((HRESULT)0x80040209)

// Cooperative levels.
#define DISCL_EXCLUSIVE 0x00000001
#define DISCL_NONEXCLUSIVE 0x00000002
#define DISCL_FOREGROUND 0x00000004
#define DISCL_BACKGROUND 0x00000008
#define DISCL_NOWINKEY 0x00000010

// Device classes and types, enumeration flags and callback answers.
#define DI8DEVCLASS_ALL 0
#define DI8DEVCLASS_DEVICE 1
#define DI8DEVCLASS_POINTER 2
#define DI8DEVCLASS_KEYBOARD 3
#define DI8DEVCLASS_GAMECTRL 4
#define DI8DEVTYPE_MOUSE 0x12
#define DI8DEVTYPE_KEYBOARD 0x13
#define DI8DEVTYPE_JOYSTICK 0x14
#define DI8DEVTYPE_GAMEPAD 0x15
#define DIEDFL_ALLDEVICES 0x00000000
#define DIEDFL_ATTACHEDONLY 0x00000001
#define DIENUM_STOP 0
#define DIENUM_CONTINUE 1

// Property headers: how an object is named.
#define DIPH_DEVICE 0
#define DIPH_BYOFFSET 1
#define DIPH_BYID 2
#define DIPH_BYUSAGE 3

// Data format flags.
#define DIDF_ABSAXIS 0x00000001
#define DIDF_RELAXIS 0x00000002

// GetDeviceData flags.
#define DIGDD_PEEK 0x00000001

struct DIPROPHEADER {
    DWORD dwSize;
    DWORD dwHeaderSize;
    DWORD dwObj;
    DWORD dwHow;
};

struct DIPROPDWORD {
    DIPROPHEADER diph;
    DWORD dwData;
};

struct DIPROPRANGE {
    DIPROPHEADER diph;
    int32_t lMin;
    int32_t lMax;
};

// The property identifiers carry the platform's property numbers in Data1.
inline constexpr GUID DIPROP_BUFFERSIZE = {1, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID DIPROP_AXISMODE = {2, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID DIPROP_GRANULARITY = {3, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID DIPROP_RANGE = {4, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID DIPROP_DEADZONE = {5, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};
inline constexpr GUID DIPROP_SATURATION = {6, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

struct DIOBJECTDATAFORMAT {
    const GUID* pguid;
    DWORD dwOfs;
    DWORD dwType;
    DWORD dwFlags;
};

// A device's state layout. The backends tell the three formats below apart by identity; their
// object lists are left empty.
struct DIDATAFORMAT {
    DWORD dwSize;
    DWORD dwObjSize;
    DWORD dwFlags;
    DWORD dwDataSize;
    DWORD dwNumObjs;
    const DIOBJECTDATAFORMAT* rgodf;
};

extern const DIDATAFORMAT c_dfDIKeyboard;
extern const DIDATAFORMAT c_dfDIMouse;
extern const DIDATAFORMAT c_dfDIJoystick2;

struct DIMOUSESTATE {
    int32_t lX;
    int32_t lY;
    int32_t lZ;
    BYTE rgbButtons[4];
};

struct DIJOYSTATE2 {
    int32_t lX;
    int32_t lY;
    int32_t lZ;
    int32_t lRx;
    int32_t lRy;
    int32_t lRz;
    int32_t rglSlider[2];
    DWORD rgdwPOV[4];
    BYTE rgbButtons[128];
    int32_t lVX;
    int32_t lVY;
    int32_t lVZ;
    int32_t lVRx;
    int32_t lVRy;
    int32_t lVRz;
    int32_t rglVSlider[2];
    int32_t lAX;
    int32_t lAY;
    int32_t lAZ;
    int32_t lARx;
    int32_t lARy;
    int32_t lARz;
    int32_t rglASlider[2];
    int32_t lFX;
    int32_t lFY;
    int32_t lFZ;
    int32_t lFRx;
    int32_t lFRy;
    int32_t lFRz;
    int32_t rglFSlider[2];
};

struct DIDEVICEOBJECTDATA {
    DWORD dwOfs;
    DWORD dwData;
    DWORD dwTimeStamp;
    DWORD dwSequence;
    DWORD uAppData;
};

struct DIDEVICEINSTANCEA {
    DWORD dwSize;
    GUID guidInstance;
    GUID guidProduct;
    DWORD dwDevType;
    char tszInstanceName[260];
    char tszProductName[260];
    GUID guidFFDriver;
    WORD wUsagePage;
    WORD wUsage;
};

static_assert(sizeof(DIPROPHEADER) == 16);
static_assert(sizeof(DIPROPDWORD) == 20);
static_assert(sizeof(DIPROPRANGE) == 24);
static_assert(sizeof(DIMOUSESTATE) == 16);
static_assert(sizeof(DIJOYSTATE2) == 272);
static_assert(sizeof(DIDEVICEOBJECTDATA) == 20);

typedef BOOL(CALLBACK* LPDIENUMDEVICESCALLBACKA)(const DIDEVICEINSTANCEA* instance,
                                                 LPVOID reference);

class IDirectInputDevice8A {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT SetDataFormat(const DIDATAFORMAT* format) = 0;
    virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT SetProperty(REFGUID property, const DIPROPHEADER* header) = 0;
    virtual HRESULT Acquire() = 0;
    virtual HRESULT Unacquire() = 0;
    virtual HRESULT GetDeviceState(DWORD size, LPVOID data) = 0;
    virtual HRESULT GetDeviceData(DWORD objectDataSize, DIDEVICEOBJECTDATA* data, DWORD* inOut,
                                  DWORD flags) = 0;
    virtual HRESULT Poll() = 0;

protected:
    virtual ~IDirectInputDevice8A() = default;
};

class IDirectInput8A {
public:
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;
    virtual HRESULT CreateDevice(REFGUID instance, IDirectInputDevice8A** device,
                                 LPUNKNOWN outer) = 0;
    virtual HRESULT EnumDevices(DWORD deviceType, LPDIENUMDEVICESCALLBACKA callback,
                                LPVOID reference, DWORD flags) = 0;

protected:
    virtual ~IDirectInput8A() = default;
};

extern const GUID IID_IDirectInput8A;
extern const GUID GUID_SysKeyboard;
extern const GUID GUID_SysMouse;

HRESULT WINAPI DirectInput8Create(HINSTANCE instance, DWORD version, REFIID interfaceId,
                                  LPVOID* object, LPUNKNOWN outer);

// Keyboard scan codes.
#define DIK_ESCAPE 0x01
#define DIK_1 0x02
#define DIK_2 0x03
#define DIK_3 0x04
#define DIK_4 0x05
#define DIK_5 0x06
#define DIK_6 0x07
#define DIK_7 0x08
#define DIK_8 0x09
#define DIK_9 0x0A
#define DIK_0 0x0B
#define DIK_MINUS 0x0C
#define DIK_EQUALS 0x0D
#define DIK_BACK 0x0E
#define DIK_TAB 0x0F
#define DIK_Q 0x10
#define DIK_W 0x11
#define DIK_E 0x12
#define DIK_R 0x13
#define DIK_T 0x14
#define DIK_Y 0x15
#define DIK_U 0x16
#define DIK_I 0x17
#define DIK_O 0x18
#define DIK_P 0x19
#define DIK_LBRACKET 0x1A
#define DIK_RBRACKET 0x1B
#define DIK_RETURN 0x1C
#define DIK_LCONTROL 0x1D
#define DIK_A 0x1E
#define DIK_S 0x1F
#define DIK_D 0x20
#define DIK_F 0x21
#define DIK_G 0x22
#define DIK_H 0x23
#define DIK_J 0x24
#define DIK_K 0x25
#define DIK_L 0x26
#define DIK_SEMICOLON 0x27
#define DIK_APOSTROPHE 0x28
#define DIK_GRAVE 0x29
#define DIK_LSHIFT 0x2A
#define DIK_BACKSLASH 0x2B
#define DIK_Z 0x2C
#define DIK_X 0x2D
#define DIK_C 0x2E
#define DIK_V 0x2F
#define DIK_B 0x30
#define DIK_N 0x31
#define DIK_M 0x32
#define DIK_COMMA 0x33
#define DIK_PERIOD 0x34
#define DIK_SLASH 0x35
#define DIK_RSHIFT 0x36
#define DIK_MULTIPLY 0x37
#define DIK_LMENU 0x38
#define DIK_SPACE 0x39
#define DIK_CAPITAL 0x3A
#define DIK_F1 0x3B
#define DIK_F2 0x3C
#define DIK_F3 0x3D
#define DIK_F4 0x3E
#define DIK_F5 0x3F
#define DIK_F6 0x40
#define DIK_F7 0x41
#define DIK_F8 0x42
#define DIK_F9 0x43
#define DIK_F10 0x44
#define DIK_NUMLOCK 0x45
#define DIK_SCROLL 0x46
#define DIK_NUMPAD7 0x47
#define DIK_NUMPAD8 0x48
#define DIK_NUMPAD9 0x49
#define DIK_SUBTRACT 0x4A
#define DIK_NUMPAD4 0x4B
#define DIK_NUMPAD5 0x4C
#define DIK_NUMPAD6 0x4D
#define DIK_ADD 0x4E
#define DIK_NUMPAD1 0x4F
#define DIK_NUMPAD2 0x50
#define DIK_NUMPAD3 0x51
#define DIK_NUMPAD0 0x52
#define DIK_DECIMAL 0x53
#define DIK_OEM_102 0x56
#define DIK_F11 0x57
#define DIK_F12 0x58
#define DIK_F13 0x64
#define DIK_F14 0x65
#define DIK_F15 0x66
#define DIK_KANA 0x70
#define DIK_ABNT_C1 0x73
#define DIK_CONVERT 0x79
#define DIK_NOCONVERT 0x7B
#define DIK_YEN 0x7D
#define DIK_ABNT_C2 0x7E
#define DIK_NUMPADEQUALS 0x8D
#define DIK_PREVTRACK 0x90
#define DIK_AT 0x91
#define DIK_COLON 0x92
#define DIK_UNDERLINE 0x93
#define DIK_KANJI 0x94
#define DIK_STOP 0x95
#define DIK_AX 0x96
#define DIK_UNLABELED 0x97
#define DIK_NEXTTRACK 0x99
#define DIK_NUMPADENTER 0x9C
#define DIK_RCONTROL 0x9D
#define DIK_MUTE 0xA0
#define DIK_CALCULATOR 0xA1
#define DIK_PLAYPAUSE 0xA2
#define DIK_MEDIASTOP 0xA4
#define DIK_VOLUMEDOWN 0xAE
#define DIK_VOLUMEUP 0xB0
#define DIK_WEBHOME 0xB2
#define DIK_NUMPADCOMMA 0xB3
#define DIK_DIVIDE 0xB5
#define DIK_SYSRQ 0xB7
#define DIK_RMENU 0xB8
#define DIK_PAUSE 0xC5
#define DIK_HOME 0xC7
#define DIK_UP 0xC8
#define DIK_PRIOR 0xC9
#define DIK_LEFT 0xCB
#define DIK_RIGHT 0xCD
#define DIK_END 0xCF
#define DIK_DOWN 0xD0
#define DIK_NEXT 0xD1
#define DIK_INSERT 0xD2
#define DIK_DELETE 0xD3
#define DIK_LWIN 0xDB
#define DIK_RWIN 0xDC
#define DIK_APPS 0xDD
#define DIK_POWER 0xDE
#define DIK_SLEEP 0xDF
#define DIK_WAKE 0xE3
#define DIK_WEBSEARCH 0xE5
#define DIK_WEBFAVORITES 0xE6
#define DIK_WEBREFRESH 0xE7
#define DIK_WEBSTOP 0xE8
#define DIK_WEBFORWARD 0xE9
#define DIK_WEBBACK 0xEA
#define DIK_MYCOMPUTER 0xEB
#define DIK_MAIL 0xEC
#define DIK_MEDIASELECT 0xED

// Alternate names.
#define DIK_BACKSPACE DIK_BACK
#define DIK_NUMPADSTAR DIK_MULTIPLY
#define DIK_LALT DIK_LMENU
#define DIK_CAPSLOCK DIK_CAPITAL
#define DIK_NUMPADMINUS DIK_SUBTRACT
#define DIK_NUMPADPLUS DIK_ADD
#define DIK_NUMPADPERIOD DIK_DECIMAL
#define DIK_NUMPADSLASH DIK_DIVIDE
#define DIK_RALT DIK_RMENU
#define DIK_UPARROW DIK_UP
#define DIK_PGUP DIK_PRIOR
#define DIK_LEFTARROW DIK_LEFT
#define DIK_RIGHTARROW DIK_RIGHT
#define DIK_DOWNARROW DIK_DOWN
#define DIK_PGDN DIK_NEXT
#define DIK_CIRCUMFLEX DIK_PREVTRACK
