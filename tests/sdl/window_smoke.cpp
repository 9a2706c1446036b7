// A real window under X: created, sized, placed and pumped; Frame ends the run after a number
// of frames. Passes when the pump ran them all and X showed the window with its title.
#include <cstdio>
#include <cstdlib>

#include "qnWindow.h"

namespace {

const char* const kTitle = "Orvik  -  Tamberlo Arcade";
constexpr int kFramesToRun = 60;
constexpr int kFrameThatLooks = 20;

class SmokeWindow : public qnWindow {
public:
    int Frame() override
    {
        ++m_iFrames;
        if (m_iFrames == kFrameThatLooks) {
            m_bTitleShown = std::system("xdotool search --onlyvisible --name "
                                        "'^Orvik  -  Tamberlo Arcade$' > /dev/null") == 0;
        }
        return m_iFrames < kFramesToRun ? 1 : 0;
    }
    int m_iFrames = 0;
    bool m_bTitleShown = false;
};

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    SmokeWindow kWindow;
    if (kWindow.Create(hInstance, kTitle, CW_USEDEFAULT, CW_USEDEFAULT,
                       WS_OVERLAPPEDWINDOW | WS_VISIBLE) != QN_OK) {
        std::fprintf(stderr, "window_smoke: Create failed\n");
        return 1;
    }
    kWindow.SetSize(1024, 768);
    kWindow.SetPosition(0, 0);
    kWindow.Run();
    auto [iWidth, iHeight] = kWindow.GetSize();
    std::printf("window_smoke: %d frames, title shown: %s, size %dx%d\n", kWindow.m_iFrames,
                kWindow.m_bTitleShown ? "yes" : "no", iWidth, iHeight);
    bool bPassed = kWindow.m_iFrames == kFramesToRun && kWindow.m_bTitleShown && iWidth == 1024 &&
                   iHeight == 768;
    return bPassed ? 0 : 1;
}
