// The engine's 2x2 single-precision matrix, stored row by row.
#pragma once

#include "qnVector2.h"

class qnMatrix2x2 {
public:
    // The identity.
    qnMatrix2x2();
    qnMatrix2x2(const qnMatrix2x2& kOther);
    // Elements in flat order: (0, 0), (0, 1), (1, 0), (1, 1).
    explicit qnMatrix2x2(const float afElements[4]);
    ~qnMatrix2x2();

    qnMatrix2x2& operator=(const qnMatrix2x2& kOther);
    qnMatrix2x2& operator+=(const qnMatrix2x2& kOther);
    qnMatrix2x2& operator-=(const qnMatrix2x2& kOther);
    qnMatrix2x2& operator*=(float fScale);
    qnMatrix2x2& operator/=(float fDivisor);

    qnMatrix2x2 operator+(const qnMatrix2x2& kOther) const;
    qnMatrix2x2 operator-(const qnMatrix2x2& kOther) const;
    qnMatrix2x2 operator*(float fScale) const;
    qnMatrix2x2 operator/(float fDivisor) const;
    qnMatrix2x2 operator-() const;
    // a * b is the algebraic product b·a of the two row-major matrices.
    qnMatrix2x2 operator*(const qnMatrix2x2& kOther) const;

    // Flat index 0 to 3, row by row.
    float& operator[](int iIndex);

    void Zero();
    void Identity();
    void Transpose();
    void Set(const qnMatrix2x2& kOther);
    float* GetData();
    // Replaces the vector with this matrix times it: row 0 gives x, row 1 gives y.
    void Transform(qnVector2& kVector) const;

    float m_afElements[2][2];

private:
    float At(int iIndex) const;
};
