#include "D3D8RenderDevice.h"

#include <cmath>
#include <initializer_list>

namespace {

// The state the flag cache starts from: no draw uses it, and it differs from every word with
// DRAW_NO_CULL in both the blend pair and the cull bit, so the first flags of a text frame
// (the page quads' DRAW_FAN | DRAW_NO_CULL) set both.
constexpr uint32_t kUnknownFlags = ~DRAW_NO_CULL;

constexpr uint32_t kTexturedVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;

struct BlendPair {
    D3DBLEND m_eSource;
    D3DBLEND m_eDestination;
};

constexpr BlendPair kBlendPairs[4] = {
    {D3DBLEND_SRCALPHA, D3DBLEND_INVSRCALPHA},
    {D3DBLEND_SRCALPHA, D3DBLEND_ONE},
    {D3DBLEND_ZERO, D3DBLEND_SRCCOLOR},
    {D3DBLEND_ZERO, D3DBLEND_INVSRCCOLOR},
};

}  // namespace

const PixelFormatInfo D3D8RenderDevice::s_akPixelFormats[10] = {
    {D3DFMT_R5G6B5, 2, 3, 11, 2, 5, 3, 0, 8, 0},
    {D3DFMT_R8G8B8, 3, 0, 16, 0, 8, 0, 0, 8, 0},
    {D3DFMT_A1R5G5B5, 2, 3, 10, 3, 5, 3, 0, 7, 15},
    {D3DFMT_X1R5G5B5, 2, 3, 10, 3, 5, 3, 0, 8, 16},
    {D3DFMT_R3G3B2, 1, 5, 5, 5, 2, 6, 0, 8, 0},
    {D3DFMT_A4R4G4B4, 2, 4, 8, 4, 4, 4, 0, 4, 12},
    {D3DFMT_A8R8G8B8, 4, 0, 16, 0, 8, 0, 0, 0, 24},
    {D3DFMT_A8R3G3B2, 2, 5, 5, 5, 2, 6, 0, 0, 8},
    {D3DFMT_X8R8G8B8, 4, 0, 16, 0, 8, 0, 0, 8, 24},
    {D3DFMT_UNKNOWN, 0, 0, 0, 0, 0, 0, 0, 0, 0},
};

uint32_t PixelFormatInfo::Pack(int r, int g, int b, int a) const
{
    const auto channel = [](int value, int right, int left) {
        return (static_cast<uint32_t>(value & 0xFF) >> right) << left;
    };
    return channel(r, m_iRedRight, m_iRedLeft) | channel(g, m_iGreenRight, m_iGreenLeft) |
           channel(b, m_iBlueRight, m_iBlueLeft) | channel(a, m_iAlphaRight, m_iAlphaLeft);
}

D3D8RenderDevice::D3D8RenderDevice()
    : m_pkDevice(nullptr),
      m_uiAdapter(0),
      m_pkD3D(nullptr),
      m_iWidth(0),
      m_iHeight(0),
      m_akTextures{},
      m_uiFlagCache(kUnknownFlags),
      m_iCurrentSlot(0)
{
}

D3D8RenderDevice::~D3D8RenderDevice() = default;

const char* D3D8RenderDevice::Attach(HWND, int width, int height, int, IDirect3DDevice8* device)
{
    m_pkDevice = device;
    m_iWidth = width;
    m_iHeight = height;
    return nullptr;
}

D3DFORMAT D3D8RenderDevice::ChooseDepthStencilFormat(D3DFORMAT adapterFormat)
{
    if (!m_pkD3D) {
        return D3DFMT_D16;
    }
    for (D3DFORMAT candidate : {D3DFMT_D32, D3DFMT_D24S8, D3DFMT_D16, D3DFMT_D15S1}) {
        if (SUCCEEDED(m_pkD3D->CheckDepthStencilMatch(m_uiAdapter, D3DDEVTYPE_HAL, adapterFormat,
                                                      adapterFormat, candidate))) {
            return candidate;
        }
    }
    return D3DFMT_D16;
}

void D3D8RenderDevice::SetDefaultStates()
{
    m_pkDevice->SetTextureStageState(0, D3DTSS_TEXCOORDINDEX, 0);
    m_pkDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    m_pkDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    m_pkDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    m_pkDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    m_pkDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    m_pkDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    m_pkDevice->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
    m_pkDevice->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    m_pkDevice->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE);
    m_pkDevice->SetRenderState(D3DRS_LIGHTING, FALSE);
    m_pkDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    m_uiFlagCache = 0xFFFFFFFFu;
    SetStateFlags(0);
}

bool D3D8RenderDevice::HoldsTexture(int slot) const
{
    return slot > 0 && slot < kTextureSlotCount && m_akTextures[slot].m_pkTexture;
}

void* D3D8RenderDevice::LockTexture(int slot, int* pitch)
{
    if (!HoldsTexture(slot)) {
        return nullptr;
    }
    D3DLOCKED_RECT locked = {};
    if (m_akTextures[slot].m_pkTexture->LockRect(0, &locked, nullptr, 0) != D3D_OK) {
        return nullptr;
    }
    if (pitch) {
        *pitch = locked.Pitch;
    }
    return locked.pBits;
}

void D3D8RenderDevice::UnlockTexture(int slot)
{
    if (HoldsTexture(slot)) {
        m_akTextures[slot].m_pkTexture->UnlockRect(0);
    }
}

