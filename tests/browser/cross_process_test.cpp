// The browser link against the stand-in server in another process, reached through the link's
// unchanged CoCreateInstance path: the shell's and the browser's classes are redirected to the
// server with TreatAs in the test's private registry.
#include <gtest/gtest.h>

#include "browser/browser_link.h"
#include "tests/browser/link_test_support.h"
#include "tests/browser/standin/server_control.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using browser::BrowserLink;
using browser::ComRef;
using browser::GetBrowserLink;
namespace server = standin::server;

const char* const kShellWindowsKey =
    "Software\\Classes\\CLSID\\{9BA05972-F6A8-11CF-A442-00A0C90A8F39}\\TreatAs";
const char* const kInternetExplorerKey =
    "Software\\Classes\\CLSID\\{0002DF01-0000-0000-C000-000000000046}\\TreatAs";

void SetTreatAs(const char* key, const char* target)
{
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(target),
                   static_cast<DWORD>(std::strlen(target) + 1));
    RegCloseKey(handle);
}

// Runs the message loop for a while, so calls the server makes into this process arrive.
void Pump(int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(5);
    }
}

std::vector<std::string> completed;

void RecordCompleted(const char* url)
{
    completed.push_back(url);
}

class CrossProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
        SetTreatAs(kShellWindowsKey, server::kShellWindowsClassText);
        SetTreatAs(kInternetExplorerKey, server::kInternetExplorerClassText);
        completed.clear();

        char name[64];
        std::snprintf(name, sizeof name, server::kReadyEventFormat, GetCurrentProcessId());
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, name);
        char command[MAX_PATH + 32];
        std::snprintf(command, sizeof command, "standin_server.exe %lu", GetCurrentProcessId());
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process_));
        CloseHandle(process_.hThread);
        const HANDLE waits[] = {ready, process_.hProcess};
        const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, 20000);
        CloseHandle(ready);
        ASSERT_EQ(woke, WAIT_OBJECT_0) << "the stand-in server did not get ready";

        // The test's own line to the served shell window list, for its commands.
        ComRef<IUnknown> shell;
        ASSERT_EQ(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_ALL, IID_IUnknown,
                                   reinterpret_cast<void**>(shell.Out())),
                  S_OK);
        ASSERT_EQ(shell->QueryInterface(IID_IShellWindows, reinterpret_cast<void**>(shellWindows_.Out())), S_OK);
        ASSERT_EQ(shell->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(control_.Out())), S_OK);
    }

    void TearDown() override
    {
        browser::DestroyBrowserLink();
        if (control_)
            Command(server::kQuit, -1);
        control_.Reset();
        shellWindows_.Reset();
        if (process_.hProcess) {
            EXPECT_EQ(WaitForSingleObject(process_.hProcess, 10000), WAIT_OBJECT_0);
            DWORD code = 1;
            GetExitCodeProcess(process_.hProcess, &code);
            EXPECT_EQ(code, 0u) << "the stand-in server ended badly";
            CloseHandle(process_.hProcess);
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kShellWindowsKey);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInternetExplorerKey);
        CoUninitialize();
    }

    // Sends one command with its argument (a number, or text when `text` is given).
    HRESULT Command(DISPID id, LONG number, VARIANT* result = nullptr, const wchar_t* text = nullptr)
    {
        VARIANT argument;
        if (text) {
            V_VT(&argument) = VT_BSTR;
            V_BSTR(&argument) = SysAllocString(text);
        } else {
            V_VT(&argument) = VT_I4;
            V_I4(&argument) = number;
        }
        DISPPARAMS params{&argument, nullptr, 1, 0};
        const HRESULT hr = control_->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result,
                                            nullptr, nullptr);
        VariantClear(&argument);
        return hr;
    }

    LONG Number(DISPID id, LONG index)
    {
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(Command(id, index, &result), S_OK);
        return V_VT(&result) == VT_I4 ? V_I4(&result) : -99;
    }

    void Open(const wchar_t* fixture)
    {
        VARIANT result;
        VariantInit(&result);
        ASSERT_EQ(Command(server::kOpenBrowser, 0, &result, fixture), S_OK);
    }

    std::string LastNavigation(LONG index)
    {
        VARIANT result;
        VariantInit(&result);
        EXPECT_EQ(Command(server::kLastNavigation, index, &result), S_OK);
        std::string text;
        if (V_VT(&result) == VT_BSTR) {
            for (UINT i = 0; i < SysStringLen(V_BSTR(&result)); ++i)
                text += static_cast<char>(V_BSTR(&result)[i]);
        }
        VariantClear(&result);
        return text;
    }

    LONG Count()
    {
        LONG count = -1;
        EXPECT_EQ(shellWindows_->get_Count(&count), S_OK);
        return count;
    }

    PROCESS_INFORMATION process_{};
    ComRef<IShellWindows> shellWindows_;
    ComRef<IDispatch> control_;
};

