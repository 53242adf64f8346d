// The program's process-wide state, gathered in one place: the module, the two top-level windows
// with their hidden flags, the program's directories and the hive waiting to be imported.
#pragma once

#include <windows.h>

#include <string>

namespace browser {
class BrowserLink;
}

namespace shell {

struct AppState {
    HINSTANCE instance = nullptr;

    HWND mainWindow = nullptr;
    bool mainWindowHidden = true;  // the program starts with its main window hidden
    HWND toolbarWindow = nullptr;
    bool toolbarHidden = false;
    // The window the toolbar hands the foreground back to before a command.
    HWND lastForegroundWindow = nullptr;

    std::string programDirectory;  // ends in a backslash
    std::string programFileName;   // name and extension of the executable
    std::string xmlDirectory;
    std::string iconDirectory;

    std::string pendingHivePath;
    bool startedWithHive = false;

    // Null when the browser link could not be made; commands that need it then do nothing.
    browser::BrowserLink* browserLink = nullptr;
};

AppState& App();

// Sets the program directory and the file name from the executable's full path, and the xml and
// icon directories below it.
void SetProgramPath(const std::string& executablePath);

}  // namespace shell
