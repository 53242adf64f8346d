// The stand-in server: hosts the stand-in shell window list and browsers in a process of their
// own and serves them to other processes, as the shell and the browser do on a real desktop.
//
// usage: standin_server.exe CLIENT-PID
// Documents are read from fixtures/ in the working directory. The server sets the client's ready
// event once its classes are registered and runs until told to quit.
#include "tests/browser/standin/server_control.h"
#include "tests/browser/standin/standin.h"

#include <exdispid.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

namespace {

using standin::Browser;
using standin::ComRef;
using standin::ShellWindows;

// Posted to the server's thread: a browser started by a client registers itself afterwards, as
// a new browser window does, not inside the client's creation call.
constexpr UINT kRegisterStarted = WM_APP + 1;

ComRef<ShellWindows>& Shell()
{
    static ComRef<ShellWindows> shell;
    return shell;
}

std::string ServerModule()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
}

Browser* BrowserAt(LONG index)
{
    auto& windows = Shell()->windows;
    if (index < 0 || static_cast<size_t>(index) >= windows.size())
        return nullptr;
    ComRef<IWebBrowser2> browser;
    if (FAILED(windows[static_cast<size_t>(index)]->QueryInterface(IID_IWebBrowser2,
                                                                    reinterpret_cast<void**>(browser.Out()))))
        return nullptr;
    return static_cast<Browser*>(browser.Get());  // the list keeps it alive
}

BSTR Wide(const std::string& bytes)
{
    BSTR text = SysAllocStringLen(nullptr, static_cast<UINT>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); ++i)
        text[i] = static_cast<unsigned char>(bytes[i]);
    return text;
}

std::string Describe(const standin::Navigation& sent)
{
    std::string text;
    for (wchar_t unit : sent.url)
        text += static_cast<char>(unit);
    text += "\n" + std::to_string(sent.postType) + "\n" + sent.postBytes + "\n" +
            std::to_string(sent.headersType) + "\n";
    for (wchar_t unit : sent.headers)
        text += static_cast<char>(unit);
    return text;
}

HRESULT Control(DISPID id, DISPPARAMS* params, VARIANT* result)
{
    VARIANT argument;
    VariantInit(&argument);
    if (params && params->cArgs > 0)
        VariantCopy(&argument, &params->rgvarg[0]);
    LONG index = -1;
    if (id != standin::server::kOpenBrowser) {
        if (FAILED(VariantChangeType(&argument, &argument, 0, VT_I4)) && id != standin::server::kQuit)
            return DISP_E_TYPEMISMATCH;
        index = V_VT(&argument) == VT_I4 ? V_I4(&argument) : -1;
    }
    if (result)
        VariantInit(result);
    auto answer = [result](LONG value) {
        if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = value;
        }
    };
    Browser* browser = id == standin::server::kOpenBrowser ? nullptr : BrowserAt(index);
    switch (id) {
    case standin::server::kOpenBrowser: {
        if (FAILED(VariantChangeType(&argument, &argument, 0, VT_BSTR)))
            return DISP_E_TYPEMISMATCH;
        auto opened = ComRef<Browser>::Share(new Browser);
        std::string name;
        for (const wchar_t* c = V_BSTR(&argument); c && *c; ++c)
            name += static_cast<char>(*c);
        VariantClear(&argument);
        try {
            opened->document = standin::LoadDocument("fixtures/" + name + ".xml");
        } catch (const std::exception&) {
            return E_INVALIDARG;
        }
        opened->locationUrl = opened->document->url;
        opened->fullName = ServerModule();
        Shell()->Open(static_cast<IWebBrowser2*>(opened.Get()));
        answer(static_cast<LONG>(Shell()->windows.size()));
        return S_OK;
    }
    case standin::server::kCloseBrowser:
        if (!browser)
            return DISP_E_BADINDEX;
        Shell()->Close(static_cast<size_t>(index));
        return S_OK;
    case standin::server::kCompleteDocument:
        if (!browser)
            return DISP_E_BADINDEX;
        browser->CompleteDocument();
        return S_OK;
    case standin::server::kLastNavigation:
        if (!browser || browser->navigations.empty())
            return DISP_E_BADINDEX;
        if (result) {
            V_VT(result) = VT_BSTR;
            V_BSTR(result) = Wide(Describe(browser->navigations.back()));
        }
        return S_OK;
    case standin::server::kSinkCount:
        if (index == -1) {
            answer(static_cast<LONG>(Shell()->events->SinkCount()));
            return S_OK;
        }
        if (!browser)
            return DISP_E_BADINDEX;
        answer(static_cast<LONG>(browser->events->SinkCount()));
        return S_OK;
    case standin::server::kScrollTop:
        if (!browser || !browser->document || !browser->document->body)
            return DISP_E_BADINDEX;
        answer(browser->document->body->scrollTop);
        return S_OK;
    case standin::server::kQuit:
        PostQuitMessage(0);
        return S_OK;
    default:
        return DISP_E_MEMBERNOTFOUND;
    }
}

// Hands out the one shell window list, or a new browser for each request.
class Factory final : public standin::Object<standin::stubs::IClassFactoryStub> {
public:
    explicit Factory(bool browsers) : browsers_(browsers) {}

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        if (!browsers_)
            return Shell()->QueryInterface(iid, out);
        auto started = ComRef<Browser>::Share(new Browser);
        started->fullName = ServerModule();
        // Listed at once, announced once the creation call has returned.
        Shell()->windows.push_back(ComRef<IDispatch>::Share(static_cast<IWebBrowser2*>(started.Get())));
        PostThreadMessageA(GetCurrentThreadId(), kRegisterStarted, 0, 0);
        return started->QueryInterface(iid, out);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    bool browsers_;
};

void AnnounceStarted()
{
    // The browser is already in the list; only the sinks are still to hear of it.
    VARIANT cookie;
    V_VT(&cookie) = VT_I4;
    V_I4(&cookie) = static_cast<LONG>(Shell()->windows.size());
    Shell()->events->Fire(DISPID_WINDOWREGISTERED, {cookie});
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: standin_server CLIENT-PID\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return 1;
    Shell() = ComRef<standin::ShellWindows>::Share(new standin::ShellWindows);
    Shell()->control = &Control;

    DWORD cookies[2] = {};
    auto shellFactory = ComRef<Factory>::Share(new Factory(false));
    auto browserFactory = ComRef<Factory>::Share(new Factory(true));
    if (FAILED(CoRegisterClassObject(standin::server::kShellWindowsClass, shellFactory.Get(),
                                     CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookies[0])) ||
        FAILED(CoRegisterClassObject(standin::server::kInternetExplorerClass, browserFactory.Get(),
                                     CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookies[1])))
        return 1;

    char name[64];
    std::snprintf(name, sizeof name, standin::server::kReadyEventFormat, std::strtoul(argv[1], nullptr, 10));
    if (HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, name)) {
        SetEvent(ready);
        CloseHandle(ready);
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!message.hwnd && message.message == kRegisterStarted)
            AnnounceStarted();
        DispatchMessageA(&message);
    }
    CoRevokeClassObject(cookies[0]);
    CoRevokeClassObject(cookies[1]);
    Shell().Reset();
    CoUninitialize();
    return 0;
}
