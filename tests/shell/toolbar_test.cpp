#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/settings.h"
#include "shell/toolbar_window.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell::App;

struct ShellCommand {
    HWND lastForeground;
    LPARAM command;
};
std::vector<ShellCommand> g_commands;

// Stands in for the main window: records the shell commands the toolbar sends.
LRESULT CALLBACK RecordingMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == shell::WM_SHELL_COMMAND) {
        g_commands.push_back({reinterpret_cast<HWND>(wParam), lParam});
        return TRUE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class Toolbar : public shell_test::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        g_commands.clear();
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &RecordingMain;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RecordingMain";
        RegisterClassA(&windowClass);
        App().mainWindow = CreateWindowExA(0, "RecordingMain", "", WS_POPUP, 0, 0, 10, 10, nullptr,
                                           nullptr, windowClass.hInstance, nullptr);
    }

    void Start() {
        ASSERT_TRUE(shell::InitSettings());
        toolbar_ = shell::CreateToolbarWindow();
        ASSERT_NE(toolbar_, nullptr);
    }

    HWND toolbar_ = nullptr;
};

TEST_F(Toolbar, OpensTopmostAtTheDefaultPositionWithSixButtons) {
    Start();
    EXPECT_EQ(App().toolbarWindow, toolbar_);
    RECT rect;
    GetWindowRect(toolbar_, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);
    EXPECT_TRUE(IsWindowVisible(toolbar_));
    EXPECT_TRUE(GetWindowLongA(toolbar_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    char caption[32] = {};
    GetWindowTextA(toolbar_, caption, sizeof caption);
    EXPECT_STREQ(caption, "zumble");

    HWND control = shell::ToolbarControl();
    ASSERT_NE(control, nullptr);
    const int expected[] = {ID_SEARCH_KEYWORD, ID_SET_BOOKMARK, ID_DOCUMENT_STRUCTURE,
                            ID_OPTIONS,        ID_HIDE_RESTORE, ID_QUIT};
    ASSERT_EQ(SendMessageA(control, TB_BUTTONCOUNT, 0, 0), 6);
    for (int i = 0; i < 6; ++i) {
        TBBUTTON button = {};
        SendMessageA(control, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
        EXPECT_EQ(button.idCommand, expected[i]);
        EXPECT_EQ(button.iBitmap, i);
    }
}

TEST_F(Toolbar, StoredPositionOffTheScreenFallsBack) {
    shell_test::WriteSetting("Pos.X.Toolbar", 5000);
    shell_test::WriteSetting("Pos.Y.Toolbar", 50);
    Start();
    RECT rect;
    GetWindowRect(toolbar_, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 50);
}

TEST_F(Toolbar, BookmarkButtonFollowsMonitorBrowser) {
    Start();
    HWND control = shell::ToolbarControl();
    EXPECT_FALSE(SendMessageA(control, TB_ISBUTTONENABLED, ID_SET_BOOKMARK, 0));
    EXPECT_TRUE(SendMessageA(control, TB_ISBUTTONENABLED, ID_SEARCH_KEYWORD, 0));
    shell::SetToolbarButtonEnabled(ID_SET_BOOKMARK, true);
    EXPECT_TRUE(SendMessageA(control, TB_ISBUTTONENABLED, ID_SET_BOOKMARK, 0));
    shell::SetToolbarButtonEnabled(ID_SET_BOOKMARK, false);
    EXPECT_FALSE(SendMessageA(control, TB_ISBUTTONENABLED, ID_SET_BOOKMARK, 0));
}

TEST_F(Toolbar, MonitoringSetAtStartEnablesTheBookmarkButton) {
    shell_test::WriteSetting("Options.MonitorBrowser", 1);
    Start();
    EXPECT_TRUE(SendMessageA(shell::ToolbarControl(), TB_ISBUTTONENABLED, ID_SET_BOOKMARK, 0));
}

TEST_F(Toolbar, ButtonsSendTheirCommandWithTheLastForegroundWindow) {
    Start();
    HWND browser = CreateWindowExA(0, "STATIC", "browser", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    SendMessageA(toolbar_, shell::WM_SET_BROWSER_WINDOW, reinterpret_cast<WPARAM>(browser), 0);
    EXPECT_EQ(App().lastForegroundWindow, browser);
    SendMessageA(toolbar_, WM_COMMAND, MAKEWPARAM(ID_DOCUMENT_STRUCTURE, 0), 0);
    SendMessageA(toolbar_, WM_COMMAND, MAKEWPARAM(ID_MENU_HELP, 0), 0);  // not a toolbar button
    SendMessageA(toolbar_, WM_COMMAND, MAKEWPARAM(ID_QUIT, 1), 0);      // not a plain command
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0].command, ID_DOCUMENT_STRUCTURE);
    EXPECT_EQ(g_commands[0].lastForeground, browser);
    DestroyWindow(browser);
}

TEST_F(Toolbar, PointingAtTheToolbarRemembersTheForegroundWindow) {
    Start();
    HWND marker = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x1234));
    App().lastForegroundWindow = marker;
    SendMessageA(toolbar_, WM_NCHITTEST, 0, 0);
    HWND foreground = GetForegroundWindow();
    EXPECT_EQ(App().lastForegroundWindow, foreground == toolbar_ ? marker : foreground);
}

