// Support for the shell's in-process tests: recorded message boxes, a clean registry, a known
// program path and a browser link that cannot be made.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace shell_test {

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Every box shown while it lives is recorded and answered with `answer`.
class MessageBoxRecorder {
public:
    explicit MessageBoxRecorder(int answer = IDOK);
    ~MessageBoxRecorder();
    const std::vector<RecordedBox>& boxes() const;
    std::vector<std::string> texts() const;
};

// Removes the program's settings, its start-up entry and the ".hive" association.
void ClearRegistry();

// Reads a value of the settings key; false when it is missing or no DWORD.
bool ReadSetting(const char* name, DWORD& value);
void WriteSetting(const char* name, DWORD value);
std::string ReadClassesDefault(const char* subkey);
std::string ReadRunEntry();

// Handles every message waiting for this thread.
void PumpMessages();

// A fresh process state: default settings, empty registry, the program at
// C:\zumble\zumble.exe, no windows and no page calls.
void ResetShell();
// Destroys what a test made: windows, pages, the browser link, the settings.
void TearDownShell();

// Each test starts from a fresh process state: default settings, empty registry, the program at
// C:\zumble\zumble.exe, no windows, every message box recorded, and no browser to be found.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    MessageBoxRecorder boxes_;
};

}  // namespace shell_test
