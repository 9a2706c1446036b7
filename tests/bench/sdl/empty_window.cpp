// What an empty full-screen window with the Direct3D device on SDL and OpenGL costs, to set
// beside the game's figures: the start-up from the process start to the return of the first
// present, and the resident memory after a few cleared and presented frames.
#include <cstdio>

#include "ProcessMemory.h"
#include "ProcessStart.h"
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
        if (m_iFrames == 0) {
            m_dStartUp = MillisecondsSinceProcessStart();
        }
        return ++m_iFrames < kFrames ? 1 : 0;
    }

    qnScreen m_kScreen;
    int m_iFrames = 0;
    double m_dStartUp = 0.0;
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
    std::printf("  start-up: %.1f ms from the process start (as the kernel records it, to 10 ms) "
                "to the return of the first present\n",
                kWindow.m_dStartUp);
    PrintResidentMemory();
    return 0;
}
