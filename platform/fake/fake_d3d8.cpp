// The fake Direct3D 8: objects with real memory and reference counts, a device that keeps
// and logs every state it is given, and the knobs tests turn (see fake/fake_d3d8.h).
#include "fake/fake_d3d8.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <type_traits>

#include "fake/fake_win32.h"

namespace {

class FakeSurface;
class FakeTexture;
class FakeDevice;

struct D3DWorld {
    std::vector<fake::d3d::Draw> draws;
    std::vector<fake::d3d::Copy> copies;
    std::vector<fake::d3d::DeviceRequest> deviceRequests;
    std::vector<D3DPRESENT_PARAMETERS> resetRequests;
    D3DDISPLAYMODE displayMode = {1024, 768, 60, D3DFMT_X8R8G8B8};
    std::vector<D3DDISPLAYMODE> modes = {{1024, 768, 60, D3DFMT_X8R8G8B8}};
    std::set<D3DFORMAT> refusedBackBuffers;
    std::set<D3DFORMAT> refusedTextures;
    std::set<D3DFORMAT> refusedSurfaces;
    std::set<D3DFORMAT> refusedDepthStencils;
    HRESULT cooperativeLevel = D3D_OK;
    int pitchPadding = 0;
    FakeDevice* lastDevice = nullptr;
    std::set<const void*> direct3D;
    std::set<const void*> devices;
    std::vector<FakeTexture*> textures;
    std::vector<FakeSurface*> surfaces;
};

D3DWorld& World()
{
    static D3DWorld world;
    return world;
}

void ResetWorld()
{
    World() = D3DWorld();
}

const bool kRegistered = (fake::OnReset(ResetWorld), true);

// Call arguments as the log shows them.
std::string Arg(const void* pointer)
{
    return pointer ? "ptr" : "null";
}

std::string Arg(float value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%g", static_cast<double>(value));
    return text;
}

template <typename T>
    requires std::is_integral_v<T> || std::is_enum_v<T>
std::string Arg(T value)
{
    if constexpr (std::is_enum_v<T>) {
        return std::to_string(static_cast<long long>(value));
    } else {
        return std::to_string(value);
    }
}

template <typename... Args>
void LogCall(const char* name, Args... args)
{
    if (!fake::Recording()) {
        return;
    }
    std::string text = std::string(name) + "(";
    bool first = true;
    ((text += (first ? "" : ",") + Arg(args), first = false), ...);
    fake::Log(text + ")");
}

UINT FullChainLevels(UINT width, UINT height)
{
    UINT levels = 1;
    for (UINT size = std::max(width, height); size > 1; size /= 2) {
        ++levels;
    }
    return levels;
}

fake::d3d::Image MakeImage(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool, UINT levels,
                           DWORD usage)
{
    fake::d3d::Image image{};
    image.width = width;
    image.height = height;
    image.format = format;
    image.pool = pool;
    image.levels = levels;
    image.usage = usage;
    image.pitch = static_cast<int>(width) * fake::d3d::BytesPerPixel(format) + World().pitchPadding;
    image.bytes.assign(static_cast<size_t>(image.pitch) * height, 0);
    return image;
}

bool InsideImage(const fake::d3d::Image& image, const RECT& rect)
{
    return rect.left >= 0 && rect.top >= 0 && rect.left <= rect.right && rect.top <= rect.bottom &&
           rect.right <= static_cast<LONG>(image.width) &&
           rect.bottom <= static_cast<LONG>(image.height);
}

HRESULT LockImage(fake::d3d::Image& image, D3DLOCKED_RECT* locked, const RECT* rect)
{
    RECT whole = {0, 0, static_cast<LONG>(image.width), static_cast<LONG>(image.height)};
    const RECT& area = rect ? *rect : whole;
    if (!locked || image.locked || !InsideImage(image, area)) {
        return D3DERR_INVALIDCALL;
    }
    image.locked = true;
    ++image.lockCount;
    locked->Pitch = image.pitch;
    size_t offset = static_cast<size_t>(area.top) * image.pitch +
                    static_cast<size_t>(area.left) * fake::d3d::BytesPerPixel(image.format);
    locked->pBits = image.bytes.empty() ? nullptr : image.bytes.data() + offset;
    return D3D_OK;
}

HRESULT UnlockImage(fake::d3d::Image& image)
{
    if (!image.locked) {
        return D3DERR_INVALIDCALL;
    }
    image.locked = false;
    ++image.unlockCount;
    return D3D_OK;
}

class FakeSurface : public IDirect3DSurface8 {
public:
    FakeSurface(const fake::d3d::Image& image, bool backBuffer)
        : m_image(image), m_backBuffer(backBuffer)
    {
        World().surfaces.push_back(this);
    }

