// Stand-in automation objects for the browser link's tests: a shell window list, browsers and HTML
// documents read from fixture files. They implement what the browser link calls and record what
// it sends; every other method answers E_NOTIMPL.
//
// The same objects are hosted in the test process (through the link's creator seam) and by the
// stand-in server, which serves them to other processes.
#pragma once

#include "browser/com_ref.h"
#include "tests/browser/standin/com_object.h"

#include <functional>
#include <string>
#include <vector>

namespace standin {

using browser::ComRef;

// One sink list for one event interface. Events are sent to every sink through IDispatch, as the
// browser and the shell do.
class ConnectionPoint final : public Object<stubs::IConnectionPointStub> {
public:
    ConnectionPoint() = default;

    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;

    // Calls Invoke on every sink; the arguments are given in DISPPARAMS order (last first).
    void Fire(DISPID id, std::vector<VARIANT> arguments);
    size_t SinkCount() const { return sinks_.size(); }
    // Forgets the sinks without releasing them: for a sink that no longer exists because it
    // was destroyed while this point refused to let it go.
    void AbandonSinks();
    // Unadvise calls that named no connection: a sign of a cookie used twice.
    int unknownCookies = 0;

private:
    DWORD nextCookie_ = 1;
    std::vector<std::pair<DWORD, ComRef<IDispatch>>> sinks_;
};

// One element of any kind the browser link reads. Which element interfaces it answers follows
// from its tag, as in the document model: an image-map area, for one, is a link but no anchor.
class Element final
    : public Dispatch<stubs::IHTMLElementStub, stubs::IHTMLElement2Stub,
                      stubs::IHTMLAnchorElementStub, stubs::IHTMLImgElementStub,
                      stubs::IHTMLFormElementStub, stubs::IHTMLInputElementStub,
                      stubs::IHTMLSelectElementStub, stubs::IHTMLTextAreaElementStub,
                      stubs::IHTMLOptionElementStub> {
public:
    explicit Element(std::string tag) : tag(std::move(tag)) {}

    HRESULT STDMETHODCALLTYPE getAttribute(BSTR name, LONG flags, VARIANT* value) override;
    HRESULT STDMETHODCALLTYPE get_innerText(BSTR* text) override;
    HRESULT STDMETHODCALLTYPE get_scrollTop(LONG* top) override;
    HRESULT STDMETHODCALLTYPE put_scrollTop(LONG top) override;
    HRESULT STDMETHODCALLTYPE get_href(BSTR* href) override;
    HRESULT STDMETHODCALLTYPE get_alt(BSTR* alt) override;
    HRESULT STDMETHODCALLTYPE get_src(BSTR* src) override;
    // A form's controls and a select's options.
    HRESULT STDMETHODCALLTYPE get_length(LONG* length) override;
    HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** entry) override;
    HRESULT STDMETHODCALLTYPE get_text(BSTR* text) override;

    std::string tag;                                    // lower case
    std::vector<std::pair<std::string, std::string>> attributes;  // names in lower case
    std::string innerText;
    LONG scrollTop = 0;
    std::vector<ComRef<Element>> children;
    std::vector<IID> withheld;  // interfaces this element pretends not to have

    const std::string* Attribute(const std::string& name) const;

protected:
    bool Offers(REFIID iid) const override;
};

class Collection final : public Dispatch<stubs::IHTMLElementCollectionStub> {
public:
    HRESULT STDMETHODCALLTYPE get_length(LONG* length) override;
    HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** entry) override;

    std::vector<ComRef<Element>> entries;
};

class Document;

// A frame: a window of its own that holds the frame's document.
class FrameWindow final : public Dispatch<stubs::IHTMLWindow2Stub> {
public:
    HRESULT STDMETHODCALLTYPE get_document(IHTMLDocument2** document) override;

    ComRef<Document> document;
};