uint32_t D3D8RenderDevice::PackColor(int slot, int r, int g, int b, int a) const
{
    return s_akPixelFormats[m_akTextures[slot].m_iFormatIndex].Pack(r, g, b, a);
}

void D3D8RenderDevice::SetStateFlags(uint32_t flags)
{
    if (flags == m_uiFlagCache) {
        return;
    }
    const uint32_t changed = m_uiFlagCache ^ flags;
    m_uiFlagCache = flags;
    const uint32_t blend = (flags & DRAW_BLEND_MASK) >> 8;
    if ((changed & DRAW_BLEND_MASK) != 0 && blend < 4) {
        m_pkDevice->SetRenderState(D3DRS_SRCBLEND, kBlendPairs[blend].m_eSource);
        m_pkDevice->SetRenderState(D3DRS_DESTBLEND, kBlendPairs[blend].m_eDestination);
    }
    if ((changed & DRAW_NO_CULL) != 0) {
        m_pkDevice->SetRenderState(D3DRS_CULLMODE,
                                   (flags & DRAW_NO_CULL) != 0 ? D3DCULL_NONE : D3DCULL_CCW);
    }
}

int D3D8RenderDevice::CreateTexture(int width, int height)
{
    for (int slot = 1; slot < kTextureSlotCount; ++slot) {
        TextureEntry& entry = m_akTextures[slot];
        if (entry.m_pkTexture) {
            continue;
        }
        IDirect3DTexture8* texture = nullptr;
        if (FAILED(m_pkDevice->CreateTexture(static_cast<UINT>(width), static_cast<UINT>(height),
                                             0, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &texture)) ||
            !texture) {
            continue;
        }
        entry = {texture, D3DFMT_R5G6B5, 0, width, height};
        return slot;
    }
    return 0;
}

void D3D8RenderDevice::ReleaseTexture(int slot)
{
    if (HoldsTexture(slot)) {
        m_akTextures[slot].m_pkTexture->Release();
        m_akTextures[slot].m_pkTexture = nullptr;
    }
}

void D3D8RenderDevice::UploadTexture(int slot, const uint8_t* source, int destinationByteOffset,
                                     int destinationRow, int width, int height, int sourcePitch,
                                     const uint8_t* palette)
{
    if (!HoldsTexture(slot)) {
        return;
    }
    const TextureEntry& entry = m_akTextures[slot];
    const PixelFormatInfo& format = s_akPixelFormats[entry.m_iFormatIndex];
    const int rowBytes = destinationByteOffset + width * format.m_iBytesPerPixel;
    if (destinationByteOffset < 0 || destinationRow < 0 || width < 0 || height < 0 ||
        destinationRow + height > entry.m_iHeight ||
        rowBytes > entry.m_iWidth * format.m_iBytesPerPixel) {
        return;
    }
    int pitch = 0;
    uint8_t* bits = static_cast<uint8_t*>(LockTexture(slot, &pitch));
    if (!bits) {
        return;
    }
    uint8_t* destinationRowStart = bits + destinationRow * pitch + destinationByteOffset;
    for (int i = 0; i < height; ++i) {
        const uint8_t* sourceRow = source + i * sourcePitch;
        uint8_t* destination = destinationRowStart;
        for (int j = 0; j < width; ++j) {
            const uint8_t* bgr = palette ? palette + 3 * sourceRow[j] : sourceRow + 3 * j;
            uint32_t packed = format.Pack(bgr[2], bgr[1], bgr[0], 255);
            for (int k = 0; k < format.m_iBytesPerPixel; ++k, packed >>= 8) {
                *destination++ = static_cast<uint8_t>(packed);
            }
        }
        destinationRowStart += pitch;
    }
    UnlockTexture(slot);
}

void D3D8RenderDevice::SetProjection(float fieldOfView, float nearPlane, float farPlane,
                                     float aspectFactor)
{
    const float aspect = (static_cast<float>(m_iWidth) / static_cast<float>(m_iHeight)) *
                         aspectFactor;
    const float t = std::sin(fieldOfView / 2.0f) / std::cos(fieldOfView / 2.0f);
    D3DMATRIX projection = {};
    projection._11 = 1.0f / t / aspect;
    projection._22 = 1.0f / t;
    projection._33 = farPlane / (farPlane - nearPlane);
    projection._34 = 1.0f;
    projection._43 = nearPlane * farPlane / (nearPlane - farPlane);
    m_pkDevice->SetTransform(D3DTS_PROJECTION, &projection);
}

void D3D8RenderDevice::Clear(D3DCOLOR color, float z)
{
    m_pkDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, color, z, 0);
}

void D3D8RenderDevice::SetTexture(int slot)
{
    if (slot == m_iCurrentSlot) {
        return;
    }
    m_iCurrentSlot = slot;
    m_pkDevice->SetTexture(0, HoldsTexture(slot) ? m_akTextures[slot].m_pkTexture : nullptr);
}

void D3D8RenderDevice::DrawFan(const TexturedVertex* vertices, int count, uint32_t flags)
{
    SetStateFlags(flags);
    if ((flags & DRAW_FAN) == 0) {
        return;
    }
    m_pkDevice->SetVertexShader(kTexturedVertexFormat);
    m_pkDevice->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, static_cast<UINT>(count - 2), vertices,
                                sizeof(TexturedVertex));
}

void D3D8RenderDevice::ResetBlendMode()
{
    m_pkDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    m_pkDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}
