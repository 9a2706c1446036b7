// Helpers of the real-window test programs: a window that runs a set number of frames, a
// count of failed checks, and the back buffer read back as pixels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3d8.h"
#include "qnWindow.h"

// A window whose pump runs the number of frames asked for and then returns.
class FrameCountWindow : public qnWindow {
public:
    void RunFrames(int iFrames);
    int Frame() override;

private:
    int m_iFramesLeft = 0;
};

// The checks of a real-window test program: each failure is told on stderr as
// "<program>: FAILED <what>" and counted.
namespace windowtest {

void SetProgramName(const char* acProgram);
void Check(bool bPassed, const std::string& kWhat);
int Failures();

}  // namespace windowtest

// The back buffer as 0xAARRGGBB pixels, row 0 at the top, and its size. Empty, with the reason
// on stderr, when the back buffer cannot be got or locked or is not 32 bits a pixel.
std::vector<uint32_t> ReadBackBuffer(IDirect3DDevice8* pkDevice, int* piWidth, int* piHeight);

// Whether each of red, green and blue differs by no more than the tolerance; alpha is ignored.
bool ColorsNear(uint32_t uiActual, uint32_t uiExpected, int iTolerance);
