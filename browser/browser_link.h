// The program's one connection to the web browsers: it attaches to the browser windows of the
// shell's window list, starts a new browser when it needs one, navigates, reads the document
// structure and page positions, and watches the browsers' events.
//
// All of it runs on the user-interface thread, a single-threaded COM apartment. Failures leave
// every operation as a BrowserError carrying the text to show.
#pragma once

#include "beelines/request.h"
#include "browser/browser_error.h"
#include "browser/com_ref.h"

#include <windows.h>
#include <exdisp.h>

#include <map>
#include <string>
#include <vector>

namespace browser {

// Called with the URL of every document that finished loading in a watched browser.
using DocumentCompleteHandler = void (*)(const char* url);

// The link is also the event sink the shell window list and the browsers call back. Its life
// belongs to GetBrowserLink / DestroyBrowserLink, not to its COM reference count.
class BrowserLink final : public IDispatch {
public:
    BrowserLink(const BrowserLink&) = delete;
    BrowserLink& operator=(const BrowserLink&) = delete;

    // IUnknown and IDispatch: answers only IID_IUnknown and IID_IDispatch; Release never
    // destroys; Invoke handles the window and document events and always says E_NOTIMPL.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override;

    // Sends the request to the last browser of the shell's list, or to a new one.
    void Navigate(std::string url, beelines::RequestParams params, bool post, bool newWindow);
    void NavigateUrl(std::string url, bool post, bool newWindow);

    // Fills the Structure page's link list, image list and form tree from the document of the
    // last browser of the shell's list and its frames.
    void GetDocumentStructure(HWND linkList, HWND imageList, HWND formTree);

    void SetMonitoring(bool on);
    void ReconnectBrowsers();

    // The foreground browser's page title, location and scroll position; false when the
    // foreground window belongs to no browser or shows no HTML page.
    bool GetPageBookmark(std::string& title, std::string& url, int& position);
    // Scrolls the last browser of the shell's list; the URL does not choose the browser.
    void RestoreScrollPosition(std::string url, int position);

    DocumentCompleteHandler documentCompleteHandler = nullptr;

private:
    friend BrowserLink* GetBrowserLink(bool monitoring);
    friend void DestroyBrowserLink();

    BrowserLink() = default;
    ~BrowserLink();

    void ConnectToShell();
    void CollectBrowsers();
    void ConnectBrowserEvents(IWebBrowser2* browser);
    // Undoes every browser connection. At the first failing Unadvise it throws; the connections
    // not yet tried stay listed (and referenced) for the next call to undo.
    void DisconnectBrowsers();
    void OnEvent(DISPID id, const DISPPARAMS* params);

    LONG references_ = 0;
    bool monitoring_ = false;
    std::vector<ComRef<IWebBrowser2>> browsers_;
    DWORD shellEventsCookie_ = 0;
    ComRef<IConnectionPoint> shellEventsPoint_;
    std::map<IConnectionPoint*, DWORD> browserConnections_;  // each key holds one reference
    ComRef<IShellWindows> shellWindows_;
};

// Creates the link on the first call (connecting to the shell, and to every browser when
// monitoring is on); later calls return the same object and ignore their argument.
BrowserLink* GetBrowserLink(bool monitoring);
// Disconnects and frees the link; always completes.
void DestroyBrowserLink();

// The browser that belongs to `window`, or with a null window the last entry of the list;
// starts a new browser when there is no list or it is empty. The caller owns the reference;
// null when no browser fits.
IWebBrowser2* FindBrowser(IShellWindows* shellWindows, HWND window);
// Starts a new, visible browser; the caller owns the reference.
IWebBrowser2* CreateBrowser();

// The system's text for a COM result, or a made-up one when it has none.
std::string ComErrorText(HRESULT hr);

// Where failures go that have no caller to reach: those of the event handling, which must never
// travel back into the event source, and those of destruction. nullptr restores the default
// (the debugger output).
using FailureSink = void (*)(const std::string& text);
void SetEventFailureSink(FailureSink sink);

}  // namespace browser
