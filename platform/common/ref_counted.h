// The reference count behind a platform interface: starts at one, and the last Release
// deletes the object. Internal to platform/.
#pragma once

#include "platform/win32.h"

template <class Interface>
class RefCounted : public Interface {
public:
    ULONG AddRef() override { return ++m_references; }

    ULONG Release() override
    {
        ULONG left = --m_references;
        if (left == 0) {
            delete this;
        }
        return left;
    }

protected:
    RefCounted() = default;
    virtual ~RefCounted() = default;

private:
    ULONG m_references = 1;
};
