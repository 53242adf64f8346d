#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/messages.h"
#include "shell/notify_icon.h"
#include "shell/page_calls.h"
#include "shell/settings.h"
#include "shell/tab_pages.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell::App;

std::vector<std::pair<int, UINT>> g_pageMessages;  // page index, message

// Records the WM_SIZE the main window sends each page after a resize (wParam and lParam 0), not
// the ones the system sends when a page is placed.
template <int Index>
INT_PTR CALLBACK RecordingPage(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE && wParam == 0 && lParam == 0) g_pageMessages.emplace_back(Index, message);
    return message == WM_INITDIALOG;
}

class MainWindow : public shell_test::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        g_pageMessages.clear();
        shell::Pages().beelinesPage = &RecordingPage<0>;
        shell::Pages().bookmarksPage = &RecordingPage<1>;
        shell::Pages().structurePage = &RecordingPage<2>;
        ASSERT_TRUE(shell::InitSettings());
        main_ = shell::CreateMainWindow();
        ASSERT_NE(main_, nullptr);
    }

    HWND Tab() const { return GetDlgItem(main_, IDC_MAIN_TAB); }

    std::string TabText(int index) const {
        char text[64] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(Tab(), TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
        return text;
    }

    void Command(int id) { SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void ShellCommand(int id) { SendMessageA(main_, shell::WM_SHELL_COMMAND, 0, id); }

    HWND main_ = nullptr;
};

TEST_F(MainWindow, HasTheThreePagesInTabOrderFromTheirTemplates) {
    EXPECT_EQ(App().mainWindow, main_);
    EXPECT_EQ(SendMessageA(Tab(), TCM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(TabText(0), "Beelines");
    EXPECT_EQ(TabText(1), "Bookmarks");
    EXPECT_EQ(TabText(2), "Structure");
    const std::vector<HWND>& pages = shell::MainTabPages()->pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_NE(GetDlgItem(pages[0], IDC_BEELINE_TREE), nullptr);
    EXPECT_NE(GetDlgItem(pages[1], IDC_BOOKMARK_LIST), nullptr);
    EXPECT_NE(GetDlgItem(pages[2], IDC_FORM_TREE), nullptr);
    for (HWND page : pages) EXPECT_EQ(GetParent(page), main_);
    EXPECT_TRUE(IsWindowVisible(pages[0]) || !IsWindowVisible(main_));
    EXPECT_EQ(SendMessageA(Tab(), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_NE(SendMessageA(Tab(), TCM_GETIMAGELIST, 0, 0), 0);
}

TEST_F(MainWindow, MenuBarHasSixCommandsWithApplyGreyed) {
    HMENU menu = GetMenu(main_);
    ASSERT_NE(menu, nullptr);
    const struct {
        const char* text;
        UINT id;
    } expected[] = {{"&Options", ID_MENU_OPTIONS}, {"&Apply", ID_MENU_APPLY},
                    {"&Hide", ID_MENU_HIDE},       {"&Close", ID_MENU_CLOSE},
                    {"A&bout", ID_MENU_ABOUT},     {"&Help", ID_MENU_HELP}};
    ASSERT_EQ(GetMenuItemCount(menu), 6);
    for (int i = 0; i < 6; ++i) {
        char text[32] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, expected[i].text);
        EXPECT_EQ(GetMenuItemID(menu, i), expected[i].id);
        const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
        EXPECT_EQ((state & MF_GRAYED) != 0, expected[i].id == ID_MENU_APPLY) << text;
    }
}

TEST_F(MainWindow, WithoutABrowserLinkTheProgramGoesOnAndSaysSoOnce) {
    EXPECT_EQ(App().browserLink, nullptr);
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].caption, "Zumblekeeping");
    EXPECT_EQ(boxes_.boxes()[0].text,
              "Failed to connect to shell: Zumble goes on without reaching the browser.");
    // The commands that need the browser do nothing.
    bool refreshed = false;
    static bool* flag = nullptr;
    flag = &refreshed;
    shell::Pages().refreshStructure = [] { *flag = true; };
    Command(ID_MENU_HELP);
    ShellCommand(ID_SET_BOOKMARK);
    ShellCommand(ID_DOCUMENT_STRUCTURE);
    EXPECT_FALSE(refreshed);
    EXPECT_TRUE(App().mainWindowHidden);
    EXPECT_EQ(boxes_.boxes().size(), 1u);
}

TEST_F(MainWindow, CloseBoxAndHideOnlyHide) {
    shell::ShowAndActivate(main_, App().mainWindowHidden);
    EXPECT_TRUE(IsWindowVisible(main_));
    Command(IDCANCEL);
    EXPECT_FALSE(IsWindowVisible(main_));
    EXPECT_TRUE(App().mainWindowHidden);
    shell::ShowAndActivate(main_, App().mainWindowHidden);
    Command(ID_MENU_HIDE);
    EXPECT_FALSE(IsWindowVisible(main_));
    EXPECT_TRUE(IsWindow(main_));
}

TEST_F(MainWindow, HideRestoreTogglesTheToolbarFromTheMenuAndTheMainWindowFromTheToolbar) {
    HWND toolbar = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    App().toolbarWindow = toolbar;
    Command(ID_HIDE_RESTORE);
    EXPECT_TRUE(App().toolbarHidden);
    EXPECT_FALSE(IsWindowVisible(toolbar));
    EXPECT_TRUE(App().mainWindowHidden);

    ShellCommand(ID_HIDE_RESTORE);
    EXPECT_FALSE(App().mainWindowHidden);
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_TRUE(App().toolbarHidden);

    Command(ID_TOGGLE_MAIN_WINDOW);
    EXPECT_TRUE(App().mainWindowHidden);
    App().toolbarWindow = nullptr;
    DestroyWindow(toolbar);
}

TEST_F(MainWindow, ResizingReachesEveryPageAndTheTabFollowsTheWindow) {
    g_pageMessages.clear();
    SetWindowPos(main_, nullptr, 0, 0, 700, 500, SWP_NOMOVE | SWP_NOZORDER);
    std::vector<int> sized;
    for (const auto& m : g_pageMessages) sized.push_back(m.first);
    EXPECT_EQ(sized, (std::vector<int>{0, 1, 2}));
    RECT client;
    GetClientRect(main_, &client);
    RECT tab;
    GetWindowRect(Tab(), &tab);
    EXPECT_EQ(tab.right - tab.left, client.right - 20);
    EXPECT_EQ(tab.bottom - tab.top, client.bottom - 10);
}

TEST_F(MainWindow, ChoosingATabHidesThePreviousPageAndShowsTheNewOne) {
    shell::ShowAndActivate(main_, App().mainWindowHidden);
    const std::vector<HWND>& pages = shell::MainTabPages()->pages();
    EXPECT_TRUE(IsWindowVisible(pages[0]));
    SendMessageA(Tab(), TCM_SETCURSEL, 2, 0);
    NMHDR header = {Tab(), IDC_MAIN_TAB, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(main_, WM_NOTIFY, IDC_MAIN_TAB, reinterpret_cast<LPARAM>(&header));
    EXPECT_FALSE(IsWindowVisible(pages[0]));
    EXPECT_TRUE(IsWindowVisible(pages[2]));
    EXPECT_EQ(shell::MainTabPages()->current(), 2);
    RECT page;
    GetWindowRect(pages[2], &page);
    POINT topLeft = {page.left, page.top};
    ScreenToClient(main_, &topLeft);
    EXPECT_EQ(topLeft.x, 20);
}

TEST_F(MainWindow, PrivateMessagesReachTheirPageCalls) {
    static std::vector<std::string> calls;
    calls.clear();
    shell::Pages().runBeeline = [](bool searchMode, xml::XmlElement* beeline, bool newWindow) {
        calls.push_back(std::string(searchMode ? "search " : "plain ") +
                        (beeline != nullptr ? "element " : "null ") + (newWindow ? "new" : "same"));
    };
    shell::Pages().showSearchDialog = [] { calls.push_back("search dialog"); };
    shell::Pages().keywordCapture = [] { calls.push_back("capture"); };
    shell::Pages().onClipboardChanged = [] { calls.push_back("clipboard"); };
    int element = 0;
    SendMessageA(main_, shell::WM_RUN_BEELINE, reinterpret_cast<WPARAM>(&element), 0);
    SendMessageA(main_, shell::WM_RUN_BEELINE_NEW_WINDOW, reinterpret_cast<WPARAM>(&element), 0);
    SendMessageA(main_, shell::WM_SHOW_SEARCH, 0, 0);
    Command(ID_SHOW_SEARCH_DIALOG);
    ShellCommand(ID_SEARCH_KEYWORD);
    SendMessageA(main_, WM_DRAWCLIPBOARD, 0, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"search element same", "search element new",
                                               "search dialog", "search dialog", "capture",
                                               "clipboard"}));
    EXPECT_EQ(SendMessageA(main_, shell::WM_SHELL_COMMAND, 0, 12345), TRUE);
}

TEST_F(MainWindow, BrowserWindowMessageIsPassedOnToTheToolbar) {
    HWND toolbar = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    App().toolbarWindow = toolbar;
    SendMessageA(main_, shell::WM_SET_BROWSER_WINDOW, 0x4242, 7);
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, toolbar, shell::WM_SET_BROWSER_WINDOW,
                             shell::WM_SET_BROWSER_WINDOW, PM_REMOVE));
    EXPECT_EQ(message.wParam, 0x4242u);
    EXPECT_EQ(message.lParam, 7);
    App().toolbarWindow = nullptr;
    DestroyWindow(toolbar);
}

