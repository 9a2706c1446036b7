#include <cmath>

#include "platform/d3dx8.h"

namespace {

D3DXVECTOR3 Subtract(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return D3DXVECTOR3(a.x - b.x, a.y - b.y, a.z - b.z);
}

D3DXVECTOR3 Cross(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return D3DXVECTOR3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float Dot(const D3DXVECTOR3& a, const D3DXVECTOR3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

D3DXVECTOR3 Normalize(const D3DXVECTOR3& v)
{
    float length = std::sqrt(Dot(v, v));
    if (length == 0.0f) {
        return v;
    }
    return D3DXVECTOR3(v.x / length, v.y / length, v.z / length);
}

}  // namespace

D3DXMATRIX D3DXMATRIX::operator*(const D3DXMATRIX& right) const
{
    D3DXMATRIX product;
    D3DXMatrixMultiply(&product, this, &right);
    return product;
}

D3DXMATRIX* D3DXMatrixIdentity(D3DXMATRIX* out)
{
    *out = D3DXMATRIX();
    for (int i = 0; i < 4; ++i) {
        out->m[i][i] = 1.0f;
    }
    return out;
}

D3DXMATRIX* D3DXMatrixMultiply(D3DXMATRIX* out, const D3DXMATRIX* left, const D3DXMATRIX* right)
{
    D3DXMATRIX product;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) {
                sum += left->m[row][k] * right->m[k][column];
            }
            product.m[row][column] = sum;
        }
    }
    *out = product;
    return out;
}

D3DXMATRIX* D3DXMatrixRotationX(D3DXMATRIX* out, float angle)
{
    D3DXMatrixIdentity(out);
    float c = std::cos(angle);
    float s = std::sin(angle);
    out->_22 = c;
    out->_23 = s;
    out->_32 = -s;
    out->_33 = c;
    return out;
}

D3DXMATRIX* D3DXMatrixLookAtLH(D3DXMATRIX* out, const D3DXVECTOR3* eye, const D3DXVECTOR3* at,
                               const D3DXVECTOR3* up)
{
    D3DXVECTOR3 zAxis = Normalize(Subtract(*at, *eye));
    D3DXVECTOR3 xAxis = Normalize(Cross(*up, zAxis));
    D3DXVECTOR3 yAxis = Cross(zAxis, xAxis);
    D3DXMatrixIdentity(out);
    out->_11 = xAxis.x;
    out->_12 = yAxis.x;
    out->_13 = zAxis.x;
    out->_21 = xAxis.y;
    out->_22 = yAxis.y;
    out->_23 = zAxis.y;
    out->_31 = xAxis.z;
    out->_32 = yAxis.z;
    out->_33 = zAxis.z;
    out->_41 = -Dot(xAxis, *eye);
    out->_42 = -Dot(yAxis, *eye);
    out->_43 = -Dot(zAxis, *eye);
    return out;
}

D3DXMATRIX* D3DXMatrixPerspectiveFovLH(D3DXMATRIX* out, float fovY, float aspect, float zNear,
                                       float zFar)
{
    float yScale = 1.0f / std::tan(fovY / 2.0f);
    *out = D3DXMATRIX();
    out->_11 = yScale / aspect;
    out->_22 = yScale;
    out->_33 = zFar / (zFar - zNear);
    out->_34 = 1.0f;
    out->_43 = -zNear * zFar / (zFar - zNear);
    return out;
}
