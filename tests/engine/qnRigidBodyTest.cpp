#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "qnRigidBody.h"

namespace {

void ExpectVector(const qnVector2& kActual, float fX, float fY)
{
    EXPECT_FLOAT_EQ(kActual.m_fX, fX);
    EXPECT_FLOAT_EQ(kActual.m_fY, fY);
}

qnRigidBody UnitBody(const qnVector2& kVelocity = qnVector2())
{
    qnRigidBody kBody;
    kBody.SetMass(1.0f);
    kBody.SetInertia(1.0f);
    kBody.SetVelocity(kVelocity);
    return kBody;
}

TEST(qnRigidBodyTest, NewBodyIsAtRestWithZeroProperties)
{
    const qnRigidBody kBody;
    ExpectVector(kBody.GetPosition(), 0, 0);
    ExpectVector(kBody.GetVelocity(), 0, 0);
    ExpectVector(kBody.GetReferencePoint(), 0, 0);
    EXPECT_EQ(kBody.GetMass(), 0.0f);
    EXPECT_EQ(kBody.GetInertia(), 0.0f);
    EXPECT_EQ(kBody.GetStaticFriction(), 0.0f);
    EXPECT_EQ(kBody.GetKineticFriction(), 0.0f);
    EXPECT_EQ(kBody.GetAngle(), 0.0f);
    EXPECT_EQ(kBody.GetAngularVelocity(), 0.0f);
    EXPECT_EQ(kBody.GetRestitution(), 0.0f);
}

TEST(qnRigidBodyTest, SettersStoreWhatGettersReturn)
{
    qnRigidBody kBody;
    kBody.SetPosition(qnVector2(1, 2));
    kBody.SetVelocity(qnVector2(3, 4));
    kBody.SetReferencePoint(qnVector2(5, 6));
    kBody.SetAngle(7);
    kBody.SetAngularVelocity(8);
    kBody.SetMass(9);
    kBody.SetInertia(10);
    kBody.SetStaticFriction(11);
    kBody.SetKineticFriction(12);
    kBody.SetRestitution(13);
    ExpectVector(kBody.GetPosition(), 1, 2);
    ExpectVector(kBody.GetVelocity(), 3, 4);
    ExpectVector(kBody.GetReferencePoint(), 5, 6);
    EXPECT_EQ(kBody.GetAngle(), 7.0f);
    EXPECT_EQ(kBody.GetAngularVelocity(), 8.0f);
    EXPECT_EQ(kBody.GetMass(), 9.0f);
    EXPECT_EQ(kBody.GetInertia(), 10.0f);
    EXPECT_EQ(kBody.GetStaticFriction(), 11.0f);
    EXPECT_EQ(kBody.GetKineticFriction(), 12.0f);
    EXPECT_EQ(kBody.GetRestitution(), 13.0f);
}

struct LeverCase {
    std::string name;
    qnVector2 kReference;
    qnVector2 kPoint;
    qnVector2 kForce;
    float fTorque;
};

TEST(qnRigidBodyTest, ApplyForceAtAddsForceAndTorqueAboutTheReferencePoint)
{
    const std::vector<LeverCase> akCases = {
        {"counter-clockwise", {0, 0}, {1, 0}, {0, 1}, 1},
        {"clockwise", {0, 0}, {0, 1}, {1, 0}, -1},
        {"at the reference point", {2, 3}, {2, 3}, {4, 5}, 0},
        {"arm from the reference point", {1, 1}, {3, 1}, {0, 2}, 4},
    };
    for (const LeverCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        qnRigidBody kBody = UnitBody();
        kBody.SetReferencePoint(kCase.kReference);
        kBody.ApplyForceAt(kCase.kForce, kCase.kPoint);
        ExpectVector(kBody.m_kForce, kCase.kForce.m_fX, kCase.kForce.m_fY);
        EXPECT_FLOAT_EQ(kBody.m_fTorque, kCase.fTorque);
    }
}

TEST(qnRigidBodyTest, ForcesAndTorquesAccumulateUntilTheStep)
{
    qnRigidBody kBody = UnitBody();
    kBody.AddForce(qnVector2(1, 2));
    kBody.AddForce(qnVector2(3, -1));
    kBody.AddTorque(0.5f);
    kBody.ApplyForceAt(qnVector2(0, 1), qnVector2(1, 0));
    ExpectVector(kBody.m_kForce, 4, 2);
    EXPECT_FLOAT_EQ(kBody.m_fTorque, 1.5f);
    kBody.ApplyFriction(10.0f);
    kBody.Step(0.01f);
    ExpectVector(kBody.m_kForce, 0, 0);
    ExpectVector(kBody.m_kFriction, 0, 0);
    EXPECT_EQ(kBody.m_fTorque, 0.0f);
}

struct FrictionCase {
    std::string name;
    qnVector2 kVelocity;
    qnVector2 kForce;
    int iCalls;
    qnVector2 kExpected;
};

TEST(qnRigidBodyTest, ApplyFrictionOpposesForceAtRestAndVelocityWhenSliding)
{
    // Mass 2, gravity 10: static coefficient 0.5 gives 10, kinetic 0.25 gives 5.
    const std::vector<FrictionCase> akCases = {
        {"at rest without force", {0, 0}, {0, 0}, 1, {0, 0}},
        {"static against the force, full size", {0.5f, 0}, {0, 3}, 1, {0, -10}},
        {"static below speed 1", {0.99f, 0}, {-4, 0}, 1, {10, 0}},
        {"kinetic at exactly speed 1", {1, 0}, {0, 3}, 1, {-5, 0}},
        {"kinetic along the velocity", {0, -3}, {7, 0}, 1, {0, 5}},
        {"twice doubles", {1, 0}, {0, 0}, 2, {-10, 0}},
    };
    for (const FrictionCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        qnRigidBody kBody;
        kBody.SetMass(2.0f);
        kBody.SetStaticFriction(0.5f);
        kBody.SetKineticFriction(0.25f);
        kBody.SetVelocity(kCase.kVelocity);
        kBody.AddForce(kCase.kForce);
        for (int iCall = 0; iCall < kCase.iCalls; ++iCall) {
            kBody.ApplyFriction(10.0f);
        }
        ExpectVector(kBody.m_kFriction, kCase.kExpected.m_fX, kCase.kExpected.m_fY);
    }
}

struct StepCase {
    std::string name;
    qnVector2 kVelocity;
    qnVector2 kForce;
    qnVector2 kFriction;
    float fDt;
    qnVector2 kPosition;
    qnVector2 kVelocityAfter;
};

TEST(qnRigidBodyTest, StepMovesBeforeFrictionAndRestCutOff)
{
    const std::vector<StepCase> akCases = {
        {"rest cut-off after moving", {0.1f, 0.2f}, {0, 0}, {0, 0}, 1, {0.1f, 0.2f}, {0, 0.2f}},
        {"weak force moves but leaves no velocity", {0, 0}, {1, 0}, {0, 0}, 0.05f, {0.0025f, 0}, {0, 0}},
        {"force divides by mass", {0, 0}, {4, -8}, {0, 0}, 0.5f, {1, -2}, {2, -4}},
        {"friction larger than velocity stops", {2, 0}, {0, 0}, {-10, 0}, 0.5f, {1, 0}, {0, 0}},
        {"friction smaller than velocity slows", {2, 0}, {0, 0}, {-10, 0}, 0.1f, {0.2f, 0}, {1, 0}},
        {"friction compares magnitudes only", {-2, 0}, {0, 0}, {-10, 0}, 0.1f, {-0.2f, 0}, {-3, 0}},
        {"negative component cut at -0.1", {-0.1f, 3}, {0, 0}, {0, 0}, 1, {-0.1f, 3}, {0, 3}},
        {"just above the cut-off stays", {0.10001f, 0}, {0, 0}, {0, 0}, 1, {0.10001f, 0}, {0.10001f, 0}},
    };
    for (const StepCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        qnRigidBody kBody = UnitBody(kCase.kVelocity);
        kBody.AddForce(kCase.kForce);
        kBody.m_kFriction = kCase.kFriction;
        kBody.Step(kCase.fDt);
        ExpectVector(kBody.GetPosition(), kCase.kPosition.m_fX, kCase.kPosition.m_fY);
        ExpectVector(kBody.GetVelocity(), kCase.kVelocityAfter.m_fX, kCase.kVelocityAfter.m_fY);
    }
}

TEST(qnRigidBodyTest, FrictionShowsInThePositionFromTheNextStep)
{
    qnRigidBody kBody = UnitBody(qnVector2(2, 0));
    kBody.m_kFriction = qnVector2(-10, 0);
    kBody.Step(0.1f);
    kBody.Step(0.1f);
    ExpectVector(kBody.GetPosition(), 0.2f + 0.1f, 0);
}

TEST(qnRigidBodyTest, AngularVelocityIsDampedOncePerStep)
{
    qnRigidBody kBody = UnitBody();
    kBody.SetAngularVelocity(1.0f);
    kBody.Step(0.5f);
    EXPECT_FLOAT_EQ(kBody.GetAngle(), 0.5f);
    EXPECT_FLOAT_EQ(kBody.GetAngularVelocity(), 0.99f);
    kBody.Step(0.5f);
    EXPECT_FLOAT_EQ(kBody.GetAngle(), 0.5f + 0.99f * 0.5f);
    EXPECT_FLOAT_EQ(kBody.GetAngularVelocity(), 0.99f * 0.99f);
}

TEST(qnRigidBodyTest, TorqueDividesByInertiaBeforeTheAngleMoves)
{
    qnRigidBody kBody = UnitBody();
    kBody.SetInertia(4.0f);
    kBody.AddTorque(8.0f);
    kBody.Step(0.5f);
    EXPECT_FLOAT_EQ(kBody.GetAngle(), 0.5f);
    EXPECT_FLOAT_EQ(kBody.GetAngularVelocity(), 0.99f);
}

struct CollisionCase {
    std::string name;
    float fRestitution;
    float fOtherRestitution;
    float fOtherMass;
    qnVector2 kVelocity;
    qnVector2 kOtherVelocity;
    qnVector2 kNormal;
    qnVector2 kVelocityAfter;
    qnVector2 kOtherVelocityAfter;
};

TEST(qnRigidBodyTest, CollideExchangesAnImpulseAlongTheNormal)
{
    const std::vector<CollisionCase> akCases = {
        {"elastic head-on", 1, 0, 1, {1, 0}, {-1, 0}, {2, 0}, {-1, 0}, {1, 0}},
        {"plastic", 0, 0, 1, {1, 0}, {0, 0}, {2, 0}, {0.5f, 0}, {0.5f, 0}},
        {"moving apart are turned together", 1, 0, 1, {-1, 0}, {1, 0}, {2, 0}, {1, 0}, {-1, 0}},
        {"other restitution ignored", 0, 1, 1, {1, 0}, {0, 0}, {2, 0}, {0.5f, 0}, {0.5f, 0}},
        {"normal direction does not matter", 1, 0, 1, {1, 0}, {-1, 0}, {-3, 0}, {-1, 0}, {1, 0}},
        {"along y keeps x", 1, 0, 1, {3, 1}, {-2, -1}, {0, 1}, {3, -1}, {-2, 1}},
        {"heavier other", 1, 0, 3, {2, 0}, {0, 0}, {1, 0}, {-1, 0}, {1, 0}},
    };
    for (const CollisionCase& kCase : akCases) {
        SCOPED_TRACE(kCase.name);
        qnRigidBody kBody = UnitBody(kCase.kVelocity);
        kBody.SetRestitution(kCase.fRestitution);
        qnRigidBody kOther = UnitBody(kCase.kOtherVelocity);
        kOther.SetMass(kCase.fOtherMass);
        kOther.SetRestitution(kCase.fOtherRestitution);
        qnVector2 kNormal(kCase.kNormal);
        kBody.Collide(kOther, kNormal);
        ExpectVector(kBody.GetVelocity(), kCase.kVelocityAfter.m_fX, kCase.kVelocityAfter.m_fY);
        ExpectVector(kOther.GetVelocity(), kCase.kOtherVelocityAfter.m_fX,
                     kCase.kOtherVelocityAfter.m_fY);
        EXPECT_FLOAT_EQ(kNormal.Length(), 1.0f);
    }
}

TEST(qnRigidBodyTest, CollideNormalisesTheCallersNormalAndLeavesTheRestAlone)
{
    qnRigidBody kBody = UnitBody(qnVector2(1, 0));
    kBody.SetPosition(qnVector2(5, 6));
    kBody.SetAngularVelocity(2.0f);
    qnRigidBody kOther = UnitBody(qnVector2(-1, 0));
    qnVector2 kNormal(2, 0);
    kBody.Collide(kOther, kNormal);
    ExpectVector(kNormal, 1, 0);
    ExpectVector(kBody.GetPosition(), 5, 6);
    EXPECT_EQ(kBody.GetAngularVelocity(), 2.0f);
}

TEST(qnRigidBodyTest, ZeroMassFollowsFloatingPointRules)
{
    qnRigidBody kBody;
    kBody.AddForce(qnVector2(1, 0));
    kBody.Step(1.0f);
    EXPECT_FALSE(std::isfinite(kBody.GetVelocity().m_fX));
    EXPECT_TRUE(std::isnan(kBody.GetAngularVelocity()));
}

}  // namespace
