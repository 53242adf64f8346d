// The notification-area icon and its menu.
#pragma once

#include <windows.h>

namespace shell {

// Shell_NotifyIconA(operation) for icon `id` of `window`, calling back with WM_TRAY_NOTIFY. The
// tip is copied up to 128 characters (none when null); the icon handle is destroyed afterwards.
void SetNotifyIcon(HWND window, DWORD operation, UINT id, HICON icon, const char* tip);

// The menu as it is offered now: texts follow the hidden flags, the start-up entry is checked
// when it exists in the registry. The caller destroys it.
HMENU BuildNotifyMenu();

// Shows the menu at the cursor; the chosen entry arrives as WM_COMMAND.
void ShowNotifyMenu(HWND window);

}  // namespace shell
