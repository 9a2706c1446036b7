#include "TextOutput.h"

#include "D3D8RenderDevice.h"
#include "font.h"

TextOutput::TextOutput()
    : m_pkRenderDevice(nullptr), m_pkTextManager(nullptr), m_fStepAccumulator(0.0f)
{
}

TextOutput::~TextOutput()
{
    delete m_pkTextManager;
    m_pkTextManager = nullptr;
    delete m_pkRenderDevice;
    m_pkRenderDevice = nullptr;
}

bool TextOutput::Init(HWND window, IDirect3DDevice8* device)
{
    RECT client = {};
    GetClientRect(window, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    D3D8RenderDevice* renderDevice = new D3D8RenderDevice;
    if (const char* error = renderDevice->Attach(window, width, height, 1, device)) {
        MessageBoxA(window, error, "D3D8 Error", MB_OK);
        delete renderDevice;
        return false;
    }
    m_pkRenderDevice = renderDevice;
    m_pkTextManager = new TextManager(m_pkRenderDevice);
    m_pkRenderDevice->SetProjection(1.570795f, 10.0f, 2000.0f, 1.0f);
    return true;
}

bool TextOutput::LoadFont(const char* fileName)
{
    return m_pkTextManager && m_pkTextManager->SelectFont(fileName);
}

void TextOutput::DrawString(float x, float y, float scale, int a, int r, int g, int b,
                            const char* text)
{
    if (!m_pkTextManager) {
        return;
    }
    m_pkTextManager->SetColor(a, r, g, b);
    m_pkTextManager->SetDrawFlags(DRAW_BLEND_ADD);
    m_pkTextManager->QueueText(x, y, text, scale);
    m_pkTextManager->Flush();
    m_pkTextManager->EndDraw();
}

void TextOutput::DrawStringTwoPass(float x, float y, float scale, int a, int r, int g, int b,
                                   const char* text)
{
    if (!m_pkTextManager) {
        return;
    }
    m_pkTextManager->SetColor(a, 255 - r, 255 - g, 255 - b);
    m_pkTextManager->SetDrawFlags(DRAW_BLEND_INVMODULATE);
    m_pkTextManager->QueueText(x, y, text, scale);
    m_pkTextManager->SetColor(a, r, g, b);
    m_pkTextManager->SetDrawFlags(DRAW_BLEND_ADD);
    m_pkTextManager->QueueText(x, y, text, scale);
    m_pkTextManager->Flush();
    m_pkTextManager->EndDraw();
}

void TextOutput::RunFixedSteps(float)
{
    if (m_fStepAccumulator > 1.0f) {
        m_fStepAccumulator = 1.0f;
    }
    while (m_fStepAccumulator >= kFixedStep) {
        Step(kFixedStep);
        m_fStepAccumulator -= kFixedStep;
    }
}

void TextOutput::Step(float) {}
