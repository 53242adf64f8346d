// The shell's commands that reach the browser, against the stand-in browser.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"
#include "shell/main_window.h"
#include "shell/messages.h"
#include "shell/page_calls.h"
#include "shell/settings.h"
#include "shell/tab_pages.h"
#include "tests/browser/link_test_support.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell::App;

struct AddedBookmark {
    std::string title, url;
    int position = -1;
    int calls = 0;
};
AddedBookmark g_added;

class BrowserCommands : public link_test::LinkTest {
protected:
    void SetUp() override {
        shell_test::ResetShell();
        g_added = AddedBookmark();
        shell::Pages().addBookmark = [](const std::string& title, const std::string& url, int y) {
            g_added = {title, url, y, g_added.calls + 1};
        };
        ASSERT_TRUE(shell::InitSettings());
        main_ = shell::CreateMainWindow();
        ASSERT_NE(App().browserLink, nullptr);
    }
    void TearDown() override {
        shell_test::TearDownShell();
        LinkTest::TearDown();
    }

    void ShellCommand(int id) { SendMessageA(main_, shell::WM_SHELL_COMMAND, 0, id); }

    shell_test::MessageBoxRecorder boxes_;
    HWND main_ = nullptr;
};

TEST_F(BrowserCommands, HelpOpensTheHelpPageInANewBrowser) {
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(ID_MENU_HELP, 0), 0);
    ASSERT_EQ(desktop.created.size(), 1u);
    ASSERT_EQ(desktop.created[0]->navigations.size(), 1u);
    EXPECT_EQ(link_test::Narrow(desktop.created[0]->navigations[0].url),
              "C:\\zumble\\html/zumble/index.html");
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(BrowserCommands, SetABookmarkHandsThePageToTheBookmarksPageAndShowsIt) {
    const HWND frame = link_test::MakeWindow("frame");
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    auto page = link_test::OpenBrowser("scrolled", frame);
    page->locationUrl = "http://pages.test/long.html";
    ShellCommand(ID_SET_BOOKMARK);
    EXPECT_EQ(g_added.calls, 1);
    EXPECT_EQ(g_added.title, "Long read");
    EXPECT_EQ(g_added.url, "http://pages.test/long.html");
    EXPECT_EQ(g_added.position, 640);
    EXPECT_FALSE(App().mainWindowHidden);
    EXPECT_EQ(shell::MainTabPages()->current(), 1);
    DestroyWindow(frame);
}

TEST_F(BrowserCommands, AFailedBookmarkIsShownAndTheMainWindowStaysHidden) {
    const HWND frame = link_test::MakeWindow("frame");
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    auto page = link_test::OpenBrowser("scrolled", frame);
    page->document->body->faults.Inject("get_scrollTop", E_FAIL);
    ShellCommand(ID_SET_BOOKMARK);
    EXPECT_EQ(g_added.calls, 0);
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, "Failed to retrieve bookmark");
    EXPECT_EQ(boxes_.boxes()[0].caption, "Zumblekeeping");
    EXPECT_EQ(boxes_.boxes()[0].owner, main_);
    EXPECT_TRUE(App().mainWindowHidden);
    DestroyWindow(frame);
}

TEST_F(BrowserCommands, DocumentStructureRefreshesTheStructurePageAndShowsIt) {
    static int refreshed = 0;
    refreshed = 0;
    shell::Pages().refreshStructure = [] { ++refreshed; };
    ShellCommand(ID_DOCUMENT_STRUCTURE);
    EXPECT_EQ(refreshed, 1);
    EXPECT_FALSE(App().mainWindowHidden);
    EXPECT_EQ(shell::MainTabPages()->current(), 2);
}

TEST_F(BrowserCommands, OptionsOkSwitchesMonitoringOnTheLink) {
    auto page = link_test::OpenBrowser("plain");
    HWND dialog = CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_OPTIONS), nullptr,
                                     &shell::OptionsDialogProc, 0);
    SendDlgItemMessageA(dialog, IDC_OPT_MONITOR_BROWSER, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
    DestroyWindow(dialog);
    EXPECT_EQ(page->events->SinkCount(), 1u);  // the link now watches the open browser
}

}  // namespace