TEST_F(Toolbar, HotKeysSendTheirCommands) {
    Start();
    const shell::Settings& settings = shell::TheSettings();
    SendMessageA(toolbar_, WM_HOTKEY, settings.hotKeyAtoms[shell::kBookmarkHotKey], 0);
    SendMessageA(toolbar_, WM_HOTKEY, settings.hotKeyAtoms[shell::kSearchHotKey], 0);
    SendMessageA(toolbar_, WM_HOTKEY, settings.hotKeyAtoms[shell::kStructureHotKey], 0);
    SendMessageA(toolbar_, WM_HOTKEY, 0x1234, 0);
    ASSERT_EQ(g_commands.size(), 3u);
    EXPECT_EQ(g_commands[0].command, ID_SET_BOOKMARK);
    EXPECT_EQ(g_commands[1].command, ID_SEARCH_KEYWORD);
    EXPECT_EQ(g_commands[2].command, ID_DOCUMENT_STRUCTURE);
    EXPECT_EQ(g_commands[0].lastForeground, GetForegroundWindow());
}

TEST_F(Toolbar, RegistersTheHotKeysOnItsWindow) {
    Start();
    // The default Ctrl+Alt+1 is taken by the toolbar now.
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x7001, MOD_CONTROL | MOD_ALT, '1'));
    shell::DestroyToolbar();
    EXPECT_TRUE(RegisterHotKey(nullptr, 0x7001, MOD_CONTROL | MOD_ALT, '1'));
    UnregisterHotKey(nullptr, 0x7001);
}

TEST_F(Toolbar, ToolTipsNameEveryButton) {
    Start();
    const struct {
        int command;
        const char* tip;
    } tips[] = {{ID_SEARCH_KEYWORD, "Search keyword"},   {ID_SET_BOOKMARK, "Set a bookmark"},
                {ID_DOCUMENT_STRUCTURE, "Document structure"}, {ID_OPTIONS, "Options"},
                {ID_HIDE_RESTORE, "Hide/Restore"},       {ID_QUIT, "Quit"}};
    for (const auto& tip : tips) {
        NMTTDISPINFOA info = {};
        info.hdr.code = TTN_GETDISPINFOA;
        info.hdr.idFrom = tip.command;
        SendMessageA(toolbar_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, tip.tip);
    }
}

TEST_F(Toolbar, ShutDownSavesThePosition) {
    Start();
    SetWindowPos(toolbar_, nullptr, 321, 123, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    shell::DestroyToolbar();
    DWORD x = 0;
    DWORD y = 0;
    ASSERT_TRUE(shell_test::ReadSetting("Pos.X.Toolbar", x));
    ASSERT_TRUE(shell_test::ReadSetting("Pos.Y.Toolbar", y));
    EXPECT_EQ(x, 321u);
    EXPECT_EQ(y, 123u);
}

}  // namespace
