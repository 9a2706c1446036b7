// Direct3D 8 on OpenGL's fixed-function pipeline (compatibility profile). The device renders
// into an off-screen framebuffer of the back buffer's size and format; Present draws that
// picture onto the window (scaled to the desktop, shape kept, when full screen) and swaps.
#include <SDL.h>
#define GL_GLEXT_PROTOTYPES 1
#include <SDL_opengl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <vector>

#include "platform/d3d8.h"
#include "platform/sdl_test_hooks.h"
#include "ref_counted.h"
#include "sdl_d3d8.h"
#include "sdl_d3d_formats.h"
#include "sdl_window.h"

namespace {

// Larger textures or surfaces are refused rather than allocated.
constexpr UINT kMaxImageSide = 16384;
constexpr DWORD kStages = 8;
constexpr int kRenderStates = 256;
constexpr int kStageStates = 32;

class SdlTexture;
class SdlDevice;

// The device whose scene this thread has begun: the one that hears of its reads of the clock.
thread_local SdlDevice* t_sceneDevice = nullptr;

sdl_test_hooks::PresentMoments g_lastPresent = {};

// The GL context a device made; its resources check it before deleting GL objects.
struct Context {
    SDL_GLContext gl = nullptr;
    SDL_Window* window = nullptr;
    bool alive = false;
    std::set<SdlTexture*> textures;

    bool MakeCurrent() const
    {
        if (!alive) {
            return false;
        }
        if (SDL_GL_GetCurrentContext() != gl) {
            SDL_GL_MakeCurrent(window, gl);
        }
        return true;
    }
};

bool IsBackBufferFormat(D3DFORMAT format)
{
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8 || format == D3DFMT_R5G6B5 ||
           format == D3DFMT_X1R5G5B5 || format == D3DFMT_A1R5G5B5;
}

GLenum RenderbufferFormat(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_R5G6B5:
        return GL_RGB565;
    case D3DFMT_X1R5G5B5:
    case D3DFMT_A1R5G5B5:
        return GL_RGB5_A1;
    default:
        return GL_RGBA8;
    }
}

GLenum DepthFormat(D3DFORMAT format)
{
    switch (format) {
    case D3DFMT_D16:
        return GL_DEPTH_COMPONENT16;
    case D3DFMT_D24X8:
        return GL_DEPTH_COMPONENT24;
    case D3DFMT_D24S8:
        return GL_DEPTH24_STENCIL8;
    case D3DFMT_D32:
        return GL_DEPTH_COMPONENT32;
    default:
        return 0;
    }
}

D3DFORMAT FormatOfPixels(Uint32 sdlFormat)
{
    switch (SDL_BITSPERPIXEL(sdlFormat)) {
    case 16:
        return SDL_PIXELTYPE(sdlFormat) == SDL_PIXELTYPE_PACKED16 &&
                       SDL_PIXELLAYOUT(sdlFormat) == SDL_PACKEDLAYOUT_1555
                   ? D3DFMT_X1R5G5B5
                   : D3DFMT_R5G6B5;
    case 15:
        return D3DFMT_X1R5G5B5;
    default:
        return D3DFMT_X8R8G8B8;
    }
}

// Memory in a Direct3D format: what textures and surfaces lock.
struct Pixels {
    UINT width = 0;
    UINT height = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    int pitch = 0;
    std::vector<uint8_t> bytes;
    bool locked = false;

    void Allocate(UINT w, UINT h, D3DFORMAT f)
    {
        width = w;
        height = h;
        format = f;
        pitch = sdl_d3d::PitchOf(f, w);
        bytes.assign(size_t(pitch) * h, 0);
    }

    bool Contains(const RECT& rect) const
    {
        return rect.left >= 0 && rect.top >= 0 && rect.left <= rect.right &&
               rect.top <= rect.bottom && rect.right <= LONG(width) && rect.bottom <= LONG(height);
    }

    RECT Whole() const { return {0, 0, LONG(width), LONG(height)}; }

    HRESULT Lock(D3DLOCKED_RECT* out, const RECT* rect)
    {
        RECT area = rect ? *rect : Whole();
        if (!out || locked || !Contains(area)) {
            return D3DERR_INVALIDCALL;
        }
        locked = true;
        out->Pitch = pitch;
        out->pBits = bytes.empty() ? nullptr
                                   : bytes.data() + size_t(area.top) * pitch +
                                         size_t(area.left) * sdl_d3d::BytesPerPixel(format);
        return D3D_OK;
    }

    HRESULT Unlock()
    {
        if (!locked) {
            return D3DERR_INVALIDCALL;
        }
        locked = false;
        return D3D_OK;
    }

    // The rectangle as RGBA bytes, top row first.
    std::vector<uint8_t> Rgba(const RECT& rect) const
    {
        UINT w = UINT(rect.right - rect.left);
        std::vector<uint8_t> rgba(size_t(w) * UINT(rect.bottom - rect.top) * 4);
        int bytesPerPixel = sdl_d3d::BytesPerPixel(format);
        for (LONG y = rect.top; y < rect.bottom; ++y) {
            sdl_d3d::RowToRgba(format,
                               bytes.data() + size_t(y) * pitch + size_t(rect.left) * bytesPerPixel,
                               w, rgba.data() + size_t(y - rect.top) * w * 4);
        }
        return rgba;
    }
};

class SdlDevice;

class SdlSurface : public RefCounted<IDirect3DSurface8> {
public:
    // An image surface in memory.
    SdlSurface(UINT width, UINT height, D3DFORMAT format) { m_pixels.Allocate(width, height, format); }
    // The device's back buffer: locking it reads the picture back.
    explicit SdlSurface(SdlDevice* device) : m_device(device) {}

    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD flags) override;

    HRESULT UnlockRect() override { return m_pixels.Unlock(); }

    bool IsBackBuffer() const { return m_device != nullptr || m_orphanBackBuffer; }
    void Orphan()
    {
        m_device = nullptr;
        m_orphanBackBuffer = true;
    }
    const Pixels& Memory() const { return m_pixels; }

private:
    ~SdlSurface() override = default;

    Pixels m_pixels;
    SdlDevice* m_device = nullptr;
    bool m_orphanBackBuffer = false;
};

