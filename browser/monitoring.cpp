// Watching the browsers' events, handing finished documents to the handler, and the page
// positions of bookmarks.
#include "browser/browser_link.h"

#include "browser/browser_state.h"
#include "browser/com_support.h"

#include <exdispid.h>
#include <mshtml.h>

namespace browser {

using detail::Bstr;
using detail::Check;
using detail::ComFailure;

void BrowserLink::SetMonitoring(bool on)
{
    monitoring_ = on;
    if (on)
        ReconnectBrowsers();
    else
        DisconnectBrowsers();
}

void BrowserLink::ReconnectBrowsers()
{
    if (!monitoring_)
        return;
    DisconnectBrowsers();
    CollectBrowsers();
    for (const auto& browser : browsers_)
        ConnectBrowserEvents(browser.Get());
}

void BrowserLink::CollectBrowsers()
{
    if (!shellWindows_)
        return;
    try {
        long count = 0;
        Check(shellWindows_->get_Count(&count));
        for (long i = 0; i < count; ++i) {
            ComRef<IDispatch> item;
            Check(shellWindows_->Item(*detail::Variant::Index(i), item.Out()));
            ComRef<IWebBrowser2> browser;
            const HRESULT hr = detail::Query(item.Get(), IID_IWebBrowser2, browser);
            if (!item || hr == E_NOINTERFACE)
                continue;
            Check(hr);
            browsers_.push_back(std::move(browser));
        }
    } catch (const ComFailure&) {
        throw BrowserError("Failed to connect to browser");
    }
}

void BrowserLink::ConnectBrowserEvents(IWebBrowser2* browser)
{
    try {
        auto container =
            detail::Require<IConnectionPointContainer>(browser, IID_IConnectionPointContainer);
        ComRef<IConnectionPoint> point;
        Check(container->FindConnectionPoint(DIID_DWebBrowserEvents2, point.Out()));
        DWORD cookie = 0;
        Check(point->Advise(this, &cookie));
        // One browser listed twice has one connection point: keep the first connection only,
        // since the map holds one cookie per point.
        if (browserConnections_.emplace(point.Get(), cookie).second)
            point.Detach();
        else
            point->Unadvise(cookie);
    } catch (const ComFailure&) {
        throw BrowserError("Failed to connect to browser");
    }
}

void BrowserLink::DisconnectBrowsers()
{
    // Each entry leaves the map before anything can throw, so its reference is released exactly
    // once. A connection that refuses to be undone cannot be retried usefully: it is dropped too.
    while (!browserConnections_.empty()) {
        const auto [point, cookie] = *browserConnections_.begin();
        browserConnections_.erase(browserConnections_.begin());
        const HRESULT hr = point->Unadvise(cookie);
        point->Release();
        if (FAILED(hr))
            throw BrowserError("Failed to disconnect from browser");
    }
    browsers_.clear();
}

// --- Events ---------------------------------------------------------------------------------

namespace {

// The URL of a document-complete event: its first argument, a VARIANT by reference holding
// a BSTR. Anything else is no URL.
bool DocumentUrl(const DISPPARAMS* params, std::string& url)
{
    if (!params || params->cArgs < 1 || !params->rgvarg)
        return false;
    const VARIANT& argument = params->rgvarg[0];
    if (argument.vt != (VT_VARIANT | VT_BYREF) || !argument.pvarVal)
        return false;
    const VARIANT& held = *argument.pvarVal;
    if (held.vt != VT_BSTR)
        return false;
    url = detail::Narrow(held.bstrVal);
    return true;
}

}  // namespace

// Whatever goes wrong here is reported and stays here: the caller is the shell or a browser,
// which knows nothing of our failures.
HRESULT BrowserLink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                            EXCEPINFO*, UINT*)
{
    try {
        OnEvent(id, params);
    } catch (const BrowserError& error) {
        detail::ReportUnreachableFailure(error.what());
    } catch (const ComFailure& failure) {
        detail::ReportUnreachableFailure(ComErrorText(failure.hr));
    } catch (const std::exception& error) {
        detail::ReportUnreachableFailure(error.what());
    } catch (...) {
        detail::ReportUnreachableFailure("Unexpected failure while handling a browser event");
    }
    return E_NOTIMPL;
}

void BrowserLink::OnEvent(DISPID id, const DISPPARAMS* params)
{
    switch (id) {
    case DISPID_WINDOWREGISTERED:
    case DISPID_WINDOWREVOKED:
        ReconnectBrowsers();
        break;
    case DISPID_DOCUMENTCOMPLETE: {
        std::string url;
        if (documentCompleteHandler && DocumentUrl(params, url))
            documentCompleteHandler(url.c_str());
        break;
    }
    default:
        break;
    }
}

// --- Page positions -------------------------------------------------------------------------

namespace {

// The body of the page the browser shows; empty when it shows no HTML page or the page has no
// body yet.
ComRef<IHTMLElement> PageBody(IHTMLDocument2* document)
{
    ComRef<IHTMLElement> body;
    if (document)
        Check(document->get_body(body.Out()));
    return body;
}

}  // namespace

bool BrowserLink::GetPageBookmark(std::string& title, std::string& url, int& position)
{
    auto browser = ComRef<IWebBrowser2>::Adopt(FindBrowser(shellWindows_.Get(), GetForegroundWindow()));
    if (!browser)
        return false;
    try {
        auto document = detail::ShownDocument(browser.Get());
        auto body = PageBody(document.Get());
        if (!body)
            return false;
        Bstr pageTitle, location;
        Check(document->get_title(pageTitle.Out()));
        Check(browser->get_LocationURL(location.Out()));
        auto body2 = detail::Require<IHTMLElement2>(body.Get(), IID_IHTMLElement2);
        long top = 0;
        Check(body2->get_scrollTop(&top));
        title = detail::Narrow(pageTitle.Get());
        url = detail::Narrow(location.Get());
        position = static_cast<int>(top);
        return true;
    } catch (const ComFailure&) {
        throw BrowserError("Failed to retrieve bookmark");
    }
}

void BrowserLink::RestoreScrollPosition(std::string, int position)
{
    auto browser = ComRef<IWebBrowser2>::Adopt(FindBrowser(shellWindows_.Get(), nullptr));
    if (!browser)
        return;
    try {
        auto body = PageBody(detail::ShownDocument(browser.Get()).Get());
        if (!body)
            return;
        auto body2 = detail::Require<IHTMLElement2>(body.Get(), IID_IHTMLElement2);
        Check(body2->put_scrollTop(position));
    } catch (const ComFailure&) {
        throw BrowserError("Failed to set bookmark");
    }
}

}  // namespace browser
