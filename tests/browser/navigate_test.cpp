// What Navigate hands the browser for GET and POST, and how it fails.
#include "tests/browser/link_test_support.h"

namespace {

using beelines::RequestParam;
using beelines::RequestParams;
using browser::BrowserError;
using browser::ComRef;
using browser::GetBrowserLink;
using link_test::LinkTest;
using link_test::OpenBrowser;

const std::wstring kHeaders = L"Content-Type: application/x-www-form-urlencoded\r\n";

RequestParams WorkedExample()
{
    RequestParams params;
    params["q"].value = "a b&c";
    params["lang"].value = "en";
    return params;
}

std::string NavigateFails(const std::string& url, RequestParams params, bool post, bool newWindow)
{
    try {
        GetBrowserLink(false)->Navigate(url, std::move(params), post, newWindow);
    } catch (const BrowserError& error) {
        return error.what();
    }
    return "no failure";
}

TEST_F(LinkTest, GetAppendsTheEncodedDataAndSendsNoBody)
{
    auto browser = OpenBrowser("plain");
    GetBrowserLink(false)->Navigate("http://find.test/s", WorkedExample(), false, false);
    ASSERT_EQ(browser->navigations.size(), 1u);
    const standin::Navigation& sent = browser->navigations[0];
    EXPECT_EQ(sent.url, L"http://find.test/s?lang=en&q=a%20b%26c");
    EXPECT_EQ(sent.flagsType, VT_EMPTY);
    EXPECT_EQ(sent.targetType, VT_EMPTY);
    EXPECT_TRUE(sent.flagsIsTarget);
    EXPECT_EQ(sent.postType, VT_EMPTY);
    EXPECT_EQ(sent.headersType, VT_EMPTY);
    EXPECT_TRUE(browser->visible);
}

TEST_F(LinkTest, GetAddsASecondQuestionMarkAndLeavesABareUrlAlone)
{
    auto browser = OpenBrowser("plain");
    auto* link = GetBrowserLink(false);
    link->Navigate("http://find.test/s?x=1", WorkedExample(), false, false);
    link->Navigate("http://find.test/s?x=1", RequestParams(), false, false);
    link->NavigateUrl("http://find.test/help", false, false);
    ASSERT_EQ(browser->navigations.size(), 3u);
    EXPECT_EQ(browser->navigations[0].url, L"http://find.test/s?x=1?lang=en&q=a%20b%26c");
    EXPECT_EQ(browser->navigations[1].url, L"http://find.test/s?x=1");
    EXPECT_EQ(browser->navigations[2].url, L"http://find.test/help");
}

TEST_F(LinkTest, PostSendsExactlyTheDataBytesWithTheFormHeader)
{
    auto browser = OpenBrowser("plain");
    GetBrowserLink(false)->Navigate("http://find.test/s?x=1", WorkedExample(), true, false);
    ASSERT_EQ(browser->navigations.size(), 1u);
    const standin::Navigation& sent = browser->navigations[0];
    EXPECT_EQ(sent.url, L"http://find.test/s?x=1");
    EXPECT_EQ(sent.postType, VT_ARRAY | VT_UI1);
    EXPECT_EQ(sent.postBytes, "lang=en&q=a b&c");  // no terminating zero
    EXPECT_EQ(sent.headersType, VT_BSTR);
    EXPECT_EQ(sent.headers, kHeaders);
    EXPECT_TRUE(sent.flagsIsTarget);
    EXPECT_EQ(sent.flagsType, VT_EMPTY);
}

TEST_F(LinkTest, PostWithoutParametersSendsAnEmptyArrayAndTheHeader)
{
    auto browser = OpenBrowser("plain");
    GetBrowserLink(false)->NavigateUrl("http://find.test/post", true, false);
    ASSERT_EQ(browser->navigations.size(), 1u);
    EXPECT_EQ(browser->navigations[0].postType, VT_ARRAY | VT_UI1);
    EXPECT_EQ(browser->navigations[0].postBytes, "");
    EXPECT_EQ(browser->navigations[0].headers, kHeaders);
}

TEST_F(LinkTest, UrlBytesBecomeCodeUnitsOfTheSameValue)
{
    auto browser = OpenBrowser("plain");
    RequestParams params;
    params["w"].value = "\xE4";
    GetBrowserLink(false)->Navigate("http://find.test/\xE4\xFF", params, false, false);
    ASSERT_EQ(browser->navigations.size(), 1u);
    EXPECT_EQ(browser->navigations[0].url, std::wstring(L"http://find.test/\x00E4\x00FF?w=%E4"));
}

TEST_F(LinkTest, SameWindowNavigationUsesTheLastEntryWhateverIsInTheForeground)
{
    const HWND frame = link_test::MakeWindow("frame");
    auto front = OpenBrowser("plain", frame);
    auto last = OpenBrowser("plain");
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    GetBrowserLink(false)->NavigateUrl("http://find.test/", false, false);
    EXPECT_TRUE(front->navigations.empty());
    EXPECT_EQ(last->navigations.size(), 1u);
    DestroyWindow(frame);
}

TEST_F(LinkTest, SameWindowNavigationWithoutAnyShellWindowStartsABrowser)
{
    GetBrowserLink(false)->Navigate("http://find.test/s", WorkedExample(), false, false);
    ASSERT_EQ(desktop.created.size(), 1u);
    EXPECT_TRUE(desktop.created[0]->visible);
    ASSERT_EQ(desktop.created[0]->navigations.size(), 1u);
    EXPECT_EQ(desktop.created[0]->navigations[0].url, L"http://find.test/s?lang=en&q=a%20b%26c");
}

TEST_F(LinkTest, NewWindowNavigationAlwaysStartsABrowserEvenIfItWillNotShow)
{
    auto existing = OpenBrowser("plain");
    desktop.newBrowserShowResult = E_FAIL;  // its answer is not looked at
    GetBrowserLink(false)->NavigateUrl("http://find.test/help", false, true);
    EXPECT_TRUE(existing->navigations.empty());
    ASSERT_EQ(desktop.created.size(), 1u);
    EXPECT_EQ(desktop.created[0]->navigations.size(), 1u);
    EXPECT_EQ(desktop.created[0]->visibleCalls, 1);
}

TEST_F(LinkTest, LastEntryThatIsNoBrowserNavigatesNothingAndSaysNothing)
{
    auto browser = OpenBrowser("plain");
    auto folder = ComRef<standin::FolderWindow>::Share(new standin::FolderWindow);
    desktop.shell->Open(folder.Get());
    EXPECT_EQ(NavigateFails("http://find.test/", WorkedExample(), true, false), "no failure");
    EXPECT_TRUE(browser->navigations.empty());
    EXPECT_TRUE(desktop.created.empty());
}

TEST_F(LinkTest, FailingNavigationIsReportedAsFailedPostForGetAndPost)
{
    auto browser = OpenBrowser("plain");
    browser->faults.Inject("Navigate", E_ACCESSDENIED);
    EXPECT_EQ(NavigateFails("http://find.test/", WorkedExample(), false, false), "Failed to post data");
    EXPECT_EQ(NavigateFails("http://find.test/", WorkedExample(), true, false), "Failed to post data");
    EXPECT_TRUE(browser->visible);                 // found and shown,
    EXPECT_EQ(browser->locationUrl, "http://pages.test/plain.html");  // but not navigated
}

TEST_F(LinkTest, BrowserStartFailureDuringNavigationKeepsItsText)
{
    desktop.browserResult = REGDB_E_CLASSNOTREG;
    EXPECT_EQ(NavigateFails("http://find.test/", {}, false, true), "Failed to create new browser");
    EXPECT_EQ(NavigateFails("http://find.test/", {}, false, false), "Failed to create new browser");
}

}  // namespace