class SdlTexture : public RefCounted<IDirect3DTexture8> {
public:
    SdlTexture(std::shared_ptr<Context> context, UINT width, UINT height, UINT levels,
               DWORD usage, D3DFORMAT format, D3DPOOL pool)
        : m_context(std::move(context)), m_usage(usage), m_pool(pool)
    {
        m_levels.resize(levels);
        for (UINT level = 0; level < levels; ++level) {
            m_levels[level].Allocate(std::max(1u, width >> level), std::max(1u, height >> level),
                                     format);
        }
        m_context->textures.insert(this);
        m_context->MakeCurrent();
        glGenTextures(1, &m_name);
        glBindTexture(GL_TEXTURE_2D, m_name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
        Upload();
    }

    DWORD GetLevelCount() override { return DWORD(m_levels.size()); }

    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override
    {
        if (!desc || level >= m_levels.size()) {
            return D3DERR_INVALIDCALL;
        }
        const Pixels& pixels = m_levels[level];
        *desc = {pixels.format, D3DRTYPE_SURFACE, m_usage, m_pool, UINT(pixels.bytes.size()),
                 D3DMULTISAMPLE_NONE, pixels.width, pixels.height};
        return D3D_OK;
    }

    // Levels are memory owned by the texture, not surfaces of their own.
    HRESULT GetSurfaceLevel(UINT, IDirect3DSurface8** surface) override
    {
        if (surface) {
            *surface = nullptr;
        }
        return D3DERR_NOTAVAILABLE;
    }

    HRESULT LockRect(UINT level, D3DLOCKED_RECT* locked, const RECT* rect, DWORD) override
    {
        return level < m_levels.size() ? m_levels[level].Lock(locked, rect) : D3DERR_INVALIDCALL;
    }

    HRESULT UnlockRect(UINT level) override
    {
        if (level >= m_levels.size()) {
            return D3DERR_INVALIDCALL;
        }
        HRESULT result = m_levels[level].Unlock();
        if (result == D3D_OK && level == 0) {
            Upload();
        }
        return result;
    }

    // Level 0 to OpenGL, converted to RGBA; only level 0 is sampled.
    void Upload()
    {
        if (!m_context->MakeCurrent()) {
            return;
        }
        const Pixels& top = m_levels[0];
        std::vector<uint8_t> rgba = top.Rgba(top.Whole());
        glBindTexture(GL_TEXTURE_2D, m_name);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, GLsizei(top.width), GLsizei(top.height), 0,
                     GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    }

    GLuint Name() const { return m_name; }
    D3DPOOL Pool() const { return m_pool; }

private:
    ~SdlTexture() override
    {
        m_context->textures.erase(this);
        if (m_context->MakeCurrent()) {
            glDeleteTextures(1, &m_name);
        }
    }

    std::shared_ptr<Context> m_context;
    std::vector<Pixels> m_levels;
    DWORD m_usage;
    D3DPOOL m_pool;
    GLuint m_name = 0;
};

enum class Loss { kNone, kLost, kNotReset };

std::set<SdlDevice*>& LiveDevices()
{
    static std::set<SdlDevice*> devices;
    return devices;
}

D3DMATRIX Identity()
{
    D3DMATRIX matrix{};
    for (int i = 0; i < 4; ++i) {
        matrix.m[i][i] = 1.0f;
    }
    return matrix;
}

D3DMATRIX Multiply(const D3DMATRIX& a, const D3DMATRIX& b)
{
    D3DMATRIX product{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            for (int k = 0; k < 4; ++k) {
                product.m[row][column] += a.m[row][k] * b.m[k][column];
            }
        }
    }
    return product;
}

GLenum BlendFactor(DWORD blend)
{
    switch (blend) {
    case D3DBLEND_ZERO:
        return GL_ZERO;
    case D3DBLEND_ONE:
        return GL_ONE;
    case D3DBLEND_SRCCOLOR:
        return GL_SRC_COLOR;
    case D3DBLEND_INVSRCCOLOR:
        return GL_ONE_MINUS_SRC_COLOR;
    case D3DBLEND_SRCALPHA:
    case D3DBLEND_BOTHSRCALPHA:
        return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
    case D3DBLEND_BOTHINVSRCALPHA:
        return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTALPHA:
        return GL_DST_ALPHA;
    case D3DBLEND_INVDESTALPHA:
        return GL_ONE_MINUS_DST_ALPHA;
    case D3DBLEND_DESTCOLOR:
        return GL_DST_COLOR;
    case D3DBLEND_INVDESTCOLOR:
        return GL_ONE_MINUS_DST_COLOR;
    case D3DBLEND_SRCALPHASAT:
        return GL_SRC_ALPHA_SATURATE;
    default:
        return GL_ONE;
    }
}

GLenum BlendEquation(DWORD op)
{
    switch (op) {
    case D3DBLENDOP_SUBTRACT:
        return GL_FUNC_SUBTRACT;
    case D3DBLENDOP_REVSUBTRACT:
        return GL_FUNC_REVERSE_SUBTRACT;
    case D3DBLENDOP_MIN:
        return GL_MIN;
    case D3DBLENDOP_MAX:
        return GL_MAX;
    default:
        return GL_FUNC_ADD;
    }
}

GLenum Primitive(D3DPRIMITIVETYPE type)
{
    switch (type) {
    case D3DPT_POINTLIST:
        return GL_POINTS;
    case D3DPT_LINELIST:
        return GL_LINES;
    case D3DPT_LINESTRIP:
        return GL_LINE_STRIP;
    case D3DPT_TRIANGLELIST:
        return GL_TRIANGLES;
    case D3DPT_TRIANGLESTRIP:
        return GL_TRIANGLE_STRIP;
    case D3DPT_TRIANGLEFAN:
        return GL_TRIANGLE_FAN;
    }
    return GL_POINTS;
}

UINT VertexCount(D3DPRIMITIVETYPE type, UINT primitives)
{
    switch (type) {
    case D3DPT_POINTLIST:
        return primitives;
    case D3DPT_LINELIST:
        return primitives * 2;
    case D3DPT_LINESTRIP:
        return primitives ? primitives + 1 : 0;
    case D3DPT_TRIANGLELIST:
        return primitives * 3;
    case D3DPT_TRIANGLESTRIP:
    case D3DPT_TRIANGLEFAN:
        return primitives ? primitives + 2 : 0;
    }
    return 0;
}