    ULONG AddRef() override
    {
        LogCall("IDirect3DSurface8::AddRef");
        return ++m_references;
    }

    ULONG Release() override
    {
        LogCall("IDirect3DSurface8::Release");
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override
    {
        LogCall("IDirect3DSurface8::GetDesc");
        if (fake::ShouldFail("IDirect3DSurface8::GetDesc")) {
            return E_FAIL;
        }
        if (!desc) {
            return D3DERR_INVALIDCALL;
        }
        *desc = {m_image.format, D3DRTYPE_SURFACE, m_image.usage, m_image.pool,
                 static_cast<UINT>(m_image.bytes.size()), D3DMULTISAMPLE_NONE, m_image.width,
                 m_image.height};
        return D3D_OK;
    }

    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override
    {
        LogCall("IDirect3DSurface8::LockRect", rect, flags);
        if (fake::ShouldFail("IDirect3DSurface8::LockRect")) {
            return E_FAIL;
        }
        return LockImage(m_image, locked, rect);
    }

    HRESULT UnlockRect() override
    {
        LogCall("IDirect3DSurface8::UnlockRect");
        if (fake::ShouldFail("IDirect3DSurface8::UnlockRect")) {
            return E_FAIL;
        }
        return UnlockImage(m_image);
    }

    fake::d3d::Image& Image() { return m_image; }
    bool IsBackBuffer() const { return m_backBuffer; }

private:
    ~FakeSurface() override
    {
        auto& surfaces = World().surfaces;
        surfaces.erase(std::remove(surfaces.begin(), surfaces.end(), this), surfaces.end());
    }

    fake::d3d::Image m_image;
    bool m_backBuffer;
    ULONG m_references = 1;
};

FakeSurface* LiveSurface(const IDirect3DSurface8* surface)
{
    for (FakeSurface* live : World().surfaces) {
        if (static_cast<const IDirect3DSurface8*>(live) == surface) {
            return live;
        }
    }
    return nullptr;
}

class FakeTexture : public IDirect3DTexture8 {
public:
    explicit FakeTexture(const fake::d3d::Image& image) : m_image(image)
    {
        World().textures.push_back(this);
    }

    ULONG AddRef() override
    {
        LogCall("IDirect3DTexture8::AddRef");
        return ++m_references;
    }

    ULONG Release() override
    {
        LogCall("IDirect3DTexture8::Release");
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    DWORD GetLevelCount() override
    {
        LogCall("IDirect3DTexture8::GetLevelCount");
        return m_image.levels;
    }

    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override
    {
        LogCall("IDirect3DTexture8::GetLevelDesc", level);
        if (fake::ShouldFail("IDirect3DTexture8::GetLevelDesc")) {
            return E_FAIL;
        }
        if (!desc || level >= m_image.levels) {
            return D3DERR_INVALIDCALL;
        }
        UINT width = std::max(1u, m_image.width >> level);
        UINT height = std::max(1u, m_image.height >> level);
        *desc = {m_image.format, D3DRTYPE_SURFACE, m_image.usage, m_image.pool,
                 width * height * static_cast<UINT>(fake::d3d::BytesPerPixel(m_image.format)),
                 D3DMULTISAMPLE_NONE, width, height};
        return D3D_OK;
    }

    // The fake's levels are plain memory, not surfaces of their own.
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface8** surface) override
    {
        LogCall("IDirect3DTexture8::GetSurfaceLevel", level);
        if (surface) {
            *surface = nullptr;
        }
        return D3DERR_NOTAVAILABLE;
    }

    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override
    {
        LogCall("IDirect3DTexture8::LockRect", level, rect, flags);
        if (fake::ShouldFail("IDirect3DTexture8::LockRect")) {
            return E_FAIL;
        }
        if (level >= m_image.levels) {
            return D3DERR_INVALIDCALL;
        }
        return LockImage(LevelImage(level), locked, rect);
    }

    HRESULT UnlockRect(UINT level) override
    {
        LogCall("IDirect3DTexture8::UnlockRect", level);
        if (fake::ShouldFail("IDirect3DTexture8::UnlockRect")) {
            return E_FAIL;
        }
        if (level >= m_image.levels) {
            return D3DERR_INVALIDCALL;
        }
        return UnlockImage(LevelImage(level));
    }

