#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "shell/app_state.h"
#include "shell/registry_key.h"
#include "shell/settings.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell::TheSettings;
using shell_test::ReadSetting;
using shell_test::WriteSetting;

class Settings : public shell_test::ShellTest {};

TEST_F(Settings, FreshUserGetsTheKeyAndTheDefaults) {
    ASSERT_TRUE(shell::InitSettings());
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvanto\\Zumble", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    const shell::Settings& settings = TheSettings();
    EXPECT_FALSE(settings.monitorBrowser);
    EXPECT_FALSE(settings.openNewWindow);
    EXPECT_FALSE(settings.confirmApply);
    EXPECT_FALSE(settings.confirmExit);
    EXPECT_EQ(settings.searchTypeMask, 0u);
    EXPECT_FALSE(settings.searchTreeView);
    EXPECT_EQ(settings.hotKeys[shell::kSearchHotKey], 0x631u);
    EXPECT_EQ(settings.hotKeys[shell::kBookmarkHotKey], 0x632u);
    EXPECT_EQ(settings.hotKeys[shell::kStructureHotKey], 0x633u);
    const POINT position = shell::LoadToolbarPosition();
    EXPECT_EQ(position.x, 100);
    EXPECT_EQ(position.y, 100);
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(Settings, AssociationIsWrittenAtEveryStartForTheProgramsPlace) {
    ASSERT_TRUE(shell::InitSettings());
    EXPECT_EQ(shell_test::ReadClassesDefault(".hive"), "Zumble Hive");
    EXPECT_EQ(shell_test::ReadClassesDefault("Zumble Hive\\shell\\open\\command"),
              "C:\\zumble\\zumble.exe %1");
    EXPECT_EQ(shell_test::ReadClassesDefault("Zumble Hive\\DefaultIcon"), "C:\\zumble\\zumble.exe,0");

    shell::ReleaseSettings();
    shell::SetProgramPath("D:\\moved\\zumble.exe");
    ASSERT_TRUE(shell::InitSettings());
    EXPECT_EQ(shell_test::ReadClassesDefault("Zumble Hive\\shell\\open\\command"),
              "D:\\moved\\zumble.exe %1");
}

TEST_F(Settings, OnlyTheValueOneSwitchesAnOptionOn) {
    WriteSetting("Options.OpenNewWindow", 2);
    WriteSetting("Options.MonitorBrowser", 1);
    WriteSetting("Options.Confirm.Exit", 1);
    WriteSetting("Options.Search.Type", 0x1234);
    WriteSetting("Options.Search.TreeView", 1);
    WriteSetting("Options.Hotkey.Bookmark", 0x841);
    ASSERT_TRUE(shell::InitSettings());
    const shell::Settings& settings = TheSettings();
    EXPECT_FALSE(settings.openNewWindow);
    EXPECT_TRUE(settings.monitorBrowser);
    EXPECT_TRUE(settings.confirmExit);
    EXPECT_FALSE(settings.confirmApply);
    EXPECT_EQ(settings.searchTypeMask, 0x1234u);
    EXPECT_TRUE(settings.searchTreeView);
    EXPECT_EQ(settings.hotKeys[shell::kSearchHotKey], 0x631u);
    EXPECT_EQ(settings.hotKeys[shell::kBookmarkHotKey], 0x841u);
}

TEST_F(Settings, HotKeyAtomsAreAddedAndReleased) {
    ASSERT_TRUE(shell::InitSettings());
    for (int i = 0; i < shell::kHotKeyCount; ++i) {
        EXPECT_EQ(GlobalFindAtomA(shell::kHotKeyAtomNames[i]), TheSettings().hotKeyAtoms[i]);
        EXPECT_NE(TheSettings().hotKeyAtoms[i], 0);
    }
    shell::ReleaseSettings();
    EXPECT_EQ(GlobalFindAtomA("Orvanto.Zumble.Search"), 0);
    EXPECT_EQ(TheSettings().key, nullptr);
}

TEST_F(Settings, HotKeyFlagsTranslateToRegisterHotKeyModifiers) {
    EXPECT_EQ(shell::HotKeyModifiers(0x631), static_cast<UINT>(MOD_CONTROL | MOD_ALT));
    EXPECT_EQ(shell::HotKeyModifiers(0x141), static_cast<UINT>(MOD_SHIFT));
    EXPECT_EQ(shell::HotKeyModifiers(0x841), static_cast<UINT>(MOD_WIN));
    EXPECT_EQ(shell::HotKeyModifiers(0xF41),
              static_cast<UINT>(MOD_SHIFT | MOD_CONTROL | MOD_ALT | MOD_WIN));
    EXPECT_EQ(shell::HotKeyModifiers(0x41), 0u);
}

TEST_F(Settings, RegisteredHotKeysAreTakenAndFreedAgain) {
    ASSERT_TRUE(shell::InitSettings());
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    TheSettings().hotKeys[shell::kStructureHotKey] = 0x67A;  // Ctrl+Alt+F11
    shell::RegisterHotKeys(window);
    // A key that is registered cannot be registered a second time.
    EXPECT_FALSE(RegisterHotKey(window, 0x7000, MOD_CONTROL | MOD_ALT, VK_F11));
    shell::UnregisterHotKeys(window);
    EXPECT_TRUE(RegisterHotKey(window, 0x7000, MOD_CONTROL | MOD_ALT, VK_F11));
    UnregisterHotKey(window, 0x7000);
    DestroyWindow(window);
}

TEST_F(Settings, ToolbarPositionOffTheScreenFallsBackPerCoordinate) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(shell::InitSettings());
    struct Case {
        LONG x, y, expectedX, expectedY;
    } cases[] = {
        {5000, 50, 100, 50},          {50, 5000, 50, 100},
        {-3, 20, 100, 20},            {width, height, width, height},
        {width + 1, 0, 100, 0},       {0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        shell::SaveToolbarPosition(POINT{c.x, c.y});
        const POINT position = shell::LoadToolbarPosition();
        EXPECT_EQ(position.x, c.expectedX) << c.x << "," << c.y;
        EXPECT_EQ(position.y, c.expectedY) << c.x << "," << c.y;
    }
}

TEST_F(Settings, OneMissingCoordinateMeansBothAreDefault) {
    WriteSetting("Pos.X.Toolbar", 300);
    ASSERT_TRUE(shell::InitSettings());
    const POINT position = shell::LoadToolbarPosition();
    EXPECT_EQ(position.x, 100);
    EXPECT_EQ(position.y, 100);
}

TEST_F(Settings, StartupEntryIsWrittenAndDeletedByToggling) {
    ASSERT_TRUE(shell::InitSettings());
    EXPECT_FALSE(shell::QueryStartupWithWindows());
    shell::ToggleStartupWithWindows();
    EXPECT_EQ(shell_test::ReadRunEntry(), "C:\\zumble\\zumble.exe");
    EXPECT_TRUE(shell::QueryStartupWithWindows());
    shell::ToggleStartupWithWindows();
    EXPECT_EQ(shell_test::ReadRunEntry(), "<missing>");
    EXPECT_FALSE(shell::QueryStartupWithWindows());
}

TEST_F(Settings, SearchSettingsAreWrittenAsStored) {
    ASSERT_TRUE(shell::InitSettings());
    TheSettings().searchTypeMask = 0x1006;
    TheSettings().searchTreeView = true;
    shell::SaveSearchSettings();
    DWORD value = 0;
    ASSERT_TRUE(ReadSetting("Options.Search.Type", value));
    EXPECT_EQ(value, 0x1006u);
    ASSERT_TRUE(ReadSetting("Options.Search.TreeView", value));
    EXPECT_EQ(value, 1u);
}

TEST_F(Settings, UnopenableKeyRaisesFailedToOpenRegistry) {
    try {
        shell::RegistryKey key(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x12345)), "x");
        FAIL() << "no error";
    } catch (const shell::RegistryError& e) {
        EXPECT_STREQ(e.what(), "Failed to open registry");
    }
}