// Where a combiner argument comes from, and which part of it.
void CombinerSource(DWORD argument, bool alpha, GLenum* source, GLenum* operand)
{
    switch (argument & D3DTA_SELECTMASK) {
    case D3DTA_TEXTURE:
        *source = GL_TEXTURE;
        break;
    case D3DTA_TFACTOR:
        *source = GL_CONSTANT;
        break;
    default:
        *source = GL_PRIMARY_COLOR;
        break;
    }
    bool complement = (argument & D3DTA_COMPLEMENT) != 0;
    if (alpha || (argument & D3DTA_ALPHAREPLICATE)) {
        *operand = complement ? GL_ONE_MINUS_SRC_ALPHA : GL_SRC_ALPHA;
    } else {
        *operand = complement ? GL_ONE_MINUS_SRC_COLOR : GL_SRC_COLOR;
    }
}

// A texture operation as a GL combiner function and scale; false for ops it cannot do.
bool CombinerFunction(DWORD op, GLenum* function, GLfloat* scale)
{
    *scale = 1.0f;
    switch (op) {
    case D3DTOP_SELECTARG1:
    case D3DTOP_DISABLE:
        *function = GL_REPLACE;
        return true;
    case D3DTOP_SELECTARG2:
        *function = GL_REPLACE;
        return true;
    case D3DTOP_MODULATE4X:
        *scale = 4.0f;
        *function = GL_MODULATE;
        return true;
    case D3DTOP_MODULATE2X:
        *scale = 2.0f;
        *function = GL_MODULATE;
        return true;
    case D3DTOP_MODULATE:
        *function = GL_MODULATE;
        return true;
    case D3DTOP_ADD:
        *function = GL_ADD;
        return true;
    case D3DTOP_ADDSIGNED2X:
        *scale = 2.0f;
        *function = GL_ADD_SIGNED;
        return true;
    case D3DTOP_ADDSIGNED:
        *function = GL_ADD_SIGNED;
        return true;
    case D3DTOP_SUBTRACT:
        *function = GL_SUBTRACT;
        return true;
    default:
        return false;
    }
}

class SdlDevice : public RefCounted<IDirect3DDevice8> {
public:
    SdlDevice(std::shared_ptr<Context> context, HWND window) : m_context(std::move(context)), m_window(window)
    {
        LiveDevices().insert(this);
    }

