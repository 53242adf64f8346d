#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/app_state.h"
#include "shell/messages.h"
#include "shell/page_calls.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "tests/shell/shell_test_support.h"

namespace {

using shell::App;

struct Import {
    std::string path;
    bool interactive;
    bool startedWithHive;
};
std::vector<Import> g_imports;

void RecordImport(bool interactive) {
    g_imports.push_back({App().pendingHivePath, interactive, App().startedWithHive});
}

// The running instance's side of the hand-over, as the main window handles it.
LRESULT CALLBACK ReceivingMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == shell::WM_OPEN_HIVE) return shell::ReceiveHive(window);
    return DefWindowProcA(window, message, wParam, lParam);
}

bool BlockFileExists() { return GetFileAttributesA("ZumbleHive") != INVALID_FILE_ATTRIBUTES; }

class HandOver : public shell_test::ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        g_imports.clear();
        shell::Pages().importHive = &RecordImport;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = &ReceivingMain;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "ReceivingMain";
        RegisterClassA(&windowClass);
        running_ = CreateWindowExA(0, "ReceivingMain", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
        App().mainWindow = running_;
    }

    HWND running_ = nullptr;
};

TEST_F(HandOver, PathReachesTheRunningInstanceWhichImportsItInteractively) {
    shell::HandOverHive(running_, "C:\\shared\\friends beelines.hive");
    ASSERT_EQ(g_imports.size(), 1u);
    EXPECT_EQ(g_imports[0].path, "C:\\shared\\friends beelines.hive");
    EXPECT_TRUE(g_imports[0].interactive);
    EXPECT_TRUE(g_imports[0].startedWithHive);
    EXPECT_FALSE(App().startedWithHive);  // cleared when the import is done
    EXPECT_FALSE(BlockFileExists());
    EXPECT_TRUE(boxes_.boxes().empty());
}

TEST_F(HandOver, PathOf4095CharactersIsHandedOverWhole) {
    const std::string path(shell::kMaxHandOverPath, 'p');
    shell::HandOverHive(running_, path);
    ASSERT_EQ(g_imports.size(), 1u);
    EXPECT_EQ(g_imports[0].path, path);
    EXPECT_FALSE(BlockFileExists());
}

// A longer path would arrive cut short and name another file: it is refused instead.
TEST_F(HandOver, LongerPathIsRefusedWithAClearMessage) {
    const std::string path(shell::kMaxHandOverPath + 1, 'p');
    shell::HandOverHive(running_, path);
    EXPECT_TRUE(g_imports.empty());
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].owner, running_);
    EXPECT_EQ(boxes_.boxes()[0].caption, "Zumblekeeping");
    EXPECT_NE(boxes_.boxes()[0].text.find("longer than 4095 characters"), std::string::npos);
    EXPECT_FALSE(BlockFileExists());
}

TEST_F(HandOver, ReceivingWithoutABlockSaysSoAndImportsNothing) {
    EXPECT_EQ(SendMessageA(running_, shell::WM_OPEN_HIVE, 0, 0), 0);
    EXPECT_TRUE(g_imports.empty());
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_EQ(boxes_.boxes()[0].text, "Failed to open file mapping");
    EXPECT_EQ(boxes_.boxes()[0].owner, running_);
}

TEST_F(HandOver, WithoutAnImporterTheUserIsToldTheHiveWasNotImported) {
    shell::Pages().importHive = nullptr;
    shell::HandOverHive(running_, "C:\\x.hive");
    ASSERT_EQ(boxes_.boxes().size(), 1u);
    EXPECT_NE(boxes_.boxes()[0].text.find("C:\\x.hive was not imported"), std::string::npos);
    EXPECT_FALSE(App().startedWithHive);
}

class Quitting : public shell_test::ShellTest {};

TEST_F(Quitting, ConfirmationCancelledKeepsTheProgramRunning) {
    ASSERT_TRUE(shell::InitSettings());
    shell::TheSettings().confirmExit = true;
    static int applied = 0;
    applied = 0;
    shell::Pages().applyChanges = [](bool, bool) { ++applied; };
    shell_test::MessageBoxRecorder cancel(IDCANCEL);
    shell::ConfirmQuit(nullptr);
    ASSERT_EQ(cancel.boxes().size(), 1u);
    EXPECT_EQ(cancel.boxes()[0].text, "Are you sure you want to quit?");
    EXPECT_EQ(cancel.boxes()[0].caption, "Quit message");
    EXPECT_EQ(cancel.boxes()[0].type, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
    EXPECT_EQ(applied, 0);
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(Quitting, QuitAppliesChangesThenShutsDownInOrder) {
    ASSERT_TRUE(shell::InitSettings());
    static std::vector<std::string> calls;
    calls.clear();
    shell::Pages().applyChanges = [](bool fromApply, bool reload) {
        calls.push_back(std::string("apply ") + (fromApply ? "1" : "0") + (reload ? "1" : "0"));
    };
    shell::Pages().leaveClipboardChain = [] { calls.push_back("leave clipboard chain"); };
    shell::ConfirmQuit(nullptr);  // no confirmation asked when the option is off
    EXPECT_EQ(calls, (std::vector<std::string>{"apply 00", "leave clipboard chain"}));
    EXPECT_EQ(GlobalFindAtomA("Orvanto.Zumble.Search"), 0);
    EXPECT_EQ(shell::TheSettings().key, nullptr);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(boxes_.boxes().empty());
}

}  // namespace
