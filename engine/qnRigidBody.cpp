#include "qnRigidBody.h"

#include <cmath>

namespace {

// Below this speed friction holds the body (static); at or above it, it slides (kinetic).
constexpr float kSlidingSpeed = 1.0f;
// A velocity component of at most this size stops.
constexpr float kRestSpeed = 0.1f;
constexpr float kAngularDamping = 0.99f;

// Friction can stop a velocity component but never reverse it.
float ApplyFrictionChange(float fVelocity, float fChange)
{
    if (std::fabs(static_cast<double>(fChange)) > std::fabs(static_cast<double>(fVelocity))) {
        return 0.0f;
    }
    return fVelocity + fChange;
}

float CutOffAtRest(float fVelocity)
{
    if (std::fabs(static_cast<double>(fVelocity)) <= static_cast<double>(kRestSpeed)) {
        return 0.0f;
    }
    return fVelocity;
}

}  // namespace

qnRigidBody::qnRigidBody() : m_fRestitution(0.0f)
{
    Reset();
}

qnRigidBody::~qnRigidBody()
{
    Reset();
}

void qnRigidBody::Reset()
{
    m_kReferencePoint.Zero();
    m_fMass = 0.0f;
    m_fInertia = 0.0f;
    m_fStaticFriction = 0.0f;
    m_fKineticFriction = 0.0f;
    m_kPosition.Zero();
    m_kVelocity.Zero();
    m_fAngle = 0.0f;
    m_fAngularVelocity = 0.0f;
    m_kForce.Zero();
    m_fTorque = 0.0f;
    m_kFriction.Zero();
}

void qnRigidBody::AddForce(const qnVector2& kForce)
{
    m_kForce += kForce;
}

void qnRigidBody::AddTorque(float fTorque)
{
    m_fTorque += fTorque;
}

void qnRigidBody::ApplyForceAt(const qnVector2& kForce, const qnVector2& kPoint)
{
    m_kForce += kForce;
    m_fTorque += (kPoint - m_kReferencePoint).PerpDot(kForce);
}

void qnRigidBody::ApplyFriction(float fGravity)
{
    const bool bSliding = m_kVelocity.Length() >= kSlidingSpeed;
    qnVector2 kDirection(bSliding ? m_kVelocity : m_kForce);
    kDirection.Normalize();
    const float fCoefficient = bSliding ? m_fKineticFriction : m_fStaticFriction;
    const float fFactor = -(fGravity * m_fMass) * fCoefficient;
    m_kFriction += kDirection * fFactor;
}

void qnRigidBody::Collide(qnRigidBody& kOther, qnVector2& kNormal)
{
    kNormal.Normalize();
    qnVector2 kRelative = m_kVelocity - kOther.GetVelocity();
    kRelative *= -(1.0f + m_fRestitution);
    const float fInverseMassSum = 1.0f / m_fMass + 1.0f / kOther.GetMass();
    const float fImpulse = kRelative.Dot(kNormal) / kNormal.Dot(kNormal * fInverseMassSum);
    m_kVelocity = m_kVelocity + kNormal * (fImpulse / m_fMass);
    kOther.SetVelocity(kOther.GetVelocity() - kNormal * (fImpulse / kOther.GetMass()));
}

void qnRigidBody::Step(float fDt)
{
    m_kVelocity += (m_kForce / m_fMass) * fDt;
    m_kPosition += m_kVelocity * fDt;
    m_fAngularVelocity += (m_fTorque / m_fInertia) * fDt;
    m_fAngle += fDt * m_fAngularVelocity;

    m_kVelocity.m_fX = ApplyFrictionChange(m_kVelocity.m_fX, (m_kFriction.m_fX / m_fMass) * fDt);
    m_kVelocity.m_fY = ApplyFrictionChange(m_kVelocity.m_fY, (m_kFriction.m_fY / m_fMass) * fDt);
    m_kVelocity.m_fX = CutOffAtRest(m_kVelocity.m_fX);
    m_kVelocity.m_fY = CutOffAtRest(m_kVelocity.m_fY);
    m_fAngularVelocity *= kAngularDamping;

    m_fTorque = 0.0f;
    m_kForce.Zero();
    m_kFriction.Zero();
}

void qnRigidBody::SetPosition(const qnVector2& kPosition) { m_kPosition = kPosition; }
qnVector2 qnRigidBody::GetPosition() const { return m_kPosition; }
void qnRigidBody::SetAngle(float fAngle) { m_fAngle = fAngle; }
float qnRigidBody::GetAngle() const { return m_fAngle; }
void qnRigidBody::SetVelocity(const qnVector2& kVelocity) { m_kVelocity = kVelocity; }
qnVector2 qnRigidBody::GetVelocity() const { return m_kVelocity; }
void qnRigidBody::SetAngularVelocity(float fAngularVelocity) { m_fAngularVelocity = fAngularVelocity; }
float qnRigidBody::GetAngularVelocity() const { return m_fAngularVelocity; }
void qnRigidBody::SetMass(float fMass) { m_fMass = fMass; }
float qnRigidBody::GetMass() const { return m_fMass; }
void qnRigidBody::SetReferencePoint(const qnVector2& kReferencePoint) { m_kReferencePoint = kReferencePoint; }
qnVector2 qnRigidBody::GetReferencePoint() const { return m_kReferencePoint; }
void qnRigidBody::SetInertia(float fInertia) { m_fInertia = fInertia; }
float qnRigidBody::GetInertia() const { return m_fInertia; }
void qnRigidBody::SetStaticFriction(float fStaticFriction) { m_fStaticFriction = fStaticFriction; }
float qnRigidBody::GetStaticFriction() const { return m_fStaticFriction; }
void qnRigidBody::SetKineticFriction(float fKineticFriction) { m_fKineticFriction = fKineticFriction; }
float qnRigidBody::GetKineticFriction() const { return m_fKineticFriction; }
void qnRigidBody::SetRestitution(float fRestitution) { m_fRestitution = fRestitution; }
float qnRigidBody::GetRestitution() const { return m_fRestitution; }
