#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "qnMatrix2x2.h"

namespace {

using Flat = std::array<float, 4>;

qnMatrix2x2 Make(const Flat& afElements)
{
    return qnMatrix2x2(afElements.data());
}

Flat Elements(qnMatrix2x2 kMatrix)
{
    Flat afResult;
    for (int iIndex = 0; iIndex < 4; ++iIndex) {
        afResult[iIndex] = kMatrix[iIndex];
    }
    return afResult;
}

const Flat kA = {1, 2, 3, 4};
const Flat kB = {5, 6, 7, 8};

TEST(qnMatrix2x2Test, FlatOrderIsRowByRow)
{
    qnMatrix2x2 kMatrix = Make(kA);
    EXPECT_EQ(kMatrix.m_afElements[0][0], 1.0f);
    EXPECT_EQ(kMatrix.m_afElements[0][1], 2.0f);
    EXPECT_EQ(kMatrix.m_afElements[1][0], 3.0f);
    EXPECT_EQ(kMatrix.m_afElements[1][1], 4.0f);
    EXPECT_EQ(kMatrix[2], 3.0f);
    kMatrix[1] = 9.0f;
    EXPECT_EQ(kMatrix.m_afElements[0][1], 9.0f);
    float* pfData = kMatrix.GetData();
    pfData[3] = 7.0f;
    EXPECT_EQ(kMatrix.m_afElements[1][1], 7.0f);
}

struct MatrixCase {
    std::string name;
    std::function<qnMatrix2x2()> compute;
    Flat afExpected;
};

TEST(qnMatrix2x2Test, Operations)
{
    const std::vector<MatrixCase> akCases = {
        {"default is identity", [] { return qnMatrix2x2(); }, {1, 0, 0, 1}},
        {"Identity overwrites", [] { qnMatrix2x2 m = Make(kB); m.Identity(); return m; }, {1, 0, 0, 1}},
        {"Zero", [] { qnMatrix2x2 m = Make(kB); m.Zero(); return m; }, {0, 0, 0, 0}},
        {"copy", [] { qnMatrix2x2 m = Make(kB); return qnMatrix2x2(m); }, kB},
        {"assignment", [] { qnMatrix2x2 m; m = Make(kB); return m; }, kB},
        {"Set", [] { qnMatrix2x2 m; m.Set(Make(kB)); return m; }, kB},
        {"sum", [] { return Make(kA) + Make(kB); }, {6, 8, 10, 12}},
        {"difference", [] { return Make(kB) - Make(kA); }, {4, 4, 4, 4}},
        {"scaled", [] { return Make(kA) * 2.0f; }, {2, 4, 6, 8}},
        {"divided", [] { return Make({2, 4, 6, 8}) / 2.0f; }, kA},
        {"negated", [] { return -Make(kA); }, {-1, -2, -3, -4}},
        {"a * b", [] { return Make(kA) * Make(kB); }, {23, 34, 31, 46}},
        {"b * a", [] { return Make(kB) * Make(kA); }, {19, 22, 43, 50}},
        {"identity * a", [] { return qnMatrix2x2() * Make(kA); }, kA},
        {"+= itself doubles",
         [] {
             qnMatrix2x2 m = Make(kA);
             const qnMatrix2x2& same = m;
             m += same;
             return m;
         },
         {2, 4, 6, 8}},
        {"-= itself zeroes",
         [] {
             qnMatrix2x2 m = Make(kA);
             const qnMatrix2x2& same = m;
             m -= same;
             return m;
         },
         {0, 0, 0, 0}},
        {"+=", [] { qnMatrix2x2 m = Make(kA); m += Make(kB); return m; }, {6, 8, 10, 12}},
        {"-=", [] { qnMatrix2x2 m = Make(kA); m -= Make(kB); return m; }, {-4, -4, -4, -4}},
        {"*= 0.5 halves", [] { qnMatrix2x2 m = Make(kA); m *= 0.5f; return m; }, {0.5f, 1, 1.5f, 2}},
        {"/= 2 halves", [] { qnMatrix2x2 m = Make(kA); m /= 2.0f; return m; }, {0.5f, 1, 1.5f, 2}},
        {"compound chains", [] { qnMatrix2x2 m = Make(kA); (m += m) *= 2.0f; return m; }, {4, 8, 12, 16}},
        {"transpose", [] { qnMatrix2x2 m = Make(kA); m.Transpose(); return m; }, {1, 3, 2, 4}},
        {"transpose twice", [] { qnMatrix2x2 m = Make(kA); m.Transpose(); m.Transpose(); return m; }, kA},
    };
    for (const MatrixCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        EXPECT_EQ(Elements(kCase.compute()), kCase.afExpected);
    }
}

TEST(qnMatrix2x2Test, DivisionByZeroGivesInfiniteOrNotANumber)
{
    const Flat afResult = Elements(Make({1, -1, 0, 2}) / 0.0f);
    EXPECT_TRUE(std::isinf(afResult[0]) && afResult[0] > 0);
    EXPECT_TRUE(std::isinf(afResult[1]) && afResult[1] < 0);
    EXPECT_TRUE(std::isnan(afResult[2]));
    EXPECT_TRUE(std::isinf(afResult[3]));
}

struct TransformCase {
    std::string name;
    Flat afMatrix;
    float fX, fY;
    float fExpectedX, fExpectedY;
};

TEST(qnMatrix2x2Test, TransformAppliesRowsToTheVector)
{
    const std::vector<TransformCase> akCases = {
        {"identity", {1, 0, 0, 1}, 3, -4, 3, -4},
        {"row 0 gives x", {1, 2, 3, 4}, 5, 6, 17, 39},
        {"quarter turn", {0, -1, 1, 0}, 1, 0, 0, 1},
        {"zero", {0, 0, 0, 0}, 5, 6, 0, 0},
    };
    for (const TransformCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        qnVector2 kVector(kCase.fX, kCase.fY);
        Make(kCase.afMatrix).Transform(kVector);
        EXPECT_EQ(kVector.m_fX, kCase.fExpectedX);
        EXPECT_EQ(kVector.m_fY, kCase.fExpectedY);
    }
}

}  // namespace