    // Makes the off-screen target and applies the presentation parameters; false when the
    // format or size cannot be rendered.
    bool Configure(const D3DPRESENT_PARAMETERS& parameters)
    {
        UINT width = parameters.BackBufferWidth;
        UINT height = parameters.BackBufferHeight;
        SDL_Window* native = m_context->window;
        if (parameters.Windowed) {
            SDL_SetWindowFullscreen(native, 0);
            int clientWidth = 0;
            int clientHeight = 0;
            SDL_GL_GetDrawableSize(native, &clientWidth, &clientHeight);
            width = width ? width : UINT(std::max(1, clientWidth));
            height = height ? height : UINT(std::max(1, clientHeight));
        } else {
            SDL_SetWindowFullscreen(native, SDL_WINDOW_FULLSCREEN_DESKTOP);
        }
        if (!IsBackBufferFormat(parameters.BackBufferFormat) || width == 0 || height == 0 ||
            width > kMaxImageSide || height > kMaxImageSide) {
            return false;
        }
        GLenum depth = 0;
        if (parameters.EnableAutoDepthStencil) {
            depth = DepthFormat(parameters.AutoDepthStencilFormat);
            if (!depth) {
                return false;
            }
        }
        m_context->MakeCurrent();
        DeleteTarget();
        glGenFramebuffers(1, &m_framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
        glGenRenderbuffers(1, &m_colour);
        glBindRenderbuffer(GL_RENDERBUFFER, m_colour);
        glRenderbufferStorage(GL_RENDERBUFFER, RenderbufferFormat(parameters.BackBufferFormat),
                              GLsizei(width), GLsizei(height));
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, m_colour);
        if (depth) {
            glGenRenderbuffers(1, &m_depth);
            glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
            glRenderbufferStorage(GL_RENDERBUFFER, depth, GLsizei(width), GLsizei(height));
            GLenum attachment =
                depth == GL_DEPTH24_STENCIL8 ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT;
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, m_depth);
        }
        if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            DeleteTarget();
            return false;
        }
        m_parameters = parameters;
        m_width = width;
        m_height = height;
        m_fullScreen = !parameters.Windowed;
        SDL_GL_SetSwapInterval(
            m_fullScreen && parameters.FullScreen_PresentationInterval != D3DPRESENT_INTERVAL_IMMEDIATE
                ? 1
                : 0);
        glViewport(0, 0, GLsizei(width), GLsizei(height));
        SetDefaultStates();
        return true;
    }

    HRESULT TestCooperativeLevel() override
    {
        switch (m_loss) {
        case Loss::kLost:
            return D3DERR_DEVICELOST;
        case Loss::kNotReset:
            return D3DERR_DEVICENOTRESET;
        case Loss::kNone:
            break;
        }
        return D3D_OK;
    }

    HRESULT Reset(D3DPRESENT_PARAMETERS* parameters) override
    {
        if (!parameters) {
            return D3DERR_INVALIDCALL;
        }
        if (m_loss == Loss::kLost) {
            return D3DERR_DEVICELOST;
        }
        if (!Configure(*parameters)) {
            return D3DERR_INVALIDCALL;
        }
        for (SdlTexture* texture : m_context->textures) {
            if (texture->Pool() == D3DPOOL_MANAGED) {
                texture->Upload();
            }
        }
        m_loss = Loss::kNone;
        return D3D_OK;
    }

    HRESULT Present(const RECT*, const RECT*, HWND, const RGNDATA*) override
    {
        if (m_loss != Loss::kNone) {
            return D3DERR_DEVICELOST;
        }
        m_context->MakeCurrent();
        int drawableWidth = 0;
        int drawableHeight = 0;
        SDL_GL_GetDrawableSize(m_context->window, &drawableWidth, &drawableHeight);
        RECT target = {0, 0, drawableWidth, drawableHeight};
        if (m_fullScreen) {
            target = FitKeepingShape(drawableWidth, drawableHeight);
        }
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
        glDisable(GL_SCISSOR_TEST);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        bool sameSize = UINT(target.right - target.left) == m_width &&
                        UINT(target.bottom - target.top) == m_height;
        glBlitFramebuffer(0, 0, GLint(m_width), GLint(m_height), target.left,
                          drawableHeight - target.bottom, target.right, drawableHeight - target.top,
                          GL_COLOR_BUFFER_BIT, sameSize ? GL_NEAREST : GL_LINEAR);
        m_moments.presentBlitted = sdl::ClockMicroseconds();
        SDL_GL_SwapWindow(m_context->window);
        m_drawingQueued = false;
        m_moments.presentSwapped = sdl::ClockMicroseconds();
        g_lastPresent = m_moments;
        glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
        return D3D_OK;
    }

    // A read of the clock during the scene: the first is the frame's start; one that finds
    // drawing queued hands it to the renderer.
    void OnClockRead(uint64_t microseconds)
    {
        if (!m_moments.firstClockRead) {
            m_moments.firstClockRead = microseconds;
        }
        if (m_drawingQueued && m_context->MakeCurrent()) {
            glFlush();
            m_drawingQueued = false;
            m_moments.drawingSubmitted = microseconds;
        }
    }

    HRESULT GetBackBuffer(UINT index, D3DBACKBUFFER_TYPE, IDirect3DSurface8** surface) override
    {
        if (!surface || index != 0) {
            return D3DERR_INVALIDCALL;
        }
        if (!m_backBuffer) {
            m_backBuffer = new SdlSurface(this);
        }
        m_backBuffer->AddRef();
        *surface = m_backBuffer;
        return D3D_OK;
    }

    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture8** texture) override
    {
        if (!texture) {
            return D3DERR_INVALIDCALL;
        }
        *texture = nullptr;
        GLint maxSize = 0;
        m_context->MakeCurrent();
        glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
        if (width == 0 || height == 0 || width > UINT(maxSize) || height > UINT(maxSize) ||
            sdl_d3d::BytesPerPixel(format) == 0 || usage != 0) {
            return D3DERR_INVALIDCALL;
        }
        UINT fullChain = 1;
        for (UINT size = std::max(width, height); size > 1; size /= 2) {
            ++fullChain;
        }
        UINT levelCount = levels == 0 ? fullChain : std::min(levels, fullChain);
        *texture = new SdlTexture(m_context, width, height, levelCount, usage, format, pool);
        return D3D_OK;
    }

    HRESULT CreateImageSurface(UINT width, UINT height, D3DFORMAT format,
                               IDirect3DSurface8** surface) override
    {
        if (!surface) {
            return D3DERR_INVALIDCALL;
        }
        *surface = nullptr;
        if (width == 0 || height == 0 || width > kMaxImageSide || height > kMaxImageSide ||
            sdl_d3d::BytesPerPixel(format) == 0) {
            return D3DERR_INVALIDCALL;
        }
        *surface = new SdlSurface(width, height, format);
        return D3D_OK;
    }

    HRESULT CopyRects(IDirect3DSurface8* source, const RECT* sourceRects, UINT count,
                      IDirect3DSurface8* destination, const POINT* destinationPoints) override
    {
        auto* from = static_cast<SdlSurface*>(source);
        auto* to = static_cast<SdlSurface*>(destination);
        if (!from || !to || from->IsBackBuffer() || !to->IsBackBuffer() ||
            (sourceRects && count == 0)) {
            return D3DERR_INVALIDCALL;
        }
        const Pixels& pixels = from->Memory();
        UINT rects = sourceRects ? count : 1;
        for (UINT i = 0; i < rects; ++i) {
            RECT rect = sourceRects ? sourceRects[i] : pixels.Whole();
            POINT at = destinationPoints ? destinationPoints[i] : POINT{rect.left, rect.top};
            if (!pixels.Contains(rect) || !CopyToTarget(pixels.Rgba(rect), rect, at)) {
                return D3DERR_INVALIDCALL;
            }
        }
        return D3D_OK;
    }

    HRESULT BeginScene() override
    {
        if (m_inScene) {
            return D3DERR_INVALIDCALL;
        }
        m_inScene = true;
        m_moments = {};
        m_moments.sceneBegun = sdl::ClockMicroseconds();
        t_sceneDevice = this;
        return D3D_OK;
    }

    HRESULT EndScene() override
    {
        if (!m_inScene) {
            return D3DERR_INVALIDCALL;
        }
        m_inScene = false;
        m_moments.sceneEnded = sdl::ClockMicroseconds();
        LeaveScene();
        return D3D_OK;
    }

    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override
    {
        m_context->MakeCurrent();
        GLbitfield mask = 0;
        if (flags & D3DCLEAR_TARGET) {
            mask |= GL_COLOR_BUFFER_BIT;
            glClearColor(float((color >> 16) & 0xFF) / 255.0f, float((color >> 8) & 0xFF) / 255.0f,
                         float(color & 0xFF) / 255.0f, float(color >> 24) / 255.0f);
        }
        if ((flags & D3DCLEAR_ZBUFFER) && m_depth) {
            mask |= GL_DEPTH_BUFFER_BIT;
            glClearDepth(z);
        }
        if ((flags & D3DCLEAR_STENCIL) && m_depth) {
            mask |= GL_STENCIL_BUFFER_BIT;
            glClearStencil(GLint(stencil));
        }
        glDepthMask(GL_TRUE);
        glEnable(GL_SCISSOR_TEST);
        if (!rects || count == 0) {
            glScissor(0, 0, GLsizei(m_width), GLsizei(m_height));
            glClear(mask);
        }
        for (DWORD i = 0; rects && i < count; ++i) {
            const D3DRECT& r = rects[i];
            glScissor(r.x1, GLint(m_height) - r.y2, std::max(0, int(r.x2 - r.x1)),
                      std::max(0, int(r.y2 - r.y1)));
            glClear(mask);
        }
        glDisable(GL_SCISSOR_TEST);
        glDepthMask(m_renderStates[D3DRS_ZWRITEENABLE] ? GL_TRUE : GL_FALSE);
        return D3D_OK;
    }

    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const D3DMATRIX* matrix) override
    {
        if (!matrix) {
            return D3DERR_INVALIDCALL;
        }
        switch (state) {
        case D3DTS_WORLD:
            m_world = *matrix;
            break;
        case D3DTS_VIEW:
            m_view = *matrix;
            break;
        case D3DTS_PROJECTION:
            m_projection = *matrix;
            break;
        default:
            return D3D_OK;
        }
        m_matricesLoaded = MatrixMode::kNone;
        return D3D_OK;
    }

    HRESULT GetTransform(D3DTRANSFORMSTATETYPE state, D3DMATRIX* matrix) override
    {
        if (!matrix) {
            return D3DERR_INVALIDCALL;
        }
        switch (state) {
        case D3DTS_WORLD:
            *matrix = m_world;
            break;
        case D3DTS_VIEW:
            *matrix = m_view;
            break;
        case D3DTS_PROJECTION:
            *matrix = m_projection;
            break;
        default:
            *matrix = Identity();
            break;
        }
        return D3D_OK;
    }

    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override
    {
        if (state < 0 || state >= kRenderStates) {
            return D3DERR_INVALIDCALL;
        }
        m_renderStates[state] = value;
        m_context->MakeCurrent();
        ApplyRenderState(state);
        return D3D_OK;
    }

    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override
    {
        if (!value || state < 0 || state >= kRenderStates) {
            return D3DERR_INVALIDCALL;
        }
        *value = m_renderStates[state];
        return D3D_OK;
    }

    HRESULT SetTexture(DWORD stage, IDirect3DBaseTexture8* texture) override
    {
        if (stage >= kStages) {
            return D3DERR_INVALIDCALL;
        }
        if (texture) {
            texture->AddRef();
        }
        if (m_bound[stage]) {
            m_bound[stage]->Release();
        }
        m_bound[stage] = static_cast<SdlTexture*>(texture);
        if (stage == 0) {
            m_context->MakeCurrent();
            ApplyStageZero();
        }
        return D3D_OK;
    }

    HRESULT GetTexture(DWORD stage, IDirect3DBaseTexture8** texture) override
    {
        if (!texture || stage >= kStages) {
            return D3DERR_INVALIDCALL;
        }
        *texture = m_bound[stage];
        if (*texture) {
            (*texture)->AddRef();
        }
        return D3D_OK;
    }

    HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override
    {
        if (stage >= kStages || state < 0 || state >= kStageStates) {
            return D3DERR_INVALIDCALL;
        }
        m_stageStates[stage][state] = value;
        if (stage == 0) {
            m_context->MakeCurrent();
            ApplyStageZero();
        }
        return D3D_OK;
    }

    HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                 DWORD* value) override
    {
        if (!value || stage >= kStages || state < 0 || state >= kStageStates) {
            return D3DERR_INVALIDCALL;
        }
        *value = m_stageStates[stage][state];
        return D3D_OK;
    }

    HRESULT SetVertexShader(DWORD handle) override
    {
        m_fvf = handle;
        return D3D_OK;
    }

    HRESULT GetVertexShader(DWORD* handle) override
    {
        if (!handle) {
            return D3DERR_INVALIDCALL;
        }
        *handle = m_fvf;
        return D3D_OK;
    }

    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, UINT primitiveCount, const void* vertices,
                            UINT stride) override
    {
        UINT count = VertexCount(type, primitiveCount);
        DWORD position = m_fvf & D3DFVF_POSITION_MASK;
        if (count == 0) {
            return D3D_OK;
        }
        if (!vertices || (position != D3DFVF_XYZ && position != D3DFVF_XYZRHW) ||
            stride < VertexSize()) {
            return D3DERR_INVALIDCALL;
        }
        m_context->MakeCurrent();
        LoadMatrices(position == D3DFVF_XYZRHW ? MatrixMode::kScreen : MatrixMode::kWorld);
        SetLightingFor(position);
        if (m_bound[0]) {
            glBindTexture(GL_TEXTURE_2D, m_bound[0]->Name());
        }
        BindVertices(static_cast<const uint8_t*>(vertices), GLsizei(stride));
        glDrawArrays(Primitive(type), 0, GLsizei(count));
        m_drawingQueued = true;
        return D3D_OK;
    }

    BOOL ShowCursor(BOOL show) override
    {
        int previous = SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
        return previous == SDL_ENABLE ? TRUE : FALSE;
    }

    // The back buffer's picture, read back into memory in its format, top row first.
    HRESULT ReadBack(Pixels* pixels)
    {
        m_context->MakeCurrent();
        pixels->Allocate(m_width, m_height, m_parameters.BackBufferFormat);
        std::vector<uint8_t> rgba(size_t(m_width) * m_height * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, GLsizei(m_width), GLsizei(m_height), GL_RGBA, GL_UNSIGNED_BYTE,
                     rgba.data());
        for (UINT y = 0; y < m_height; ++y) {
            const uint8_t* row = rgba.data() + size_t(m_height - 1 - y) * m_width * 4;
            sdl_d3d::RowFromRgba(pixels->format, row, m_width,
                                 pixels->bytes.data() + size_t(y) * pixels->pitch);
        }
        return D3D_OK;
    }

    D3DFORMAT BackBufferFormat() const { return m_parameters.BackBufferFormat; }
    UINT Width() const { return m_width; }
    UINT Height() const { return m_height; }

    void OnWindowEvent(const SDL_WindowEvent& event)
    {
        if (!m_fullScreen || SDL_GetWindowFromID(event.windowID) != m_context->window) {
            return;
        }
        switch (event.event) {
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_HIDDEN:
            m_loss = Loss::kLost;
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN:
            if (m_loss == Loss::kLost) {
                m_loss = Loss::kNotReset;
            }
            break;
        default:
            break;
        }
    }

