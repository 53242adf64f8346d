// The link object itself: its COM identity, creation and destruction, and its error texts.
#include "tests/browser/link_test_support.h"

#include <exdispid.h>

namespace {

using browser::BrowserError;
using browser::ComErrorText;
using browser::ComRef;
using browser::GetBrowserLink;
using link_test::LinkTest;

// Creating the link must fail with exactly `text`, leave no link behind and no sink connected.
void ExpectCreationFails(const std::string& text, bool monitoring = false)
{
    try {
        GetBrowserLink(monitoring);
        ADD_FAILURE() << "creation succeeded";
    } catch (const BrowserError& error) {
        EXPECT_EQ(error.what(), text);
    }
}

// A shell window list whose query for IShellWindows succeeds yet yields nothing.
class HollowShell final : public standin::Dispatch<standin::PlainDispatchStub> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IShellWindows)) {
            *out = nullptr;
            return S_OK;
        }
        return Dispatch::QueryInterface(iid, out);
    }
};

TEST_F(LinkTest, AnswersOnlyIUnknownAndIDispatch)
{
    auto* link = GetBrowserLink(false);
    void* out = reinterpret_cast<void*>(1);
    ASSERT_EQ(link->QueryInterface(IID_IDispatch, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(link));
    link->Release();
    ASSERT_EQ(link->QueryInterface(IID_IUnknown, &out), S_OK);
    EXPECT_EQ(out, static_cast<IDispatch*>(link));
    link->Release();
    for (const IID* iid : {&DIID_DShellWindowsEvents, &DIID_DWebBrowserEvents2, &IID_IShellWindows}) {
        out = reinterpret_cast<void*>(1);
        EXPECT_EQ(link->QueryInterface(*iid, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
}

TEST_F(LinkTest, ReleaseCountsDownButNeverDestroys)
{
    auto* link = GetBrowserLink(false);
    // The shell's connection point holds one reference for the sink.
    const ULONG held = link->AddRef() - 1;
    EXPECT_EQ(link->Release(), held);
    while (link->Release() != 0) {
    }
    EXPECT_EQ(link->AddRef(), 1u);  // still alive, and counting from where it stopped
    EXPECT_EQ(GetBrowserLink(true), link);
    link->Release();
    for (ULONG i = 0; i < held; ++i)
        link->AddRef();  // give back what the connection point is due to release
}

TEST_F(LinkTest, IDispatchOffersNoTypeInformationAndInvokeSaysNotImplemented)
{
    auto* link = GetBrowserLink(false);
    UINT count = 7;
    EXPECT_EQ(link->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(link->GetTypeInfo(0, 0, &info), E_NOTIMPL);
    EXPECT_EQ(info, nullptr);
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Navigate");
    EXPECT_EQ(link->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), E_NOTIMPL);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    for (DISPID event : {DISPID_WINDOWREGISTERED, DISPID_WINDOWREVOKED, 12345})
        EXPECT_EQ(link->Invoke(event, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr),
                  E_NOTIMPL);
}

TEST_F(LinkTest, CreationConnectsToTheShellOnceAndLaterCallsReturnTheSameLink)
{
    auto* link = GetBrowserLink(false);
    EXPECT_EQ(GetBrowserLink(true), link);
    ASSERT_EQ(desktop.creations.size(), 1u);
    EXPECT_TRUE(IsEqualCLSID(desktop.creations[0].clsid, CLSID_ShellWindows));
    EXPECT_EQ(desktop.creations[0].context, static_cast<DWORD>(CLSCTX_ALL));
    EXPECT_TRUE(IsEqualIID(desktop.creations[0].iid, IID_IUnknown));
    EXPECT_EQ(desktop.shell->events->SinkCount(), 1u);
    // The ignored argument of the second call switched nothing on.
    auto browser = link_test::OpenBrowser("plain");
    EXPECT_EQ(browser->events->SinkCount(), 0u);
}

TEST_F(LinkTest, DestructionDisconnectsFromTheShellAndReleasesEverything)
{
    auto browser = link_test::OpenBrowser("plain");
    GetBrowserLink(true);
    ASSERT_EQ(browser->events->SinkCount(), 1u);
    browser::DestroyBrowserLink();
    EXPECT_EQ(desktop.shell->events->SinkCount(), 0u);
    EXPECT_EQ(browser->events->SinkCount(), 0u);
    // The next call makes a new link, connected afresh.
    GetBrowserLink(false);
    EXPECT_EQ(desktop.creations.size(), 2u);
    EXPECT_EQ(desktop.shell->events->SinkCount(), 1u);
}

TEST_F(LinkTest, DestructionCompletesWhenABrowserConnectionCannotBeUndone)
{
    auto first = link_test::OpenBrowser("plain");
    auto second = link_test::OpenBrowser("plain");
    GetBrowserLink(true);
    first->events->faults.Inject("Unadvise", E_FAIL);
    browser::DestroyBrowserLink();
    EXPECT_EQ(second->events->SinkCount(), 0u);
    EXPECT_EQ(desktop.shell->events->SinkCount(), 0u);
    ASSERT_EQ(desktop.failures.size(), 1u);
    EXPECT_EQ(desktop.failures[0], "Failed to disconnect from browser");
    // The refusing browser still holds the freed link, as a real one would; it must not be
    // released through it.
    EXPECT_EQ(first->events->SinkCount(), 1u);
    first->events->AbandonSinks();
    // TearDown's count of live objects shows that nothing was leaked or released twice.
}

TEST_F(LinkTest, ShellThatCannotBeCreatedRunOrConnectedFailsTheConnection)
{
    desktop.shellResult = REGDB_E_CLASSNOTREG;
    ExpectCreationFails("Failed to connect to shell");
    desktop.shellResult = S_OK;

    auto folder = ComRef<standin::FolderWindow>::Share(new standin::FolderWindow);
    desktop.shellObject = static_cast<IDispatch*>(folder.Get());
    ExpectCreationFails("Failed to connect to shell");  // no IShellWindows at all
    desktop.shellObject = nullptr;

    desktop.shell->faults.Inject("FindConnectionPoint", E_FAIL);
    ExpectCreationFails("Failed to connect to shell");
    desktop.shell->faults.Clear();

    desktop.shell->events->faults.Inject("Advise", CONNECT_E_ADVISELIMIT);
    ExpectCreationFails("Failed to connect to shell");
    desktop.shell->events->faults.Clear();

    // No failed attempt left a link behind: this one is created and connected.
    GetBrowserLink(false);
    EXPECT_EQ(desktop.shell->events->SinkCount(), 1u);
}

TEST_F(LinkTest, ShellWithoutItsInterfaceIsNotAvailable)
{
    auto hollow = ComRef<HollowShell>::Share(new HollowShell);
    desktop.shellObject = static_cast<IDispatch*>(hollow.Get());
    ExpectCreationFails("Shell Windows interface is not available");
}

TEST_F(LinkTest, FailingBrowserConnectionAtCreationLeavesNoLinkAndNoShellSink)
{
    auto browser = link_test::OpenBrowser("plain");
    browser->faults.Inject("FindConnectionPoint", E_FAIL);
    ExpectCreationFails("Failed to connect to browser", true);
    EXPECT_EQ(desktop.shell->events->SinkCount(), 0u);
    // Without monitoring the browsers are not touched, so the same desktop gives a link.
    GetBrowserLink(false);
    EXPECT_EQ(desktop.shell->events->SinkCount(), 1u);
}

// --- Error texts ----------------------------------------------------------------------------

bool SystemHasMessage(HRESULT hr)
{
    char* message = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM,
                                        nullptr, static_cast<DWORD>(hr),
                                        MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                                        reinterpret_cast<LPSTR>(&message), 0, nullptr);
    LocalFree(message);
    return length > 0;
}

TEST(ComErrorText, UsesTheSystemMessageWithoutItsLineEnd)
{
    const std::string text = ComErrorText(E_OUTOFMEMORY);
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_NE(text.back(), '\r');
    EXPECT_EQ(text.find("Unknown error"), std::string::npos);
}

TEST(ComErrorText, NamesDispatchErrorsByNumberAndTheRestAsUnknown)
{
    ASSERT_FALSE(SystemHasMessage(0x80040201)) << "this system has a message; pick another code";
    ASSERT_FALSE(SystemHasMessage(0x80040200));
    EXPECT_EQ(ComErrorText(static_cast<HRESULT>(0x80040201)), "IDispatch error #1");
    EXPECT_EQ(ComErrorText(static_cast<HRESULT>(0x8004FFFF)), "IDispatch error #65023");
    // The difference 0 is excluded from the range, and so is everything outside it.
    EXPECT_EQ(ComErrorText(static_cast<HRESULT>(0x80040200)), "Unknown error 0x80040200");
    ASSERT_FALSE(SystemHasMessage(0x8003FFFF));
    EXPECT_EQ(ComErrorText(static_cast<HRESULT>(0x8003FFFF)), "Unknown error 0x8003FFFF");
    ASSERT_FALSE(SystemHasMessage(0x00000ABC));
    EXPECT_EQ(ComErrorText(0x00000ABC), "Unknown error 0xABC");
}

}  // namespace
