// Watching the browsers: connecting and disconnecting, following windows that come and go,
// finished documents, and the page positions of bookmarks.
#include "tests/browser/link_test_support.h"

#include <exdispid.h>

#include <algorithm>

namespace {

using browser::BrowserError;
using browser::BrowserLink;
using browser::GetBrowserLink;
using link_test::LinkTest;
using link_test::OpenBrowser;

std::vector<std::string> completed;

void RecordCompleted(const char* url)
{
    completed.push_back(url);
}

template <class Operation>
std::string FailureOf(Operation operation)
{
    try {
        operation();
    } catch (const BrowserError& error) {
        return error.what();
    }
    return "no failure";
}

class MonitoringTest : public LinkTest {
protected:
    MonitoringTest() { completed.clear(); }
};

TEST_F(MonitoringTest, SwitchingOnConnectsToEveryBrowserAndOffDisconnectsAll)
{
    auto first = OpenBrowser("plain");
    auto folder = browser::ComRef<standin::FolderWindow>::Share(new standin::FolderWindow);
    desktop.shell->Open(folder.Get());  // no browser: not watched
    auto second = OpenBrowser("frameset");
    BrowserLink* link = GetBrowserLink(false);
    EXPECT_EQ(first->events->SinkCount(), 0u);
    link->SetMonitoring(true);
    EXPECT_EQ(first->events->SinkCount(), 1u);
    EXPECT_EQ(second->events->SinkCount(), 1u);
    link->SetMonitoring(false);
    EXPECT_EQ(first->events->SinkCount(), 0u);
    EXPECT_EQ(second->events->SinkCount(), 0u);
    EXPECT_EQ(first->events->unknownCookies + second->events->unknownCookies, 0);
    // Off, window events change nothing; the shell stays connected all the same.
    OpenBrowser("plain");
    EXPECT_EQ(first->events->SinkCount(), 0u);
    EXPECT_EQ(desktop.shell->events->SinkCount(), 1u);
}

TEST_F(MonitoringTest, WindowEventsRebuildEveryConnection)
{
    auto first = OpenBrowser("plain");
    GetBrowserLink(true);
    ASSERT_EQ(first->events->SinkCount(), 1u);
    auto second = OpenBrowser("plain");  // WindowRegistered
    EXPECT_EQ(first->events->SinkCount(), 1u);
    EXPECT_EQ(second->events->SinkCount(), 1u);
    desktop.shell->Close(0);  // WindowRevoked: the first browser is no longer listed
    EXPECT_EQ(first->events->SinkCount(), 0u);
    EXPECT_EQ(second->events->SinkCount(), 1u);
    EXPECT_EQ(first->events->unknownCookies + second->events->unknownCookies, 0);
    EXPECT_TRUE(desktop.failures.empty());
}

TEST_F(MonitoringTest, DocumentCompleteCallsTheHandlerOncePerFrameAndForTheTop)
{
    auto frames = OpenBrowser("frameset");
    BrowserLink* link = GetBrowserLink(true);
    frames->CompleteDocument();  // no handler yet: nothing to call
    EXPECT_TRUE(completed.empty());
    link->documentCompleteHandler = &RecordCompleted;
    frames->CompleteDocument();
    EXPECT_EQ(completed, (std::vector<std::string>{
                             "http://pages.test/first.html", "http://pages.test/nested.html",
                             "http://pages.test/second.html", "http://pages.test/frames.html"}));
}

TEST_F(MonitoringTest, WithMonitoringOffNoDocumentCompleteArrives)
{
    auto plain = OpenBrowser("plain");
    GetBrowserLink(false)->documentCompleteHandler = &RecordCompleted;
    plain->CompleteDocument();
    EXPECT_TRUE(completed.empty());
}

TEST_F(MonitoringTest, EventWithoutAUrlIsIgnored)
{
    BrowserLink* link = GetBrowserLink(true);
    link->documentCompleteHandler = &RecordCompleted;
    VARIANT number;
    V_VT(&number) = VT_I4;
    V_I4(&number) = 5;
    DISPPARAMS params{&number, nullptr, 1, 0};
    EXPECT_EQ(link->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr,
                           nullptr, nullptr),
              E_NOTIMPL);
    DISPPARAMS none{nullptr, nullptr, 0, 0};
    EXPECT_EQ(link->Invoke(DISPID_DOCUMENTCOMPLETE, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr,
                           nullptr, nullptr),
              E_NOTIMPL);
    EXPECT_TRUE(completed.empty());
}

