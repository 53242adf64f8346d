#include "tests/browser/standin/standin.h"

#include <exdispid.h>

#include <algorithm>

namespace standin {

namespace detail {
std::atomic<long> liveObjects{0};
}

long LiveObjects()
{
    return detail::liveObjects;
}

namespace {

BSTR ToBstr(const std::string& text)
{
    const int length = static_cast<int>(text.size());
    const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
    BSTR wide = SysAllocStringLen(nullptr, static_cast<UINT>(size));
    MultiByteToWideChar(CP_ACP, 0, text.data(), length, wide, size);
    return wide;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return text;
}

std::string FromWide(const wchar_t* text)
{
    if (!text)
        return std::string();
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size > 0 ? size - 1 : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow.data(), size, nullptr, nullptr);
    return narrow;
}

HRESULT Text(const std::string& text, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = ToBstr(text);
    return S_OK;
}

template <class T, class Interface>
HRESULT Hand(const ComRef<T>& object, Interface** out)
{
    if (!out)
        return E_POINTER;
    *out = object.Get();
    if (*out)
        (*out)->AddRef();
    return S_OK;
}

// The collection index the link asks for: a VT_I4 in the index (and name) argument.
bool IndexOf(const VARIANT& index, size_t size, size_t& at)
{
    if (index.vt != VT_I4 || index.lVal < 0 || static_cast<size_t>(index.lVal) >= size)
        return false;
    at = static_cast<size_t>(index.lVal);
    return true;
}

}  // namespace

// --- Connection points ----------------------------------------------------------------------

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie)
{
    if (HRESULT hr = faults("Advise"))
        return hr;
    if (!sink || !cookie)
        return E_POINTER;
    // Events go out late-bound, so a sink must at least offer IDispatch.
    ComRef<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Out()))))
        return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.emplace_back(*cookie, std::move(dispatch));
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie)
{
    if (HRESULT hr = faults("Unadvise"))
        return hr;
    const auto found = std::find_if(sinks_.begin(), sinks_.end(),
                                    [cookie](const auto& sink) { return sink.first == cookie; });
    if (found == sinks_.end()) {
        ++unknownCookies;
        return CONNECT_E_NOCONNECTION;
    }
    sinks_.erase(found);
    return S_OK;
}

void ConnectionPoint::AbandonSinks()
{
    for (auto& sink : sinks_)
        sink.second.Detach();
    sinks_.clear();
}

void ConnectionPoint::Fire(DISPID id, std::vector<VARIANT> arguments)
{
    // A sink may disconnect (or connect others) while it handles the event.
    const auto sinks = sinks_;
    for (const auto& sink : sinks) {
        DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
        sink.second->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr,
                            nullptr, nullptr);
    }
}

// --- Elements -------------------------------------------------------------------------------

const std::string* Element::Attribute(const std::string& name) const
{
    for (const auto& attribute : attributes) {
        if (attribute.first == name)
            return &attribute.second;
    }
    return nullptr;
}

bool Element::Offers(REFIID iid) const
{
    for (const IID& refused : withheld) {
        if (IsEqualIID(iid, refused))
            return false;
    }
    if (IsEqualIID(iid, IID_IHTMLElement) || IsEqualIID(iid, IID_IHTMLElement2))
        return true;
    static const struct {
        const IID* iid;
        const char* tag;
    } kinds[] = {
        {&IID_IHTMLAnchorElement, "a"},      {&IID_IHTMLImgElement, "img"},
        {&IID_IHTMLFormElement, "form"},     {&IID_IHTMLInputElement, "input"},
        {&IID_IHTMLSelectElement, "select"}, {&IID_IHTMLTextAreaElement, "textarea"},
        {&IID_IHTMLOptionElement, "option"},
    };
    for (const auto& kind : kinds) {
        if (IsEqualIID(iid, *kind.iid))
            return tag == kind.tag;
    }
    return false;
}

