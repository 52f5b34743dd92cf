#pragma once
// Reference counting for the program's long-lived objects. CUnknownI is the
// interface, CUnknownImpl the count. Counts are plain integers: every object
// lives on the one drawing thread. Not for objects shared across threads.

class CUnknownI
{
public:
    // Called by CSmartPtr when it takes a reference.
    virtual void AddRef() = 0;
    // Called by CSmartPtr when it drops one; the last release deletes the object.
    virtual void Release() = 0;
    virtual ~CUnknownI() = default;
};

class CUnknownImpl : public CUnknownI
{
public:
    void AddRef() override { ++m_refCount; }
    void Release() override
    {
        if (m_refCount-- == 1)
            delete this;
    }
    int GetRefCount() const { return m_refCount; }

private:
    int m_refCount = 0;  // a fresh object has no owner until a CSmartPtr takes it
};
