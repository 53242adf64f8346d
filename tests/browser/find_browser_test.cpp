// Which browser each caller gets, and how a new one is started.
#include "tests/browser/link_test_support.h"

namespace {

using browser::BrowserError;
using browser::ComRef;
using browser::FindBrowser;
using link_test::LinkTest;
using link_test::MakeWindow;
using link_test::OpenBrowser;

// FindBrowser's answer, owned.
ComRef<IWebBrowser2> Find(standin::ShellWindows* shell, HWND window)
{
    return ComRef<IWebBrowser2>::Adopt(FindBrowser(shell, window));
}

IWebBrowser2* Of(const ComRef<standin::Browser>& browser)
{
    return browser.Get();
}

std::string FindFails(standin::ShellWindows* shell, HWND window)
{
    try {
        Find(shell, window);
    } catch (const BrowserError& error) {
        return error.what();
    }
    return "no failure";
}

// A window of this program with the keyboard focus, so that it is what the foreground thread's
// GUI state names.
class FocusWindow {
public:
    explicit FocusWindow(const char* text) : window_(MakeWindow(text))
    {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        SetFocus(window_);
    }
    ~FocusWindow() { DestroyWindow(window_); }
    HWND Get() const { return window_; }

private:
    HWND window_;
};

TEST_F(LinkTest, NullWindowGetsTheLastEntryMadeVisible)
{
    auto first = OpenBrowser("plain");
    auto last = OpenBrowser("frameset");
    auto found = Find(desktop.shell.Get(), nullptr);
    EXPECT_EQ(found.Get(), Of(last));
    EXPECT_TRUE(last->visible);
    EXPECT_FALSE(first->visible);
}

TEST_F(LinkTest, NullWindowFindsNothingWhenTheLastEntryIsNoBrowser)
{
    OpenBrowser("plain");
    auto folder = ComRef<standin::FolderWindow>::Share(new standin::FolderWindow);
    desktop.shell->Open(folder.Get());
    EXPECT_FALSE(Find(desktop.shell.Get(), nullptr));
    EXPECT_TRUE(desktop.created.empty());
}

TEST_F(LinkTest, EmptyListOrNoListStartsANewVisibleBrowser)
{
    auto found = Find(desktop.shell.Get(), nullptr);
    ASSERT_EQ(desktop.created.size(), 1u);
    EXPECT_EQ(found.Get(), Of(desktop.created[0]));
    EXPECT_TRUE(desktop.created[0]->visible);
    ASSERT_EQ(desktop.creations.size(), 1u);
    EXPECT_TRUE(IsEqualCLSID(desktop.creations[0].clsid, CLSID_InternetExplorer));
    EXPECT_EQ(desktop.creations[0].context, static_cast<DWORD>(CLSCTX_LOCAL_SERVER));
    EXPECT_TRUE(IsEqualIID(desktop.creations[0].iid, IID_IWebBrowser2));

    found = Find(nullptr, nullptr);
    ASSERT_EQ(desktop.created.size(), 2u);
    EXPECT_EQ(found.Get(), Of(desktop.created[1]));
}

TEST_F(LinkTest, BrowserThatCannotStartIsReported)
{
    desktop.browserResult = CO_E_SERVER_EXEC_FAILURE;
    EXPECT_EQ(FindFails(desktop.shell.Get(), nullptr), "Failed to create new browser");
    EXPECT_EQ(FindFails(nullptr, nullptr), "Failed to create new browser");
}

TEST_F(LinkTest, OwnTopLevelWindowGetsItsBrowserAtOnce)
{
    const HWND frame = MakeWindow("frame");
    auto other = OpenBrowser("plain");
    auto mine = OpenBrowser("plain", frame);
    auto after = OpenBrowser("plain");
    // Documents are not read for the own window: one that cannot be read changes nothing.
    mine->faults.Inject("get_Document", E_ACCESSDENIED);
    auto found = Find(desktop.shell.Get(), frame);
    EXPECT_EQ(found.Get(), Of(mine));
    EXPECT_TRUE(mine->visible);
    DestroyWindow(frame);
}

TEST_F(LinkTest, WindowOfAnotherProgramGetsNoBrowser)
{
    const HWND window = MakeWindow("not a browser");
    OpenBrowser("plain");
    EXPECT_FALSE(Find(desktop.shell.Get(), window));
    EXPECT_TRUE(desktop.created.empty());
    DestroyWindow(window);
}

TEST_F(LinkTest, ProgramNamesDifferingOnlyInCaseDoNotMatch)
{
    const HWND window = MakeWindow("window");
    auto browser = OpenBrowser("plain");
    std::string name = link_test::OwnModule();
    for (char& c : name)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    browser->fullName = name;
    EXPECT_FALSE(Find(desktop.shell.Get(), window));
    browser->fullName = link_test::OwnModule();
    EXPECT_EQ(Find(desktop.shell.Get(), window).Get(), Of(browser));
    DestroyWindow(window);
}

TEST_F(LinkTest, WindowWhoseModuleCannotBeNamedMatchesNoProgram)
{
    // The desktop window belongs to another process, whose module this one cannot read. An
    // unreadable name must not pass for an empty one.
    char module[260];
    ASSERT_EQ(GetWindowModuleFileNameA(GetDesktopWindow(), module, sizeof module), 0u);
    auto browser = OpenBrowser("plain");
    browser->fullName = "";
    EXPECT_FALSE(Find(desktop.shell.Get(), GetDesktopWindow()));
}

TEST_F(LinkTest, FocusWindowTextChoosesAmongTheProgramsBrowsersByTitle)
{
    FocusWindow focus("Plain page");
    auto plain = OpenBrowser("plain");
    auto frames = OpenBrowser("frameset");
    plain->fullName = frames->fullName = link_test::OwnModule();
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    ASSERT_TRUE(GetGUIThreadInfo(0, &gui));
    ASSERT_EQ(gui.hwndFocus, focus.Get()) << "the test window did not get the focus";
    EXPECT_EQ(Find(desktop.shell.Get(), focus.Get()).Get(), Of(plain));

    // Without a title that matches, the last browser of the program is the candidate.
    SetWindowTextA(focus.Get(), "Something else");
    EXPECT_EQ(Find(desktop.shell.Get(), focus.Get()).Get(), Of(frames));
}

TEST_F(LinkTest, BrowserOfTheProgramWithoutAnHtmlDocumentFailsTheSearch)
{
    FocusWindow focus("Plain page");
    auto browser = OpenBrowser("");
    browser->fullName = link_test::OwnModule();
    EXPECT_EQ(FindFails(desktop.shell.Get(), focus.Get()),
              "Failed to get a browser: " + browser::ComErrorText(E_POINTER));
}

TEST_F(LinkTest, ComFailuresWhileSearchingCarryTheirText)
{
    auto browser = OpenBrowser("plain");
    const std::string prefix = "Failed to get a browser: ";
    desktop.shell->faults.Inject("get_Count", E_ACCESSDENIED);
    EXPECT_EQ(FindFails(desktop.shell.Get(), nullptr), prefix + browser::ComErrorText(E_ACCESSDENIED));
    desktop.shell->faults.Clear();
    desktop.shell->faults.Inject("Item", static_cast<HRESULT>(0x80040201));
    EXPECT_EQ(FindFails(desktop.shell.Get(), nullptr), prefix + "IDispatch error #1");
    desktop.shell->faults.Clear();
    browser->faults.Inject("get_HWND", E_FAIL);
    EXPECT_EQ(FindFails(desktop.shell.Get(), nullptr), prefix + browser::ComErrorText(E_FAIL));
    browser->faults.Clear();
    browser->faults.Inject("put_Visible", E_UNEXPECTED);
    EXPECT_EQ(FindFails(desktop.shell.Get(), nullptr), prefix + browser::ComErrorText(E_UNEXPECTED));
}

}  // namespace