// Without its registry key the program goes on with the defaults, says so once, and keeps
// nothing.
TEST_F(Settings, WithoutTheRegistryTheDefaultsServeAndTheUserIsToldOnce) {
    shell::SettingsKeyPath() = std::string(300, 'k');  // longer than a key name may be
    EXPECT_FALSE(shell::InitSettings());
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].caption, "Zumblekeeping");
    EXPECT_EQ(boxes_.boxes()[0].text.rfind("Failed to open registry", 0), 0u);
    EXPECT_EQ(TheSettings().key, nullptr);
    EXPECT_EQ(TheSettings().hotKeys[shell::kSearchHotKey], 0x631u);
    EXPECT_NE(TheSettings().hotKeyAtoms[shell::kSearchHotKey], 0);
    shell::SaveToolbarPosition(POINT{10, 10});
    shell::SaveSearchSettings();
    const POINT position = shell::LoadToolbarPosition();
    EXPECT_EQ(position.x, 100);
}

TEST(RegistryKey, ReadsOnlyValuesOfTheRightType) {
    shell::RegistryKey key(HKEY_CURRENT_USER, "Software\\Orvanto\\ZumbleTest");
    ASSERT_TRUE(key.WriteString("text", "abc"));
    ASSERT_TRUE(key.WriteDword("number", 7));
    DWORD number = 99;
    EXPECT_TRUE(key.ReadDword("text", number));  // present, but no DWORD: left as it was
    EXPECT_EQ(number, 99u);
    EXPECT_TRUE(key.ReadDword("number", number));
    EXPECT_EQ(number, 7u);
    std::string text = "unchanged";
    EXPECT_TRUE(key.ReadString("number", text));
    EXPECT_EQ(text, "unchanged");
    EXPECT_TRUE(key.ReadString("text", text));
    EXPECT_EQ(text, "abc");
    EXPECT_FALSE(key.ReadString("missing", text));
    key.Delete("text");
    EXPECT_FALSE(key.ReadString("text", text));
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvanto\\ZumbleTest");
}

}  // namespace
