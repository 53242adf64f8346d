// The main window's tab pages: one modeless dialog per tab, one of them shown in the tab
// control's display area.
#pragma once

#include <windows.h>

#include <vector>

namespace shell {

class TabPages {
public:
    TabPages(HINSTANCE module, HWND parent, HWND tab);
    ~TabPages();  // destroys every page window
    TabPages(const TabPages&) = delete;
    TabPages& operator=(const TabPages&) = delete;

    // Appends a tab and creates its page from the dialog template `templateId`.
    void Add(const char* text, int templateId, DLGPROC procedure, int image);
    // Makes `index` the tab control's selection (-1: follow the selection the user made), hides
    // the page shown so far and shows the selected one.
    void Select(int index);
    void Layout();

    int current() const { return current_; }
    const std::vector<HWND>& pages() const { return pages_; }

private:
    static constexpr int kMargin = 5;

    int current_ = 0;
    HINSTANCE module_;
    HWND parent_;
    HWND tab_;
    RECT pageRect_ = {0, 0, 0, 0};
    std::vector<HWND> pages_;
};

}  // namespace shell