private:
    enum class MatrixMode { kNone, kWorld, kScreen };

    ~SdlDevice() override
    {
        LiveDevices().erase(this);
        LeaveScene();
        for (auto*& bound : m_bound) {
            if (bound) {
                bound->Release();
                bound = nullptr;
            }
        }
        if (m_backBuffer) {
            m_backBuffer->Orphan();
            m_backBuffer->Release();
        }
        if (m_context->MakeCurrent()) {
            DeleteTarget();
            SDL_GL_MakeCurrent(m_context->window, nullptr);
            SDL_GL_DeleteContext(m_context->gl);
        }
        m_context->alive = false;
        if (m_fullScreen && sdl::NativeWindow(m_window)) {
            SDL_SetWindowFullscreen(m_context->window, 0);
        }
    }

    void LeaveScene()
    {
        if (t_sceneDevice == this) {
            t_sceneDevice = nullptr;
        }
    }

    void DeleteTarget()
    {
        if (m_framebuffer) {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glDeleteFramebuffers(1, &m_framebuffer);
        }
        if (m_colour) {
            glDeleteRenderbuffers(1, &m_colour);
        }
        if (m_depth) {
            glDeleteRenderbuffers(1, &m_depth);
        }
        m_framebuffer = m_colour = m_depth = 0;
    }

    RECT FitKeepingShape(int width, int height) const
    {
        // The largest rectangle of the back buffer's shape that fits, centred.
        long scaledWidth = long(height) * long(m_width) / long(m_height);
        long scaledHeight = height;
        if (scaledWidth > width) {
            scaledWidth = width;
            scaledHeight = long(width) * long(m_height) / long(m_width);
        }
        LONG left = LONG((width - scaledWidth) / 2);
        LONG top = LONG((height - scaledHeight) / 2);
        return {left, top, LONG(left + scaledWidth), LONG(top + scaledHeight)};
    }

    bool CopyToTarget(const std::vector<uint8_t>& rgba, const RECT& rect, POINT at)
    {
        int w = int(rect.right - rect.left);
        int h = int(rect.bottom - rect.top);
        if (at.x < 0 || at.y < 0 || UINT(at.x + w) > m_width || UINT(at.y + h) > m_height) {
            return false;
        }
        if (w == 0 || h == 0) {
            return true;
        }
        m_context->MakeCurrent();
        GLuint texture = 0;
        GLuint framebuffer = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_framebuffer);
        GLint top = GLint(m_height) - at.y;
        glBlitFramebuffer(0, 0, w, h, at.x, top, at.x + w, top - h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
        glDeleteFramebuffers(1, &framebuffer);
        glDeleteTextures(1, &texture);
        ApplyStageZero();
        return true;
    }

    void SetDefaultStates()
    {
        std::fill(std::begin(m_renderStates), std::end(m_renderStates), 0);
        m_renderStates[D3DRS_ZENABLE] = m_parameters.EnableAutoDepthStencil ? D3DZB_TRUE : D3DZB_FALSE;
        m_renderStates[D3DRS_ZWRITEENABLE] = TRUE;
        m_renderStates[D3DRS_ZFUNC] = 4;  // less or equal
        m_renderStates[D3DRS_SRCBLEND] = D3DBLEND_ONE;
        m_renderStates[D3DRS_DESTBLEND] = D3DBLEND_ZERO;
        m_renderStates[D3DRS_CULLMODE] = D3DCULL_CCW;
        m_renderStates[D3DRS_LIGHTING] = TRUE;
        m_renderStates[D3DRS_COLORVERTEX] = TRUE;
        m_renderStates[D3DRS_BLENDOP] = D3DBLENDOP_ADD;
        for (DWORD stage = 0; stage < kStages; ++stage) {
            DWORD* states = m_stageStates[stage];
            std::fill(states, states + kStageStates, 0);
            states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
            states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
            states[D3DTSS_COLORARG1] = states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
            states[D3DTSS_COLORARG2] = states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
            states[D3DTSS_TEXCOORDINDEX] = stage;
            states[D3DTSS_MAGFILTER] = states[D3DTSS_MINFILTER] = D3DTEXF_POINT;
            states[D3DTSS_ADDRESSU] = states[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
        }
        for (auto*& bound : m_bound) {
            if (bound) {
                bound->Release();
                bound = nullptr;
            }
        }
        m_world = m_view = m_projection = Identity();
        m_matricesLoaded = MatrixMode::kNone;
        m_fvf = 0;
        GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
        glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
        glEnable(GL_COLOR_MATERIAL);
        glShadeModel(GL_SMOOTH);
        glFrontFace(GL_CCW);
        for (int state : {D3DRS_ZENABLE, D3DRS_ZWRITEENABLE, D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND,
                          D3DRS_CULLMODE, D3DRS_BLENDOP}) {
            ApplyRenderState(D3DRENDERSTATETYPE(state));
        }
        ApplyStageZero();
    }

    void ApplyRenderState(D3DRENDERSTATETYPE state)
    {
        DWORD value = m_renderStates[state];
        switch (state) {
        case D3DRS_ZENABLE:
            (value && m_depth) ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
            glDepthFunc(GL_LEQUAL);
            break;
        case D3DRS_ZWRITEENABLE:
            glDepthMask(value ? GL_TRUE : GL_FALSE);
            break;
        case D3DRS_ALPHABLENDENABLE:
            value ? glEnable(GL_BLEND) : glDisable(GL_BLEND);
            break;
        case D3DRS_SRCBLEND:
        case D3DRS_DESTBLEND:
            ApplyBlendFactors();
            break;
        case D3DRS_BLENDOP:
            glBlendEquation(BlendEquation(value));
            break;
        case D3DRS_CULLMODE:
            if (value == D3DCULL_NONE) {
                glDisable(GL_CULL_FACE);
            } else {
                glEnable(GL_CULL_FACE);
                glCullFace(value == D3DCULL_CW ? GL_FRONT : GL_BACK);
            }
            break;
        default:
            break;
        }
    }

    void ApplyBlendFactors()
    {
        DWORD source = m_renderStates[D3DRS_SRCBLEND];
        DWORD destination = m_renderStates[D3DRS_DESTBLEND];
        if (source == D3DBLEND_BOTHSRCALPHA) {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        } else if (source == D3DBLEND_BOTHINVSRCALPHA) {
            glBlendFunc(GL_ONE_MINUS_SRC_ALPHA, GL_SRC_ALPHA);
        } else {
            glBlendFunc(BlendFactor(source), BlendFactor(destination));
        }
    }

    // Stage 0 as a GL texture combiner; an unbound texture leaves the diffuse colour alone.
    void ApplyStageZero()
    {
        const DWORD* states = m_stageStates[0];
        SdlTexture* texture = m_bound[0];
        if (!texture || states[D3DTSS_COLOROP] == D3DTOP_DISABLE) {
            glDisable(GL_TEXTURE_2D);
            return;
        }
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, texture->Name());
        GLint magnify = states[D3DTSS_MAGFILTER] == D3DTEXF_POINT ? GL_NEAREST : GL_LINEAR;
        GLint minify = states[D3DTSS_MINFILTER] == D3DTEXF_POINT ? GL_NEAREST : GL_LINEAR;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnify);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minify);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, WrapMode(states[D3DTSS_ADDRESSU]));
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, WrapMode(states[D3DTSS_ADDRESSV]));
        glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
        SetCombiner(false, states[D3DTSS_COLOROP], states[D3DTSS_COLORARG1],
                    states[D3DTSS_COLORARG2]);
        DWORD alphaOp = states[D3DTSS_ALPHAOP] == D3DTOP_DISABLE ? DWORD(D3DTOP_SELECTARG2)
                                                                  : states[D3DTSS_ALPHAOP];
        DWORD alphaArg2 = states[D3DTSS_ALPHAOP] == D3DTOP_DISABLE ? DWORD(D3DTA_DIFFUSE)
                                                                    : states[D3DTSS_ALPHAARG2];
        SetCombiner(true, alphaOp, states[D3DTSS_ALPHAARG1], alphaArg2);
    }

    static GLint WrapMode(DWORD address)
    {
        switch (address) {
        case D3DTADDRESS_CLAMP:
            return GL_CLAMP_TO_EDGE;
        case D3DTADDRESS_MIRROR:
            return GL_MIRRORED_REPEAT;
        default:
            return GL_REPEAT;
        }
    }

    static void SetCombiner(bool alpha, DWORD op, DWORD argument1, DWORD argument2)
    {
        GLenum function = GL_MODULATE;
        GLfloat scale = 1.0f;
        if (!CombinerFunction(op, &function, &scale)) {
            function = GL_MODULATE;
        }
        DWORD first = op == D3DTOP_SELECTARG2 ? argument2 : argument1;
        GLenum source0 = GL_TEXTURE;
        GLenum operand0 = GL_SRC_COLOR;
        GLenum source1 = GL_PRIMARY_COLOR;
        GLenum operand1 = GL_SRC_COLOR;
        CombinerSource(first, alpha, &source0, &operand0);
        CombinerSource(argument2, alpha, &source1, &operand1);
        glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_COMBINE_ALPHA : GL_COMBINE_RGB, GLint(function));
        glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_SRC0_ALPHA : GL_SRC0_RGB, GLint(source0));
        glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_OPERAND0_ALPHA : GL_OPERAND0_RGB, GLint(operand0));
        glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_SRC1_ALPHA : GL_SRC1_RGB, GLint(source1));
        glTexEnvi(GL_TEXTURE_ENV, alpha ? GL_OPERAND1_ALPHA : GL_OPERAND1_RGB, GLint(operand1));
        glTexEnvf(GL_TEXTURE_ENV, alpha ? GL_ALPHA_SCALE : GL_RGB_SCALE, scale);
    }

    // Transformed vertices: world x view, then the projection moved onto GL's depth range
    // [-1, 1] and by half a pixel, since Direct3D's pixel centres lie on whole coordinates.
    // Pre-transformed vertices are screen pixels, y down. Both keep a sliver short of the half
    // pixel, so that centres on an edge fall as Direct3D's top-left rule puts them, and a
    // texture coordinate on a texel edge samples the texel inside the primitive.
    void LoadMatrices(MatrixMode mode)
    {
        if (m_matricesLoaded == mode) {
            return;
        }
        constexpr float kCentre = 0.5f - 1.0f / 128.0f;
        float w = float(m_width);
        float h = float(m_height);
        D3DMATRIX modelView = Identity();
        D3DMATRIX projection = Identity();
        if (mode == MatrixMode::kWorld) {
            D3DMATRIX correction = Identity();
            correction._33 = 2.0f;
            correction._41 = 2.0f * kCentre / w;
            correction._42 = -2.0f * kCentre / h;
            correction._43 = -1.0f;
            modelView = Multiply(m_world, m_view);
            projection = Multiply(m_projection, correction);
        } else {
            projection._11 = 2.0f / w;
            projection._22 = -2.0f / h;
            projection._33 = 2.0f;
            projection._41 = 2.0f * kCentre / w - 1.0f;
            projection._42 = 1.0f - 2.0f * kCentre / h;
            projection._43 = -1.0f;
        }
        glMatrixMode(GL_PROJECTION);
        glLoadMatrixf(&projection.m[0][0]);
        glMatrixMode(GL_MODELVIEW);
        glLoadMatrixf(&modelView.m[0][0]);
        m_matricesLoaded = mode;
    }

    // Lit vertices without lights take only the (black) ambient light, as Direct3D's do;
    // pre-transformed vertices are never lit.
    void SetLightingFor(DWORD position)
    {
        bool lit = m_renderStates[D3DRS_LIGHTING] && position == D3DFVF_XYZ;
        lit ? glEnable(GL_LIGHTING) : glDisable(GL_LIGHTING);
    }

    UINT VertexSize() const
    {
        UINT size = (m_fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW ? 16 : 12;
        size += (m_fvf & D3DFVF_NORMAL) ? 12 : 0;
        size += (m_fvf & D3DFVF_DIFFUSE) ? 4 : 0;
        size += (m_fvf & D3DFVF_SPECULAR) ? 4 : 0;
        size += 8 * ((m_fvf & D3DFVF_TEXCOUNT_MASK) >> D3DFVF_TEXCOUNT_SHIFT);
        return size;
    }

    void BindVertices(const uint8_t* vertices, GLsizei stride)
    {
        size_t offset = (m_fvf & D3DFVF_POSITION_MASK) == D3DFVF_XYZRHW ? 16 : 12;
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(3, GL_FLOAT, stride, vertices);
        if (m_fvf & D3DFVF_NORMAL) {
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, stride, vertices + offset);
            offset += 12;
        } else {
            glDisableClientState(GL_NORMAL_ARRAY);
        }
        if (m_fvf & D3DFVF_DIFFUSE) {
            glEnableClientState(GL_COLOR_ARRAY);
            glColorPointer(GL_BGRA, GL_UNSIGNED_BYTE, stride, vertices + offset);
            offset += 4;
        } else {
            glDisableClientState(GL_COLOR_ARRAY);
            glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        }
        offset += (m_fvf & D3DFVF_SPECULAR) ? 4 : 0;
        if (m_fvf & D3DFVF_TEXCOUNT_MASK) {
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glTexCoordPointer(2, GL_FLOAT, stride, vertices + offset);
        } else {
            glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        }
    }

    std::shared_ptr<Context> m_context;
    HWND m_window;
    D3DPRESENT_PARAMETERS m_parameters{};
    UINT m_width = 0;
    UINT m_height = 0;
    bool m_fullScreen = false;
    bool m_inScene = false;
    // Drawing issued since the renderer was last handed what is queued.
    bool m_drawingQueued = false;
    sdl_test_hooks::PresentMoments m_moments = {};
    Loss m_loss = Loss::kNone;
    GLuint m_framebuffer = 0;
    GLuint m_colour = 0;
    GLuint m_depth = 0;
    DWORD m_renderStates[kRenderStates] = {};
    DWORD m_stageStates[kStages][kStageStates] = {};
    SdlTexture* m_bound[kStages] = {};
    D3DMATRIX m_world = Identity();
    D3DMATRIX m_view = Identity();
    D3DMATRIX m_projection = Identity();
    MatrixMode m_matricesLoaded = MatrixMode::kNone;
    DWORD m_fvf = 0;
    SdlSurface* m_backBuffer = nullptr;
};