// Like the document model: an absent attribute is VT_NULL, not a failure.
HRESULT Element::getAttribute(BSTR name, LONG, VARIANT* value)
{
    if (HRESULT hr = faults("getAttribute"))
        return hr;
    if (!value)
        return E_POINTER;
    VariantInit(value);
    const std::string wanted = Lower(FromWide(name));
    const std::string* found = Attribute(wanted);
    // The model reports an input without a type as a text field.
    static const std::string kDefaultType = "text";
    if (!found && tag == "input" && wanted == "type")
        found = &kDefaultType;
    if (!found) {
        V_VT(value) = VT_NULL;
        return S_OK;
    }
    V_VT(value) = VT_BSTR;
    V_BSTR(value) = ToBstr(*found);
    return S_OK;
}

HRESULT Element::get_innerText(BSTR* text)
{
    if (HRESULT hr = faults("get_innerText"))
        return hr;
    return Text(innerText, text);
}

HRESULT Element::get_scrollTop(LONG* top)
{
    if (HRESULT hr = faults("get_scrollTop"))
        return hr;
    if (!top)
        return E_POINTER;
    *top = scrollTop;
    return S_OK;
}

HRESULT Element::put_scrollTop(LONG top)
{
    if (HRESULT hr = faults("put_scrollTop"))
        return hr;
    scrollTop = top;
    return S_OK;
}

HRESULT Element::get_href(BSTR* href)
{
    const std::string* value = Attribute("href");
    return Text(value ? *value : std::string(), href);
}

HRESULT Element::get_alt(BSTR* alt)
{
    const std::string* value = Attribute("alt");
    return Text(value ? *value : std::string(), alt);
}

HRESULT Element::get_src(BSTR* src)
{
    const std::string* value = Attribute("src");
    return Text(value ? *value : std::string(), src);
}

HRESULT Element::get_length(LONG* length)
{
    if (HRESULT hr = faults("get_length"))
        return hr;
    if (!length)
        return E_POINTER;
    *length = static_cast<LONG>(children.size());
    return S_OK;
}

HRESULT Element::item(VARIANT, VARIANT index, IDispatch** entry)
{
    if (!entry)
        return E_POINTER;
    *entry = nullptr;
    size_t at = 0;
    if (!IndexOf(index, children.size(), at))
        return E_INVALIDARG;
    return children[at]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(entry));
}

HRESULT Element::get_text(BSTR* text)
{
    return Text(innerText, text);
}

HRESULT Collection::get_length(LONG* length)
{
    if (HRESULT hr = faults("get_length"))
        return hr;
    if (!length)
        return E_POINTER;
    *length = static_cast<LONG>(entries.size());
    return S_OK;
}

HRESULT Collection::item(VARIANT, VARIANT index, IDispatch** entry)
{
    if (!entry)
        return E_POINTER;
    *entry = nullptr;
    size_t at = 0;
    if (!IndexOf(index, entries.size(), at))
        return E_INVALIDARG;
    return entries[at]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(entry));
}

// --- Documents and frames -------------------------------------------------------------------

HRESULT FrameWindow::get_document(IHTMLDocument2** out)
{
    if (HRESULT hr = faults("get_document"))
        return hr;
    return Hand(document, out);
}

HRESULT Frames::get_length(LONG* length)
{
    if (!length)
        return E_POINTER;
    *length = static_cast<LONG>(windows.size());
    return S_OK;
}

HRESULT Frames::item(VARIANT* index, VARIANT* frame)
{
    if (!index || !frame)
        return E_POINTER;
    VariantInit(frame);
    size_t at = 0;
    if (!IndexOf(*index, windows.size(), at))
        return E_INVALIDARG;
    V_VT(frame) = VT_DISPATCH;
    return windows[at]->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(frame)));
}

