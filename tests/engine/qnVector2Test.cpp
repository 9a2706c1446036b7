#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "qnVector2.h"

namespace {

constexpr float kPi = 3.14159265358979f;

void ExpectVector(const qnVector2& kActual, float fX, float fY)
{
    EXPECT_FLOAT_EQ(kActual.m_fX, fX);
    EXPECT_FLOAT_EQ(kActual.m_fY, fY);
}

TEST(qnVector2Test, DefaultIsZeroAndComponentsAreStoredUnchanged)
{
    ExpectVector(qnVector2(), 0.0f, 0.0f);
    const qnVector2 kVector(3.5f, -0.25f);
    EXPECT_EQ(kVector.m_fX, 3.5f);
    EXPECT_EQ(kVector.m_fY, -0.25f);
    ExpectVector(qnVector2(kVector), 3.5f, -0.25f);
}

struct ArithmeticCase {
    std::string name;
    std::function<qnVector2()> compute;
    float fX;
    float fY;
};

TEST(qnVector2Test, Arithmetic)
{
    const std::vector<ArithmeticCase> akCases = {
        {"sum", [] { return qnVector2(1, 2) + qnVector2(3, -5); }, 4, -3},
        {"difference", [] { return qnVector2(1, 2) - qnVector2(3, -5); }, -2, 7},
        {"scaled", [] { return qnVector2(1, -2) * 3.0f; }, 3, -6},
        {"divided", [] { return qnVector2(3, -6) / 2.0f; }, 1.5f, -3},
        {"negated", [] { return -qnVector2(1, -2); }, -1, 2},
        {"+= itself doubles",
         [] {
             qnVector2 v(1, -2);
             const qnVector2& same = v;
             v += same;
             return v;
         },
         2, -4},
        {"-= itself zeroes",
         [] {
             qnVector2 v(1, -2);
             const qnVector2& same = v;
             v -= same;
             return v;
         },
         0, 0},
        {"*= 2 doubles", [] { qnVector2 v(1, -2); v *= 2.0f; return v; }, 2, -4},
        {"/= 2 halves", [] { qnVector2 v(1, -2); v /= 2.0f; return v; }, 0.5f, -1},
        {"compound chains", [] { qnVector2 v(1, 1); (v += qnVector2(1, 2)) *= 2.0f; return v; }, 4, 6},
        {"assignment", [] { qnVector2 v; v = qnVector2(7, 8); return v; }, 7, 8},
        {"Set", [] { qnVector2 v; v.Set(qnVector2(7, 8)); return v; }, 7, 8},
        {"Zero", [] { qnVector2 v(7, 8); v.Zero(); return v; }, 0, 0},
        {"perpendicular of x", [] { return qnVector2(1, 0).Perpendicular(); }, 0, 1},
        {"perpendicular of y", [] { return qnVector2(0, 1).Perpendicular(); }, -1, 0},
        {"normalize 3 4", [] { qnVector2 v(3, 4); v.Normalize(); return v; }, 0.6f, 0.8f},
        {"normalize zero", [] { qnVector2 v; v.Normalize(); return v; }, 0, 0},
    };
    for (const ArithmeticCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        ExpectVector(kCase.compute(), kCase.fX, kCase.fY);
    }
}

TEST(qnVector2Test, DivisionByZeroGivesInfiniteOrNotANumber)
{
    const qnVector2 kResult = qnVector2(1, 0) / 0.0f;
    EXPECT_TRUE(std::isinf(kResult.m_fX));
    EXPECT_TRUE(std::isnan(kResult.m_fY));
    qnVector2 kCompound(-2, 0);
    kCompound /= 0.0f;
    EXPECT_EQ(kCompound.m_fX, -std::numeric_limits<float>::infinity());
    EXPECT_TRUE(std::isnan(kCompound.m_fY));
}

struct ScalarCase {
    std::string name;
    std::function<float()> compute;
    float fExpected;
};

TEST(qnVector2Test, ScalarResults)
{
    const std::vector<ScalarCase> akCases = {
        {"length 3 4", [] { return qnVector2(3, 4).Length(); }, 5},
        {"length of zero", [] { return qnVector2().Length(); }, 0},
        {"dot", [] { return qnVector2(1, 2).Dot(qnVector2(3, -4)); }, -5},
        {"perp-dot counter-clockwise", [] { return qnVector2(1, 0).PerpDot(qnVector2(0, 1)); }, 1},
        {"perp-dot clockwise", [] { return qnVector2(0, 1).PerpDot(qnVector2(1, 0)); }, -1},
        {"perp-dot parallel", [] { return qnVector2(2, 0).PerpDot(qnVector2(5, 0)); }, 0},
        {"perp-dot with zero", [] { return qnVector2(2, 3).PerpDot(qnVector2()); }, 0},
        {"perp-dot general", [] { return qnVector2(2, 3).PerpDot(qnVector2(5, 7)); }, 2 * 7 - 3 * 5},
        {"angle quarter", [] { return qnVector2(1, 0).Angle(qnVector2(0, 1)); }, 1.5707964f},
        {"angle half", [] { return qnVector2(1, 0).Angle(qnVector2(-1, 0)); }, kPi},
        {"angle ignores length", [] { return qnVector2(2, 0).Angle(qnVector2(0, -9)); }, 1.5707964f},
        {"angle same", [] { return qnVector2(3, 4).Angle(qnVector2(6, 8)); }, 0},
    };
    for (const ScalarCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        EXPECT_NEAR(kCase.compute(), kCase.fExpected, 1e-6f);
    }
}

TEST(qnVector2Test, AngleWithZeroVectorIsNotANumber)
{
    EXPECT_TRUE(std::isnan(qnVector2(1, 0).Angle(qnVector2())));
    EXPECT_TRUE(std::isnan(qnVector2().Angle(qnVector2(0, 1))));
}

TEST(qnVector2Test, IndexAndDataWriteTheComponents)
{
    qnVector2 kVector(1, 2);
    EXPECT_EQ(kVector[0], 1.0f);
    EXPECT_EQ(kVector[1], 2.0f);
    kVector[1] = 5.0f;
    ExpectVector(kVector, 1, 5);
    kVector[0] = 4.0f;
    ExpectVector(kVector, 4, 5);
    float* pfData = kVector.GetData();
    EXPECT_EQ(pfData, &kVector.m_fX);
    pfData[1] = 9.0f;
    ExpectVector(kVector, 4, 9);
}

}  // namespace