HRESULT SdlSurface::GetDesc(D3DSURFACE_DESC* desc)
{
    if (!desc) {
        return D3DERR_INVALIDCALL;
    }
    if (m_device) {
        *desc = {m_device->BackBufferFormat(), D3DRTYPE_SURFACE, D3DUSAGE_RENDERTARGET,
                 D3DPOOL_DEFAULT, 0, D3DMULTISAMPLE_NONE, m_device->Width(), m_device->Height()};
        return D3D_OK;
    }
    *desc = {m_pixels.format, D3DRTYPE_SURFACE, 0, D3DPOOL_SYSTEMMEM, UINT(m_pixels.bytes.size()),
             D3DMULTISAMPLE_NONE, m_pixels.width, m_pixels.height};
    return D3D_OK;
}

HRESULT SdlSurface::LockRect(D3DLOCKED_RECT* locked, const RECT* rect, DWORD)
{
    if (m_orphanBackBuffer) {
        return D3DERR_INVALIDCALL;
    }
    if (m_device && !m_pixels.locked) {
        m_device->ReadBack(&m_pixels);
    }
    return m_pixels.Lock(locked, rect);
}

void ListenForWindowEvents()
{
    static bool listening = false;
    if (listening) {
        return;
    }
    listening = true;
    sdl::AddEventListener([](const SDL_Event& event) {
        if (event.type != SDL_WINDOWEVENT) {
            return;
        }
        for (SdlDevice* device : LiveDevices()) {
            device->OnWindowEvent(event.window);
        }
    });
}