TEST_F(MainWindow, ApplyCommandAppliesAndReloads) {
    static std::vector<std::pair<bool, bool>> applied;
    applied.clear();
    shell::Pages().applyChanges = [](bool fromApply, bool reload) {
        applied.emplace_back(fromApply, reload);
    };
    Command(ID_MENU_APPLY);
    EXPECT_EQ(applied, (std::vector<std::pair<bool, bool>>{{true, true}}));
}

std::vector<std::string> MenuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        texts.push_back(text[0] != '\0' ? text : "-");
    }
    return texts;
}

TEST_F(MainWindow, NotifyMenuTextsFollowTheHiddenFlags) {
    HMENU menu = shell::BuildNotifyMenu();
    EXPECT_EQ(MenuTexts(menu),
              (std::vector<std::string>{"Hide toolbar", "Show main window", "Show search dialog", "-",
                                        "Startup with Windows", "Options", "-", "Exit"}));
    const UINT ids[] = {ID_HIDE_RESTORE, ID_TOGGLE_MAIN_WINDOW, ID_SHOW_SEARCH_DIALOG, 0,
                        ID_STARTUP_WITH_WINDOWS, ID_OPTIONS, 0, ID_QUIT};
    for (int i = 0; i < 8; ++i) {
        if (ids[i] != 0) {
            EXPECT_EQ(GetMenuItemID(menu, i), ids[i]);
        }
    }
    EXPECT_FALSE(GetMenuState(menu, ID_STARTUP_WITH_WINDOWS, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(menu);

    App().toolbarHidden = true;
    App().mainWindowHidden = false;
    shell::ToggleStartupWithWindows();
    menu = shell::BuildNotifyMenu();
    const std::vector<std::string> texts = MenuTexts(menu);
    EXPECT_EQ(texts[0], "Show toolbar");
    EXPECT_EQ(texts[1], "Hide main window");
    EXPECT_TRUE(GetMenuState(menu, ID_STARTUP_WITH_WINDOWS, MF_BYCOMMAND) & MF_CHECKED);
    DestroyMenu(menu);
}

TEST_F(MainWindow, StartupCommandTogglesTheRunEntry) {
    Command(ID_STARTUP_WITH_WINDOWS);
    EXPECT_EQ(shell_test::ReadRunEntry(), "C:\\zumble\\zumble.exe");
    Command(ID_STARTUP_WITH_WINDOWS);
    EXPECT_EQ(shell_test::ReadRunEntry(), "<missing>");
}

TEST_F(MainWindow, TrayClicksToggleTheToolbar) {
    HWND toolbar = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, nullptr,
                                   nullptr, nullptr, nullptr);
    App().toolbarWindow = toolbar;
    SendMessageA(main_, shell::WM_TRAY_NOTIFY, IDI_ZUMBLE, WM_LBUTTONDOWN);
    EXPECT_TRUE(App().toolbarHidden);
    SendMessageA(main_, shell::WM_TRAY_NOTIFY, IDI_ZUMBLE, WM_MOUSEMOVE);
    EXPECT_TRUE(App().toolbarHidden);
    SendMessageA(main_, shell::WM_TRAY_NOTIFY, IDI_ZUMBLE, WM_LBUTTONDOWN);
    EXPECT_FALSE(App().toolbarHidden);
    EXPECT_TRUE(IsWindowVisible(toolbar));
    App().toolbarWindow = nullptr;
    DestroyWindow(toolbar);
}

}  // namespace
