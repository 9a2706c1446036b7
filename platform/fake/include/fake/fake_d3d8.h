// The Direct3D 8 side of the test world: what the device was told, what it drew, and the
// answers and memory layouts that tests choose. fake::Reset() puts all of it back.
//
// Every call is logged through fake::Log as "Interface::Method(arguments)", integers in
// decimal, floats as printed by %g, pointers as "null" or "ptr", e.g.
// "IDirect3DDevice8::SetRenderState(27,1)". Every method can be made to fail with
// fake::FailCall("IDirect3DDevice8::Present") and the like; Direct3DCreate8 fails as
// "Direct3DCreate8" (it then returns null). A failed call returns E_FAIL and changes nothing.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3d8.h"

namespace fake::d3d {

// One DrawPrimitiveUP, as the device saw it.
struct Draw {
    D3DPRIMITIVETYPE type;
    UINT primitiveCount;
    DWORD fvf;  // the vertex shader set at the time
    UINT stride;
    std::vector<uint8_t> vertices;  // a copy of the vertex bytes the call read
    IDirect3DBaseTexture8* texture;  // bound to stage 0 at the time (may be gone since)
};
const std::vector<Draw>& Draws();
void ClearDraws();

// One CopyRects.
struct Copy {
    IDirect3DSurface8* source;
    std::vector<RECT> sourceRects;  // empty when the call passed none
    IDirect3DSurface8* destination;
    std::vector<POINT> destinationPoints;  // empty when the call passed none
};
const std::vector<Copy>& Copies();

// The device created last (not reference counted here), or null.
IDirect3DDevice8* LastDevice();
// The state the last device holds; unset states read as the defaults of Direct3D 8 where a
// test is likely to ask (culling CCW, lighting on, blending off, blend op ADD, stage-0
// modulate), else 0.
DWORD RenderState(D3DRENDERSTATETYPE state);
DWORD TextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state);
D3DMATRIX Transform(D3DTRANSFORMSTATETYPE state);  // identity until set
IDirect3DBaseTexture8* BoundTexture(DWORD stage);
DWORD VertexShader();
int SceneDepth();  // BeginScene minus EndScene
int PresentCount();

// What CreateDevice was called with, one entry per call (failed ones included).
struct DeviceRequest {
    UINT adapter;
    D3DDEVTYPE type;
    HWND focusWindow;
    DWORD behavior;
    D3DPRESENT_PARAMETERS parameters;
};
const std::vector<DeviceRequest>& DeviceRequests();
// The parameters of every Reset call, in order.
const std::vector<D3DPRESENT_PARAMETERS>& ResetRequests();

// The adapter: its current mode (default 1024x768, 60 Hz, X8R8G8B8) and its mode list
// (default: that one mode).
void SetDisplayMode(const D3DDISPLAYMODE& mode);
void SetModes(const std::vector<D3DDISPLAYMODE>& modes);
// CreateDevice returns D3DERR_NOTAVAILABLE for a back buffer in this format.
void RefuseBackBufferFormat(D3DFORMAT format);
// CreateTexture returns D3DERR_INVALIDCALL for this format.
void RefuseTextureFormat(D3DFORMAT format);
// CreateImageSurface returns D3DERR_INVALIDCALL for this format.
void RefuseSurfaceFormat(D3DFORMAT format);
// CheckDepthStencilMatch answers D3DERR_NOTAVAILABLE for this depth format.
void RefuseDepthStencilFormat(D3DFORMAT format);
// What TestCooperativeLevel answers (D3D_OK until set).
void SetCooperativeLevel(HRESULT result);

// Bytes added to the end of every row of texture levels and surfaces made from now on:
// pitch = width x bytes per pixel + padding.
void SetPitchPadding(int bytes);
// Bytes per pixel of a format in the fake's memory (1, 2, 3 or 4; depth formats included).
int BytesPerPixel(D3DFORMAT format);

// Textures and surfaces that are alive now.
struct Image {
    UINT width;
    UINT height;
    D3DFORMAT format;
    D3DPOOL pool;       // D3DPOOL_SYSTEMMEM for image surfaces and the back buffer
    UINT levels;        // as asked for; only level 0 has memory
    DWORD usage;
    int pitch;
    std::vector<uint8_t> bytes;  // level 0, pitch x height
    bool locked;
    int lockCount;
    int unlockCount;
};
// Null when the object is not a live texture (or surface) of the fake.
const Image* TextureImage(const IDirect3DBaseTexture8* texture);
const Image* SurfaceImage(const IDirect3DSurface8* surface);
// The last device's back buffer; CopyRects into it copies the bytes when the formats match.
const Image* BackBufferImage();
// The live textures in creation order.
std::vector<IDirect3DTexture8*> Textures();

// Live objects of each kind, for leak checks.
int LiveDirect3D();
int LiveDevices();
int LiveTextures();
int LiveSurfaces();  // image surfaces and surfaces handed out, not the back buffer itself

}  // namespace fake::d3d
