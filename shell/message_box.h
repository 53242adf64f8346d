// Every message box of the program goes through one replaceable function, so tests can answer
// boxes instead of blocking on them.
#pragma once

#include <windows.h>

#include <string>

namespace shell {

using MessageBoxFunction = int (*)(HWND owner, const char* text, const char* caption, UINT type);

// nullptr restores MessageBoxA.
void SetMessageBoxFunction(MessageBoxFunction function);

int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT type);

// The program's error box: caption "Zumblekeeping", a stop icon.
void ShowErrorBox(HWND owner, const std::string& text);

// Routes DebugReport's text into a "Debug" message box.
void RouteDebugReportToMessageBox();

}  // namespace shell
