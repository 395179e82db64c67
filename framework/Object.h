// The framework's base object: a run-time class name and a virtual destructor.
#pragma once

struct CRuntimeClass {
    const char* m_lpszClassName;
};

class CObject {
public:
    // Virtual slots in this order: run-time class query, destructor, serialisation hook.
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize() {}

    bool IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass() == pClass; }

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// DECLARE_DYNAMIC / IMPLEMENT_DYNAMIC: a class-level CRuntimeClass carrying the class name.
#define DECLARE_DYNAMIC(className)                                   \
public:                                                              \
    static const CRuntimeClass class##className;                     \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(className)                                 \
    const CRuntimeClass className::class##className = {#className};  \
    const CRuntimeClass* className::GetRuntimeClass() const { return &class##className; }

#define RUNTIME_CLASS(className) (&className::class##className)