    const fake::d3d::Image& Image() const { return m_image; }

private:
    ~FakeTexture() override
    {
        auto& textures = World().textures;
        textures.erase(std::remove(textures.begin(), textures.end(), this), textures.end());
    }

    // Level 0 is the image tests read; smaller levels get memory of their own when locked.
    fake::d3d::Image& LevelImage(UINT level)
    {
        if (level == 0) {
            return m_image;
        }
        auto found = m_smallerLevels.find(level);
        if (found == m_smallerLevels.end()) {
            UINT width = std::max(1u, m_image.width >> level);
            UINT height = std::max(1u, m_image.height >> level);
            found = m_smallerLevels
                        .emplace(level, MakeImage(width, height, m_image.format, m_image.pool, 1,
                                                  m_image.usage))
                        .first;
        }
        return found->second;
    }

    fake::d3d::Image m_image;
    std::map<UINT, fake::d3d::Image> m_smallerLevels;
    ULONG m_references = 1;
};

FakeTexture* LiveTexture(const IDirect3DBaseTexture8* texture)
{
    for (FakeTexture* live : World().textures) {
        if (static_cast<const IDirect3DBaseTexture8*>(live) == texture) {
            return live;
        }
    }
    return nullptr;
}

UINT VertexCount(D3DPRIMITIVETYPE type, UINT primitives)
{
    switch (type) {
    case D3DPT_POINTLIST:
        return primitives;
    case D3DPT_LINELIST:
        return primitives * 2;
    case D3DPT_LINESTRIP:
        return primitives == 0 ? 0 : primitives + 1;
    case D3DPT_TRIANGLELIST:
        return primitives * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
        return primitives == 0 ? 0 : primitives + 2;
    }
    return 0;
}

D3DMATRIX IdentityMatrix()
{
    D3DMATRIX matrix{};
    for (int i = 0; i < 4; ++i) {
        matrix.m[i][i] = 1.0f;
    }
    return matrix;
}

DWORD DefaultRenderState(D3DRENDERSTATETYPE state)
{
    switch (state) {
    case D3DRS_CULLMODE:
        return D3DCULL_CCW;
    case D3DRS_LIGHTING:
    case D3DRS_ZWRITEENABLE:
    case D3DRS_DITHERENABLE:
    case D3DRS_COLORVERTEX:
        return TRUE;
    case D3DRS_SRCBLEND:
        return D3DBLEND_ONE;
    case D3DRS_DESTBLEND:
        return D3DBLEND_ZERO;
    case D3DRS_BLENDOP:
        return D3DBLENDOP_ADD;
    default:
        return 0;
    }
}

DWORD DefaultTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state)
{
    switch (state) {
    case D3DTSS_COLOROP:
        return stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    case D3DTSS_ALPHAOP:
        return stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    case D3DTSS_COLORARG1:
    case D3DTSS_ALPHAARG1:
        return D3DTA_TEXTURE;
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAARG2:
        return D3DTA_CURRENT;
    case D3DTSS_TEXCOORDINDEX:
        return stage;
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER:
        return D3DTEXF_POINT;
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
    case D3DTSS_ADDRESSW:
        return D3DTADDRESS_WRAP;
    default:
        return 0;
    }
}

constexpr DWORD kStages = 8;

class FakeDevice : public IDirect3DDevice8 {
public:
    FakeDevice(HWND window, const D3DPRESENT_PARAMETERS& parameters) : m_window(window)
    {
        World().devices.insert(this);
        World().lastDevice = this;
        MakeBackBuffer(parameters);
    }

    ULONG AddRef() override
    {
        LogCall("IDirect3DDevice8::AddRef");
        return ++m_references;
    }