Document::Document()
    : body(ComRef<Element>::Share(new Element("body"))),
      links(ComRef<Collection>::Share(new Collection)),
      images(ComRef<Collection>::Share(new Collection)),
      forms(ComRef<Collection>::Share(new Collection)),
      frames(ComRef<Frames>::Share(new Frames))
{
}

HRESULT Document::get_title(BSTR* out)
{
    if (HRESULT hr = faults("get_title"))
        return hr;
    return Text(title, out);
}

HRESULT Document::get_body(IHTMLElement** out)
{
    if (HRESULT hr = faults("get_body"))
        return hr;
    return Hand(body, out);
}

HRESULT Document::get_links(IHTMLElementCollection** out)
{
    if (HRESULT hr = faults("get_links"))
        return hr;
    return Hand(links, out);
}

HRESULT Document::get_images(IHTMLElementCollection** out)
{
    if (HRESULT hr = faults("get_images"))
        return hr;
    return Hand(images, out);
}

HRESULT Document::get_forms(IHTMLElementCollection** out)
{
    if (HRESULT hr = faults("get_forms"))
        return hr;
    return Hand(forms, out);
}

HRESULT Document::get_frames(IHTMLFramesCollection2** out)
{
    if (HRESULT hr = faults("get_frames"))
        return hr;
    return Hand(frames, out);
}

std::vector<Document*> Document::FrameDocuments() const
{
    std::vector<Document*> documents;
    for (const auto& window : frames->windows) {
        if (!window->document)
            continue;
        documents.push_back(window->document.Get());
        for (Document* inner : window->document->FrameDocuments())
            documents.push_back(inner);
    }
    return documents;
}

// --- Browsers -------------------------------------------------------------------------------

Browser::Browser()
{
    events = ComRef<ConnectionPoint>::Share(new ConnectionPoint);
}

HRESULT Browser::Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                          VARIANT* headers)
{
    Navigation navigation;
    navigation.url.assign(url ? url : L"", url ? SysStringLen(url) : 0);
    navigation.flagsType = flags ? V_VT(flags) : VARTYPE{VT_ILLEGAL};
    navigation.targetType = target ? V_VT(target) : VARTYPE{VT_ILLEGAL};
    navigation.flagsIsTarget = flags && flags == target;
    if (postData) {
        navigation.postType = V_VT(postData);
        if (V_VT(postData) == (VT_ARRAY | VT_UI1) && V_ARRAY(postData)) {
            SAFEARRAY* bytes = V_ARRAY(postData);
            LONG low = 0, high = -1;
            SafeArrayGetLBound(bytes, 1, &low);
            SafeArrayGetUBound(bytes, 1, &high);
            void* data = nullptr;
            if (SafeArrayGetDim(bytes) == 1 && SUCCEEDED(SafeArrayAccessData(bytes, &data))) {
                navigation.postBytes.assign(static_cast<const char*>(data),
                                            static_cast<size_t>(high - low + 1));
                SafeArrayUnaccessData(bytes);
            }
        }
    }
    if (headers) {
        navigation.headersType = V_VT(headers);
        if (V_VT(headers) == VT_BSTR && V_BSTR(headers))
            navigation.headers.assign(V_BSTR(headers), SysStringLen(V_BSTR(headers)));
    }
    navigations.push_back(navigation);
    if (HRESULT hr = faults("Navigate"))
        return hr;
    locationUrl = FromWide(navigation.url.c_str());
    return S_OK;
}

HRESULT Browser::get_Document(IDispatch** out)
{
    if (HRESULT hr = faults("get_Document"))
        return hr;
    if (!out)
        return E_POINTER;
    *out = nullptr;
    return document ? document->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(out)) : S_OK;
}

HRESULT Browser::get_LocationURL(BSTR* url)
{
    if (HRESULT hr = faults("get_LocationURL"))
        return hr;
    return Text(locationUrl, url);
}

HRESULT Browser::get_FullName(BSTR* name)
{
    if (HRESULT hr = faults("get_FullName"))
        return hr;
    return Text(fullName, name);
}

