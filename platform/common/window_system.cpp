#include "window_system.h"

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "backend.h"

namespace {

constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;

struct WindowClass {
    WNDCLASSA record;
    ATOM atom;
};

std::map<std::string, WindowClass> g_kClasses;
ATOM g_uiNextAtom = 0xC000;
std::vector<std::unique_ptr<HWND__>> g_kWindows;
std::deque<MSG> g_kQueue;

// A handle counts only when this window system made it: any other value is refused, not read.
bool IsLive(HWND window)
{
    for (const auto& known : g_kWindows) {
        if (known.get() == window) {
            return !window->destroyed;
        }
    }
    return false;
}

int OrDefault(int value, int fallback)
{
    return value == CW_USEDEFAULT ? fallback : value;
}

bool Matches(const MSG& message, HWND window, UINT filterMin, UINT filterMax)
{
    // The thread's quit message is returned to a peek filtered on any window.
    bool forWindow = !window || message.hwnd == window ||
                     (message.hwnd == nullptr && message.message == WM_QUIT);
    bool inRange = (filterMin == 0 && filterMax == 0) ||
                   (message.message >= filterMin && message.message <= filterMax);
    return forWindow && inRange;
}

MSG MakeMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG record = {};
    record.hwnd = window;
    record.message = message;
    record.wParam = wParam;
    record.lParam = lParam;
    record.time = GetTickCount();
    return record;
}

}  // namespace

namespace window_system {

HWND FindByNative(const void* native)
{
    for (auto& window : g_kWindows) {
        if (IsLive(window.get()) && window->native == native) {
            return window.get();
        }
    }
    return nullptr;
}

std::vector<HWND> LiveWindows()
{
    std::vector<HWND> live;
    for (auto& window : g_kWindows) {
        if (IsLive(window.get())) {
            live.push_back(window.get());
        }
    }
    return live;
}

void InvalidateWindow(HWND window)
{
    if (!IsLive(window) || window->needsPaint) {
        return;
    }
    window->needsPaint = true;
    g_kQueue.push_back(MakeMessage(window, WM_PAINT, 0, 0));
}

void SetOuterRect(HWND window, const RECT& outer)
{
    if (IsLive(window)) {
        window->outer = outer;
    }
}

void Reset()
{
    for (auto& window : g_kWindows) {
        if (!window->destroyed) {
            backend::DestroyNativeWindow(window.get());
        }
    }
    g_kWindows.clear();
    g_kClasses.clear();
    g_kQueue.clear();
    g_uiNextAtom = 0xC000;
}

}  // namespace window_system

ATOM RegisterClassA(const WNDCLASSA* windowClass)
{
    std::string name = windowClass && windowClass->lpszClassName ? windowClass->lpszClassName : "";
    backend::Trace("RegisterClassA(" + name + ")");
    if (name.empty() || !windowClass->lpfnWndProc || g_kClasses.count(name) ||
        backend::ShouldFail("RegisterClassA")) {
        return 0;
    }
    ATOM atom = g_uiNextAtom++;
    g_kClasses[name] = WindowClass{*windowClass, atom};
    return atom;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID param)
{
    std::string name = className ? className : "";
    backend::Trace("CreateWindowExA(" + name + ")");
    auto found = g_kClasses.find(name);
    if (found == g_kClasses.end() || backend::ShouldFail("CreateWindowExA")) {
        return nullptr;
    }

    auto record = std::make_unique<HWND__>();
    record->className = name;
    record->title = windowName ? windowName : "";
    record->procedure = found->second.record.lpfnWndProc;
    record->style = style;
    int left = OrDefault(x, 0);
    int top = OrDefault(y, 0);
    record->outer = {left, top, left + OrDefault(width, kDefaultWidth),
                     top + OrDefault(height, kDefaultHeight)};
    HWND window = record.get();
    if (!backend::CreateNativeWindow(window)) {
        return nullptr;
    }
    g_kWindows.push_back(std::move(record));

    CREATESTRUCTA create = {};
    create.lpCreateParams = param;
    create.hInstance = instance;
    create.hMenu = menu;
    create.hwndParent = parent;
    create.cx = static_cast<int>(window->outer.right - window->outer.left);
    create.cy = static_cast<int>(window->outer.bottom - window->outer.top);
    create.x = static_cast<int>(window->outer.left);
    create.y = static_cast<int>(window->outer.top);
    create.style = static_cast<LONG>(style);
    create.lpszName = windowName;
    create.lpszClass = className;
    create.dwExStyle = exStyle;
    LPARAM createParam = reinterpret_cast<LPARAM>(&create);

    SendMessageA(window, WM_GETMINMAXINFO, 0, 0);
    if (!SendMessageA(window, WM_NCCREATE, 0, createParam) ||
        SendMessageA(window, WM_CREATE, 0, createParam) == -1) {
        DestroyWindow(window);
        return nullptr;
    }
    if (style & WS_VISIBLE) {
        ShowWindow(window, SW_SHOW);
    }
    return window;
}