    ULONG Release() override
    {
        LogCall("IDirect3DDevice8::Release");
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT TestCooperativeLevel() override
    {
        LogCall("IDirect3DDevice8::TestCooperativeLevel");
        if (fake::ShouldFail("IDirect3DDevice8::TestCooperativeLevel")) {
            return E_FAIL;
        }
        return World().cooperativeLevel;
    }

    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override
    {
        LogCall("IDirect3DDevice8::Reset", parameters);
        if (parameters) {
            World().resetRequests.push_back(*parameters);
        }
        if (fake::ShouldFail("IDirect3DDevice8::Reset")) {
            return E_FAIL;
        }
        if (!parameters) {
            return D3DERR_INVALIDCALL;
        }
        m_renderStates.clear();
        m_stageStates.clear();
        m_transforms.clear();
        std::fill(std::begin(m_textures), std::end(m_textures), nullptr);
        m_vertexShader = 0;
        MakeBackBuffer(*parameters);
        return D3D_OK;
    }

    HRESULT Present(const RECT* source, const RECT* destination, HWND window,
                    const RGNDATA* dirty) override
    {
        LogCall("IDirect3DDevice8::Present", source, destination, window, dirty);
        if (fake::ShouldFail("IDirect3DDevice8::Present")) {
            return E_FAIL;
        }
        ++m_presents;
        return D3D_OK;
    }

    HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE type,
                          IDirect3DSurface8** surface) override
    {
        LogCall("IDirect3DDevice8::GetBackBuffer", index, type);
        if (fake::ShouldFail("IDirect3DDevice8::GetBackBuffer")) {
            return E_FAIL;
        }
        if (!surface || index != 0) {
            return D3DERR_INVALIDCALL;
        }
        m_backBuffer->AddRef();
        *surface = m_backBuffer;
        return D3D_OK;
    }

    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture8** texture) override
    {
        LogCall("IDirect3DDevice8::CreateTexture", width, height, levels, usage, format, pool);
        if (fake::ShouldFail("IDirect3DDevice8::CreateTexture")) {
            return E_FAIL;
        }
        if (!texture || width == 0 || height == 0 || World().refusedTextures.count(format) ||
            fake::d3d::BytesPerPixel(format) == 0) {
            return D3DERR_INVALIDCALL;
        }
        UINT fullChain = FullChainLevels(width, height);
        UINT levelCount = levels == 0 ? fullChain : std::min(levels, fullChain);
        *texture = new FakeTexture(MakeImage(width, height, format, pool, levelCount, usage));
        return D3D_OK;
    }

    HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format,
                               IDirect3DSurface8** surface) override
    {
        LogCall("IDirect3DDevice8::CreateImageSurface", width, height, format);
        if (fake::ShouldFail("IDirect3DDevice8::CreateImageSurface")) {
            return E_FAIL;
        }
        if (!surface || width == 0 || height == 0 || World().refusedSurfaces.count(format) ||
            fake::d3d::BytesPerPixel(format) == 0) {
            return D3DERR_INVALIDCALL;
        }
        *surface = new FakeSurface(MakeImage(width, height, format, D3DPOOL_SYSTEMMEM, 1, 0), false);
        return D3D_OK;
    }

    HRESULT CopyRects(IDirect3DSurface8* source, const RECT* sourceRects, UINT count,
                      IDirect3DSurface8* destination, const POINT* destinationPoints) override
    {
        LogCall("IDirect3DDevice8::CopyRects", source, sourceRects, count, destination,
                destinationPoints);
        if (fake::ShouldFail("IDirect3DDevice8::CopyRects")) {
            return E_FAIL;
        }
        FakeSurface* from = LiveSurface(source);
        FakeSurface* to = LiveSurface(destination);
        if (!from || !to || (sourceRects && count == 0)) {
            return D3DERR_INVALIDCALL;
        }
        fake::d3d::Copy copy{source, {}, destination, {}};
        if (sourceRects) {
            copy.sourceRects.assign(sourceRects, sourceRects + count);
        }
        if (destinationPoints) {
            copy.destinationPoints.assign(destinationPoints,
                                          destinationPoints + (sourceRects ? count : 1));
        }
        World().copies.push_back(copy);
        return CopyPixels(from->Image(), to->Image(), copy);
    }

    HRESULT BeginScene() override
    {
        LogCall("IDirect3DDevice8::BeginScene");
        if (fake::ShouldFail("IDirect3DDevice8::BeginScene")) {
            return E_FAIL;
        }
        ++m_sceneDepth;
        return D3D_OK;
    }

    HRESULT EndScene() override
    {
        LogCall("IDirect3DDevice8::EndScene");
        if (fake::ShouldFail("IDirect3DDevice8::EndScene")) {
            return E_FAIL;
        }
        --m_sceneDepth;
        return D3D_OK;
    }

    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override
    {
        LogCall("IDirect3DDevice8::Clear", count, rects, flags, color, z, stencil);
        if (fake::ShouldFail("IDirect3DDevice8::Clear")) {
            return E_FAIL;
        }
        return D3D_OK;
    }

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override
    {
        if (fake::Recording()) {
            std::string name = "IDirect3DDevice8::SetTransform(" + Arg(state);
            for (int i = 0; matrix && i < 16; ++i) {
                name += "," + Arg(matrix->m[i / 4][i % 4]);
            }
            fake::Log(name + ")");
        }
        if (fake::ShouldFail("IDirect3DDevice8::SetTransform")) {
            return E_FAIL;
        }
        if (!matrix) {
            return D3DERR_INVALIDCALL;
        }
        m_transforms[state] = *matrix;
        return D3D_OK;
    }

    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override
    {
        LogCall("IDirect3DDevice8::GetTransform", state);
        if (fake::ShouldFail("IDirect3DDevice8::GetTransform")) {
            return E_FAIL;
        }
        if (!matrix) {
            return D3DERR_INVALIDCALL;
        }
        *matrix = TransformOf(state);
        return D3D_OK;
    }

    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override
    {
        LogCall("IDirect3DDevice8::SetRenderState", state, value);
        if (fake::ShouldFail("IDirect3DDevice8::SetRenderState")) {
            return E_FAIL;
        }
        m_renderStates[state] = value;
        return D3D_OK;
    }

    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override
    {
        LogCall("IDirect3DDevice8::GetRenderState", state);
        if (fake::ShouldFail("IDirect3DDevice8::GetRenderState")) {
            return E_FAIL;
        }
        if (!value) {
            return D3DERR_INVALIDCALL;
        }
        *value = RenderStateOf(state);
        return D3D_OK;
    }

    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override
    {
        LogCall("IDirect3DDevice8::SetTexture", stage, texture);
        if (fake::ShouldFail("IDirect3DDevice8::SetTexture")) {
            return E_FAIL;
        }
        if (stage >= kStages) {
            return D3DERR_INVALIDCALL;
        }
        m_textures[stage] = texture;
        return D3D_OK;
    }

    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override
    {
        LogCall("IDirect3DDevice8::GetTexture", stage);
        if (fake::ShouldFail("IDirect3DDevice8::GetTexture")) {
            return E_FAIL;
        }
        if (!texture || stage >= kStages) {
            return D3DERR_INVALIDCALL;
        }
        *texture = m_textures[stage];
        if (*texture) {
            (*texture)->AddRef();
        }
        return D3D_OK;
    }

    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                 DWORD value) override
    {
        LogCall("IDirect3DDevice8::SetTextureStageState", stage, state, value);
        if (fake::ShouldFail("IDirect3DDevice8::SetTextureStageState")) {
            return E_FAIL;
        }
        if (stage >= kStages) {
            return D3DERR_INVALIDCALL;
        }
        m_stageStates[{stage, state}] = value;
        return D3D_OK;
    }

    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                 DWORD* value) override
    {
        LogCall("IDirect3DDevice8::GetTextureStageState", stage, state);
        if (fake::ShouldFail("IDirect3DDevice8::GetTextureStageState")) {
            return E_FAIL;
        }
        if (!value || stage >= kStages) {
            return D3DERR_INVALIDCALL;
        }
        *value = StageStateOf(stage, state);
        return D3D_OK;
    }

    HRESULT SetVertexShader(DWORD handle) override
    {
        LogCall("IDirect3DDevice8::SetVertexShader", handle);
        if (fake::ShouldFail("IDirect3DDevice8::SetVertexShader")) {
            return E_FAIL;
        }
        m_vertexShader = handle;
        return D3D_OK;
    }

    HRESULT GetVertexShader(DWORD* handle) override
    {
        LogCall("IDirect3DDevice8::GetVertexShader");
        if (fake::ShouldFail("IDirect3DDevice8::GetVertexShader")) {
            return E_FAIL;
        }
        if (!handle) {
            return D3DERR_INVALIDCALL;
        }
        *handle = m_vertexShader;
        return D3D_OK;
    }

    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                            UINT stride) override
    {
        LogCall("IDirect3DDevice8::DrawPrimitiveUP", type, primitiveCount, vertices, stride);
        if (fake::ShouldFail("IDirect3DDevice8::DrawPrimitiveUP")) {
            return E_FAIL;
        }
        UINT count = VertexCount(type, primitiveCount);
        if ((count > 0 && !vertices) || stride == 0) {
            return D3DERR_INVALIDCALL;
        }
        if (!fake::Recording()) {
            return D3D_OK;
        }
        const auto* bytes = static_cast<const uint8_t*>(vertices);
        World().draws.push_back({type, primitiveCount, m_vertexShader, stride,
                                 std::vector<uint8_t>(bytes, bytes + size_t(count) * stride),
                                 m_textures[0]});
        return D3D_OK;
    }

    BOOL ShowCursor(BOOL show) override
    {
        LogCall("IDirect3DDevice8::ShowCursor", show);
        BOOL previous = m_cursorShown;
        m_cursorShown = show;
        return previous;
    }

    DWORD RenderStateOf(D3DRENDERSTATETYPE state) const
    {
        auto found = m_renderStates.find(state);
        return found == m_renderStates.end() ? DefaultRenderState(state) : found->second;
    }

    DWORD StageStateOf(DWORD stage, D3DTEXTURESTAGESTATETYPE state) const
    {
        auto found = m_stageStates.find({stage, state});
        return found == m_stageStates.end() ? DefaultTextureStageState(stage, state)
                                            : found->second;
    }

    D3DMATRIX TransformOf(D3DTRANSFORMSTATETYPE state) const
    {
        auto found = m_transforms.find(state);
        return found == m_transforms.end() ? IdentityMatrix() : found->second;
    }

    IDirect3DBaseTexture8* TextureOf(DWORD stage) const
    {
        return stage < kStages ? m_textures[stage] : nullptr;
    }

    DWORD VertexShaderOf() const { return m_vertexShader; }
    int SceneDepthOf() const { return m_sceneDepth; }
    int PresentsOf() const { return m_presents; }
    const fake::d3d::Image* BackBuffer() const { return &m_backBuffer->Image(); }