TEST_F(MonitoringTest, FailureInsideAnEventGoesToTheFailureSinkNotToTheShell)
{
    GetBrowserLink(true);
    auto broken = browser::ComRef<standin::Browser>(link_test::MakeBrowser("plain"));
    broken->faults.Inject("FindConnectionPoint", E_FAIL);
    desktop.shell->Open(static_cast<IWebBrowser2*>(broken.Get()));  // returns normally
    ASSERT_EQ(desktop.failures.size(), 1u);
    EXPECT_EQ(desktop.failures[0], "Failed to connect to browser");
    desktop.shell->faults.Inject("get_Count", E_ACCESSDENIED);
    OpenBrowser("plain");
    ASSERT_EQ(desktop.failures.size(), 2u);
    EXPECT_EQ(desktop.failures[1], "Failed to connect to browser");
}

TEST_F(MonitoringTest, FailingUnadviseDropsOnlyWhatWasUndoneAndNothingTwice)
{
    auto first = OpenBrowser("plain");
    auto second = OpenBrowser("plain");
    auto third = OpenBrowser("plain");
    BrowserLink* link = GetBrowserLink(true);
    // Connections are undone in the map's (pointer) order; make the middle one of them fail.
    std::vector<standin::ConnectionPoint*> points = {first->events.Get(), second->events.Get(),
                                                     third->events.Get()};
    std::sort(points.begin(), points.end());
    const ULONG held[] = {points[0]->References(), points[1]->References(), points[2]->References()};
    points[1]->faults.Inject("Unadvise", E_FAIL);
    EXPECT_EQ(FailureOf([&] { link->SetMonitoring(false); }), "Failed to disconnect from browser");
    EXPECT_EQ(points[0]->SinkCount(), 0u);
    EXPECT_EQ(points[1]->SinkCount(), 1u);  // refused
    EXPECT_EQ(points[2]->SinkCount(), 1u);  // not tried yet
    // Undone or dropped, the first two points are released once; the third is still held.
    EXPECT_EQ(points[0]->References(), held[0] - 1);
    EXPECT_EQ(points[1]->References(), held[1] - 1);
    EXPECT_EQ(points[2]->References(), held[2]);
    EXPECT_NO_THROW(link->SetMonitoring(false));
    EXPECT_EQ(points[2]->SinkCount(), 0u);
    EXPECT_EQ(points[0]->unknownCookies + points[2]->unknownCookies, 0);
    points[1]->faults.Clear();
    points[1]->AbandonSinks();  // the stale connection to the link is the refusing browser's
}

// --- Page positions -------------------------------------------------------------------------

TEST_F(MonitoringTest, BookmarkOfTheForegroundBrowserReadsTitleLocationAndPosition)
{
    const HWND frame = link_test::MakeWindow("frame");
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    ASSERT_EQ(GetForegroundWindow(), frame);
    auto scrolled = OpenBrowser("scrolled", frame);
    scrolled->locationUrl = "http://pages.test/long.html#where";
    auto plain = OpenBrowser("plain");
    std::string title = "unchanged", url = "unchanged";
    int position = -1;
    ASSERT_TRUE(GetBrowserLink(false)->GetPageBookmark(title, url, position));
    EXPECT_EQ(title, "Long read");
    EXPECT_EQ(url, "http://pages.test/long.html#where");  // the browser's location
    EXPECT_EQ(position, 640);

    // The frame now belongs to the other browser.
    plain->window = frame;
    scrolled->window = nullptr;
    ASSERT_TRUE(GetBrowserLink(false)->GetPageBookmark(title, url, position));
    EXPECT_EQ(title, "Plain page");
    EXPECT_EQ(position, 0);  // an unscrolled page
    DestroyWindow(frame);
}

