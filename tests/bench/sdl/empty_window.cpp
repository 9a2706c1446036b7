// What an empty full-screen window with the Direct3D device on SDL and OpenGL costs in resident
// memory, to set beside the game's: clears and presents a few frames, then prints it.
#include <cstdio>

#include "ProcessMemory.h"
#include "qnScreen.h"
#include "qnWindow.h"

namespace {

constexpr int kFrames = 60;

class EmptyWindow : public qnWindow {
public:
    int Frame() override
    {
        m_kScreen.Clear(0, 0, 0, 0);
        m_kScreen.StartFrame();
        m_kScreen.EndFrame();
        return ++m_iFrames < kFrames ? 1 : 0;
    }

    qnScreen m_kScreen;
    int m_iFrames = 0;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    EmptyWindow kWindow;
    kWindow.Create(hInstance, "Empty window", CW_USEDEFAULT, CW_USEDEFAULT,
                   WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    kWindow.SetSize(1024, 768);
    kWindow.m_kScreen.Init(kWindow.GetHandle());
    kWindow.m_kScreen.SetMode(1, 1024, 768, 32, true);
    kWindow.Run();
    std::printf("empty SDL OpenGL window, %d frames:\n", kFrames);
    PrintResidentMemory();
    return 0;
}
