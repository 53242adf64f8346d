#include <windows.h>
#include <commctrl.h>

#include <exception>

#include "browser/browser_link.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"
#include "shell/message_box.h"
#include "shell/settings.h"
#include "shell/toolbar_window.h"

namespace shell {

namespace {

constexpr int kHotKeyControls[kHotKeyCount] = {IDC_HOTKEY_SEARCH, IDC_HOTKEY_BOOKMARK,
                                               IDC_HOTKEY_STRUCTURE};

void Check(HWND dialog, int id, bool on) {
    SendDlgItemMessageA(dialog, id, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool IsTicked(HWND dialog, int id) {
    return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Writes the box's state as 1 or 0 and returns it as the in-memory setting.
bool StoreFlag(HWND dialog, int id, const char* name) {
    const bool on = IsTicked(dialog, id);
    Settings& settings = TheSettings();
    if (settings.key != nullptr) settings.key->WriteDword(name, on ? 1 : 0);
    return on;
}

void OnInitDialog(HWND dialog) {
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(App().instance, MAKEINTRESOURCEA(IDI_ZUMBLE))));
    for (int control : kHotKeyControls) {
        SendDlgItemMessageA(dialog, control, HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, 0);
    }
    QueryStartupWithWindows();
    const Settings& settings = TheSettings();
    Check(dialog, IDC_OPT_STARTUP, settings.startupWithWindows);
    Check(dialog, IDC_OPT_MONITOR_BROWSER, settings.monitorBrowser);
    Check(dialog, IDC_OPT_NEW_WINDOW, settings.openNewWindow);
    Check(dialog, IDC_OPT_CONFIRM_APPLY, settings.confirmApply);
    Check(dialog, IDC_OPT_CONFIRM_EXIT, settings.confirmExit);
    for (int i = 0; i < kHotKeyCount; ++i) {
        SendDlgItemMessageA(dialog, kHotKeyControls[i], HKM_SETHOTKEY, settings.hotKeys[i], 0);
    }
}

void OnOk(HWND dialog) {
    Settings& settings = TheSettings();
    for (int i = 0; i < kHotKeyCount; ++i) {
        const auto value =
            static_cast<DWORD>(SendDlgItemMessageA(dialog, kHotKeyControls[i], HKM_GETHOTKEY, 0, 0));
        if (settings.key != nullptr) settings.key->WriteDword(kHotKeyValueNames[i], value);
        settings.hotKeys[i] = value;
    }
    UnregisterHotKeys(App().toolbarWindow);
    RegisterHotKeys(App().toolbarWindow);
    if (IsTicked(dialog, IDC_OPT_STARTUP) != settings.startupWithWindows) {
        ToggleStartupWithWindows();
    }
    settings.monitorBrowser = StoreFlag(dialog, IDC_OPT_MONITOR_BROWSER, "Options.MonitorBrowser");
    settings.openNewWindow = StoreFlag(dialog, IDC_OPT_NEW_WINDOW, "Options.OpenNewWindow");
    settings.confirmApply = StoreFlag(dialog, IDC_OPT_CONFIRM_APPLY, "Options.Confirm.Apply");
    settings.confirmExit = StoreFlag(dialog, IDC_OPT_CONFIRM_EXIT, "Options.Confirm.Exit");
    SetToolbarButtonEnabled(ID_SET_BOOKMARK, settings.monitorBrowser);
    if (App().browserLink != nullptr) {
        try {
            App().browserLink->SetMonitoring(settings.monitorBrowser);
        } catch (const std::exception& e) {
            ShowErrorBox(dialog, e.what());
        }
    }
    EndDialog(dialog, 1);
}

}  // namespace

INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: OnInitDialog(dialog); return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) != 0) return 0;
            if (LOWORD(wParam) == IDOK) OnOk(dialog);
            if (LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 2);
            return 0;
        default: return 0;
    }
}

void ShowOptionsDialog(HWND owner) {
    DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_OPTIONS), owner, &OptionsDialogProc, 0);
}

}  // namespace shell
