// The vertex of the engine's textured drawing: position, diffuse colour and one set of texture
// coordinates, 24 bytes, in the fixed-function format XYZ | DIFFUSE | TEX1.
#pragma once

#include "platform/d3d8.h"

struct qnTexturedVertex {
    float x;
    float y;
    float z;
    D3DCOLOR color;
    float u;
    float v;
};
static_assert(sizeof(qnTexturedVertex) == 24);

constexpr DWORD kTexturedVertexFormat = D3DFVF_XYZ | D3DFVF_DIFFUSE | D3DFVF_TEX1;
static_assert(kTexturedVertexFormat == 0x142);
