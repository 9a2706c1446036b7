// The render device on a Direct3D 8 device: a table of up to 127 textures addressed by slot,
// uploads through any of nine pixel formats, and fans drawn under a cached draw-flag word.
#pragma once

#include <cstdint>

#include "RenderDevice.h"
#include "platform/d3d8.h"

// How 8-bit channels pack into one texel of a format: per channel a right shift (8 drops the
// channel) and a left shift.
struct PixelFormatInfo {
    D3DFORMAT m_eFormat;
    int m_iBytesPerPixel;
    int m_iRedRight;
    int m_iRedLeft;
    int m_iGreenRight;
    int m_iGreenLeft;
    int m_iBlueRight;
    int m_iBlueLeft;
    int m_iAlphaRight;
    int m_iAlphaLeft;

    uint32_t Pack(int r, int g, int b, int a) const;
};

struct TextureEntry {
    IDirect3DTexture8* m_pkTexture;
    D3DFORMAT m_eFormat;
    int m_iFormatIndex;
    int32_t m_iWidth;
    int32_t m_iHeight;
};

class D3D8RenderDevice : public RenderDevice {
public:
    // The nine formats in their order, then an all-zero row.
    static const PixelFormatInfo s_akPixelFormats[10];

    D3D8RenderDevice();
    ~D3D8RenderDevice() override;
    D3D8RenderDevice(const D3D8RenderDevice&) = delete;
    D3D8RenderDevice& operator=(const D3D8RenderDevice&) = delete;

    // Null on success, else an error text. The window and the flag are not used.
    const char* Attach(HWND window, int width, int height, int flag, IDirect3DDevice8* device);
    D3DFORMAT ChooseDepthStencilFormat(D3DFORMAT adapterFormat);
    void SetDefaultStates();
    void* LockTexture(int slot, int* pitch);
    void UnlockTexture(int slot);
    uint32_t PackColor(int slot, int r, int g, int b, int a) const;
    void SetStateFlags(uint32_t flags);

    int CreateTexture(int width, int height) override;
    void ReleaseTexture(int slot) override;
    void UploadTexture(int slot, const uint8_t* source, int destinationByteOffset,
                       int destinationRow, int width, int height, int sourcePitch,
                       const uint8_t* palette) override;
    void SetProjection(float fieldOfView, float nearPlane, float farPlane,
                       float aspectFactor) override;
    void Clear(D3DCOLOR color, float z) override;
    void SetTexture(int slot) override;
    void DrawFan(const TexturedVertex* vertices, int count, uint32_t flags) override;
    void ResetBlendMode() override;

private:
    bool HoldsTexture(int slot) const;

    IDirect3DDevice8* m_pkDevice;
    uint32_t m_uiAdapter;
    IDirect3D8* m_pkD3D;
    int32_t m_iWidth;
    int32_t m_iHeight;
    TextureEntry m_akTextures[kTextureSlotCount];
    uint32_t m_uiFlagCache;
    int32_t m_iCurrentSlot;
};
