#include "shell/tab_pages.h"

#include <commctrl.h>

namespace shell {

TabPages::TabPages(HINSTANCE module, HWND parent, HWND tab)
    : module_(module), parent_(parent), tab_(tab) {}

TabPages::~TabPages() {
    for (HWND page : pages_) DestroyWindow(page);
}

void TabPages::Add(const char* text, int templateId, DLGPROC procedure, int image) {
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    const int index = static_cast<int>(SendMessageA(tab_, TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(tab_, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));

    HRSRC resource = FindResourceA(module_, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(5));
    HGLOBAL loaded = resource != nullptr ? LoadResource(module_, resource) : nullptr;
    auto* dialog = static_cast<const DLGTEMPLATE*>(loaded != nullptr ? LockResource(loaded) : nullptr);
    HWND page = dialog != nullptr
                    ? CreateDialogIndirectParamA(module_, dialog, parent_, procedure, 0)
                    : nullptr;
    pages_.push_back(page);
}

void TabPages::Select(int index) {
    if (index != -1) SendMessageA(tab_, TCM_SETCURSEL, index, 0);
    if (current_ >= 0 && current_ < static_cast<int>(pages_.size())) {
        ShowWindow(pages_[current_], SW_HIDE);
    }
    current_ = static_cast<int>(SendMessageA(tab_, TCM_GETCURSEL, 0, 0));
    Layout();
}

void TabPages::Layout() {
    RECT tabClient;
    GetClientRect(tab_, &tabClient);
    RECT tabWindow;
    GetWindowRect(tab_, &tabWindow);
    RECT firstTab = {0, 0, 0, 0};
    SendMessageA(tab_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&firstTab));

    pageRect_.left = 4 * kMargin;
    pageRect_.right = tabClient.right - kMargin;
    pageRect_.bottom = (tabWindow.bottom - tabWindow.top) - 2 * kMargin;
    pageRect_.top = (firstTab.bottom - firstTab.top) + kMargin;
    if (current_ < 0 || current_ >= static_cast<int>(pages_.size())) return;
    SetWindowPos(pages_[current_], nullptr, pageRect_.left, pageRect_.top,
                 pageRect_.right - pageRect_.left, pageRect_.bottom - pageRect_.top,
                 SWP_SHOWWINDOW);
}

}  // namespace shell
