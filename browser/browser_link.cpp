// The link object itself (identity, creation, destruction), finding and starting browsers,
// navigation and the error texts.
#include "browser/browser_link.h"

#include "browser/browser_state.h"
#include "browser/com_support.h"

#include <mshtml.h>
#include <ole2.h>

#include <cstdio>
#include <cstring>

namespace browser {

using detail::Bstr;
using detail::Check;
using detail::ComFailure;
using detail::State;
using detail::Variant;

namespace detail {

ProcessState& State()
{
    static ProcessState state;
    return state;
}

}  // namespace detail

void SetComCreator(ComCreator creator)
{
    State().creator = creator ? creator : &CoCreateInstance;
}

void SetEventFailureSink(FailureSink sink)
{
    State().eventFailureSink = sink;
}

void detail::ReportUnreachableFailure(const std::string& text)
{
    if (auto sink = State().eventFailureSink)
        sink(text);
    else
        OutputDebugStringA(text.c_str());
}

// --- COM identity -------------------------------------------------------------------------

HRESULT BrowserLink::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
        AddRef();
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG BrowserLink::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG BrowserLink::Release()
{
    return static_cast<ULONG>(InterlockedDecrement(&references_));
}

HRESULT BrowserLink::GetTypeInfoCount(UINT* count)
{
    if (count)
        *count = 0;
    return S_OK;
}

HRESULT BrowserLink::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info)
        *info = nullptr;
    return E_NOTIMPL;
}

HRESULT BrowserLink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*)
{
    return E_NOTIMPL;
}

// --- Creation and destruction ---------------------------------------------------------------

BrowserLink* GetBrowserLink(bool monitoring)
{
    auto& state = State();
    if (state.link)
        return state.link;
    auto* link = new BrowserLink;
    try {
        link->ConnectToShell();
        link->monitoring_ = monitoring;
        link->ReconnectBrowsers();
    } catch (...) {
        // The destructor also undoes the shell connection, so the shell is never left calling
        // a freed sink.
        delete link;
        throw;
    }
    state.link = link;
    return link;
}

void DestroyBrowserLink()
{
    delete std::exchange(State().link, nullptr);
}

BrowserLink::~BrowserLink()
{
    // Each failing pass drops the connection that failed, so this ends with every connection
    // released once; the failures can only be reported, there is no caller left to stop.
    while (!browserConnections_.empty()) {
        try {
            DisconnectBrowsers();
        } catch (const BrowserError& error) {
            detail::ReportUnreachableFailure(error.what());
        }
    }
    if (shellEventsPoint_)
        shellEventsPoint_->Unadvise(shellEventsCookie_);
}

