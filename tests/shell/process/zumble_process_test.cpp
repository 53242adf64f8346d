// Runs the built zumble.exe as a real process: first start, second instances, hive hand-over,
// bad command lines and quitting from the toolbar.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/shell/shell_test_support.h"

namespace {

using namespace std::chrono_literals;

// The build passes a path of the build machine; under Wine drive Z: is its root.
std::string ProgramPath() {
    std::string path = ZUMBLE_EXE_PATH;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

struct Box {
    HWND window = nullptr;
    std::string text;
    std::string caption;
};

struct Search {
    DWORD process;
    const char* caption;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[256] = {};
    char className[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    GetClassNameA(window, className, sizeof className);
    if (process == search->process && std::string(caption) == search->caption &&
        std::string(className) == search->className) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The text of a message box: the static control MessageBox gives the id 0xFFFF.
std::string BoxText(HWND box) {
    char text[8192] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

// A box counts once it is on screen with its text: its window exists, with its caption, a moment
// before it is filled in.
bool IsMessageBox(HWND window) {
    return GetDlgItem(window, 0xFFFF) != nullptr && IsWindowVisible(window) &&
           !BoxText(window).empty();
}

class Zumble {
public:
    // Starts zumble.exe with `arguments` as its command line, in `directory`.
    explicit Zumble(const std::string& arguments = std::string(), const char* directory = nullptr) {
        std::string commandLine = "\"" + ProgramPath() + "\"";
        if (!arguments.empty()) commandLine += " " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  directory, &startup, &info_) != 0;
    }
    ~Zumble() {
        if (!started_) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 10000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }

    bool started() const { return started_; }

    // The process's top-level window with this caption and class, waiting up to `timeout`.
    HWND WaitForWindow(const char* caption, const char* className = "#32770",
                       std::chrono::milliseconds timeout = 30s, bool messageBox = false) const {
        const auto end = std::chrono::steady_clock::now() + timeout;
        do {
            Search search = {info_.dwProcessId, caption, className, nullptr};
            EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&search));
            if (search.found != nullptr && IsMessageBox(search.found) == messageBox) {
                return search.found;
            }
            std::this_thread::sleep_for(50ms);
        } while (std::chrono::steady_clock::now() < end);
        return nullptr;
    }

    // Waits for a message box with `caption`, reads it and answers it with `button`.
    Box AnswerBox(const char* caption, int button = IDOK) const {
        Box box;
        box.window = WaitForWindow(caption, "#32770", 30s, true);
        if (box.window == nullptr) return box;
        box.text = BoxText(box.window);
        box.caption = caption;
        PostMessageA(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        // Boxes bear the main window's title: the next look must not find this one again.
        const auto end = std::chrono::steady_clock::now() + 10s;
        while (IsWindow(box.window) && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(20ms);
        }
        return box;
    }

    // Waits until the process has shown its main window and toolbar; dismisses the one box that
    // says the browser cannot be reached (there is no browser under test).
    bool WaitUntilRunning() {
        const Box box = AnswerBox("Zumblekeeping");
        if (box.text.find("Failed to connect to shell") == std::string::npos) return false;
        main_ = WaitForWindow("Zumblekeeping");
        toolbar_ = WaitForWindow("zumble");
        return main_ != nullptr && toolbar_ != nullptr;
    }

    // The exit code once the process has ended, or -1 when it is still running after `timeout`.
    long WaitForExit(std::chrono::milliseconds timeout = 30s) const {
        if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<long>(code);
    }

    HWND main() const { return main_; }
    HWND toolbar() const { return toolbar_; }

    void QuitFromToolbar() const {
        PostMessageA(toolbar_, WM_COMMAND, MAKEWPARAM(32870, 0), 0);  // the "Quit" button
    }

private:
    bool started_ = false;
    PROCESS_INFORMATION info_ = {};
    HWND main_ = nullptr;
    HWND toolbar_ = nullptr;
};

class ZumbleProcess : public ::testing::Test {
protected:
    void SetUp() override { shell_test::ClearRegistry(); }
    void TearDown() override { shell_test::ClearRegistry(); }
};

TEST_F(ZumbleProcess, FirstStartCreatesItsSettingsAndOpensTheToolbarAt100x100) {
    Zumble zumble;
    ASSERT_TRUE(zumble.started());
    ASSERT_TRUE(zumble.WaitUntilRunning());
    EXPECT_FALSE(IsWindowVisible(zumble.main()));
    EXPECT_TRUE(IsWindowVisible(zumble.toolbar()));
    RECT rect;
    GetWindowRect(zumble.toolbar(), &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 100);
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Orvanto\\Zumble", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegCloseKey(key);
    EXPECT_EQ(shell_test::ReadClassesDefault(".hive"), "Zumble Hive");
    EXPECT_EQ(shell_test::ReadClassesDefault("Zumble Hive\\shell\\open\\command"),
              ProgramPath() + " %1");

    zumble.QuitFromToolbar();
    EXPECT_EQ(zumble.WaitForExit(), 0);
    DWORD x = 0;
    EXPECT_TRUE(shell_test::ReadSetting("Pos.X.Toolbar", x));
    EXPECT_EQ(x, 100u);
}

TEST_F(ZumbleProcess, SecondStartBringsTheFirstForwardAndEnds) {
    Zumble first;
    ASSERT_TRUE(first.WaitUntilRunning());
    Zumble second;
    EXPECT_EQ(second.WaitForExit(), 0);
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!IsWindowVisible(first.main()) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_TRUE(IsWindowVisible(first.main()));
    first.QuitFromToolbar();
    EXPECT_EQ(first.WaitForExit(), 0);
}

TEST_F(ZumbleProcess, SecondStartHandsTheHiveOverAndLeavesNoBlockFile) {
    CreateDirectoryA("handover_scratch", nullptr);
    char directory[MAX_PATH] = {};
    GetFullPathNameA("handover_scratch", MAX_PATH, directory, nullptr);
    const std::string hive = std::string(directory) + "\\shared beelines.hive";
    HANDLE file = CreateFileA(hive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);

    Zumble first;
    ASSERT_TRUE(first.WaitUntilRunning());
    Zumble second(hive, directory);
    // The running instance receives the path; without the Beelines page it cannot import it yet
    // and says so, naming the path. The second process waits for that.
    const Box box = first.AnswerBox("Zumblekeeping");
    EXPECT_NE(box.text.find(hive + " was not imported"), std::string::npos) << box.text;
    EXPECT_EQ(second.WaitForExit(), 0);
    EXPECT_EQ(GetFileAttributesA((std::string(directory) + "\\ZumbleHive").c_str()),
              INVALID_FILE_ATTRIBUTES);
    first.QuitFromToolbar();
    EXPECT_EQ(first.WaitForExit(), 0);
    DeleteFileA(hive.c_str());
    RemoveDirectoryA(directory);
}

TEST_F(ZumbleProcess, StartWithAHiveImportsItAndEnds) {
    const std::string hive = "import_mode.hive";
    HANDLE file = CreateFileA(hive.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(file);
    char path[MAX_PATH] = {};
    GetFullPathNameA(hive.c_str(), MAX_PATH, path, nullptr);
    Zumble zumble(path);
    EXPECT_NE(zumble.AnswerBox("Zumblekeeping").text.find("Failed to connect to shell"),
              std::string::npos);
    // Without the Beelines page the import says it cannot import the hive; then the program ends
    // without entering its message loop.
    const Box box = zumble.AnswerBox("Zumblekeeping");
    EXPECT_NE(box.text.find(std::string(path) + " was not imported"), std::string::npos) << box.text;
    EXPECT_EQ(zumble.WaitForExit(), 0);
    DeleteFileA(hive.c_str());
}

TEST_F(ZumbleProcess, MissingOrQuotedPathCannotBeOpened) {
    {
        Zumble zumble("C:\\nowhere\\missing.hive");
        const Box box = zumble.AnswerBox("Zumblekeeping");
        EXPECT_EQ(box.text, "Can't open C:\\nowhere\\missing.hive");
        EXPECT_EQ(zumble.WaitForExit(), 0);
    }
    {
        Zumble zumble("\"C:\\nowhere\\x y.hive\"");
        const Box box = zumble.AnswerBox("Zumblekeeping");
        EXPECT_EQ(box.text, "Can't open \"C:\\nowhere\\x y.hive\"");
        EXPECT_EQ(zumble.WaitForExit(), 0);
    }
}

TEST_F(ZumbleProcess, QuitFromTheToolbarAsksFirstWhenConfirmationIsOn) {
    shell_test::WriteSetting("Options.Confirm.Exit", 1);
    Zumble zumble;
    ASSERT_TRUE(zumble.WaitUntilRunning());
    zumble.QuitFromToolbar();
    Box box = zumble.AnswerBox("Quit message", IDCANCEL);
    EXPECT_EQ(box.text, "Are you sure you want to quit?");
    EXPECT_EQ(zumble.WaitForExit(1s), -1);  // still running

    zumble.QuitFromToolbar();
    box = zumble.AnswerBox("Quit message", IDOK);
    EXPECT_EQ(box.text, "Are you sure you want to quit?");
    EXPECT_EQ(zumble.WaitForExit(), 0);
}

}  // namespace
