#include "qnVector2.h"

#include <cmath>

qnVector2::qnVector2()
{
    Zero();
}

qnVector2::qnVector2(const qnVector2& kOther) : m_fX(kOther.m_fX), m_fY(kOther.m_fY) {}

qnVector2::qnVector2(float fX, float fY) : m_fX(fX), m_fY(fY) {}

qnVector2::~qnVector2()
{
    Zero();
}

qnVector2& qnVector2::operator=(const qnVector2& kOther)
{
    Set(kOther);
    return *this;
}

qnVector2& qnVector2::operator+=(const qnVector2& kOther)
{
    m_fX += kOther.m_fX;
    m_fY += kOther.m_fY;
    return *this;
}

qnVector2& qnVector2::operator-=(const qnVector2& kOther)
{
    m_fX -= kOther.m_fX;
    m_fY -= kOther.m_fY;
    return *this;
}

qnVector2& qnVector2::operator*=(float fScale)
{
    m_fX = fScale * m_fX;
    m_fY = fScale * m_fY;
    return *this;
}

qnVector2& qnVector2::operator/=(float fDivisor)
{
    m_fX = m_fX / fDivisor;
    m_fY = m_fY / fDivisor;
    return *this;
}

qnVector2 qnVector2::operator+(const qnVector2& kOther) const
{
    return qnVector2(m_fX + kOther.m_fX, m_fY + kOther.m_fY);
}

qnVector2 qnVector2::operator-(const qnVector2& kOther) const
{
    return qnVector2(m_fX - kOther.m_fX, m_fY - kOther.m_fY);
}

qnVector2 qnVector2::operator*(float fScale) const
{
    return qnVector2(fScale * m_fX, fScale * m_fY);
}

qnVector2 qnVector2::operator/(float fDivisor) const
{
    return qnVector2(m_fX / fDivisor, m_fY / fDivisor);
}

qnVector2 qnVector2::operator-() const
{
    return qnVector2(-m_fX, -m_fY);
}

float& qnVector2::operator[](int iIndex)
{
    return iIndex == 0 ? m_fX : m_fY;
}

float qnVector2::Length() const
{
    const float fSquares = m_fX * m_fX + m_fY * m_fY;
    return static_cast<float>(std::sqrt(static_cast<double>(fSquares)));
}

void qnVector2::Normalize()
{
    const float fLength = Length();
    if (fLength == 0.0f) {
        return;
    }
    m_fX = m_fX / fLength;
    m_fY = m_fY / fLength;
}

qnVector2 qnVector2::Perpendicular() const
{
    return qnVector2(-m_fY, m_fX);
}

float qnVector2::Dot(const qnVector2& kOther) const
{
    return m_fX * kOther.m_fX + m_fY * kOther.m_fY;
}

float qnVector2::Angle(const qnVector2& kOther) const
{
    const float fCosine = Dot(kOther) / (kOther.Length() * Length());
    return static_cast<float>(std::acos(static_cast<double>(fCosine)));
}

float qnVector2::PerpDot(const qnVector2& kOther) const
{
    return Perpendicular().Dot(kOther);
}

void qnVector2::Zero()
{
    m_fX = 0.0f;
    m_fY = 0.0f;
}

void qnVector2::Set(const qnVector2& kOther)
{
    m_fX = kOther.m_fX;
    m_fY = kOther.m_fY;
}

float* qnVector2::GetData()
{
    return &m_fX;
}
