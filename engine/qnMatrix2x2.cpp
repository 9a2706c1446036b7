#include "qnMatrix2x2.h"

qnMatrix2x2::qnMatrix2x2()
{
    Identity();
}

qnMatrix2x2::qnMatrix2x2(const qnMatrix2x2& kOther)
{
    *this = kOther;
}

qnMatrix2x2::qnMatrix2x2(const float afElements[4])
{
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        (*this)[iIndex] = afElements[iIndex];
    }
}

qnMatrix2x2::~qnMatrix2x2()
{
    Zero();
}

qnMatrix2x2& qnMatrix2x2::operator=(const qnMatrix2x2& kOther)
{
    Set(kOther);
    return *this;
}

qnMatrix2x2& qnMatrix2x2::operator+=(const qnMatrix2x2& kOther)
{
    return *this = *this + kOther;
}

qnMatrix2x2& qnMatrix2x2::operator-=(const qnMatrix2x2& kOther)
{
    return *this = *this - kOther;
}

qnMatrix2x2& qnMatrix2x2::operator*=(float fScale)
{
    return *this = *this * fScale;
}

qnMatrix2x2& qnMatrix2x2::operator/=(float fDivisor)
{
    return *this = *this / fDivisor;
}

qnMatrix2x2 qnMatrix2x2::operator+(const qnMatrix2x2& kOther) const
{
    qnMatrix2x2 kResult;
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        kResult[iIndex] = At(iIndex) + kOther.At(iIndex);
    }
    return kResult;
}

qnMatrix2x2 qnMatrix2x2::operator-(const qnMatrix2x2& kOther) const
{
    qnMatrix2x2 kResult;
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        kResult[iIndex] = At(iIndex) - kOther.At(iIndex);
    }
    return kResult;
}

qnMatrix2x2 qnMatrix2x2::operator*(float fScale) const
{
    qnMatrix2x2 kResult;
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        kResult[iIndex] = fScale * At(iIndex);
    }
    return kResult;
}

qnMatrix2x2 qnMatrix2x2::operator/(float fDivisor) const
{
    qnMatrix2x2 kResult;
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        kResult[iIndex] = At(iIndex) / fDivisor;
    }
    return kResult;
}

qnMatrix2x2 qnMatrix2x2::operator-() const
{
    qnMatrix2x2 kResult;
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        kResult[iIndex] = -At(iIndex);
    }
    return kResult;
}

qnMatrix2x2 qnMatrix2x2::operator*(const qnMatrix2x2& kOther) const
{
    qnMatrix2x2 kResult;
    for (int iRow = 0; iRow < 2; ++iRow) {
        for (int iColumn = 0; iColumn < 2; ++iColumn) {
            kResult.m_afElements[iRow][iColumn] =
                kOther.m_afElements[iRow][0] * m_afElements[0][iColumn] +
                kOther.m_afElements[iRow][1] * m_afElements[1][iColumn];
        }
    }
    return kResult;
}

float& qnMatrix2x2::operator[](int iIndex)
{
    return m_afElements[iIndex / 2][iIndex % 2];
}

void qnMatrix2x2::Zero()
{
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        (*this)[iIndex] = 0.0f;
    }
}

void qnMatrix2x2::Identity()
{
    Zero();
    m_afElements[0][0] = 1.0f;
    m_afElements[1][1] = 1.0f;
}

void qnMatrix2x2::Transpose()
{
    const float fUpper = m_afElements[0][1];
    m_afElements[0][1] = m_afElements[1][0];
    m_afElements[1][0] = fUpper;
}

void qnMatrix2x2::Set(const qnMatrix2x2& kOther)
{
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        (*this)[iIndex] = kOther.At(iIndex);
    }
}

float qnMatrix2x2::At(int iIndex) const
{
    return m_afElements[iIndex / 2][iIndex % 2];
}

float* qnMatrix2x2::GetData()
{
    return &m_afElements[0][0];
}

void qnMatrix2x2::Transform(qnVector2& kVector) const
{
    const qnVector2 kInput(kVector);
    kVector.m_fX = m_afElements[0][0] * kInput.m_fX + m_afElements[0][1] * kInput.m_fY;
    kVector.m_fY = m_afElements[1][0] * kInput.m_fX + m_afElements[1][1] * kInput.m_fY;
}
