#include "resources/resource_ids.h"
#include "shell/app_state.h"
#include "shell/dialogs.h"

namespace shell {

const char* const kAboutTitle = "Orvanto Zumble 0.3";
const char* const kAboutDescription =
    "IE browser companion designed for advanced submitting forms, searching keywords on the Web "
    "by select-and-click, working with bookmarks and structure elements in html documents.";

namespace {

void OnInitDialog(HWND dialog) {
    SendMessageA(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconA(App().instance, MAKEINTRESOURCEA(IDI_ZUMBLE))));
    SetDlgItemTextA(dialog, IDC_ABOUT_DESCRIPTION, kAboutDescription);
    SetDlgItemTextA(dialog, IDC_ABOUT_TITLE, kAboutTitle);
}

}  // namespace

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: OnInitDialog(dialog); return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 1);
            return TRUE;
        default: return FALSE;
    }
}

void ShowAboutDialog(HWND owner) {
    DialogBoxParamA(App().instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, &AboutDialogProc, 0);
}

}  // namespace shell
