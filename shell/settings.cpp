#include "shell/settings.h"

#include <commctrl.h>

#include "shell/app_state.h"
#include "shell/message_box.h"

namespace shell {

namespace {

constexpr LONG kDefaultToolbarCoordinate = 100;

bool ReadFlag(const RegistryKey& key, const char* name) {
    DWORD value = 0;
    key.ReadDword(name, value);
    return value == 1;
}

void WriteFlag(RegistryKey* key, const char* name, bool on) {
    if (key != nullptr) key->WriteDword(name, on ? 1 : 0);
}

void WriteAssociation() {
    const std::string program = ProgramCommand();
    RegistryKey extension(HKEY_CLASSES_ROOT, ".hive");
    RegistryKey command(HKEY_CLASSES_ROOT, "Zumble Hive\\shell\\open\\command");
    RegistryKey icon(HKEY_CLASSES_ROOT, "Zumble Hive\\DefaultIcon");
    extension.WriteString("", "Zumble Hive");
    command.WriteString("", program + " %1");
    icon.WriteString("", program + ",0");
}

void ReadSettings(Settings& settings) {
    const RegistryKey& key = *settings.key;
    settings.monitorBrowser = ReadFlag(key, "Options.MonitorBrowser");
    settings.openNewWindow = ReadFlag(key, "Options.OpenNewWindow");
    settings.confirmApply = ReadFlag(key, "Options.Confirm.Apply");
    settings.confirmExit = ReadFlag(key, "Options.Confirm.Exit");
    key.ReadDword("Options.Search.Type", settings.searchTypeMask);
    settings.searchTreeView = ReadFlag(key, "Options.Search.TreeView");
}

LONG InScreen(LONG coordinate, int screenSize) {
    return coordinate < 0 || coordinate > screenSize ? kDefaultToolbarCoordinate : coordinate;
}

}  // namespace

std::string& SettingsKeyPath() {
    static std::string path = "Software\\Orvanto\\Zumble";
    return path;
}

const char* const kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char* const kHotKeyValueNames[kHotKeyCount] = {
    "Options.Hotkey.Search", "Options.Hotkey.Bookmark", "Options.Hotkey.Structure"};
const char* const kHotKeyAtomNames[kHotKeyCount] = {
    "Orvanto.Zumble.Search", "Orvanto.Zumble.Bookmark", "Orvanto.Zumble.Structure"};

Settings& TheSettings() {
    static Settings settings;
    return settings;
}

std::string ProgramCommand() { return App().programDirectory + App().programFileName; }

bool InitSettings() {
    Settings& settings = TheSettings();
    settings = Settings();
    // Without the registry the program still works, on its defaults; the user hears of it once.
    std::string problem;
    try {
        settings.key = std::make_unique<RegistryKey>(HKEY_CURRENT_USER, SettingsKeyPath());
    } catch (const RegistryError& e) {
        problem = std::string(e.what()) +
                  ": Zumble goes on with its default settings and cannot keep changes to them.";
    }
    try {
        WriteAssociation();
    } catch (const RegistryError& e) {
        if (problem.empty()) {
            problem = std::string(e.what()) + ": hive files are not associated with Zumble.";
        }
    }
    if (!problem.empty()) ShowErrorBox(nullptr, problem);

    if (settings.key != nullptr) ReadSettings(settings);
    for (int i = 0; i < kHotKeyCount; ++i) {
        settings.hotKeyAtoms[i] = GlobalAddAtomA(kHotKeyAtomNames[i]);
    }
    if (settings.key != nullptr) {
        for (int i = 0; i < kHotKeyCount; ++i) {
            settings.key->ReadDword(kHotKeyValueNames[i], settings.hotKeys[i]);
        }
    }
    return problem.empty();
}

void ReleaseSettings() {
    Settings& settings = TheSettings();
    for (int i = kHotKeyCount - 1; i >= 0; --i) {
        if (settings.hotKeyAtoms[i] != 0) GlobalDeleteAtom(settings.hotKeyAtoms[i]);
        settings.hotKeyAtoms[i] = 0;
    }
    settings.key.reset();
}

UINT HotKeyModifiers(DWORD hotKeyValue) {
    const DWORD flags = (hotKeyValue >> 8) & 0xFF;
    UINT modifiers = 0;
    if (flags & HOTKEYF_SHIFT) modifiers |= MOD_SHIFT;
    if (flags & HOTKEYF_CONTROL) modifiers |= MOD_CONTROL;
    if (flags & HOTKEYF_ALT) modifiers |= MOD_ALT;
    if (flags & 8) modifiers |= MOD_WIN;
    return modifiers;
}

void RegisterHotKeys(HWND toolbarWindow) {
    const Settings& settings = TheSettings();
    for (int i = 0; i < kHotKeyCount; ++i) {
        RegisterHotKey(toolbarWindow, settings.hotKeyAtoms[i], HotKeyModifiers(settings.hotKeys[i]),
                       settings.hotKeys[i] & 0xFF);
    }
}

void UnregisterHotKeys(HWND toolbarWindow) {
    const Settings& settings = TheSettings();
    for (int i = kHotKeyCount - 1; i >= 0; --i) {
        UnregisterHotKey(toolbarWindow, settings.hotKeyAtoms[i]);
    }
}

bool QueryStartupWithWindows() {
    Settings& settings = TheSettings();
    try {
        RegistryKey run(HKEY_CURRENT_USER, kRunKey);
        std::string entry;
        run.ReadString("Zumble", entry);
        settings.startupWithWindows = !entry.empty();
    } catch (const RegistryError&) {
        settings.startupWithWindows = false;
    }
    return settings.startupWithWindows;
}

void ToggleStartupWithWindows() {
    Settings& settings = TheSettings();
    try {
        RegistryKey run(HKEY_CURRENT_USER, kRunKey);
        if (!settings.startupWithWindows) {
            run.WriteString("Zumble", ProgramCommand());
        } else {
            run.Delete("Zumble");
        }
        settings.startupWithWindows = !settings.startupWithWindows;
    } catch (const RegistryError& e) {
        ShowErrorBox(App().mainWindow, e.what());
    }
}

void SaveSearchSettings() {
    Settings& settings = TheSettings();
    if (settings.key == nullptr) return;
    settings.key->WriteDword("Options.Search.Type", settings.searchTypeMask);
    WriteFlag(settings.key.get(), "Options.Search.TreeView", settings.searchTreeView);
}

POINT LoadToolbarPosition() {
    POINT position = {kDefaultToolbarCoordinate, kDefaultToolbarCoordinate};
    const Settings& settings = TheSettings();
    DWORD x = 0;
    DWORD y = 0;
    if (settings.key != nullptr && settings.key->ReadDword("Pos.X.Toolbar", x) &&
        settings.key->ReadDword("Pos.Y.Toolbar", y)) {
        // Stored as DWORDs; a window left of or above the screen comes back negative.
        position.x = static_cast<LONG>(x);
        position.y = static_cast<LONG>(y);
    }
    position.x = InScreen(position.x, GetSystemMetrics(SM_CXSCREEN));
    position.y = InScreen(position.y, GetSystemMetrics(SM_CYSCREEN));
    return position;
}

void SaveToolbarPosition(POINT position) {
    Settings& settings = TheSettings();
    if (settings.key == nullptr) return;
    settings.key->WriteDword("Pos.X.Toolbar", static_cast<DWORD>(position.x));
    settings.key->WriteDword("Pos.Y.Toolbar", static_cast<DWORD>(position.y));
}

}  // namespace shell
