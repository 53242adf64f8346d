// The dialog templates as the windows are built from them: every field of every template and
// control, compared with the table of what each page and dialog expects.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

#include "resource_ids.h"
#include "tests/resources/dialog_template.h"

namespace {

using resources_test::DialogTemplate;
using resources_test::LoadDialogTemplate;

struct ExpectedControl {
    int id;
    const char* className;
    const char* text;  // "#n" for a picture given by resource number
    int x, y, cx, cy;
    DWORD style;
    DWORD exStyle;
};

struct ExpectedDialog {
    int id;
    const char* caption;
    DWORD style;
    DWORD exStyle;
    int cx, cy;
    int menu;
    std::vector<ExpectedControl> controls;
};

// Id -1 marks the unnumbered statics and group boxes.
const std::vector<ExpectedDialog>& Expected() {
    static const std::vector<ExpectedDialog> dialogs = {
    {102, "Zumblekeeping", 0x80CF0840, 0, 500, 334, 188,
     {
         {1009, "SysTabControl32", "Tab1", 10, 0, 480, 327, 0x50010000, 0},
     }},
    {110, "", 0x42000442, 0x00010000, 470, 302, 0,
     {
         {1011, "SysTreeView32", "Tree1", 1, 18, 253, 282, 0x50010025, 0x00020000},
         {1022, "EDIT", "", 301, 27, 168, 14, 0x58010080, 0x00020000},
         {1071, "COMBOBOX", "", 301, 83, 168, 90, 0x58210003, 0},
         {1019, "COMBOBOX", "", 301, 65, 168, 45, 0x58210003, 0},
         {1017, "EDIT", "", 301, 46, 168, 14, 0x58010080, 0x00020000},
         {1020, "SysListView32", "List1", 260, 113, 209, 187, 0x5801004D, 0},
         {1076, "STATIC", "URL:", 260, 46, 18, 14, 0x50020200, 0},
         {1079, "STATIC", "Parameters:", 260, 101, 38, 12, 0x5002020C, 0x00000020},
         {1077, "STATIC", "Method:", 260, 65, 31, 13, 0x50020200, 0},
         {1075, "STATIC", "Name:", 260, 27, 22, 14, 0x50020200, 0},
         {1033, "EDIT", "", 318, 11, 40, 15, 0x40010080, 0},
         {1038, "BUTTON", "", 400, 13, 17, 10, 0x40010040, 0x00000200},
         {1039, "LISTBOX", "", 361, 8, 23, 14, 0x40810401, 0},
         {1042, "EDIT", "", 330, 11, 40, 14, 0x400000A0, 0},
         {1078, "STATIC", "Type:", 260, 83, 19, 12, 0x50020200, 0},
     }},
    {109, "", 0x40000440, 0x00010000, 470, 300, 0,
     {
         {1012, "SysListView32", "List1", 0, 30, 404, 266, 0x5001001D, 0},
         {1029, "SysListView32", "List1", 410, 30, 58, 266, 0x5001200D, 0x00020000},
         {1083, "STATIC", "Position:", 410, 18, 28, 8, 0x50020000, 0x00000020},
     }},
    {156, "", 0x40000440, 0x00010000, 470, 300, 0,
     {
         {1070, "SysTreeView32", "Tree1", 228, 157, 236, 130, 0x50010087, 0x00020000},
         {1068, "SysListView32", "List1", 3, 157, 214, 130, 0x5001005D, 0},
         {1069, "SysListView32", "List2", 2, 8, 465, 130, 0x50010011, 0},
         {1080, "STATIC", "Hrefs:", 3, 0, 20, 8, 0x50020000, 0},
         {1081, "STATIC", "Images:", 3, 147, 26, 8, 0x50020000, 0},
         {1082, "STATIC", "Forms:", 227, 147, 22, 8, 0x50020000, 0},
     }},
    {146, "Parameters", 0x80C808C0, 0x00000080, 219, 167, 0,
     {
         {1050, "SysListView32", "List1", 7, 2, 204, 133, 0x5001004D, 0},
         {1, "BUTTON", "OK", 55, 146, 50, 14, 0x50010001, 0},
         {2, "BUTTON", "Cancel", 111, 146, 50, 14, 0x50010000, 0},
         {1033, "EDIT", "", 10, 147, 40, 14, 0x40001080, 0},
         {1001, "BUTTON", "Button1", 175, 145, 27, 14, 0x40010040, 0},
         {1042, "EDIT", "", 11, 138, 40, 14, 0x400010A0, 0},
         {1066, "LISTBOX", "", 169, 133, 48, 27, 0x40810103, 0},
     }},
    {147, "Options", 0x80C808C0, 0x00000080, 229, 101, 0,
     {
         {1072, "BUTTON", "Open URLs in new window", 13, 7, 102, 10, 0x50018003, 0},
         {1098, "BUTTON", "Monitor browser windows", 13, 18, 95, 10, 0x50018003, 0},
         {1097, "BUTTON", "Apply", 13, 50, 33, 10, 0x50038003, 0},
         {1074, "BUTTON", "Exit", 13, 62, 27, 10, 0x50038003, 0},
         {1073, "BUTTON", "Startup with Windows", 127, 7, 85, 10, 0x50018003, 0},
         {1, "BUTTON", "OK", 57, 80, 50, 14, 0x50010001, 0},
         {2, "BUTTON", "Cancel", 123, 80, 50, 14, 0x50010000, 0},
         {-1, "BUTTON", "Confirmations", 7, 40, 109, 36, 0x50020007, 0},
         {-1, "STATIC", "(needed for bookmarking)", 26, 29, 82, 8, 0x50020000, 0},
         {1120, "msctls_hotkey32", "HotKey1", 163, 30, 53, 14, 0x50810000, 0},
         {1121, "msctls_hotkey32", "HotKey2", 163, 44, 53, 14, 0x50810000, 0},
         {1122, "msctls_hotkey32", "HotKey3", 163, 58, 53, 14, 0x50810000, 0},
         {-1, "BUTTON", "Hotkeys", 121, 19, 101, 57, 0x50000007, 0},
         {-1, "STATIC", "Search", 127, 33, 24, 8, 0x50020000, 0},
         {-1, "STATIC", "Bookmark", 127, 47, 33, 8, 0x50020000, 0},
         {-1, "STATIC", "Structure", 127, 62, 30, 8, 0x50020000, 0},
     }},
    {148, "zumble", 0x80C00040, 0x00000080, 93, 15, 0,
     {
     }},
    {150, "search@hives", 0x80C208C0, 0, 186, 239, 0,
     {
         {1064, "EDIT", "", 59, 7, 120, 14, 0x50010080, 0x00020000},
         {1057, "SysTreeView32", "Tree1", 7, 28, 172, 76, 0x50010007, 0x00020000},
         {-1, "BUTTON", "Search", 7, 106, 80, 107, 0x50000007, 0},
         {1100, "BUTTON", "Search", 15, 116, 39, 10, 0x5001C003, 0},
         {1101, "BUTTON", "News", 15, 128, 34, 10, 0x5001C003, 0},
         {1102, "BUTTON", "Image", 15, 140, 35, 10, 0x5001C003, 0},
         {1103, "BUTTON", "Audio", 15, 152, 34, 10, 0x5001C003, 0},
         {1107, "BUTTON", "Video", 15, 164, 34, 10, 0x5001C003, 0},
         {1104, "BUTTON", "Directory", 15, 176, 44, 10, 0x5001C003, 0},
         {1105, "BUTTON", "Shopping", 15, 188, 46, 10, 0x5001C003, 0},
         {1106, "BUTTON", "Groups", 15, 200, 39, 10, 0x5001C003, 0},
         {1108, "BUTTON", "Reference", 107, 116, 49, 10, 0x5001C003, 0},
         {1109, "BUTTON", "Encyclopedia", 107, 128, 59, 10, 0x5001C003, 0},
         {1110, "BUTTON", "Dictionary", 107, 140, 47, 10, 0x5001C003, 0},
         {1111, "BUTTON", "Thesaurus", 107, 152, 49, 10, 0x5001C003, 0},
         {1112, "BUTTON", "Usage", 107, 164, 37, 10, 0x5001C003, 0},
         {1113, "BUTTON", "Quotations", 107, 176, 50, 10, 0x5001C003, 0},
         {1099, "BUTTON", "Tree View", 107, 197, 48, 10, 0x5001C003, 0},
         {1, "BUTTON", "OK", 31, 218, 50, 14, 0x50010001, 0x00000200},
         {2, "BUTTON", "Cancel", 102, 218, 50, 14, 0x50010000, 0x00000200},
         {1065, "STATIC", "Search phrase:", 7, 10, 52, 8, 0x50020000, 0},
         {-1, "BUTTON", "Reference", 99, 106, 80, 83, 0x50000007, 0},
     }},
    {186, "About Zumble", 0x80C40840, 0, 334, 204, 0,
     {
         {1, "BUTTON", "OK", 157, 185, 50, 14, 0x50010001, 0},
         {-1, "STATIC", "#187", 4, 5, 109, 193, 0x5000080E, 0},
         {1094, "STATIC", "", 118, 37, 212, 50, 0x50020000, 0},
         {1095, "STATIC", "", 118, 5, 212, 8, 0x50020001, 0},
     }},
    };
    return dialogs;
}

bool SameClass(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

class EveryDialog : public ::testing::TestWithParam<ExpectedDialog> {};

TEST_P(EveryDialog, TemplateHasTheExpectedFrame) {
    const ExpectedDialog& expected = GetParam();
    const DialogTemplate dialog = LoadDialogTemplate(expected.id);
    // Only the main window keeps the classic form; the shell loads the others as extended ones.
    EXPECT_EQ(dialog.extended, expected.id != IDD_MAIN);
    EXPECT_EQ(dialog.style, expected.style);
    EXPECT_EQ(dialog.exStyle, expected.exStyle);
    EXPECT_EQ(dialog.x, 0);
    EXPECT_EQ(dialog.y, 0);
    EXPECT_EQ(dialog.cx, expected.cx);
    EXPECT_EQ(dialog.cy, expected.cy);
    EXPECT_EQ(dialog.menu, expected.menu);
    EXPECT_EQ(dialog.caption, expected.caption);
    EXPECT_EQ(dialog.windowClass, "");
    EXPECT_EQ(dialog.pointSize, 8);
    EXPECT_EQ(dialog.face, "MS Sans Serif");
}

TEST_P(EveryDialog, ControlsComeInOrderWithClassTextPlaceAndStyle) {
    const ExpectedDialog& expected = GetParam();
    const DialogTemplate dialog = LoadDialogTemplate(expected.id);
    ASSERT_EQ(dialog.controls.size(), expected.controls.size());
    for (std::size_t i = 0; i < dialog.controls.size(); ++i) {
        const auto& actual = dialog.controls[i];
        const ExpectedControl& want = expected.controls[i];
        SCOPED_TRACE("dialog " + std::to_string(expected.id) + ", control " +
                     std::to_string(i) + " (id " + std::to_string(want.id) + ")");
        EXPECT_EQ(actual.id, want.id);
        EXPECT_TRUE(SameClass(actual.className, want.className)) << actual.className;
        EXPECT_EQ(actual.text, want.text);
        EXPECT_EQ(actual.x, want.x);
        EXPECT_EQ(actual.y, want.y);
        EXPECT_EQ(actual.cx, want.cx);
        EXPECT_EQ(actual.cy, want.cy);
        EXPECT_EQ(actual.style, want.style) << std::hex << actual.style;
        EXPECT_EQ(actual.exStyle, want.exStyle) << std::hex << actual.exStyle;
    }
}

INSTANTIATE_TEST_SUITE_P(Resources, EveryDialog, ::testing::ValuesIn(Expected()),
                         [](const ::testing::TestParamInfo<ExpectedDialog>& info) {
                             return "Dialog" + std::to_string(info.param.id);
                         });

// The in-place editors appear only while a cell is edited, so they must be created hidden.
TEST(HiddenEditors, AreCreatedWithoutTheVisibleBit) {
    const struct {
        int dialog;
        std::vector<int> ids;
    } cases[] = {
        {IDD_BEELINES_PAGE, {1033, 1038, 1039, 1042}},
        {IDD_PARAMETERS, {1033, 1001, 1042, 1066}},
    };
    for (const auto& c : cases) {
        const DialogTemplate dialog = LoadDialogTemplate(c.dialog);
        for (int id : c.ids) {
            int found = 0;
            for (const auto& control : dialog.controls) {
                if (control.id != id) continue;
                ++found;
                EXPECT_EQ(control.style & WS_VISIBLE, 0u) << "dialog " << c.dialog << " id " << id;
                EXPECT_NE(control.style & WS_CHILD, 0u) << "dialog " << c.dialog << " id " << id;
            }
            EXPECT_EQ(found, 1) << "dialog " << c.dialog << " id " << id;
        }
    }
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// The dialog manager itself must accept every template: its classes registered, its picture
// found. Pages are children, so they get a parent window.
TEST(EveryDialogCreates, WithAllItsNumberedControls) {
    INITCOMMONCONTROLSEX init = {sizeof(init), ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES |
                                                   ICC_LISTVIEW_CLASSES | ICC_HOTKEY_CLASS};
    ASSERT_TRUE(InitCommonControlsEx(&init));
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(parent, nullptr);
    for (const ExpectedDialog& expected : Expected()) {
        SCOPED_TRACE("dialog " + std::to_string(expected.id));
        const bool child = (expected.style & WS_CHILD) != 0;
        HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id),
                                         child ? parent : nullptr, QuietDialogProc, 0);
        ASSERT_NE(dialog, nullptr) << GetLastError();
        char text[256] = "";
        GetWindowTextA(dialog, text, sizeof(text));
        EXPECT_STREQ(text, expected.caption);
        EXPECT_EQ(GetMenu(dialog) != nullptr, expected.menu != 0);
        for (const ExpectedControl& control : expected.controls) {
            if (control.id == -1) continue;
            HWND item = GetDlgItem(dialog, control.id);
            ASSERT_NE(item, nullptr) << "id " << control.id;
            char cls[64] = "";
            GetClassNameA(item, cls, sizeof(cls));
            EXPECT_TRUE(SameClass(cls, control.className)) << "id " << control.id << ": " << cls;
            EXPECT_EQ((GetWindowLongA(item, GWL_STYLE) & WS_VISIBLE) != 0,
                      (control.style & WS_VISIBLE) != 0)
                << "id " << control.id;
        }
        DestroyWindow(dialog);
    }
    DestroyWindow(parent);
}

}  // namespace
