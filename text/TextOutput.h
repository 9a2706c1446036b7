// The holder the game keeps by value: the render device and the text manager on the game's
// Direct3D device, and one-call string drawing.
#pragma once

#include <cstdint>

#include "platform/d3d8.h"
#include "platform/win32.h"

class D3D8RenderDevice;
class TextManager;

class TextOutput {
public:
    // The fixed step of RunFixedSteps: the float nearest 1/30, slightly above it.
    static constexpr float kFixedStep = 0.033333335f;

    TextOutput();
    ~TextOutput();
    TextOutput(const TextOutput&) = delete;
    TextOutput& operator=(const TextOutput&) = delete;

    bool Init(HWND window, IDirect3DDevice8* device);
    bool LoadFont(const char* fileName);
    // x, y: where the first glyph's top row begins; scale: the size of one font pixel.
    void DrawString(float x, float y, float scale, int a, int r, int g, int b, const char* text);
    void DrawStringTwoPass(float x, float y, float scale, int a, int r, int g, int b,
                           const char* text);
    void RunFixedSteps(float elapsed);
    void Step(float step);

private:
    D3D8RenderDevice* m_pkRenderDevice;
    TextManager* m_pkTextManager;
    float m_fStepAccumulator;
};
