// The D3DX 8 matrix helpers that the engine calls: left-handed constructions for row vectors
// (a point is the row (x, y, z, 1) multiplied on the left of the matrix), as Direct3D uses them.
#pragma once

#include "platform/d3d8.h"

struct D3DXVECTOR3 : public D3DVECTOR {
    D3DXVECTOR3() : D3DVECTOR{0.0f, 0.0f, 0.0f} {}
    D3DXVECTOR3(float fx, float fy, float fz) : D3DVECTOR{fx, fy, fz} {}
};

struct D3DXMATRIX : public D3DMATRIX {
    D3DXMATRIX() : D3DMATRIX{} {}
    D3DXMATRIX(const D3DMATRIX& matrix) : D3DMATRIX(matrix) {}
    float& operator()(UINT row, UINT column) { return m[row][column]; }
    float operator()(UINT row, UINT column) const { return m[row][column]; }
    D3DXMATRIX operator*(const D3DXMATRIX& right) const;
};

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out);
D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* left, const D3DXMATRIX* right);
// Turns about the x axis by the angle in radians: y toward z.
D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle);
D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up);
// Vertical field of view in radians, aspect = width / height; depth maps near..far to 0..1.
D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar);