HRESULT Browser::get_HWND(SHANDLE_PTR* out)
{
    if (HRESULT hr = faults("get_HWND"))
        return hr;
    if (!out)
        return E_POINTER;
    *out = reinterpret_cast<SHANDLE_PTR>(window);
    return S_OK;
}

HRESULT Browser::put_Visible(VARIANT_BOOL on)
{
    ++visibleCalls;
    if (HRESULT hr = faults("put_Visible"))
        return hr;
    visible = on != VARIANT_FALSE;
    return S_OK;
}

HRESULT Browser::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (HRESULT hr = faults("FindConnectionPoint"))
        return hr;
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, DIID_DWebBrowserEvents2))
        return CONNECT_E_NOCONNECTION;
    return Hand(events, point);
}

void Browser::CompleteDocument()
{
    if (!document)
        return;
    std::vector<const Document*> completed;
    for (const Document* frame : document->FrameDocuments())
        completed.push_back(frame);
    completed.push_back(document.Get());
    for (const Document* done : completed) {
        // DocumentComplete(IDispatch* pDisp, VARIANT* URL), arguments last first.
        VARIANT url;
        V_VT(&url) = VT_BSTR;
        V_BSTR(&url) = ToBstr(done->url);
        VARIANT arguments[2];
        V_VT(&arguments[0]) = VT_VARIANT | VT_BYREF;
        V_VARIANTREF(&arguments[0]) = &url;
        V_VT(&arguments[1]) = VT_DISPATCH;
        V_DISPATCH(&arguments[1]) = static_cast<IWebBrowser2*>(this);
        events->Fire(DISPID_DOCUMENTCOMPLETE, {arguments[0], arguments[1]});
        VariantClear(&url);
    }
}

// --- The shell window list ------------------------------------------------------------------

ShellWindows::ShellWindows()
{
    events = ComRef<ConnectionPoint>::Share(new ConnectionPoint);
}

HRESULT ShellWindows::get_Count(LONG* count)
{
    if (HRESULT hr = faults("get_Count"))
        return hr;
    if (!count)
        return E_POINTER;
    *count = static_cast<LONG>(windows.size());
    return S_OK;
}

HRESULT ShellWindows::Item(VARIANT index, IDispatch** folder)
{
    if (HRESULT hr = faults("Item"))
        return hr;
    if (!folder)
        return E_POINTER;
    *folder = nullptr;
    size_t at = 0;
    // Like the shell: an index past the end is no failure, just no window.
    if (!IndexOf(index, windows.size(), at))
        return S_FALSE;
    *folder = windows[at].Get();
    (*folder)->AddRef();
    return S_OK;
}

HRESULT ShellWindows::FindConnectionPoint(REFIID iid, IConnectionPoint** point)
{
    if (HRESULT hr = faults("FindConnectionPoint"))
        return hr;
    if (!point)
        return E_POINTER;
    *point = nullptr;
    if (!IsEqualIID(iid, DIID_DShellWindowsEvents))
        return CONNECT_E_NOCONNECTION;
    return Hand(events, point);
}

HRESULT ShellWindows::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                             EXCEPINFO*, UINT*)
{
    return control ? control(id, params, result) : E_NOTIMPL;
}

void ShellWindows::Open(IDispatch* window)
{
    windows.push_back(ComRef<IDispatch>::Share(window));
    VARIANT cookie;
    V_VT(&cookie) = VT_I4;
    V_I4(&cookie) = static_cast<LONG>(windows.size());
    events->Fire(DISPID_WINDOWREGISTERED, {cookie});
}

void ShellWindows::Close(size_t index)
{
    windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(index));
    VARIANT cookie;
    V_VT(&cookie) = VT_I4;
    V_I4(&cookie) = static_cast<LONG>(index + 1);
    events->Fire(DISPID_WINDOWREVOKED, {cookie});
}

}  // namespace standin