class Frames final : public Dispatch<stubs::IHTMLFramesCollection2Stub> {
public:
    HRESULT STDMETHODCALLTYPE get_length(LONG* length) override;
    HRESULT STDMETHODCALLTYPE item(VARIANT* index, VARIANT* frame) override;

    std::vector<ComRef<FrameWindow>> windows;
};

class Document final : public Dispatch<stubs::IHTMLDocument2Stub> {
public:
    Document();

    HRESULT STDMETHODCALLTYPE get_title(BSTR* title) override;
    HRESULT STDMETHODCALLTYPE get_body(IHTMLElement** body) override;
    HRESULT STDMETHODCALLTYPE get_links(IHTMLElementCollection** links) override;
    HRESULT STDMETHODCALLTYPE get_images(IHTMLElementCollection** images) override;
    HRESULT STDMETHODCALLTYPE get_forms(IHTMLElementCollection** forms) override;
    HRESULT STDMETHODCALLTYPE get_frames(IHTMLFramesCollection2** frames) override;

    std::string title;
    std::string url;
    ComRef<Element> body;  // null for a document without one
    ComRef<Collection> links, images, forms;
    ComRef<Frames> frames;

    // This document's frame documents, depth first, each frame's own frames right after it.
    std::vector<Document*> FrameDocuments() const;
};

// Reads a fixture file; frame sources are read relative to the file's directory. Throws
// std::runtime_error when a file cannot be read.
ComRef<Document> LoadDocument(const std::string& path);

// What one Navigate call received.
struct Navigation {
    std::wstring url;
    VARTYPE flagsType = VT_ILLEGAL;
    VARTYPE targetType = VT_ILLEGAL;
    bool flagsIsTarget = false;  // one VARIANT passed for both
    VARTYPE postType = VT_ILLEGAL;
    std::string postBytes;
    VARTYPE headersType = VT_ILLEGAL;
    std::wstring headers;
};

class Browser final : public Dispatch<stubs::IWebBrowser2Stub, stubs::IConnectionPointContainerStub> {
public:
    Browser();

    HRESULT STDMETHODCALLTYPE Navigate(BSTR url, VARIANT* flags, VARIANT* target, VARIANT* postData,
                                       VARIANT* headers) override;
    HRESULT STDMETHODCALLTYPE get_Document(IDispatch** document) override;
    HRESULT STDMETHODCALLTYPE get_LocationURL(BSTR* url) override;
    HRESULT STDMETHODCALLTYPE get_FullName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_HWND(SHANDLE_PTR* window) override;
    HRESULT STDMETHODCALLTYPE put_Visible(VARIANT_BOOL visible) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // Fires DocumentComplete for every frame document, depth first, then for the top document,
    // each with its own URL.
    void CompleteDocument();

    ComRef<Document> document;
    std::string locationUrl;
    std::string fullName;
    HWND window = nullptr;
    bool visible = false;
    int visibleCalls = 0;
    std::vector<Navigation> navigations;
    ComRef<ConnectionPoint> events;  // DWebBrowserEvents2
};

class ShellWindows final
    : public Dispatch<stubs::IShellWindowsStub, stubs::IConnectionPointContainerStub> {
public:
    ShellWindows();

    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override;
    HRESULT STDMETHODCALLTYPE Item(VARIANT index, IDispatch** folder) override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;
    // Late-bound calls go to `control` when it is set: the stand-in server's remote control.
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO*, UINT*) override;

    // Appends a window and tells the sinks (WindowRegistered); Close does the reverse.
    void Open(IDispatch* window);
    void Close(size_t index);

    std::vector<ComRef<IDispatch>> windows;
    ComRef<ConnectionPoint> events;  // DShellWindowsEvents
    std::function<HRESULT(DISPID id, DISPPARAMS* params, VARIANT* result)> control;
};

// A shell window that is no browser, such as a folder window.
class FolderWindow final : public Dispatch<PlainDispatchStub> {};

}  // namespace standin
