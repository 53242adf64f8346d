#include "shell/main_window.h"

#include <commctrl.h>

#include <exception>
#include <memory>
#include <string>

#include "browser/browser_link.h"
#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"
#include "shell/image_list.h"
#include "shell/message_box.h"
#include "shell/messages.h"
#include "shell/notify_icon.h"
#include "shell/page_calls.h"
#include "shell/settings.h"
#include "shell/startup.h"
#include "shell/tab_pages.h"

namespace shell {

namespace {

constexpr int kMargin = 5;
constexpr int kBookmarksPage = 1;
constexpr int kStructurePage = 2;

struct MainWindowState {
    std::unique_ptr<TabPages> tabs;
    HIMAGELIST tabImages = nullptr;
};

MainWindowState& State() {
    static MainWindowState state;
    return state;
}

DLGPROC OrEmpty(DLGPROC procedure) { return procedure != nullptr ? procedure : &EmptyPageProc; }

void ConnectBrowser() {
    try {
        App().browserLink = browser::GetBrowserLink(TheSettings().monitorBrowser);
    } catch (const std::exception& e) {
        // The rest of the program works without a browser; commands that need one do nothing.
        App().browserLink = nullptr;
        ShowErrorBox(nullptr, std::string(e.what()) +
                                  ": Zumble goes on without reaching the browser.");
    }
}

void CreateTabs(HWND window) {
    MainWindowState& state = State();
    state.tabImages = CreateSmallImageList();
    AddBitmapPair(state.tabImages, IDB_HONEYCOMB, IDB_HONEYCOMB_MASK);
    AddBitmapPair(state.tabImages, IDB_BOOKMARK, IDB_BOOKMARK);
    AddBitmapPair(state.tabImages, IDB_STRUCTURE, IDB_STRUCTURE_MASK);

    HWND tab = GetDlgItem(window, IDC_MAIN_TAB);
    SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(state.tabImages));
    state.tabs = std::make_unique<TabPages>(App().instance, window, tab);
    state.tabs->Add("Beelines", IDD_BEELINES_PAGE, OrEmpty(Pages().beelinesPage), 0);
    state.tabs->Add("Bookmarks", IDD_BOOKMARKS_PAGE, OrEmpty(Pages().bookmarksPage), 1);
    state.tabs->Add("Structure", IDD_STRUCTURE_PAGE, OrEmpty(Pages().structurePage), 2);
    state.tabs->Select(0);
}

void ShowMain() { ShowAndActivate(App().mainWindow, App().mainWindowHidden); }

void SelectPage(int index) {
    if (State().tabs != nullptr) State().tabs->Select(index);
}

void SetBookmark() {
    browser::BrowserLink* link = App().browserLink;
    if (link == nullptr) return;
    try {
        std::string title;
        std::string url;
        int position = 0;
        if (!link->GetPageBookmark(title, url, position)) return;
        if (Pages().addBookmark != nullptr) Pages().addBookmark(title, url, position);
        ShowMain();
        SelectPage(kBookmarksPage);
    } catch (const std::exception& e) {
        ShowErrorBox(App().mainWindow, e.what());
    }
}

void ShowDocumentStructure() {
    if (App().browserLink == nullptr) return;
    if (Pages().refreshStructure != nullptr) Pages().refreshStructure();
    ShowMain();
    SelectPage(kStructurePage);
}

void ShowHelp() {
    browser::BrowserLink* link = App().browserLink;
    if (link == nullptr) return;
    try {
        link->NavigateUrl(App().programDirectory + "html/zumble/index.html", false, true);
    } catch (const std::exception& e) {
        ShowErrorBox(App().mainWindow, e.what());
    }
}

void ShowSearchDialog() {
    if (Pages().showSearchDialog != nullptr) Pages().showSearchDialog();
}

void OnInitDialog(HWND window) {
    App().mainWindow = window;
    ConnectBrowser();
    CreateTabs(window);
    if (!App().startedWithHive) {
        SetNotifyIcon(window, NIM_ADD, IDI_ZUMBLE,
                      static_cast<HICON>(LoadImageA(App().instance, MAKEINTRESOURCEA(IDI_ZUMBLE),
                                                    IMAGE_ICON, 16, 16, 0)),
                      nullptr);
    }
}

void OnSize(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    SetWindowPos(GetDlgItem(window, IDC_MAIN_TAB), nullptr, 0, 0, client.right - 4 * kMargin,
                 client.bottom - 2 * kMargin, SWP_NOMOVE);
    MainWindowState& state = State();
    if (state.tabs == nullptr) return;
    state.tabs->Layout();
    for (HWND page : state.tabs->pages()) SendMessageA(page, WM_SIZE, 0, 0);
}

void OnCommand(HWND window, int command) {
    AppState& app = App();
    switch (command) {
        case IDCANCEL: HideWindow(window, app.mainWindowHidden); break;
        case ID_OPTIONS:
        case ID_MENU_OPTIONS: ShowOptionsDialog(window); break;
        case ID_HIDE_RESTORE: ToggleWindow(app.toolbarWindow, app.toolbarHidden); break;
        case ID_SHOW_SEARCH_DIALOG: ShowSearchDialog(); break;
        case ID_TOGGLE_MAIN_WINDOW: ToggleWindow(window, app.mainWindowHidden); break;
        case ID_STARTUP_WITH_WINDOWS: ToggleStartupWithWindows(); break;
        case ID_QUIT:
        case ID_MENU_CLOSE: ConfirmQuit(window); break;
        case ID_MENU_HIDE: HideWindow(window, app.mainWindowHidden); break;
        case ID_MENU_ABOUT: ShowAboutDialog(window); break;
        case ID_MENU_APPLY:
            if (Pages().applyChanges != nullptr) Pages().applyChanges(true, true);
            break;
        case ID_MENU_HELP: ShowHelp(); break;
        default: break;
    }
}

void OnShellCommand(HWND window, LPARAM command) {
    switch (command) {
        case ID_SEARCH_KEYWORD:
            if (Pages().keywordCapture != nullptr) Pages().keywordCapture();
            break;
        case ID_SET_BOOKMARK: SetBookmark(); break;
        case ID_DOCUMENT_STRUCTURE: ShowDocumentStructure(); break;
        case ID_OPTIONS: ShowOptionsDialog(App().toolbarWindow); break;
        case ID_HIDE_RESTORE: ToggleWindow(window, App().mainWindowHidden); break;
        case ID_QUIT: ConfirmQuit(window); break;
        default: break;
    }
}

void OnTrayNotify(HWND window, LPARAM mouseMessage) {
    if (mouseMessage == WM_LBUTTONDOWN) {
        ToggleWindow(App().toolbarWindow, App().toolbarHidden);
    } else if (mouseMessage == WM_RBUTTONDOWN) {
        ShowNotifyMenu(window);
    }
}

void OnRunBeeline(WPARAM beeline, bool newWindow) {
    if (Pages().runBeeline != nullptr) {
        Pages().runBeeline(true, reinterpret_cast<xml::XmlElement*>(beeline), newWindow);
    }
}

}  // namespace

