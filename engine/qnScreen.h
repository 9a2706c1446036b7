// The program's one screen: the Direct3D object and device, the display mode, the frame
// bracket with its frames-per-second measure, plain coloured lines, and the camera.
#pragma once

#include <cstdint>

#include "platform/d3d8.h"
#include "qnError.h"
#include "qnTimer.h"

class qnScreen {
public:
    qnScreen();
    explicit qnScreen(HWND hWindow);
    qnScreen(const qnScreen&) = delete;
    qnScreen& operator=(const qnScreen&) = delete;
    ~qnScreen();

    qnError Init(HWND hWindow);
    qnError SetMode(int iFullScreen, uint16_t uiWidth, uint16_t uiHeight, uint16_t uiDepth,
                    bool bHardware);
    // Culling off, no lighting, alpha blending, stage 0 modulating: set by SetMode, and again
    // after a device reset.
    void SetDefaultStates();
    qnError Clear(uint8_t uiRed, uint8_t uiGreen, uint8_t uiBlue, uint8_t uiAlpha);
    qnError StartFrame();
    qnError EndFrame();

    qnError DrawLine(float fX1, float fY1, float fX2, float fY2, uint8_t uiRed, uint8_t uiGreen,
                     uint8_t uiBlue, uint8_t uiAlpha);
    qnError DrawRectangle(float fX1, float fY1, float fX2, float fY2, uint8_t uiRed,
                          uint8_t uiGreen, uint8_t uiBlue, uint8_t uiAlpha);
    // A segment count of 0 draws nothing and succeeds.
    qnError DrawCircle(float fX, float fY, float fRadius, uint8_t uiRed, uint8_t uiGreen,
                       uint8_t uiBlue, uint8_t uiAlpha, unsigned int uiSegments);

    bool IsModeSupported(uint16_t uiWidth, uint16_t uiHeight, uint16_t uiDepth);
    void ShowCursor(BOOL bShow);

    IDirect3DDevice8* GetDevice() const;
    int GetFPS() const;
    // D3DFMT_UNKNOWN before the first successful SetMode.
    D3DFORMAT GetFormat() const;
    // 32 or 16; 0 for any other back-buffer format.
    int GetBitDepth() const;
    static qnScreen* GetSingleton();

    void SetCamera(float fEyeX, float fEyeY, float fEyeZ, float fAtX, float fAtY, float fAtZ);

private:
    qnError DrawLines(D3DPRIMITIVETYPE eType, unsigned int uiPrimitives, const void* pkVertices);

    IDirect3D8* m_pkD3D;
    IDirect3DDevice8* m_pkD3DDevice;
    int m_iFPS;
    HWND m_hWindow;
    qnTimer m_kTimer;
    D3DFORMAT m_eFormat;
    D3DPRESENT_PARAMETERS m_kPresentParameters;

    static qnScreen* m_pkSingleton;
};
