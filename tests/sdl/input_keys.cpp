// Keys pressed on the X display while the window has the focus reach qnKeyboard in DirectInput
// scan codes: Space 57, Escape 1 and the letter A 30 go down together and come up again.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "qnInputManager.h"
#include "qnKeyboard.h"
#include "qnWindow.h"

namespace {

const char* const kTitle = "Input keys test";
constexpr int kScanSpace = 57;
constexpr int kScanEscape = 1;
constexpr int kScanA = 30;

bool RunCommand(const char* acCommand)
{
    bool bDone = std::system(acCommand) == 0;
    if (!bDone) {
        std::fprintf(stderr, "input_keys: failed: %s\n", acCommand);
    }
    return bDone;
}

class KeysWindow : public qnWindow {
public:
    int Frame() override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ++m_iFrames;
        m_kKeyboard.Update();
        switch (m_iFrames) {
        case 10:
            m_bCommandsRan =
                RunCommand("xdotool search --name '^Input keys test$' windowfocus --sync");
            break;
        case 30: m_bCommandsRan &= RunCommand("xdotool keydown space Escape a"); break;
        case 50:
            m_bAllDown = m_kKeyboard.IsKeyDown(kScanSpace) && m_kKeyboard.IsKeyDown(kScanEscape) &&
                         m_kKeyboard.IsKeyDown(kScanA) && m_kKeyboard.IsKeyUp(kScanA + 1);
            m_bCommandsRan &= RunCommand("xdotool keyup space Escape a");
            break;
        case 70:
            m_bAllUp = m_kKeyboard.IsKeyUp(kScanSpace) && m_kKeyboard.IsKeyUp(kScanEscape) &&
                       m_kKeyboard.IsKeyUp(kScanA);
            m_iLastResult = m_kKeyboard.Update();
            break;
        default: break;
        }
        return m_iFrames < 70 ? 1 : 0;
    }

    qnKeyboard m_kKeyboard;
    int m_iFrames = 0;
    bool m_bCommandsRan = false;
    bool m_bAllDown = false;
    bool m_bAllUp = false;
    qnError m_iLastResult = -1;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    qnInputManager kInput;
    KeysWindow kWindow;
    if (kWindow.Create(hInstance, kTitle, 640, 480, WS_OVERLAPPEDWINDOW | WS_VISIBLE) != QN_OK) {
        std::fprintf(stderr, "input_keys: Create failed\n");
        return 1;
    }
    kWindow.SetPosition(0, 0);
    qnError iInput = kInput.Init(hInstance);
    qnError iKeyboard = kWindow.m_kKeyboard.Init(kWindow.GetHandle());
    kWindow.Run();
    std::printf("input_keys: init %d %d, commands %s, down %s, up %s, last read %d\n", iInput,
                iKeyboard, kWindow.m_bCommandsRan ? "ran" : "failed",
                kWindow.m_bAllDown ? "yes" : "no", kWindow.m_bAllUp ? "yes" : "no",
                kWindow.m_iLastResult);
    bool bPassed = iInput == QN_OK && iKeyboard == QN_OK && kWindow.m_bCommandsRan &&
                   kWindow.m_bAllDown && kWindow.m_bAllUp && kWindow.m_iLastResult == QN_OK;
    return bPassed ? 0 : 1;
}