TEST_F(CrossProcessTest, LinkConnectsToTheServedShellThroughTheUnchangedCreation)
{
    browser::SetComCreator(nullptr);
    GetBrowserLink(false);
    EXPECT_EQ(Number(server::kSinkCount, -1), 1);
    browser::DestroyBrowserLink();
    EXPECT_EQ(Number(server::kSinkCount, -1), 0);
}

TEST_F(CrossProcessTest, NavigationsCrossWithTheirExactBytes)
{
    Open(L"plain");
    beelines::RequestParams params;
    params["q"].value = "a b&c";
    params["lang"].value = "en";
    BrowserLink* link = GetBrowserLink(false);
    link->Navigate("http://find.test/s", params, false, false);
    EXPECT_EQ(LastNavigation(0), "http://find.test/s?lang=en&q=a%20b%26c\n0\n\n0\n");
    link->Navigate("http://find.test/s", params, true, false);
    EXPECT_EQ(LastNavigation(0), "http://find.test/s\n8209\nlang=en&q=a b&c\n8\n"
                                 "Content-Type: application/x-www-form-urlencoded\r\n");
}

TEST_F(CrossProcessTest, NewWindowStartsAServedBrowser)
{
    GetBrowserLink(false)->NavigateUrl("http://find.test/help", false, true);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(LastNavigation(0), "http://find.test/help\n0\n\n0\n");
}

TEST_F(CrossProcessTest, DocumentStructureCrossesTheBoundary)
{
    Open(L"frameset");
    link_test::Controls controls;
    GetBrowserLink(false)->GetDocumentStructure(controls.links, controls.images, controls.forms);
    const auto links = controls.Rows(controls.links);
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[1].name, "Second B");
    EXPECT_EQ(links[1].reference, "http://pages.test/second-b.html");
    const auto items = controls.Items();
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[0].label, "first -- post -> /one");
    EXPECT_EQ(items[3].label, "s=2");
}

TEST_F(CrossProcessTest, FormControlsCrossTheBoundary)
{
    Open(L"plain");
    link_test::Controls controls;
    GetBrowserLink(false)->GetDocumentStructure(controls.links, controls.images, controls.forms);
    EXPECT_EQ(controls.Rows(controls.images).size(), 2u);
    const auto items = controls.Items();
    ASSERT_EQ(items.size(), 14u);
    EXPECT_EQ(items[8].label, "lang=en");
    EXPECT_EQ(items[9].label, "English");
    EXPECT_EQ(items[11].label, "note=hello");
}

TEST_F(CrossProcessTest, ScrollPositionCrossesTheBoundary)
{
    Open(L"scrolled");
    GetBrowserLink(false)->RestoreScrollPosition("", 77);
    EXPECT_EQ(Number(server::kScrollTop, 0), 77);
}

TEST_F(CrossProcessTest, EventsCrossTheBoundary)
{
    Open(L"plain");
    BrowserLink* link = GetBrowserLink(true);
    link->documentCompleteHandler = &RecordCompleted;
    EXPECT_EQ(Number(server::kSinkCount, 0), 1);
    Open(L"frameset");  // WindowRegistered reaches the link, which reconnects
    EXPECT_EQ(Number(server::kSinkCount, 0), 1);
    EXPECT_EQ(Number(server::kSinkCount, 1), 1);
    ASSERT_EQ(Command(server::kCompleteDocument, 1), S_OK);
    Pump(100);
    EXPECT_EQ(completed, (std::vector<std::string>{
                             "http://pages.test/first.html", "http://pages.test/nested.html",
                             "http://pages.test/second.html", "http://pages.test/frames.html"}));
    ASSERT_EQ(Command(server::kCloseBrowser, 0), S_OK);  // WindowRevoked
    EXPECT_EQ(Number(server::kSinkCount, 0), 1);          // the frameset, connected afresh
    link->SetMonitoring(false);
    EXPECT_EQ(Number(server::kSinkCount, 0), 0);
}

}  // namespace
