#include "shell/page_calls.h"

#include "shell/app_state.h"
#include "shell/message_box.h"

namespace shell {

PageCalls& Pages() {
    static PageCalls calls;
    return calls;
}

INT_PTR CALLBACK EmptyPageProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

void ImportPendingHive(bool interactive) {
    if (Pages().importHive != nullptr) {
        Pages().importHive(interactive);
    } else {
        ShowErrorBox(App().mainWindow,
                     "This Zumble cannot import hives: " + App().pendingHivePath + " was not imported");
    }
    App().startedWithHive = false;
}

}  // namespace shell