class SdlDirect3D : public RefCounted<IDirect3D8> {
public:
    UINT GetAdapterCount() override { return 1; }

    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* mode) override
    {
        SDL_DisplayMode desktop{};
        if (!mode || adapter != D3DADAPTER_DEFAULT || SDL_GetDesktopDisplayMode(0, &desktop) != 0) {
            return D3DERR_INVALIDCALL;
        }
        *mode = {UINT(desktop.w), UINT(desktop.h), UINT(desktop.refresh_rate),
                 FormatOfPixels(desktop.format)};
        return D3D_OK;
    }

    // Every size the display offers, in each format a full-screen device renders: the
    // picture is scaled onto the desktop, so no mode is ever switched to.
    UINT GetAdapterModeCount(UINT adapter) override
    {
        return adapter == D3DADAPTER_DEFAULT ? UINT(Modes().size()) : 0;
    }

    HRESULT EnumAdapterModes(UINT adapter, UINT index, D3DDISPLAYMODE* mode) override
    {
        std::vector<D3DDISPLAYMODE> modes = Modes();
        if (!mode || adapter != D3DADAPTER_DEFAULT || index >= modes.size()) {
            return D3DERR_INVALIDCALL;
        }
        *mode = modes[index];
        return D3D_OK;
    }

    HRESULT CheckDepthStencilMatch(UINT adapter, D3DDEVTYPE, D3DFORMAT, D3DFORMAT renderTarget,
                                   D3DFORMAT depthStencil) override
    {
        if (adapter != D3DADAPTER_DEFAULT) {
            return D3DERR_INVALIDCALL;
        }
        return IsBackBufferFormat(renderTarget) && DepthFormat(depthStencil) ? D3D_OK
                                                                              : D3DERR_NOTAVAILABLE;
    }

    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE, HWND focusWindow, DWORD,
                         D3DPRESENT_PARAMETERS* parameters, IDirect3DDevice8** device) override
    {
        if (!device) {
            return D3DERR_INVALIDCALL;
        }
        *device = nullptr;
        HWND window = parameters && parameters->hDeviceWindow ? parameters->hDeviceWindow : focusWindow;
        SDL_Window* native = sdl::NativeWindow(window);
        if (!parameters || adapter != D3DADAPTER_DEFAULT || !native) {
            return D3DERR_INVALIDCALL;
        }
        if (!IsBackBufferFormat(parameters->BackBufferFormat)) {
            return D3DERR_NOTAVAILABLE;
        }
        auto context = std::make_shared<Context>();
        context->window = native;
        context->gl = SDL_GL_CreateContext(native);
        if (!context->gl) {
            return D3DERR_NOTAVAILABLE;
        }
        context->alive = true;
        ListenForWindowEvents();
        auto* made = new SdlDevice(context, window);
        if (!made->Configure(*parameters)) {
            made->Release();
            return D3DERR_NOTAVAILABLE;
        }
        *device = made;
        return D3D_OK;
    }

private:
    ~SdlDirect3D() override = default;

    static std::vector<D3DDISPLAYMODE> Modes()
    {
        std::vector<D3DDISPLAYMODE> modes;
        int count = SDL_GetNumDisplayModes(0);
        for (D3DFORMAT format : {D3DFMT_X8R8G8B8, D3DFMT_R5G6B5}) {
            for (int i = 0; i < count; ++i) {
                SDL_DisplayMode mode{};
                if (SDL_GetDisplayMode(0, i, &mode) == 0) {
                    modes.push_back({UINT(mode.w), UINT(mode.h), UINT(mode.refresh_rate), format});
                }
            }
        }
        return modes;
    }

};

}  // namespace

void sdl::OnClockRead(uint64_t microseconds)
{
    if (t_sceneDevice) {
        t_sceneDevice->OnClockRead(microseconds);
    }
}

sdl_test_hooks::PresentMoments sdl_test_hooks::LastPresentMoments()
{
    return g_lastPresent;
}

IDirect3D8* Direct3DCreate8(UINT sdkVersion)
{
    if (sdkVersion != D3D_SDK_VERSION || !SDL_WasInit(SDL_INIT_VIDEO)) {
        return nullptr;
    }
    return new SdlDirect3D();
}
