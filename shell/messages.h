// The private window messages of the program. The numbers are fixed: other processes (a second
// instance, outside programs) send some of them.
#pragma once

#include <windows.h>

namespace shell {

constexpr UINT WM_SHELL_COMMAND = 0x8001;           // wParam LastForegroundWindow, lParam command
constexpr UINT WM_SET_BROWSER_WINDOW = 0x8002;      // wParam the browser's window
constexpr UINT WM_OPEN_HIVE = 0x8009;               // a hive path waits in "ZumbleHive"
constexpr UINT WM_SHOW_SEARCH = 0x800B;
constexpr UINT WM_TRAY_NOTIFY = 0x8064;             // wParam 101, lParam the mouse message
constexpr UINT WM_RUN_BEELINE = 0x80D0;             // wParam the beeline element
constexpr UINT WM_RUN_BEELINE_NEW_WINDOW = 0x80D1;  // wParam the beeline element

}  // namespace shell
