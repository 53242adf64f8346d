// Starts zumble.exe, walks it through its windows and saves a picture of each as a .bmp:
//   zumble_shots <zumble.exe> <output directory> [--tour]
// Without --tour it saves one picture of the whole screen with the main window and the toolbar
// shown; with --tour it saves the main window on each tab, the toolbar and the About and Options
// dialogs. Either way it quits Zumble at the end. Used by the run and screenshot scripts.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource_ids.h"

namespace {

struct Found {
    DWORD process;
    const char* caption;
    HWND window;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* found = reinterpret_cast<Found*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (process == found->process && std::string(caption) == found->caption &&
        IsWindowVisible(window)) {
        found->window = window;
        return FALSE;
    }
    return TRUE;
}

// A visible top-level window of the process with this caption; `messageBox` tells a message box
// (it has the text control 0xFFFF) from a window with the same title.
HWND WaitForWindow(DWORD process, const char* caption, bool messageBox, DWORD timeoutMs = 60000) {
    for (DWORD waited = 0; waited < timeoutMs; waited += 50) {
        Found found = {process, caption, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&found));
        if (found.window != nullptr && (GetDlgItem(found.window, 0xFFFF) != nullptr) == messageBox) {
            return found.window;
        }
        Sleep(50);
    }
    return nullptr;
}

// Writes the screen rectangle as a 24-bit .bmp.
bool SaveRect(const RECT& rect, const std::string& path) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(memory, old);

    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD rowSize = ((width * 3 + 3) / 4) * 4;
    std::vector<BYTE> pixels(rowSize * height);
    GetDIBits(memory, bitmap, 0, height, pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfOffBits = sizeof header + sizeof info;
    header.bfSize = header.bfOffBits + static_cast<DWORD>(pixels.size());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    std::fwrite(&header, sizeof header, 1, file);
    std::fwrite(&info, sizeof info, 1, file);
    std::fwrite(pixels.data(), 1, pixels.size(), file);
    std::fclose(file);
    std::printf("%s\n", path.c_str());
    return true;
}

bool SaveWindow(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    return SaveRect(rect, path);
}

void Settle() { Sleep(700); }

// Clicks the tab at `index`: tabs are laid out from the left of the tab control.
void ClickTab(HWND tab, int index) {
    RECT rect;
    GetWindowRect(tab, &rect);
    const int x = rect.left + 30 + index * 70;
    const int y = rect.top + 10;
    SetCursorPos(x, y);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    Settle();
}

void Command(HWND window, int id) { PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0); }

void CloseDialog(HWND dialog) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: zumble_shots <zumble.exe> <output directory> [--tour]\n");
        return 2;
    }
    const std::string out = std::string(argv[2]) + "\\";
    const bool tour = argc > 3 && std::string(argv[3]) == "--tour";

    std::string commandLine = std::string("\"") + argv[1] + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    const DWORD id = process.dwProcessId;
    // Without a browser to reach, Zumble says so once at start: answer it.
    if (HWND box = WaitForWindow(id, "Zumblekeeping", true)) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
        while (IsWindow(box)) Sleep(50);
    }
    HWND toolbar = WaitForWindow(id, "zumble", false);
    HWND main = nullptr;
    if (toolbar != nullptr) {
        Settle();
        if (tour) SaveWindow(toolbar, out + "toolbar.bmp");
        Command(toolbar, ID_HIDE_RESTORE);  // the toolbar's Hide/Restore shows the main window
        main = WaitForWindow(id, "Zumblekeeping", false);
    }
    int result = main != nullptr ? 0 : 1;
    if (main != nullptr) {
        // Below the toolbar, which stays on top at its place.
        SetWindowPos(main, HWND_TOP, 40, 170, 0, 0, SWP_NOSIZE);
        Settle();
    }
    if (main != nullptr && !tour) {
        RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (!SaveRect(screen, out + "zumble.bmp")) result = 1;
    } else if (main != nullptr) {
        HWND tab = GetDlgItem(main, IDC_MAIN_TAB);
        const char* names[] = {"beelines", "bookmarks", "structure"};
        for (int i = 0; i < 3; ++i) {
            ClickTab(tab, i);
            SaveWindow(main, out + "main-" + names[i] + ".bmp");
        }
        Command(main, ID_MENU_ABOUT);
        if (HWND about = WaitForWindow(id, "About Zumble", false)) {
            Settle();
            SaveWindow(about, out + "about.bmp");
            CloseDialog(about);
        }
        Sleep(300);
        Command(main, ID_MENU_OPTIONS);
        if (HWND options = WaitForWindow(id, "Options", false)) {
            Settle();
            SaveWindow(options, out + "options.bmp");
            CloseDialog(options);
        }
        Sleep(300);
    }
    if (toolbar != nullptr) Command(toolbar, ID_QUIT);
    if (WaitForSingleObject(process.hProcess, 15000) != WAIT_OBJECT_0) {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
