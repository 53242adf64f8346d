#include "shell/toolbar_window.h"

#include <commctrl.h>

#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/image_list.h"
#include "shell/messages.h"
#include "shell/settings.h"

namespace shell {

namespace {

struct ToolbarButton {
    int command;
    int picture;
    int mask;
    const char* tip;
};

const ToolbarButton kButtons[] = {
    {ID_SEARCH_KEYWORD, IDB_SEARCH, IDB_SEARCH_MASK, "Search keyword"},
    {ID_SET_BOOKMARK, IDB_BOOKMARK, IDB_BOOKMARK_MASK, "Set a bookmark"},
    {ID_DOCUMENT_STRUCTURE, IDB_STRUCTURE, IDB_STRUCTURE_MASK, "Document structure"},
    {ID_OPTIONS, IDB_OPTIONS, IDB_OPTIONS_MASK, "Options"},
    {ID_HIDE_RESTORE, IDB_HIDE_RESTORE, IDB_HIDE_RESTORE_MASK, "Hide/Restore"},
    {ID_QUIT, IDB_QUIT, IDB_QUIT_MASK, "Quit"},
};

struct FloatingToolbar {
    HWND toolbar = nullptr;
    HIMAGELIST images = nullptr;
};

FloatingToolbar& Toolbar() {
    static FloatingToolbar toolbar;
    return toolbar;
}

const ToolbarButton* FindButton(int command) {
    for (const ToolbarButton& button : kButtons) {
        if (button.command == command) return &button;
    }
    return nullptr;
}

void AddButton(const ToolbarButton& button, bool enabled) {
    FloatingToolbar& toolbar = Toolbar();
    TBBUTTON description = {};
    description.iBitmap = AddBitmapPair(toolbar.images, button.picture, button.mask);
    description.idCommand = button.command;
    description.fsState = enabled ? TBSTATE_ENABLED : 0;
    description.fsStyle = TBSTYLE_BUTTON;
    SendMessageA(toolbar.toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&description));
    SendMessageA(toolbar.toolbar, TB_AUTOSIZE, 0, 0);
    ShowWindow(toolbar.toolbar, SW_SHOW);
}

void CreateFloatingToolbar(HWND window) {
    FloatingToolbar& toolbar = Toolbar();
    toolbar.images = CreateSmallImageList();
    toolbar.toolbar = CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr,
                                      WS_CHILD | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER, 0,
                                      0, 0, 0, window, nullptr, App().instance, nullptr);
    // 20 bytes in a 32-bit build, 32 in a 64-bit one: the control must be told this build's size.
    SendMessageA(toolbar.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageA(toolbar.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar.images));
    for (const ToolbarButton& button : kButtons) {
        AddButton(button, button.command != ID_SET_BOOKMARK || TheSettings().monitorBrowser);
    }
}

void SendShellCommand(int command) {
    SendMessageA(App().mainWindow, WM_SHELL_COMMAND,
                 reinterpret_cast<WPARAM>(App().lastForegroundWindow), command);
}

void OnInitDialog(HWND window) {
    App().toolbarWindow = window;
    CreateFloatingToolbar(window);
    RegisterHotKeys(window);
}

void OnNcHitTest(HWND window) {
    HWND foreground = GetForegroundWindow();
    if (foreground != window) App().lastForegroundWindow = foreground;
}

void OnHotKey(WPARAM id) {
    App().lastForegroundWindow = GetForegroundWindow();
    const Settings& settings = TheSettings();
    if (id == settings.hotKeyAtoms[kSearchHotKey]) {
        SendShellCommand(ID_SEARCH_KEYWORD);
    } else if (id == settings.hotKeyAtoms[kBookmarkHotKey]) {
        SendShellCommand(ID_SET_BOOKMARK);
    } else if (id == settings.hotKeyAtoms[kStructureHotKey]) {
        SendShellCommand(ID_DOCUMENT_STRUCTURE);
    }
}

void OnCommand(WPARAM wParam) {
    if (HIWORD(wParam) != 0 || FindButton(LOWORD(wParam)) == nullptr) return;
    SetForegroundWindow(App().lastForegroundWindow);
    SendShellCommand(LOWORD(wParam));
}

void OnNotify(const NMHDR* header) {
    if (header->code != TTN_GETDISPINFOA) return;
    const ToolbarButton* button = FindButton(static_cast<int>(header->idFrom));
    if (button == nullptr) return;
    auto* info = const_cast<NMTTDISPINFOA*>(reinterpret_cast<const NMTTDISPINFOA*>(header));
    info->lpszText = const_cast<char*>(button->tip);
}

}  // namespace

HWND CreateToolbarWindow() {
    const POINT position = LoadToolbarPosition();
    HWND window = CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_TOOLBAR), nullptr,
                                     &ToolbarWindowProc, 0);
    SetWindowPos(window, HWND_TOPMOST, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    return window;
}

INT_PTR CALLBACK ToolbarWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: OnInitDialog(window); break;
        case WM_NCHITTEST: OnNcHitTest(window); break;
        case WM_HOTKEY: OnHotKey(wParam); break;
        case WM_SET_BROWSER_WINDOW: App().lastForegroundWindow = reinterpret_cast<HWND>(wParam); break;
        case WM_COMMAND: OnCommand(wParam); break;
        case WM_NOTIFY: OnNotify(reinterpret_cast<const NMHDR*>(lParam)); break;
        default: break;
    }
    return 0;
}

void SetToolbarButtonEnabled(int command, bool enabled) {
    HWND toolbar = Toolbar().toolbar;
    if (toolbar == nullptr) return;
    const auto state = static_cast<BYTE>(SendMessageA(toolbar, TB_GETSTATE, command, 0));
    const BYTE newState = enabled ? static_cast<BYTE>(state | TBSTATE_ENABLED) : 0;
    SendMessageA(toolbar, TB_SETSTATE, command, MAKELONG(newState, 0));
}

void DestroyToolbar() {
    AppState& app = App();
    UnregisterHotKeys(app.toolbarWindow);
    if (app.toolbarWindow != nullptr) {
        RECT rect;
        GetWindowRect(app.toolbarWindow, &rect);
        SaveToolbarPosition(POINT{rect.left, rect.top});
    }
    FloatingToolbar& toolbar = Toolbar();
    if (toolbar.images != nullptr) ImageList_Destroy(toolbar.images);
    toolbar = FloatingToolbar();
}

HWND ToolbarControl() { return Toolbar().toolbar; }

}  // namespace shell
