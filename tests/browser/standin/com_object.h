// The one IUnknown (and IDispatch) implementation every stand-in object shares, on top of the
// generated stubs, plus failure injection and a count of live objects so tests can tell a leak or
// an early release by the browser link.
#pragma once

#include "standin_stubs.h"

#include <atomic>
#include <map>
#include <string>
#include <type_traits>

namespace standin {

// Objects alive right now, of every stand-in class.
long LiveObjects();

namespace detail {
extern std::atomic<long> liveObjects;
}

// HRESULTs a test wants a named method to return instead of doing its work.
class Faults {
public:
    void Inject(const std::string& method, HRESULT hr) { injected_[method] = hr; }
    void Clear() { injected_.clear(); }
    // S_OK when the method is to work as usual.
    HRESULT operator()(const std::string& method) const
    {
        const auto found = injected_.find(method);
        return found == injected_.end() ? S_OK : found->second;
    }

private:
    std::map<std::string, HRESULT> injected_;
};

// Answers IUnknown through the first stub and every interface any stub answers, as far as
// Offers allows (one element class serves anchors, images and form controls alike).
template <class First, class... Rest>
class Object : public First, public Rest... {
public:
    Object() { ++detail::liveObjects; }
    virtual ~Object() { --detail::liveObjects; }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) ||
            (std::is_base_of_v<IDispatch, First> && IsEqualIID(iid, IID_IDispatch))) {
            *out = static_cast<First*>(this);
        } else if (Offers(iid)) {
            if (First::Answers(iid))
                *out = static_cast<First*>(this);
            ((!*out && Rest::Answers(iid) ? (*out = static_cast<Rest*>(this)) : nullptr), ...);
        }
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --references_;
        if (left == 0)
            delete this;
        return left;
    }

    // The current reference count, read without changing it.
    ULONG References() const { return references_; }

    Faults faults;

protected:
    virtual bool Offers(REFIID) const { return true; }

private:
    std::atomic<ULONG> references_{0};
};

// An automation object: type information and late binding are not offered, as the browser link
// only calls through the interfaces' tables.
template <class... Stubs>
class Dispatch : public Object<Stubs...> {
public:
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (count)
            *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override
    {
        if (info)
            *info = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override
    {
        return E_NOTIMPL;
    }
};

// For a shell window that is no browser: an automation object with no interface of its own.
class PlainDispatchStub : public IDispatch {
public:
    static bool Answers(REFIID) { return false; }
};

}  // namespace standin