BOOL SetWindowTextA(HWND window, LPCSTR text)
{
    backend::Trace(std::string("SetWindowTextA(") + (text ? text : "") + ")");
    if (!IsLive(window)) {
        return FALSE;
    }
    window->title = text ? text : "";
    backend::UpdateNativeTitle(window);
    return TRUE;
}

LONG SetWindowLongA(HWND window, int index, LONG value)
{
    if (!IsLive(window)) {
        return 0;
    }
    LONG previous = GetWindowLongA(window, index);
    if (index == GWL_USERDATA) {
        window->userData = value;
    } else if (index == GWL_STYLE) {
        window->style = static_cast<DWORD>(value);
    }
    return previous;
}

LONG GetWindowLongA(HWND window, int index)
{
    if (!IsLive(window)) {
        return 0;
    }
    if (index == GWL_USERDATA) {
        return window->userData;
    }
    return index == GWL_STYLE ? static_cast<LONG>(window->style) : 0;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM)
{
    backend::Trace("DefWindowProcA(" + std::to_string(message) + ")");
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return 0;
    }
}

BOOL DestroyWindow(HWND window)
{
    if (!IsLive(window)) {
        return FALSE;
    }
    SendMessageA(window, WM_DESTROY, 0, 0);
    SendMessageA(window, WM_NCDESTROY, 0, 0);
    backend::DestroyNativeWindow(window);
    window->destroyed = true;
    window->native = nullptr;
    return TRUE;
}

BOOL PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    backend::PumpEvents();
    for (auto it = g_kQueue.begin(); it != g_kQueue.end(); ++it) {
        if (!Matches(*it, window, filterMin, filterMax)) {
            continue;
        }
        if (message) {
            *message = *it;
        }
        if (removeFlags & PM_REMOVE) {
            g_kQueue.erase(it);
        }
        return TRUE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* message)
{
    return message && (message->message == WM_KEYDOWN || message->message == WM_SYSKEYDOWN);
}

LRESULT DispatchMessageA(const MSG* message)
{
    if (!message || !IsLive(message->hwnd)) {
        return 0;
    }
    if (message->message == WM_PAINT) {
        message->hwnd->needsPaint = false;
    }
    return message->hwnd->procedure(message->hwnd, message->message, message->wParam,
                                    message->lParam);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsLive(window)) {
        return 0;
    }
    return window->procedure(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (window && !IsLive(window)) {
        return FALSE;
    }
    g_kQueue.push_back(MakeMessage(window, message, wParam, lParam));
    return TRUE;
}

void PostQuitMessage(int exitCode)
{
    backend::Trace("PostQuitMessage(" + std::to_string(exitCode) + ")");
    g_kQueue.push_back(MakeMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0));
}

BOOL WaitMessage()
{
    backend::Trace("WaitMessage()");
    backend::PumpEvents();
    while (g_kQueue.empty() && backend::WaitForEvent()) {
        backend::PumpEvents();
    }
    return TRUE;
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint)
{
    backend::Trace("BeginPaint()");
    if (!IsLive(window) || !paint) {
        return nullptr;
    }
    *paint = {};
    GetClientRect(window, &paint->rcPaint);
    window->needsPaint = false;
    // A device context stands for the window; nothing draws through it.
    paint->hdc = reinterpret_cast<HDC>(window);
    return paint->hdc;
}

