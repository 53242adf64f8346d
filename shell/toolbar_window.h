// The floating toolbar (dialog 148): six buttons that hand the foreground back to the window the
// user worked in and then send their command to the main window. It also owns the hot keys.
#pragma once

#include <windows.h>

namespace shell {

// Creates the toolbar at its saved position, topmost and shown.
HWND CreateToolbarWindow();

INT_PTR CALLBACK ToolbarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Greys or enables one button; does nothing before the toolbar exists.
void SetToolbarButtonEnabled(int command, bool enabled);

// Unregisters the hot keys, saves the toolbar's position and frees its image list.
void DestroyToolbar();

// The toolbar control inside the toolbar window, or null.
HWND ToolbarControl();

}  // namespace shell