private:
    ~FakeDevice() override
    {
        if (m_backBuffer) {
            m_backBuffer->Release();
        }
        World().devices.erase(this);
        if (World().lastDevice == this) {
            World().lastDevice = nullptr;
        }
    }

    void MakeBackBuffer(const D3DPRESENT_PARAMETERS& parameters)
    {
        UINT width = parameters.BackBufferWidth;
        UINT height = parameters.BackBufferHeight;
        RECT client = {0, 0, 0, 0};
        if (parameters.Windowed && (width == 0 || height == 0) && GetClientRect(m_window, &client)) {
            width = width ? width : static_cast<UINT>(client.right - client.left);
            height = height ? height : static_cast<UINT>(client.bottom - client.top);
        }
        if (m_backBuffer) {
            m_backBuffer->Release();
        }
        D3DFORMAT format = fake::d3d::BytesPerPixel(parameters.BackBufferFormat)
                               ? parameters.BackBufferFormat
                               : D3DFMT_X8R8G8B8;
        m_backBuffer = new FakeSurface(MakeImage(width, height, format, D3DPOOL_DEFAULT, 1,
                                                 D3DUSAGE_RENDERTARGET),
                                       true);
    }

    static HRESULT CopyPixels(fake::d3d::Image& from, fake::d3d::Image& to,
                              const fake::d3d::Copy& copy)
    {
        if (from.format != to.format) {
            return D3DERR_INVALIDCALL;
        }
        std::vector<RECT> rects = copy.sourceRects;
        if (rects.empty()) {
            rects.push_back({0, 0, static_cast<LONG>(from.width), static_cast<LONG>(from.height)});
        }
        int bytesPerPixel = fake::d3d::BytesPerPixel(from.format);
        for (size_t i = 0; i < rects.size(); ++i) {
            const RECT& rect = rects[i];
            POINT at = i < copy.destinationPoints.size() ? copy.destinationPoints[i]
                                                          : POINT{rect.left, rect.top};
            RECT target = {at.x, at.y, at.x + rect.right - rect.left, at.y + rect.bottom - rect.top};
            if (!InsideImage(from, rect) || !InsideImage(to, target)) {
                return D3DERR_INVALIDCALL;
            }
            size_t rowBytes = static_cast<size_t>(rect.right - rect.left) * bytesPerPixel;
            for (LONG row = 0; row < rect.bottom - rect.top && rowBytes > 0; ++row) {
                std::memcpy(to.bytes.data() + size_t(target.top + row) * to.pitch +
                                size_t(target.left) * bytesPerPixel,
                            from.bytes.data() + size_t(rect.top + row) * from.pitch +
                                size_t(rect.left) * bytesPerPixel,
                            rowBytes);
            }
        }
        return D3D_OK;
    }

    HWND m_window;
    ULONG m_references = 1;
    std::map<D3DRENDERSTATETYPE, DWORD> m_renderStates;
    std::map<std::pair<DWORD, D3DTEXTURESTAGESTATETYPE>, DWORD> m_stageStates;
    std::map<D3DTRANSFORMSTATETYPE, D3DMATRIX> m_transforms;
    IDirect3DBaseTexture8* m_textures[kStages] = {};
    DWORD m_vertexShader = 0;
    int m_sceneDepth = 0;
    int m_presents = 0;
    BOOL m_cursorShown = TRUE;
    FakeSurface* m_backBuffer = nullptr;
};

