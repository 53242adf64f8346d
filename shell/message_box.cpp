#include "shell/message_box.h"

#include "xml/xml.h"

namespace shell {

namespace {

int SystemMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

MessageBoxFunction g_messageBox = &SystemMessageBox;

void ShowDebugText(const std::string& text) { ShowMessageBox(nullptr, text, "Debug", MB_OK); }

}  // namespace

void SetMessageBoxFunction(MessageBoxFunction function) {
    g_messageBox = function != nullptr ? function : &SystemMessageBox;
}

int ShowMessageBox(HWND owner, const std::string& text, const char* caption, UINT type) {
    return g_messageBox(owner, text.c_str(), caption, type);
}

void ShowErrorBox(HWND owner, const std::string& text) {
    ShowMessageBox(owner, text, "Zumblekeeping", MB_ICONHAND);
}

void RouteDebugReportToMessageBox() { xml::DebugReport::SetSink(&ShowDebugText); }

}  // namespace shell
