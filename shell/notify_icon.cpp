#include "shell/notify_icon.h"

#include <shellapi.h>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/settings.h"

namespace shell {

void SetNotifyIcon(HWND window, DWORD operation, UINT id, HICON icon, const char* tip) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;  // 488 bytes in a 32-bit build; the shell checks it
    data.hWnd = window;
    data.uID = id;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAY_NOTIFY;
    data.hIcon = icon;
    if (tip != nullptr) lstrcpynA(data.szTip, tip, 128);
    Shell_NotifyIconA(operation, &data);
    if (icon != nullptr) DestroyIcon(icon);
}

HMENU BuildNotifyMenu() {
    const AppState& app = App();
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, ID_HIDE_RESTORE, app.toolbarHidden ? "Show toolbar" : "Hide toolbar");
    AppendMenuA(menu, MF_STRING, ID_TOGGLE_MAIN_WINDOW,
                app.mainWindowHidden ? "Show main window" : "Hide main window");
    AppendMenuA(menu, MF_STRING, ID_SHOW_SEARCH_DIALOG, "Show search dialog");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING | (QueryStartupWithWindows() ? MF_CHECKED : MF_UNCHECKED),
                ID_STARTUP_WITH_WINDOWS, "Startup with Windows");
    AppendMenuA(menu, MF_STRING, ID_OPTIONS, "Options");
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, ID_QUIT, "Exit");
    return menu;
}

void ShowNotifyMenu(HWND window) {
    HMENU menu = BuildNotifyMenu();
    POINT cursor;
    GetCursorPos(&cursor);
    // The owner must be in the foreground, or the menu does not close when the user clicks away.
    SetForegroundWindow(window);
    TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, window, nullptr);
    DestroyMenu(menu);
}

}  // namespace shell
