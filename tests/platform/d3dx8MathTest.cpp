// The D3DX constructions, checked on points whose images are known.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/d3dx8.h"

namespace {

struct Row {
    float x, y, z, w;
};

Row Transform(const D3DXMATRIX& m, float x, float y, float z)
{
    return {x * m._11 + y * m._21 + z * m._31 + m._41, x * m._12 + y * m._22 + z * m._32 + m._42,
            x * m._13 + y * m._23 + z * m._33 + m._43, x * m._14 + y * m._24 + z * m._34 + m._44};
}

TEST(D3dx8MathTest, RotationXTurnsYTowardZ)
{
    D3DXMATRIX kMatrix;
    D3DXMatrixRotationX(&kMatrix, 3.14159265f / 2.0f);
    Row kTurned = Transform(kMatrix, 0.0f, 1.0f, 0.0f);
    EXPECT_NEAR(kTurned.y, 0.0f, 1e-6f);
    EXPECT_NEAR(kTurned.z, 1.0f, 1e-6f);
}

TEST(D3dx8MathTest, LookAtPutsTheTargetAheadOnTheZAxis)
{
    D3DXVECTOR3 kEye(10.0f, 20.0f, -100.0f), kAt(10.0f, 20.0f, 0.0f), kUp(0.0f, 1.0f, 0.0f);
    D3DXMATRIX kView;
    D3DXMatrixLookAtLH(&kView, &kEye, &kAt, &kUp);
    Row kTarget = Transform(kView, 10.0f, 20.0f, 0.0f);
    EXPECT_NEAR(kTarget.x, 0.0f, 1e-4f);
    EXPECT_NEAR(kTarget.y, 0.0f, 1e-4f);
    EXPECT_NEAR(kTarget.z, 100.0f, 1e-4f);
    Row kRight = Transform(kView, 11.0f, 21.0f, 0.0f);
    EXPECT_NEAR(kRight.x, 1.0f, 1e-4f);
    EXPECT_NEAR(kRight.y, 1.0f, 1e-4f);
}

TEST(D3dx8MathTest, PerspectiveMapsNearAndFarToZeroAndOne)
{
    D3DXMATRIX kProjection;
    D3DXMatrixPerspectiveFovLH(&kProjection, 1.0f, 1.3333f, 1.0f, 6048.0f);
    Row kNear = Transform(kProjection, 0.0f, 0.0f, 1.0f);
    Row kFar = Transform(kProjection, 0.0f, 0.0f, 6048.0f);
    EXPECT_NEAR(kNear.z / kNear.w, 0.0f, 1e-5f);
    EXPECT_NEAR(kFar.z / kFar.w, 1.0f, 1e-5f);
    EXPECT_NEAR(kProjection._22, 1.0f / std::tan(0.5f), 1e-5f);
    EXPECT_NEAR(kProjection._11, kProjection._22 / 1.3333f, 1e-5f);
}

}  // namespace
