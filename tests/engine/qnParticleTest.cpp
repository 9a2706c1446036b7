#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/crt.h"
#include "qnParticleEmitter.h"

namespace {

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;

uint32_t Inverse(uint32_t uiOdd)
{
    uint32_t uiInverse = uiOdd;
    for (int iRound = 0; iRound < 5; ++iRound) {
        uiInverse *= 2u - uiOdd * uiInverse;
    }
    return uiInverse;
}

uint32_t Advance(uint32_t uiState)
{
    return uiState * kMultiplier + kIncrement;
}

int DrawOf(uint32_t uiState)
{
    return static_cast<int>((uiState >> 16) & 0x7fffu);
}

// The draw number iDraw (from 1) after seeding with uiSeed.
int DrawAfter(uint32_t uiSeed, int iDraw)
{
    for (int iStep = 0; iStep < iDraw; ++iStep) {
        uiSeed = Advance(uiSeed);
    }
    return DrawOf(uiSeed);
}

// A seed after which the runtime's generator draws iFirst and then iSecond.
std::optional<uint32_t> SeedForDraws(int iFirst, int iSecond)
{
    const uint32_t uiFixed = static_cast<uint32_t>(iFirst) << 16;
    for (uint32_t uiFree = 0; uiFree < (1u << 17); ++uiFree) {
        const uint32_t uiState = uiFixed | (uiFree & 0xffffu) | ((uiFree >> 16) << 31);
        if (DrawOf(Advance(uiState)) == iSecond) {
            return (uiState - kIncrement) * Inverse(kMultiplier);
        }
    }
    return std::nullopt;
}

qnParticleEmitterParams Params(float fSpread, float fSpeed, float fLifetime = 1.0f)
{
    qnParticleEmitterParams kParams;
    kParams.m_kPosition = qnVector2(100, 50);
    kParams.m_fStartSize = 8.0f;
    kParams.m_fEndSize = 2.0f;
    kParams.m_uiStartColor = 0xff0000ff;
    kParams.m_uiEndColor = 0x00ff0000;
    kParams.m_fLifetime = fLifetime;
    kParams.m_fSpread = fSpread;
    kParams.m_fSpeed = fSpeed;
    return kParams;
}

int LiveCount(const qnParticleEmitter& kEmitter)
{
    int iLive = 0;
    for (uint32_t uiIndex = 0; uiIndex < kEmitter.m_uiParticleCount; ++uiIndex) {
        iLive += kEmitter.m_pkParticles[uiIndex].GetAge() < 1.0f ? 1 : 0;
    }
    return iLive;
}

class ParticleTest : public ::testing::Test {
protected:
    void SetUp() override { crt::SeedRand(1); }
    void TearDown() override { crt::SeedRand(1); }
};

TEST_F(ParticleTest, NewParticleIsDeadAndNewEmitterEmpty)
{
    const qnParticle kParticle;
    EXPECT_EQ(kParticle.GetAge(), 1.0f);
    const qnParticleEmitter kEmitter;
    EXPECT_EQ(kEmitter.m_pkParticles, nullptr);
    EXPECT_EQ(kEmitter.m_uiParticleCount, 0u);
    EXPECT_EQ(kEmitter.m_fCarry, 0.0f);
    EXPECT_EQ(kEmitter.m_bStopped, 0);
    EXPECT_EQ(kEmitter.GetPosition().m_fX, 0.0f);
    EXPECT_EQ(kEmitter.m_kParams.m_fLifetime, 0.0f);
}

TEST_F(ParticleTest, CreateCopiesTheBlockAndStartsWithDeadSlots)
{
    qnParticleEmitterParams kParams = Params(0.5f, 2.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 4, 10, nullptr);
    kParams.m_fSpeed = 99.0f;
    EXPECT_EQ(kEmitter.m_kParams.m_fSpeed, 2.0f);
    EXPECT_EQ(kEmitter.GetPosition().m_fX, 100.0f);
    EXPECT_EQ(kEmitter.m_uiParticleCount, 4u);
    EXPECT_EQ(kEmitter.m_uiRate, 10u);
    EXPECT_EQ(LiveCount(kEmitter), 0);
}

TEST_F(ParticleTest, SecondCreateReplacesTheParticlesAndKeepsCarryAndStop)
{
    const qnParticleEmitterParams kParams = Params(0.0f, 1.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 3, 10, nullptr);
    kEmitter.Update(0.25f);
    kEmitter.SetStopped(1);
    kEmitter.Create(&kParams, 5, 4, nullptr);
    EXPECT_EQ(kEmitter.m_uiParticleCount, 5u);
    EXPECT_EQ(kEmitter.m_uiRate, 4u);
    EXPECT_EQ(LiveCount(kEmitter), 0);
    EXPECT_FLOAT_EQ(kEmitter.m_fCarry, 0.5f);
    EXPECT_EQ(kEmitter.m_bStopped, 1);
}

struct EmissionCase {
    std::string name;
    uint32_t uiCount;
    uint32_t uiRate;
    std::vector<float> afSteps;
    std::vector<int> aiLiveAfter;
    std::vector<float> afCarryAfter;
};

TEST_F(ParticleTest, EmissionCountsCarryTheFraction)
{
    const std::vector<EmissionCase> akCases = {
        {"rate 6 in quarter seconds", 10, 6, {0.25f, 0.25f, 0.25f}, {1, 3, 4}, {0.5f, 0, 0.5f}},
        {"more owed than slots drops the rest", 3, 100, {0.05f, 0.05f}, {3, 3}, {0, 0}},
        {"rate below one per step", 10, 3, {0.1f, 0.1f, 0.1f, 0.1f}, {0, 0, 0, 1}, {0.3f, 0.6f, 0.9f, 0.2f}},
        {"no slots", 0, 10, {1.0f}, {0}, {0}},
    };
    for (const EmissionCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        const qnParticleEmitterParams kParams = Params(0.0f, 1.0f, 100.0f);
        qnParticleEmitter kEmitter;
        kEmitter.Create(&kParams, kCase.uiCount, kCase.uiRate, nullptr);
        for (size_t uiStep = 0; uiStep < kCase.afSteps.size(); ++uiStep) {
            kEmitter.Update(kCase.afSteps[uiStep]);
            EXPECT_EQ(LiveCount(kEmitter), kCase.aiLiveAfter[uiStep]) << "step " << uiStep;
            EXPECT_NEAR(kEmitter.m_fCarry, kCase.afCarryAfter[uiStep], 1e-5f) << "step " << uiStep;
        }
    }
}

TEST_F(ParticleTest, FirstUpdateFillsLowestSlotsAndMovesNone)
{
    const qnParticleEmitterParams kParams = Params(0.0f, 1.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 5, 3, nullptr);
    kEmitter.Update(1.0f);
    for (uint32_t uiIndex = 0; uiIndex < 5; ++uiIndex) {
        const qnParticle& kParticle = kEmitter.m_pkParticles[uiIndex];
        EXPECT_EQ(kParticle.GetAge(), uiIndex < 3 ? 0.0f : 1.0f) << uiIndex;
        EXPECT_EQ(kParticle.m_kPosition.m_fY, 0.0f) << uiIndex;
    }
}

TEST_F(ParticleTest, ParticlesAgeByStepOverLifetimeAndDieAtExactlyOne)
{
    const qnParticleEmitterParams kParams = Params(0.0f, 0.0f, 2.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 1, 1, nullptr);
    kEmitter.Update(1.0f);
    kEmitter.SetStopped(1);
    kEmitter.Update(1.0f);
    EXPECT_FLOAT_EQ(kEmitter.m_pkParticles[0].GetAge(), 0.5f);
    kEmitter.Update(1.0f);
    EXPECT_EQ(kEmitter.m_pkParticles[0].GetAge(), 1.0f);
    kEmitter.m_pkParticles[0].m_kVelocity = qnVector2(0, -10);
    kEmitter.Update(1.0f);
    EXPECT_EQ(kEmitter.m_pkParticles[0].GetAge(), 1.0f);
    EXPECT_EQ(kEmitter.m_pkParticles[0].m_kPosition.m_fY, 0.0f);
}

TEST_F(ParticleTest, StoppedEmitterKeepsCarryingAndMovingButEmitsNothing)
{
    const qnParticleEmitterParams kParams = Params(0.0f, 1.0f, 1.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 4, 2, nullptr);
    kEmitter.Update(1.0f);
    ASSERT_EQ(LiveCount(kEmitter), 2);
    kEmitter.SetStopped(1);
    kEmitter.Update(0.75f);
    EXPECT_FLOAT_EQ(kEmitter.m_fCarry, 0.5f);
    EXPECT_EQ(LiveCount(kEmitter), 2);
    EXPECT_GT(kEmitter.m_pkParticles[0].m_kPosition.m_fY + kEmitter.m_pkParticles[1].m_kPosition.m_fY, 0.0f);
    kEmitter.Update(0.25f);
    EXPECT_EQ(LiveCount(kEmitter), 0);
    kEmitter.Update(1.0f);
    EXPECT_EQ(LiveCount(kEmitter), 0);
    kEmitter.SetStopped(0);
    kEmitter.Update(1.0f);
    EXPECT_EQ(LiveCount(kEmitter), 2);
}

TEST_F(ParticleTest, UpdateSubtractsTheVelocityAndKeepsThePreviousPosition)
{
    qnParticle kParticle;
    kParticle.m_fAge = 0.0f;
    kParticle.m_fLifetime = 4.0f;
    kParticle.m_kPosition = qnVector2(1, 2);
    kParticle.m_kVelocity = qnVector2(10, -20);
    kParticle.Update(0.5f);
    EXPECT_FLOAT_EQ(kParticle.m_kPosition.m_fX, -4.0f);
    EXPECT_FLOAT_EQ(kParticle.m_kPosition.m_fY, 12.0f);
    EXPECT_FLOAT_EQ(kParticle.m_kPrevPosition.m_fX, 1.0f);
    EXPECT_FLOAT_EQ(kParticle.m_kPrevPosition.m_fY, 2.0f);
    EXPECT_FLOAT_EQ(kParticle.GetAge(), 0.125f);
}

struct DrawCase {
    std::string name;
    float fSpread;
    int iAngleDraw;
    int iSpeedDraw;
    float fAngle;
    float fSpeed;
};

TEST_F(ParticleTest, EmitTakesTheAngleThenTheSpeedFromTheRuntimeGenerator)
{
    const std::vector<DrawCase> akCases = {
        {"spread 0, full speed", 0.0f, 12345, 0, 1.570795f, 300.0f},
        {"spread 0, no speed", 0.0f, 0, 32767, 1.570795f, 0.0f},
        {"spread 0, three quarters", 0.0f, 32767, 8192, 1.570795f, 300.0f * (1.0f - 8192.0f / 32767.0f)},
        {"spread 1, first draw 0", 1.0f, 0, 0, 3.132f + 1.570795f, 300.0f},
        {"spread 1, first draw max", 1.0f, 32767, 0, -3.132f + 1.570795f, 300.0f},
        {"spread 0.5, quarter draw", 0.5f, 8192, 16384,
         (1.0f - 2.0f * 8192.0f / 32767.0f) * 3.132f * 0.5f + 1.570795f,
         300.0f * (1.0f - 16384.0f / 32767.0f)},
    };
    for (const DrawCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        const std::optional<uint32_t> kSeed = SeedForDraws(kCase.iAngleDraw, kCase.iSpeedDraw);
        ASSERT_TRUE(kSeed.has_value());
        ASSERT_EQ(DrawAfter(*kSeed, 1), kCase.iAngleDraw);
        ASSERT_EQ(DrawAfter(*kSeed, 2), kCase.iSpeedDraw);
        const qnParticleEmitterParams kParams = Params(kCase.fSpread, 3.0f, 2.0f);
        qnParticleEmitter kEmitter;
        kEmitter.Create(&kParams, 1, 1, nullptr);
        crt::SeedRand(*kSeed);
        kEmitter.m_pkParticles[0].Emit(kEmitter);
        const qnParticle& kParticle = kEmitter.m_pkParticles[0];
        EXPECT_EQ(kParticle.GetAge(), 0.0f);
        EXPECT_EQ(kParticle.m_fLifetime, 2.0f);
        EXPECT_NEAR(kParticle.m_kVelocity.m_fX, -std::cos(kCase.fAngle) * kCase.fSpeed, 1e-3f);
        EXPECT_NEAR(kParticle.m_kVelocity.m_fY, -std::sin(kCase.fAngle) * kCase.fSpeed, 1e-3f);
        EXPECT_EQ(crt::Rand(), DrawAfter(*kSeed, 3)) << "exactly two draws per emission";
    }
}

TEST_F(ParticleTest, WithoutSpreadParticlesMoveStraightDownTheScreen)
{
    const qnParticleEmitterParams kParams = Params(0.0f, 2.0f, 10.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 50, 50, nullptr);
    kEmitter.Update(1.0f);
    kEmitter.Update(0.5f);
    for (uint32_t uiIndex = 0; uiIndex < 50; ++uiIndex) {
        const qnVector2& kPosition = kEmitter.m_pkParticles[uiIndex].m_kPosition;
        EXPECT_GE(kPosition.m_fY, 0.0f);
        EXPECT_LE(kPosition.m_fY, 100.0f);
        EXPECT_NEAR(kPosition.m_fX, 0.0f, 1e-3f);
    }
}

TEST_F(ParticleTest, EmitStartsAtTheEmitterAndCopiesTheBlock)
{
    const qnParticleEmitterParams kParams = Params(0.25f, 1.5f, 3.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 1, 1, nullptr);
    qnParticle kParticle;
    kParticle.m_kPosition = qnVector2(7, 8);
    kParticle.m_kPrevPosition = qnVector2(9, 10);
    kParticle.Emit(kEmitter);
    EXPECT_EQ(kParticle.m_kPosition.m_fX, 0.0f);
    EXPECT_EQ(kParticle.m_kPrevPosition.m_fY, 0.0f);
    EXPECT_EQ(kParticle.m_fStartSize, 8.0f);
    EXPECT_EQ(kParticle.m_fEndSize, 2.0f);
    EXPECT_EQ(kParticle.m_uiStartColor, 0xff0000ffu);
    EXPECT_EQ(kParticle.m_uiEndColor, 0x00ff0000u);
    EXPECT_EQ(kParticle.m_fLifetime, 3.0f);
    EXPECT_EQ(kParticle.m_fSpread, 0.25f);
    EXPECT_EQ(kParticle.m_fSpeed, 1.5f);
}

TEST_F(ParticleTest, ZeroLifetimeDiesAtTheFirstUpdateWithoutTrapping)
{
    const qnParticleEmitterParams kParams = Params(0.0f, 1.0f, 0.0f);
    qnParticleEmitter kEmitter;
    kEmitter.Create(&kParams, 2, 1, nullptr);
    kEmitter.Update(1.0f);
    ASSERT_EQ(LiveCount(kEmitter), 1);
    kEmitter.Update(0.0f);
    EXPECT_EQ(LiveCount(kEmitter), 0);
    kEmitter.SetStopped(1);
    kEmitter.Update(1.0f);
    EXPECT_EQ(LiveCount(kEmitter), 0);
}

}  // namespace