void BrowserLink::ConnectToShell()
{
    try {
        Check(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
        if (shellWindows_)
            return;
        ComRef<IUnknown> unknown;
        HRESULT hr = State().creator(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IUnknown,
                                     unknown.OutVoid());
        if (SUCCEEDED(hr))
            hr = OleRun(unknown.Get());
        if (SUCCEEDED(hr))
            hr = unknown->QueryInterface(IID_IShellWindows, shellWindows_.OutVoid());
        unknown.Reset();
        Check(hr);
        if (!shellWindows_)
            throw BrowserError("Shell Windows interface is not available");

        auto container =
            detail::Require<IConnectionPointContainer>(shellWindows_.Get(), IID_IConnectionPointContainer);
        ComRef<IConnectionPoint> point;
        Check(container->FindConnectionPoint(DIID_DShellWindowsEvents, point.Out()));
        DWORD cookie = 0;
        Check(point->Advise(this, &cookie));
        shellEventsPoint_ = std::move(point);
        shellEventsCookie_ = cookie;
    } catch (const ComFailure&) {
        throw BrowserError("Failed to connect to shell");
    }
}

// --- Finding and starting browsers ----------------------------------------------------------

namespace {

// A window whose module cannot be named belongs to no known program and matches nothing.
bool SameProgram(HWND window, IWebBrowser2* browser)
{
    char module[260];
    const UINT length = GetWindowModuleFileNameA(window, module, sizeof module);
    if (length == 0)
        return false;
    Bstr fullName;
    Check(browser->get_FullName(fullName.Out()));
    return std::string(module, length) == detail::Narrow(fullName.Get());
}

std::string WindowText(HWND window)
{
    char text[1024];
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string DocumentTitle(IWebBrowser2* browser)
{
    ComRef<IDispatch> document;
    Check(browser->get_Document(document.Out()));
    auto html = detail::Require<IHTMLDocument2>(document.Get(), IID_IHTMLDocument2);
    Bstr title;
    Check(html->get_title(title.Out()));
    return detail::Narrow(title.Get());
}

ComRef<IWebBrowser2> SearchShellWindows(IShellWindows* shellWindows, HWND window)
{
    long count = 0;
    Check(shellWindows->get_Count(&count));
    ComRef<IWebBrowser2> candidate;
    for (long i = 0; i < count; ++i) {
        ComRef<IDispatch> item;
        Check(shellWindows->Item(*Variant::Index(i), item.Out()));
        ComRef<IWebBrowser2> browser;
        const HRESULT hr = detail::Query(item.Get(), IID_IWebBrowser2, browser);
        if (!item || hr == E_NOINTERFACE)
            continue;
        Check(hr);
        SHANDLE_PTR browserWindow = 0;
        Check(browser->get_HWND(&browserWindow));
        if (!window) {
            if (i == count - 1)
                return browser;
            continue;
        }
        if (reinterpret_cast<HWND>(browserWindow) == window)
            return browser;
        if (!SameProgram(window, browser.Get()))
            continue;
        // The structure's own size: 48 bytes in a 32-bit build, more in a 64-bit one, where 48
        // would make every call fail and the title never be compared.
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        if (GetGUIThreadInfo(0, &gui)) {
            const std::string title = DocumentTitle(browser.Get());
            if (gui.hwndFocus && WindowText(gui.hwndFocus) == title)
                return browser;
        }
        candidate = std::move(browser);
    }
    if (!candidate && count < 1)
        candidate = ComRef<IWebBrowser2>::Adopt(CreateBrowser());
    return candidate;
}

}  // namespace

IWebBrowser2* FindBrowser(IShellWindows* shellWindows, HWND window)
{
    if (!shellWindows)
        return CreateBrowser();
    try {
        ComRef<IWebBrowser2> browser = SearchShellWindows(shellWindows, window);
        if (browser)
            Check(browser->put_Visible(VARIANT_TRUE));
        return browser.Detach();
    } catch (const ComFailure& failure) {
        throw BrowserError("Failed to get a browser: " + ComErrorText(failure.hr));
    }
}

IWebBrowser2* CreateBrowser()
{
    IWebBrowser2* browser = nullptr;
    const HRESULT hr = State().creator(CLSID_InternetExplorer, nullptr, CLSCTX_LOCAL_SERVER,
                                       IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
    if (FAILED(hr) || !browser)
        throw BrowserError("Failed to create new browser");
    browser->put_Visible(VARIANT_TRUE);  // a browser that stays hidden still navigates
    return browser;
}

// --- Navigation -----------------------------------------------------------------------------

namespace {

// The body as the browser takes it: a byte array of exactly the data, no terminating zero.
void FillPostData(const std::string& data, VARIANT* postData)
{
    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(data.size()));
    if (!bytes)
        throw ComFailure{E_OUTOFMEMORY};
    postData->vt = VT_ARRAY | VT_UI1;
    postData->parray = bytes;  // cleared with the VARIANT from here on
    void* target = nullptr;
    Check(SafeArrayAccessData(bytes, &target));
    if (!data.empty())
        std::memcpy(target, data.data(), data.size());
    Check(SafeArrayUnaccessData(bytes));
}

}  // namespace

void BrowserLink::Navigate(std::string url, beelines::RequestParams params, bool post, bool newWindow)
{
    auto browser = ComRef<IWebBrowser2>::Adopt(newWindow ? CreateBrowser()
                                                         : FindBrowser(shellWindows_.Get(), nullptr));
    if (!browser)
        return;
    beelines::BeelineRequest request;
    request.url = std::move(url);
    request.params = std::move(params);
    request.post = post;
    try {
        Variant postData, headers, empty;
        if (post) {
            FillPostData(beelines::ComposeRequestData(request.params, true), postData.Get());
            headers.Get()->vt = VT_BSTR;
            headers.Get()->bstrVal = detail::WidenBytes(beelines::kPostHeaders);
            if (!headers.Get()->bstrVal)
                throw ComFailure{E_OUTOFMEMORY};
        }
        Bstr wideUrl(detail::WidenBytes(beelines::NavigationUrl(request)));
        if (!wideUrl.Get())
            throw ComFailure{E_OUTOFMEMORY};
        Check(browser->Navigate(wideUrl.Get(), empty.Get(), empty.Get(), postData.Get(), headers.Get()));
    } catch (const ComFailure&) {
        throw BrowserError("Failed to post data");
    }
}

void BrowserLink::NavigateUrl(std::string url, bool post, bool newWindow)
{
    Navigate(std::move(url), beelines::RequestParams(), post, newWindow);
}

// --- Error texts ----------------------------------------------------------------------------

std::string ComErrorText(HRESULT hr)
{
    char* message = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                        nullptr, static_cast<DWORD>(hr),
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<LPSTR>(&message), 0, nullptr);
    if (length > 0 && message) {
        std::string text(message, length);
        LocalFree(message);
        if (text.size() > 1 && text.back() == '\n') {
            text.pop_back();
            if (!text.empty() && text.back() == '\r')
                text.pop_back();
        }
        return text;
    }
    if (message)
        LocalFree(message);
    const unsigned long code = static_cast<unsigned long>(hr);
    char text[40];
    if (code >= 0x80040200UL && code <= 0x8004FFFFUL && code != 0x80040200UL)
        std::snprintf(text, sizeof text, "IDispatch error #%lu", code - 0x80040200UL);
    else
        std::snprintf(text, sizeof text, "Unknown error 0x%0lX", code);
    return text;
}

}  // namespace browser
