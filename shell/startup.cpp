#include "shell/startup.h"

#include <commctrl.h>

#include <cstring>
#include <fstream>

#include "browser/browser_link.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/main_window.h"
#include "shell/message_box.h"
#include "shell/messages.h"
#include "shell/page_calls.h"
#include "shell/settings.h"
#include "shell/toolbar_window.h"

namespace shell {

namespace {

constexpr DWORD kBlockSize = 4096;
const char* const kBlockName = "ZumbleHive";

bool CanOpen(const std::string& path) { return static_cast<bool>(std::ifstream(path)); }

std::string ModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(GetModuleHandleA(nullptr), path, MAX_PATH);
    return path;
}

void RunMessageLoop() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(App().mainWindow, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void RunFirstInstance() {
    AppState& app = App();
    CreateMutexA(nullptr, FALSE, "OrvantoZumble");
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    SetProgramPath(ModulePath());
    RouteDebugReportToMessageBox();
    InitSettings();

    HWND main = CreateMainWindow();
    SendMessageA(main, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_ZUMBLE))));
    ShowWindow(main, SW_HIDE);
    if (app.startedWithHive) {
        ImportPendingHive(false);
        Shutdown(main);
    } else {
        CreateToolbarWindow();
        RunMessageLoop();
    }
    DestroyWindow(main);
}

}  // namespace

int RunZumble(HINSTANCE instance, const std::string& commandLine) {
    AppState& app = App();
    app.instance = instance;
    HWND running = FindWindowExA(nullptr, nullptr, nullptr, "Zumblekeeping");

    app.startedWithHive = false;
    if (!commandLine.empty()) {
        app.pendingHivePath = commandLine;
        if (!CanOpen(commandLine)) {
            ShowErrorBox(running, "Can't open " + commandLine);
            return 0;
        }
        app.startedWithHive = true;
    }
    if (running != nullptr) {
        if (!app.startedWithHive) {
            ShowWindow(running, SW_SHOWNORMAL);
            SetForegroundWindow(running);
        } else {
            HandOverHive(running, app.pendingHivePath);
        }
        return 0;
    }
    RunFirstInstance();
    return 0;
}

void HandOverHive(HWND runningWindow, const std::string& path) {
    // A longer path would reach the other instance cut short, and it would import another file.
    if (path.size() > kMaxHandOverPath) {
        ShowErrorBox(runningWindow, "The hive path is longer than 4095 characters and cannot be "
                                    "handed to the running Zumble: " + path);
        return;
    }
    HANDLE file = CreateFileA(kBlockName, GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE mapping =
        CreateFileMappingA(file, nullptr, PAGE_READWRITE, 0, kBlockSize, kBlockName);
    if (mapping == nullptr) {
        ShowErrorBox(runningWindow, "Failed to create file mapping");
    } else {
        void* view = MapViewOfFile(mapping, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, kBlockSize);
        if (view == nullptr) {
            ShowErrorBox(runningWindow, "Failed to map view of file");
        } else {
            std::memcpy(view, path.c_str(), path.size() + 1);
            SendMessageA(runningWindow, WM_OPEN_HIVE, 0, 0);
            UnmapViewOfFile(view);
        }
        CloseHandle(mapping);
    }
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    DeleteFileA(kBlockName);
}

INT_PTR ReceiveHive(HWND mainWindow) {
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kBlockName);
    if (mapping == nullptr) {
        ShowErrorBox(mainWindow, "Failed to open file mapping");
        return 0;
    }
    const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    if (view == nullptr) {
        ShowErrorBox(mainWindow, "Failed to map view of file");
        CloseHandle(mapping);
        return 0;
    }
    const char* text = static_cast<const char*>(view);
    App().pendingHivePath.assign(text, strnlen(text, kBlockSize));
    App().startedWithHive = true;
    ImportPendingHive(true);
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return 0;
}

void ConfirmQuit(HWND mainWindow) {
    if (TheSettings().confirmExit &&
        ShowMessageBox(App().toolbarWindow, "Are you sure you want to quit?", "Quit message",
                       MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return;
    }
    Quit(mainWindow);
}

void Quit(HWND mainWindow) {
    if (Pages().applyChanges != nullptr) Pages().applyChanges(false, false);
    Shutdown(mainWindow);
}

void Shutdown(HWND mainWindow) {
    AppState& app = App();
    if (Pages().leaveClipboardChain != nullptr) Pages().leaveClipboardChain();
    HideWindow(mainWindow, app.mainWindowHidden);
    DestroyToolbar();
    DestroyMainWindowPages();
    if (app.browserLink != nullptr) browser::DestroyBrowserLink();
    app.browserLink = nullptr;
    EndDialog(mainWindow, 1);
    ReleaseSettings();
    PostQuitMessage(0);
}

}  // namespace shell