TEST_F(MonitoringTest, BookmarkWithNoBrowserInTheForegroundIsFalseAndChangesNothing)
{
    const HWND window = link_test::MakeWindow("no browser");
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    OpenBrowser("scrolled");
    std::string title = "t", url = "u";
    int position = 3;
    EXPECT_FALSE(GetBrowserLink(false)->GetPageBookmark(title, url, position));
    EXPECT_EQ(title, "t");
    EXPECT_EQ(url, "u");
    EXPECT_EQ(position, 3);
    DestroyWindow(window);
}

TEST_F(MonitoringTest, BookmarkFailuresAndPagesWithoutBody)
{
    const HWND frame = link_test::MakeWindow("frame");
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    auto browser = OpenBrowser("scrolled", frame);
    BrowserLink* link = GetBrowserLink(false);
    std::string title, url;
    int position = 0;
    auto bookmark = [&] { link->GetPageBookmark(title, url, position); };
    browser->document->body->faults.Inject("get_scrollTop", E_FAIL);
    EXPECT_EQ(FailureOf(bookmark), "Failed to retrieve bookmark");
    browser->document->body->faults.Clear();
    browser->document->body->withheld.push_back(IID_IHTMLElement2);
    EXPECT_EQ(FailureOf(bookmark), "Failed to retrieve bookmark");
    browser->faults.Inject("get_LocationURL", E_FAIL);
    EXPECT_EQ(FailureOf(bookmark), "Failed to retrieve bookmark");
    EXPECT_TRUE(title.empty());  // nothing is handed out from a failed read

    auto bodyless = OpenBrowser("bodyless", frame);
    browser->window = nullptr;
    EXPECT_FALSE(link->GetPageBookmark(title, url, position));
    bodyless->document.Reset();
    EXPECT_FALSE(link->GetPageBookmark(title, url, position));
    DestroyWindow(frame);
}

TEST_F(MonitoringTest, RestoringScrollsTheLastWindowWhateverTheUrl)
{
    auto first = OpenBrowser("plain");
    auto last = OpenBrowser("scrolled");
    GetBrowserLink(false)->RestoreScrollPosition("http://pages.test/plain.html", 250);
    EXPECT_EQ(last->document->body->scrollTop, 250);
    EXPECT_EQ(first->document->body->scrollTop, 0);
}

TEST_F(MonitoringTest, RestoringFailsOnlyWhenThePositionCannotBeSet)
{
    auto last = OpenBrowser("scrolled");
    BrowserLink* link = GetBrowserLink(false);
    last->document->body->faults.Inject("put_scrollTop", E_FAIL);
    EXPECT_EQ(FailureOf([&] { link->RestoreScrollPosition("", 1); }), "Failed to set bookmark");
    last->document->body->withheld.push_back(IID_IHTMLElement2);
    EXPECT_EQ(FailureOf([&] { link->RestoreScrollPosition("", 1); }), "Failed to set bookmark");

    OpenBrowser("bodyless");
    EXPECT_EQ(FailureOf([&] { link->RestoreScrollPosition("", 1); }), "no failure");
    OpenBrowser("");
    EXPECT_EQ(FailureOf([&] { link->RestoreScrollPosition("", 1); }), "no failure");
}

TEST_F(MonitoringTest, BookmarkRestoredWhenItsPageCompletes)
{
    // The way the Bookmarks page uses the link: restore from the document-complete handler.
    static BrowserLink* link;
    link = GetBrowserLink(true);
    link->documentCompleteHandler = [](const char*) { link->RestoreScrollPosition("", 320); };
    auto browser = OpenBrowser("plain");
    browser->CompleteDocument();
    EXPECT_EQ(browser->document->body->scrollTop, 320);
}

}  // namespace
