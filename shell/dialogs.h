// The two small modal dialogs of the shell.
#pragma once

#include <windows.h>

namespace shell {

// Dialog 186: the program's title line, description and picture.
void ShowAboutDialog(HWND owner);

// Dialog 147: the options, the start-up entry and the hot keys. OK stores them and applies them
// at once; Cancel changes nothing.
void ShowOptionsDialog(HWND owner);

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

extern const char* const kAboutTitle;
extern const char* const kAboutDescription;

}  // namespace shell
