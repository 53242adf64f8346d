// A desktop of stand-in objects for the browser link's in-process tests: the link's creator hands
// out the stand-in shell window list and new stand-in browsers, and every test ends by checking
// that the link left no stand-in object alive.
#pragma once

#include <gtest/gtest.h>

#include "browser/browser_link.h"
#include "browser/com_creator.h"
#include "tests/browser/standin/standin.h"

#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

namespace link_test {

using browser::ComRef;

struct Creation {
    CLSID clsid;
    DWORD context;
    IID iid;
};

// What the creator hands out; a test arranges it before the link asks.
struct Desktop {
    ComRef<standin::ShellWindows> shell = ComRef<standin::ShellWindows>::Share(new standin::ShellWindows);
    IUnknown* shellObject = nullptr;    // handed out instead of `shell` when set
    HRESULT shellResult = S_OK;         // a failure here is what creating ShellWindows returns
    HRESULT browserResult = S_OK;       // likewise for a new browser
    HRESULT newBrowserShowResult = S_OK;  // what put_Visible of a new browser answers
    std::vector<ComRef<standin::Browser>> created;  // browsers the link started
    std::vector<Creation> creations;
    std::vector<std::string> failures;  // texts that reached the failure sink
};

// The desktop of the running test.
Desktop& TheDesktop();

HRESULT WINAPI CreateStandIn(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* out);

// A browser showing the fixture document `name` (a file in fixtures/, without ".xml"); no
// document when name is empty.
ComRef<standin::Browser> MakeBrowser(const std::string& name, HWND window = nullptr);

// Opens a browser in the shell window list (which tells the shell's sinks).
ComRef<standin::Browser> OpenBrowser(const std::string& name, HWND window = nullptr);

std::string Narrow(const std::wstring& wide);

// The module file name of this test program, which its own windows report.
std::string OwnModule();

// Installs the stand-in desktop before each test; after it destroys the link and checks that
// nothing the link was handed is still alive.
class LinkTest : public ::testing::Test {
protected:
    LinkTest();
    void TearDown() override;

    Desktop& desktop;
};

// Report-view list and tree controls like the Structure page's, and reading them back.
struct ListRow {
    std::string name, reference;
    int image;
    LPARAM data;
};
struct TreeItem {
    int depth;
    std::string label;
    int image, selectedImage;
    LPARAM data;
};

class Controls {
public:
    Controls();
    ~Controls();
    Controls(const Controls&) = delete;
    Controls& operator=(const Controls&) = delete;

    std::vector<ListRow> Rows(HWND list) const;
    std::vector<TreeItem> Items() const;

    HWND links, images, forms;

private:
    HWND parent_;
};

// A top-level window of this program with the given text.
HWND MakeWindow(const char* text);

}  // namespace link_test