class FakeDirect3D : public IDirect3D8 {
public:
    FakeDirect3D() { World().direct3D.insert(this); }

    ULONG AddRef() override
    {
        LogCall("IDirect3D8::AddRef");
        return ++m_references;
    }

    ULONG Release() override
    {
        LogCall("IDirect3D8::Release");
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    UINT GetAdapterCount() override
    {
        LogCall("IDirect3D8::GetAdapterCount");
        return 1;
    }

    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override
    {
        LogCall("IDirect3D8::GetAdapterDisplayMode", adapter);
        if (fake::ShouldFail("IDirect3D8::GetAdapterDisplayMode")) {
            return E_FAIL;
        }
        if (!mode || adapter != D3DADAPTER_DEFAULT) {
            return D3DERR_INVALIDCALL;
        }
        *mode = World().displayMode;
        return D3D_OK;
    }

    UINT GetAdapterModeCount(UINT adapter) override
    {
        LogCall("IDirect3D8::GetAdapterModeCount", adapter);
        if (fake::ShouldFail("IDirect3D8::GetAdapterModeCount") || adapter != D3DADAPTER_DEFAULT) {
            return 0;
        }
        return static_cast<UINT>(World().modes.size());
    }

    HRESULT EnumAdapterModes(UINT adapter, UINT index, D3DDISPLAYMODE* mode) override
    {
        LogCall("IDirect3D8::EnumAdapterModes", adapter, index);
        if (fake::ShouldFail("IDirect3D8::EnumAdapterModes")) {
            return E_FAIL;
        }
        if (!mode || adapter != D3DADAPTER_DEFAULT || index >= World().modes.size()) {
            return D3DERR_INVALIDCALL;
        }
        *mode = World().modes[index];
        return D3D_OK;
    }

    HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                   D3DFORMAT renderTargetFormat,
                                   D3DFORMAT depthStencilFormat) override
    {
        LogCall("IDirect3D8::CheckDepthStencilMatch", adapter, type, adapterFormat,
                renderTargetFormat, depthStencilFormat);
        if (fake::ShouldFail("IDirect3D8::CheckDepthStencilMatch")) {
            return E_FAIL;
        }
        if (World().refusedDepthStencils.count(depthStencilFormat)) {
            return D3DERR_NOTAVAILABLE;
        }
        return D3D_OK;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE type, HWND focusWindow, DWORD behavior,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) override
    {
        LogCall("IDirect3D8::CreateDevice", adapter, type, focusWindow, behavior,
                parameters ? parameters->BackBufferFormat : D3DFMT_UNKNOWN);
        if (parameters) {
            World().deviceRequests.push_back({adapter, type, focusWindow, behavior, *parameters});
        }
        if (fake::ShouldFail("IDirect3D8::CreateDevice")) {
            return E_FAIL;
        }
        if (!parameters || !device || adapter != D3DADAPTER_DEFAULT) {
            return D3DERR_INVALIDCALL;
        }
        if (World().refusedBackBuffers.count(parameters->BackBufferFormat)) {
            return D3DERR_NOTAVAILABLE;
        }
        *device = new FakeDevice(focusWindow, *parameters);
        return D3D_OK;
    }

private:
    ~FakeDirect3D() override { World().direct3D.erase(this); }

    ULONG m_references = 1;
};

}  // namespace

IDirect3D8* Direct3DCreate8(UINT sdkVersion)
{
    LogCall("Direct3DCreate8", sdkVersion);
    if (fake::ShouldFail("Direct3DCreate8") || sdkVersion != D3D_SDK_VERSION) {
        return nullptr;
    }
    return new FakeDirect3D();
}

