#include "tests/shell/shell_test_support.h"

#include <commctrl.h>

#include "browser/browser_link.h"
#include "browser/com_creator.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/page_calls.h"
#include "shell/settings.h"
#include "shell/toolbar_window.h"

namespace shell_test {

namespace {

std::vector<RecordedBox> g_boxes;
int g_answer = IDOK;

int RecordBox(HWND owner, const char* text, const char* caption, UINT type) {
    g_boxes.push_back({owner, text, caption, type});
    return g_answer;
}

HRESULT WINAPI NoBrowserClasses(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID* object) {
    *object = nullptr;
    return REGDB_E_CLASSNOTREG;
}

class CommonControls : public ::testing::Environment {
public:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
        InitCommonControlsEx(&controls);
    }
};

const auto* const g_commonControls = ::testing::AddGlobalTestEnvironment(new CommonControls);

std::string ReadDefault(HKEY root, const char* subkey, const char* name) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueA(root, subkey, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS) {
        return "<missing>";
    }
    return buffer;
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder(int answer) {
    g_boxes.clear();
    g_answer = answer;
    shell::SetMessageBoxFunction(&RecordBox);
}

MessageBoxRecorder::~MessageBoxRecorder() { shell::SetMessageBoxFunction(nullptr); }

const std::vector<RecordedBox>& MessageBoxRecorder::boxes() const { return g_boxes; }

std::vector<std::string> MessageBoxRecorder::texts() const {
    std::vector<std::string> texts;
    for (const RecordedBox& box : g_boxes) texts.push_back(box.text);
    return texts;
}

void ClearRegistry() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvanto");
    HKEY run;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, shell::kRunKey, 0, KEY_ALL_ACCESS, &run) ==
        ERROR_SUCCESS) {
        RegDeleteValueA(run, "Zumble");
        RegCloseKey(run);
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".hive");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Zumble Hive");
}

bool ReadSetting(const char* name, DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, "Software\\Orvanto\\Zumble", name, RRF_RT_REG_DWORD,
                        nullptr, &value, &size) == ERROR_SUCCESS;
}

void WriteSetting(const char* name, DWORD value) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Orvanto\\Zumble", 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

std::string ReadClassesDefault(const char* subkey) {
    return ReadDefault(HKEY_CLASSES_ROOT, subkey, nullptr);
}

std::string ReadRunEntry() { return ReadDefault(HKEY_CURRENT_USER, shell::kRunKey, "Zumble"); }

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void ResetShell() {
    ClearRegistry();
    shell::App() = shell::AppState();
    shell::App().instance = GetModuleHandleA(nullptr);
    shell::SetProgramPath("C:\\zumble\\zumble.exe");
    shell::Pages() = shell::PageCalls();
    shell::SettingsKeyPath() = "Software\\Orvanto\\Zumble";
}

void TearDownShell() {
    shell::AppState& app = shell::App();
    shell::DestroyToolbar();
    shell::DestroyMainWindowPages();
    if (app.toolbarWindow != nullptr) DestroyWindow(app.toolbarWindow);
    if (app.mainWindow != nullptr) DestroyWindow(app.mainWindow);
    if (app.browserLink != nullptr) browser::DestroyBrowserLink();
    shell::ReleaseSettings();
    PumpMessages();
    ClearRegistry();
}

void ShellTest::SetUp() {
    ResetShell();
    browser::SetComCreator(&NoBrowserClasses);
}

void ShellTest::TearDown() {
    TearDownShell();
    browser::SetComCreator(nullptr);
}

}  // namespace shell_test
