#pragma once
// CSmartPtrWrap<T> makes any class reference-counted; CSmartPtr<T> holds one
// reference to such an object. Allocate the wrap, hand it to a smart pointer:
//
//     CSmartPtr<CDIB32> image = new CSmartPtrWrap<CDIB32>();
#include <utility>

#include "fish/Unknown.h"

template <class T>
class CSmartPtrWrap : public CUnknownImpl, public T
{
public:
    template <class... Args>
    explicit CSmartPtrWrap(Args&&... args) : T(std::forward<Args>(args)...)
    {}
};

template <class T>
class CSmartPtr
{
public:
    CSmartPtr() = default;
    template <class U>
    CSmartPtr(CSmartPtrWrap<U>* wrap)
    {
        Assign(wrap, wrap);
    }
    CSmartPtr(const CSmartPtr& other) { Assign(other.m_owner, other.m_object); }
    template <class U>
    CSmartPtr(const CSmartPtr<U>& other)
    {
        Assign(other.GetOwner(), other.Get());
    }
    ~CSmartPtr() { Assign(nullptr, nullptr); }

    CSmartPtr& operator=(const CSmartPtr& other)
    {
        Assign(other.m_owner, other.m_object);
        return *this;
    }
    template <class U>
    CSmartPtr& operator=(CSmartPtrWrap<U>* wrap)
    {
        Assign(wrap, wrap);
        return *this;
    }

    T* Get() const { return m_object; }
    CUnknownI* GetOwner() const { return m_owner; }
    T* operator->() const { return m_object; }
    T& operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    void Reset() { Assign(nullptr, nullptr); }

private:
    // Takes the new reference before dropping the old one, so reassigning an
    // object to itself never deletes it.
    void Assign(CUnknownI* owner, T* object)
    {
        if (owner == m_owner)
            return;
        if (owner)
            owner->AddRef();
        CUnknownI* old = m_owner;
        m_owner = owner;
        m_object = object;
        if (old)
            old->Release();
    }

    CUnknownI* m_owner = nullptr;
    T* m_object = nullptr;
};
