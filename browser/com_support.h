// Plumbing shared by the browser link's sources: the internal COM failure that carries a failing
// HRESULT to the operation's boundary, interface queries, BSTR and VARIANT holders.
#pragma once

#include "browser/com_ref.h"

#include <oaidl.h>

#include <string>

struct IWebBrowser2;
struct IHTMLDocument2;

namespace browser::detail {

// Thrown by Check; every operation turns it into its own text before it leaves the link.
struct ComFailure {
    HRESULT hr;
};

inline void Check(HRESULT hr)
{
    if (FAILED(hr))
        throw ComFailure{hr};
}

// The interface iid of `from`, or an empty reference; the HRESULT of the query is returned.
template <class T>
HRESULT Query(IUnknown* from, REFIID iid, ComRef<T>& to)
{
    to.Reset();
    if (!from)
        return E_POINTER;
    return from->QueryInterface(iid, to.OutVoid());
}

// The interface iid of `from`; a missing one is the failure E_POINTER.
template <class T>
ComRef<T> Require(IUnknown* from, REFIID iid)
{
    ComRef<T> to;
    if (FAILED(Query(from, iid, to)) || !to)
        throw ComFailure{E_POINTER};
    return to;
}

// The HTML document the browser shows; empty when it has none yet (a browser just started) or
// shows something else. Neither is a failure: there is just no page to read.
ComRef<IHTMLDocument2> ShownDocument(IWebBrowser2* browser);

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(BSTR owned) : text_(owned) {}
    ~Bstr() { SysFreeString(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    BSTR Get() const { return text_; }
    BSTR* Out()
    {
        SysFreeString(text_);
        text_ = nullptr;
        return &text_;
    }

private:
    BSTR text_ = nullptr;
};

// UTF-16 to the ANSI code page; a null BSTR is the empty text.
std::string Narrow(BSTR text);

// The ANSI text converted to UTF-16, for names handed to the document model.
BSTR WideFromAnsi(const std::string& text);

// Each byte becomes the UTF-16 code unit of the same value: how URLs are handed to the browser.
BSTR WidenBytes(const std::string& bytes);

class Variant {
public:
    Variant() { VariantInit(&value_); }
    ~Variant() { VariantClear(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;

    static Variant Index(LONG i)
    {
        Variant v;
        v.value_.vt = VT_I4;
        v.value_.lVal = i;
        return v;
    }
    Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT& operator*() const { return value_; }

private:
    VARIANT value_;
};

}  // namespace browser::detail