namespace fake::d3d {

const std::vector<Draw>& Draws()
{
    return World().draws;
}

void ClearDraws()
{
    World().draws.clear();
}

const std::vector<Copy>& Copies()
{
    return World().copies;
}

IDirect3DDevice8* LastDevice()
{
    return World().lastDevice;
}

DWORD RenderState(D3DRENDERSTATETYPE state)
{
    FakeDevice* device = World().lastDevice;
    return device ? device->RenderStateOf(state) : DefaultRenderState(state);
}

DWORD TextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state)
{
    FakeDevice* device = World().lastDevice;
    return device ? device->StageStateOf(stage, state) : DefaultTextureStageState(stage, state);
}

D3DMATRIX Transform(D3DTRANSFORMSTATETYPE state)
{
    FakeDevice* device = World().lastDevice;
    return device ? device->TransformOf(state) : IdentityMatrix();
}

IDirect3DBaseTexture8* BoundTexture(DWORD stage)
{
    FakeDevice* device = World().lastDevice;
    return device ? device->TextureOf(stage) : nullptr;
}

DWORD VertexShader()
{
    FakeDevice* device = World().lastDevice;
    return device ? device->VertexShaderOf() : 0;
}

int SceneDepth()
{
    FakeDevice* device = World().lastDevice;
    return device ? device->SceneDepthOf() : 0;
}

int PresentCount()
{
    FakeDevice* device = World().lastDevice;
    return device ? device->PresentsOf() : 0;
}

const std::vector<DeviceRequest>& DeviceRequests()
{
    return World().deviceRequests;
}

const std::vector<D3DPRESENT_PARAMETERS>& ResetRequests()
{
    return World().resetRequests;
}

void SetDisplayMode(const D3DDISPLAYMODE& mode)
{
    World().displayMode = mode;
}

void SetModes(const std::vector<D3DDISPLAYMODE>& modes)
{
    World().modes = modes;
}

void RefuseBackBufferFormat(D3DFORMAT format)
{
    World().refusedBackBuffers.insert(format);
}

void RefuseTextureFormat(D3DFORMAT format)
{
    World().refusedTextures.insert(format);
}

void RefuseSurfaceFormat(D3DFORMAT format)
{
    World().refusedSurfaces.insert(format);
}

void RefuseDepthStencilFormat(D3DFORMAT format)
{
    World().refusedDepthStencils.insert(format);
}

void SetCooperativeLevel(HRESULT result)
{
    World().cooperativeLevel = result;
}

void SetPitchPadding(int bytes)
{
    World().pitchPadding = std::max(0, bytes);
}

int BytesPerPixel(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_R3G3B2:
    case D3DFMT_A8:
    case D3DFMT_P8:
    case D3DFMT_L8:
    case D3DFMT_A4L4:
        return 1;
    case D3DFMT_R5G6B5:
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
    case D3DFMT_A4R4G4B4:
    case D3DFMT_A8R3G3B2:
    case D3DFMT_X4R4G4B4:
    case D3DFMT_A8P8:
    case D3DFMT_A8L8:
    case D3DFMT_D16_LOCKABLE:
    case D3DFMT_D15S1:
    case D3DFMT_D16:
        return 2;
    case D3DFMT_R8G8B8:
        return 3;
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
    case D3DFMT_D32:
    case D3DFMT_D24S8:
    case D3DFMT_D24X8:
    case D3DFMT_D24X4S4:
        return 4;
    case D3DFMT_UNKNOWN:
        return 0;
    }
    return 0;
}

const Image* TextureImage(const IDirect3DBaseTexture8* texture)
{
    FakeTexture* live = LiveTexture(texture);
    return live ? &live->Image() : nullptr;
}

const Image* SurfaceImage(const IDirect3DSurface8* surface)
{
    FakeSurface* live = LiveSurface(surface);
    return live ? &live->Image() : nullptr;
}

const Image* BackBufferImage()
{
    FakeDevice* device = World().lastDevice;
    return device ? device->BackBuffer() : nullptr;
}

std::vector<IDirect3DTexture8*> Textures()
{
    return std::vector<IDirect3DTexture8*>(World().textures.begin(), World().textures.end());
}

int LiveDirect3D()
{
    return static_cast<int>(World().direct3D.size());
}

int LiveDevices()
{
    return static_cast<int>(World().devices.size());
}

int LiveTextures()
{
    return static_cast<int>(World().textures.size());
}

int LiveSurfaces()
{
    int count = 0;
    for (FakeSurface* surface : World().surfaces) {
        count += surface->IsBackBuffer() ? 0 : 1;
    }
    return count;
}

}  // namespace fake::d3d
