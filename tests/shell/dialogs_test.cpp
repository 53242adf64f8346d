#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"
#include "shell/settings.h"
#include "shell/toolbar_window.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell::App;
using shell::TheSettings;
using shell_test::ReadSetting;

class OptionsDialog : public shell_test::ShellTest {
protected:
    // The dialog is opened modeless so the test can work its controls; the procedure is the one
    // the modal dialog runs.
    void Open() {
        dialog_ = CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_OPTIONS), nullptr,
                                     &shell::OptionsDialogProc, 0);
        ASSERT_NE(dialog_, nullptr);
    }
    void TearDown() override {
        if (dialog_ != nullptr) DestroyWindow(dialog_);
        ShellTest::TearDown();
    }

    bool Ticked(int id) const {
        return SendDlgItemMessageA(dialog_, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void Tick(int id, bool on) {
        SendDlgItemMessageA(dialog_, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    DWORD HotKey(int id) const {
        return static_cast<DWORD>(SendDlgItemMessageA(dialog_, id, HKM_GETHOTKEY, 0, 0));
    }
    void Press(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

    HWND dialog_ = nullptr;
};

TEST_F(OptionsDialog, ShowsTheSettingsAndTheStartupEntry) {
    shell_test::WriteSetting("Options.MonitorBrowser", 1);
    shell_test::WriteSetting("Options.Confirm.Exit", 1);
    shell_test::WriteSetting("Options.Hotkey.Structure", 0x244);
    ASSERT_TRUE(shell::InitSettings());
    shell::ToggleStartupWithWindows();
    Open();
    EXPECT_TRUE(Ticked(IDC_OPT_MONITOR_BROWSER));
    EXPECT_FALSE(Ticked(IDC_OPT_NEW_WINDOW));
    EXPECT_FALSE(Ticked(IDC_OPT_CONFIRM_APPLY));
    EXPECT_TRUE(Ticked(IDC_OPT_CONFIRM_EXIT));
    EXPECT_TRUE(Ticked(IDC_OPT_STARTUP));
    EXPECT_EQ(HotKey(IDC_HOTKEY_SEARCH), 0x631u);
    EXPECT_EQ(HotKey(IDC_HOTKEY_BOOKMARK), 0x632u);
    EXPECT_EQ(HotKey(IDC_HOTKEY_STRUCTURE), 0x244u);
}

TEST_F(OptionsDialog, OkStoresEveryValueAndAppliesThemAtOnce) {
    shell_test::WriteSetting("Options.OpenNewWindow", 2);
    ASSERT_TRUE(shell::InitSettings());
    App().toolbarWindow = shell::CreateToolbarWindow();
    Open();
    Tick(IDC_OPT_MONITOR_BROWSER, true);
    Tick(IDC_OPT_CONFIRM_APPLY, true);
    Tick(IDC_OPT_STARTUP, true);
    SendDlgItemMessageA(dialog_, IDC_HOTKEY_SEARCH, HKM_SETHOTKEY, 0x67A, 0);  // Ctrl+Alt+F11
    Press(IDOK);

    DWORD value = 99;
    ASSERT_TRUE(ReadSetting("Options.MonitorBrowser", value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(ReadSetting("Options.OpenNewWindow", value));
    EXPECT_EQ(value, 0u);  // the stored 2 was off, and is now written as 0
    ASSERT_TRUE(ReadSetting("Options.Confirm.Apply", value));
    EXPECT_EQ(value, 1u);
    ASSERT_TRUE(ReadSetting("Options.Confirm.Exit", value));
    EXPECT_EQ(value, 0u);
    ASSERT_TRUE(ReadSetting("Options.Hotkey.Search", value));
    EXPECT_EQ(value, 0x67Au);
    ASSERT_TRUE(ReadSetting("Options.Hotkey.Bookmark", value));
    EXPECT_EQ(value, 0x632u);
    EXPECT_TRUE(TheSettings().monitorBrowser);
    EXPECT_TRUE(TheSettings().confirmApply);
    EXPECT_EQ(TheSettings().hotKeys[shell::kSearchHotKey], 0x67Au);
    EXPECT_EQ(shell_test::ReadRunEntry(), "C:\\zumble\\zumble.exe");
    // The new hot key is registered on the toolbar and the bookmark button is enabled.
    EXPECT_FALSE(RegisterHotKey(nullptr, 0x7002, MOD_CONTROL | MOD_ALT, VK_F11));
    EXPECT_TRUE(SendMessageA(shell::ToolbarControl(), TB_ISBUTTONENABLED, ID_SET_BOOKMARK, 0));
}

TEST_F(OptionsDialog, UntickingStartupAndOkDeletesTheRunEntry) {
    ASSERT_TRUE(shell::InitSettings());
    shell::ToggleStartupWithWindows();
    Open();
    Tick(IDC_OPT_STARTUP, false);
    Press(IDOK);
    EXPECT_EQ(shell_test::ReadRunEntry(), "<missing>");
}

TEST_F(OptionsDialog, CancelChangesNothing) {
    ASSERT_TRUE(shell::InitSettings());
    Open();
    Tick(IDC_OPT_MONITOR_BROWSER, true);
    Tick(IDC_OPT_STARTUP, true);
    SendDlgItemMessageA(dialog_, IDC_HOTKEY_SEARCH, HKM_SETHOTKEY, 0x67A, 0);
    Press(IDCANCEL);
    DWORD value = 0;
    EXPECT_FALSE(ReadSetting("Options.MonitorBrowser", value));
    EXPECT_FALSE(ReadSetting("Options.Hotkey.Search", value));
    EXPECT_FALSE(TheSettings().monitorBrowser);
    EXPECT_EQ(TheSettings().hotKeys[shell::kSearchHotKey], 0x631u);
    EXPECT_EQ(shell_test::ReadRunEntry(), "<missing>");
}

class AboutDialog : public shell_test::ShellTest {};

TEST_F(AboutDialog, ShowsTheTitleLineAndTheDescription) {
    HWND dialog = CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_ABOUT), nullptr,
                                     &shell::AboutDialogProc, 0);
    ASSERT_NE(dialog, nullptr);
    char text[512] = {};
    GetDlgItemTextA(dialog, IDC_ABOUT_TITLE, text, sizeof text);
    EXPECT_STREQ(text, "Orvanto Zumble 0.3");
    GetDlgItemTextA(dialog, IDC_ABOUT_DESCRIPTION, text, sizeof text);
    EXPECT_EQ(std::string(text).rfind("IE browser companion designed for advanced submitting", 0),
              0u);
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, "About Zumble");
    EXPECT_NE(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0), 0);
    DestroyWindow(dialog);
}

}  // namespace
