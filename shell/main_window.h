// The main window (dialog 102): the three tab pages, the menu bar, the notification icon, and the
// dispatcher of every command that the toolbar, the hot keys, the notification menu and other
// processes send to the program.
#pragma once

#include <windows.h>

namespace shell {

class TabPages;

// Creates the main window, modeless and without owner; its initialisation makes the browser
// link, the tab pages and (unless a hive is being imported) the notification icon.
HWND CreateMainWindow();

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Null before the main window's initialisation and after DestroyMainWindowPages.
TabPages* MainTabPages();
// Destroys the page windows, the page set and the tab image list.
void DestroyMainWindowPages();

// Each top-level window has a hidden flag beside its handle.
void ShowAndActivate(HWND window, bool& hidden);
void HideWindow(HWND window, bool& hidden);
void ToggleWindow(HWND window, bool& hidden);

}  // namespace shell
