// The engine's two-component single-precision vector.
#pragma once

class qnVector2 {
public:
    qnVector2();
    qnVector2(const qnVector2& kOther);
    qnVector2(float fX, float fY);
    ~qnVector2();

    qnVector2& operator=(const qnVector2& kOther);
    qnVector2& operator+=(const qnVector2& kOther);
    qnVector2& operator-=(const qnVector2& kOther);
    qnVector2& operator*=(float fScale);
    qnVector2& operator/=(float fDivisor);

    qnVector2 operator+(const qnVector2& kOther) const;
    qnVector2 operator-(const qnVector2& kOther) const;
    qnVector2 operator*(float fScale) const;
    qnVector2 operator/(float fDivisor) const;
    qnVector2 operator-() const;

    // Only 0 (x) and 1 (y) are valid.
    float& operator[](int iIndex);

    float Length() const;
    // Leaves a vector of length 0 as it is.
    void Normalize();
    // A quarter turn counter-clockwise: (-y, x).
    qnVector2 Perpendicular() const;
    float Dot(const qnVector2& kOther) const;
    // Unsigned angle in radians; not a number when either vector has length 0.
    float Angle(const qnVector2& kOther) const;
    // Positive when kOther lies counter-clockwise of this vector.
    float PerpDot(const qnVector2& kOther) const;
    void Zero();
    void Set(const qnVector2& kOther);
    // x at element 0, y at element 1.
    float* GetData();

    float m_fX;
    float m_fY;
};
