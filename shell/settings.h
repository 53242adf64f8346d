// The program's settings: read from HKEY_CURRENT_USER\Software\Orvanto\Zumble once at start, kept
// in memory, written back when they change. Also the start-up entry, the ".hive" association and
// the three global hot keys.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "shell/registry_key.h"

namespace shell {

// The three hot keys, in the order they are registered.
enum HotKey { kSearchHotKey = 0, kBookmarkHotKey = 1, kStructureHotKey = 2, kHotKeyCount = 3 };

struct Settings {
    bool monitorBrowser = false;
    bool openNewWindow = false;
    bool confirmApply = false;
    bool confirmExit = false;
    DWORD searchTypeMask = 0;
    bool searchTreeView = false;
    // As the hot-key control reports them: low byte the key, high byte HOTKEYF_* flags.
    DWORD hotKeys[kHotKeyCount] = {0x631, 0x632, 0x633};
    ATOM hotKeyAtoms[kHotKeyCount] = {0, 0, 0};
    bool startupWithWindows = false;

    std::unique_ptr<RegistryKey> key;  // null when the registry could not be opened
};

Settings& TheSettings();

// The settings key below HKEY_CURRENT_USER (Software\Orvanto\Zumble); tests may point it elsewhere.
std::string& SettingsKeyPath();
extern const char* const kRunKey;  // below HKEY_CURRENT_USER
extern const char* const kHotKeyValueNames[kHotKeyCount];
extern const char* const kHotKeyAtomNames[kHotKeyCount];

// Opens the settings key, writes the ".hive" association, reads every setting and adds the hot-key
// atoms. When the registry cannot be opened the program goes on with the defaults (nothing is
// stored then) and the user is told once; returns false in that case.
bool InitSettings();
// Deletes the atoms and closes the settings key.
void ReleaseSettings();

// RegisterHotKey's modifiers for a hot-key value: Shift, Control, Alt and the Windows key.
UINT HotKeyModifiers(DWORD hotKeyValue);
void RegisterHotKeys(HWND toolbarWindow);
void UnregisterHotKeys(HWND toolbarWindow);

// Whether the Run key holds a non-empty "Zumble" entry; updates settings.startupWithWindows.
bool QueryStartupWithWindows();
void ToggleStartupWithWindows();

void SaveSearchSettings();

// The toolbar's saved screen position, each coordinate 100 when missing or off the screen.
POINT LoadToolbarPosition();
void SaveToolbarPosition(POINT position);

// The text the association and the start-up entry run: the program's full path.
std::string ProgramCommand();

}  // namespace shell
