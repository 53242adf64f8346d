// Start-up in one of four modes (run, import a hive and end, hand a hive to the running
// instance, bring the running instance forward), the hand-over of a hive between instances, and
// the ordered quit.
#pragma once

#include <windows.h>

#include <string>

namespace shell {

// The whole of WinMain after the module is known; always returns 0.
int RunZumble(HINSTANCE instance, const std::string& commandLine);

// The most characters a handed-over hive path may have: the block holds 4096 bytes with the
// terminating zero.
constexpr std::size_t kMaxHandOverPath = 4095;

// The second instance's side: passes `path` to `runningWindow` through the "ZumbleHive" block
// and waits until the running instance has imported it. The block's file is removed afterwards.
void HandOverHive(HWND runningWindow, const std::string& path);

// The running instance's side, on WM_OPEN_HIVE; returns 0.
INT_PTR ReceiveHive(HWND mainWindow);

void ConfirmQuit(HWND mainWindow);
void Quit(HWND mainWindow);
void Shutdown(HWND mainWindow);

}  // namespace shell