BOOL EndPaint(HWND window, const PAINTSTRUCT*)
{
    backend::Trace("EndPaint()");
    return IsLive(window) ? TRUE : FALSE;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int width, int height, UINT flags)
{
    backend::Trace("SetWindowPos(" + std::to_string(x) + "," + std::to_string(y) + "," +
                   std::to_string(width) + "," + std::to_string(height) + "," +
                   std::to_string(flags) + ")");
    if (!IsLive(window)) {
        return FALSE;
    }
    RECT& outer = window->outer;
    LONG newWidth = (flags & SWP_NOSIZE) ? outer.right - outer.left : width;
    LONG newHeight = (flags & SWP_NOSIZE) ? outer.bottom - outer.top : height;
    if (!(flags & SWP_NOMOVE)) {
        outer.left = x;
        outer.top = y;
    }
    outer.right = outer.left + newWidth;
    outer.bottom = outer.top + newHeight;
    backend::UpdateNativePlacement(window);
    if (flags & SWP_SHOWWINDOW) {
        ShowWindow(window, SW_SHOW);
    }
    return TRUE;
}

BOOL GetWindowRect(HWND window, RECT* rect)
{
    if (!IsLive(window) || !rect) {
        return FALSE;
    }
    *rect = window->outer;
    return TRUE;
}

BOOL GetClientRect(HWND window, RECT* rect)
{
    if (!IsLive(window) || !rect) {
        return FALSE;
    }
    *rect = {0, 0, window->outer.right - window->outer.left, window->outer.bottom - window->outer.top};
    return TRUE;
}

BOOL ShowWindow(HWND window, int command)
{
    backend::Trace("ShowWindow(" + std::to_string(command) + ")");
    if (!IsLive(window)) {
        return FALSE;
    }
    BOOL wasVisible = window->visible ? TRUE : FALSE;
    window->visible = command != SW_HIDE;
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED) {
        window->style |= WS_MINIMIZE;
    } else if (command != SW_HIDE) {
        window->style &= ~static_cast<DWORD>(WS_MINIMIZE);
    }
    window->style = window->visible ? (window->style | WS_VISIBLE)
                                    : (window->style & ~static_cast<DWORD>(WS_VISIBLE));
    backend::UpdateNativeVisibility(window);
    if (window->visible) {
        window_system::InvalidateWindow(window);
    }
    return wasVisible;
}

HICON LoadIconA(HINSTANCE, LPCSTR name)
{
    return reinterpret_cast<HICON>(const_cast<char*>(name));
}

HCURSOR LoadCursorA(HINSTANCE, LPCSTR name)
{
    return reinterpret_cast<HCURSOR>(const_cast<char*>(name));
}

HGDIOBJ GetStockObject(int object)
{
    // Stock objects are handles the platform makes up; none is ever drawn with.
    return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(0x80000000u | static_cast<unsigned>(object)));
}

int MessageBoxA(HWND window, LPCSTR text, LPCSTR caption, UINT type)
{
    std::string shownText = text ? text : "";
    std::string shownCaption = caption ? caption : "";
    backend::Trace("MessageBoxA(" + shownCaption + "," + shownText + ")");
    return backend::ShowMessageBox(window, shownText.c_str(), shownCaption.c_str(), type);
}

BOOL GetCursorPos(POINT* point)
{
    return point && backend::CursorPosition(point) ? TRUE : FALSE;
}

DWORD GetTickCount()
{
    return static_cast<DWORD>(backend::MonotonicMicroseconds() / 1000);
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count) {
        return FALSE;
    }
    count->QuadPart = static_cast<LONGLONG>(backend::MonotonicMicroseconds());
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency) {
        return FALSE;
    }
    frequency->QuadPart = 1000000;
    return TRUE;
}