HWND CreateMainWindow() {
    return CreateDialogParamA(App().instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, &MainWindowProc,
                              0);
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: OnInitDialog(window); return FALSE;
        case WM_SIZE: OnSize(window); return TRUE;
        case WM_DESTROY: SetNotifyIcon(window, NIM_DELETE, IDI_ZUMBLE, nullptr, nullptr); return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) SelectPage(-1);
            return 0;
        case WM_DRAWCLIPBOARD:
            if (Pages().onClipboardChanged != nullptr) Pages().onClipboardChanged();
            return 0;
        case WM_COMMAND:
            if (HIWORD(wParam) == 0) OnCommand(window, LOWORD(wParam));
            return 0;
        case WM_SHELL_COMMAND:
            OnShellCommand(window, lParam);
            // A dialog's answer to SendMessage is its DWLP_MSGRESULT, not the return value.
            SetWindowLongPtrA(window, DWLP_MSGRESULT, TRUE);
            return TRUE;
        case WM_SET_BROWSER_WINDOW:
            PostMessageA(App().toolbarWindow, WM_SET_BROWSER_WINDOW, wParam, lParam);
            return 0;
        case WM_OPEN_HIVE: return ReceiveHive(window);
        case WM_SHOW_SEARCH: ShowSearchDialog(); return 0;
        case WM_TRAY_NOTIFY: OnTrayNotify(window, lParam); return 0;
        case WM_RUN_BEELINE: OnRunBeeline(wParam, false); return 0;
        case WM_RUN_BEELINE_NEW_WINDOW: OnRunBeeline(wParam, true); return 0;
        default: return 0;
    }
}

TabPages* MainTabPages() { return State().tabs.get(); }

void DestroyMainWindowPages() {
    MainWindowState& state = State();
    state.tabs.reset();
    if (state.tabImages != nullptr) ImageList_Destroy(state.tabImages);
    state.tabImages = nullptr;
}

void ShowAndActivate(HWND window, bool& hidden) {
    hidden = false;
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
}

void HideWindow(HWND window, bool& hidden) {
    hidden = true;
    ShowWindow(window, SW_HIDE);
}

void ToggleWindow(HWND window, bool& hidden) {
    if (!hidden) {
        HideWindow(window, hidden);
    } else {
        ShowAndActivate(window, hidden);
    }
}

}  // namespace shell
