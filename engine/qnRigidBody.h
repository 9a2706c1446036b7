// A 2D rigid body: forces and torques gathered per step, friction against a surface under
// gravity, linear impulses with another body, and a semi-implicit Euler step.
#pragma once

#include "qnVector2.h"

class qnRigidBody {
public:
    // Mass and inertia start at 0: the owner sets both before stepping or colliding.
    qnRigidBody();
    ~qnRigidBody();

    void AddForce(const qnVector2& kForce);
    void AddTorque(float fTorque);
    // The torque's lever arm runs from the reference point to kPoint.
    void ApplyForceAt(const qnVector2& kForce, const qnVector2& kPoint);
    // Adds one friction force; call once per step, after the forces.
    void ApplyFriction(float fGravity);
    // Exchanges an impulse along kNormal with this body's restitution; normalises kNormal.
    void Collide(qnRigidBody& kOther, qnVector2& kNormal);
    // Advances by fDt and empties the accumulators.
    void Step(float fDt);

    void SetPosition(const qnVector2& kPosition);
    qnVector2 GetPosition() const;
    void SetAngle(float fAngle);
    float GetAngle() const;
    void SetVelocity(const qnVector2& kVelocity);
    qnVector2 GetVelocity() const;
    void SetAngularVelocity(float fAngularVelocity);
    float GetAngularVelocity() const;
    void SetMass(float fMass);
    float GetMass() const;
    void SetReferencePoint(const qnVector2& kReferencePoint);
    qnVector2 GetReferencePoint() const;
    void SetInertia(float fInertia);
    float GetInertia() const;
    void SetStaticFriction(float fStaticFriction);
    float GetStaticFriction() const;
    void SetKineticFriction(float fKineticFriction);
    float GetKineticFriction() const;
    void SetRestitution(float fRestitution);
    float GetRestitution() const;

    qnVector2 m_kReferencePoint;
    float m_fMass;
    float m_fInertia;
    float m_fStaticFriction;
    float m_fKineticFriction;
    float m_fRestitution;
    qnVector2 m_kPosition;
    qnVector2 m_kVelocity;
    float m_fAngle;
    float m_fAngularVelocity;
    qnVector2 m_kForce;
    float m_fTorque;
    qnVector2 m_kFriction;

private:
    void Reset();
};
