// The drawing interface the text renderer works through, so that its cache and layout code
// never touch Direct3D themselves.
#pragma once

#include <cstdint>

#include "platform/d3d8.h"

// One corner of a textured quad: position, diffuse colour (a<<24 | r<<16 | g<<8 | b) and
// texture coordinates; 24 bytes, the fixed-function format XYZ | DIFFUSE | TEX1.
struct TexturedVertex {
    float m_fX;
    float m_fY;
    float m_fZ;
    D3DCOLOR m_uiColor;
    float m_fU;
    float m_fV;
};
static_assert(sizeof(TexturedVertex) == 24, "the vertex stride is 24 bytes");

// Draw flags: the word that selects what DrawFan does and the blend and cull states it uses.
constexpr uint32_t DRAW_FAN = 0x10;
constexpr uint32_t DRAW_BLEND_MASK = 0x700;
constexpr uint32_t DRAW_BLEND_ALPHA = 0x000;
constexpr uint32_t DRAW_BLEND_ADD = 0x100;
constexpr uint32_t DRAW_BLEND_MODULATE = 0x200;
constexpr uint32_t DRAW_BLEND_INVMODULATE = 0x300;
constexpr uint32_t DRAW_NO_CULL = 0x2000;

// Texture slots 1 to 127 name textures; 0 means no texture.
constexpr int kTextureSlotCount = 128;

class RenderDevice {
public:
    virtual ~RenderDevice() = default;
    virtual int CreateTexture(int width, int height) = 0;
    virtual void ReleaseTexture(int slot) = 0;
    virtual void UploadTexture(int slot, const uint8_t* source, int destinationByteOffset,
                               int destinationRow, int width, int height, int sourcePitch,
                               const uint8_t* palette) = 0;
    virtual void SetProjection(float /*fieldOfView*/, float /*nearPlane*/, float /*farPlane*/,
                               float /*aspectFactor*/)
    {
    }
    virtual void Clear(D3DCOLOR color, float z) = 0;
    virtual void SetTexture(int /*slot*/) {}
    virtual void DrawFan(const TexturedVertex* /*vertices*/, int /*count*/, uint32_t /*flags*/) {}
    virtual void ResetBlendMode() {}
};
