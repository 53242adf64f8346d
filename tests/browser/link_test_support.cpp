#include "tests/browser/link_test_support.h"

namespace link_test {

namespace {

std::optional<Desktop>& Current()
{
    static std::optional<Desktop> desktop;
    return desktop;
}

void RecordFailure(const std::string& text)
{
    TheDesktop().failures.push_back(text);
}

}  // namespace

Desktop& TheDesktop()
{
    return *Current();
}

HRESULT WINAPI CreateStandIn(REFCLSID clsid, LPUNKNOWN, DWORD context, REFIID iid, LPVOID* out)
{
    Desktop& desktop = TheDesktop();
    desktop.creations.push_back({clsid, context, iid});
    *out = nullptr;
    if (IsEqualCLSID(clsid, CLSID_ShellWindows)) {
        if (FAILED(desktop.shellResult))
            return desktop.shellResult;
        IUnknown* shell = desktop.shellObject ? desktop.shellObject
                                              : static_cast<IShellWindows*>(desktop.shell.Get());
        return shell->QueryInterface(iid, out);
    }
    if (IsEqualCLSID(clsid, CLSID_InternetExplorer)) {
        if (FAILED(desktop.browserResult))
            return desktop.browserResult;
        auto browser = MakeBrowser("");
        if (FAILED(desktop.newBrowserShowResult))
            browser->faults.Inject("put_Visible", desktop.newBrowserShowResult);
        desktop.created.push_back(browser);
        return browser->QueryInterface(iid, out);
    }
    return REGDB_E_CLASSNOTREG;
}

ComRef<standin::Browser> MakeBrowser(const std::string& name, HWND window)
{
    auto browser = ComRef<standin::Browser>::Share(new standin::Browser);
    if (!name.empty()) {
        browser->document = standin::LoadDocument("fixtures/" + name + ".xml");
        browser->locationUrl = browser->document->url;
    }
    browser->window = window;
    browser->fullName = "C:\\Program Files\\Internet Explorer\\iexplore.exe";
    return browser;
}

ComRef<standin::Browser> OpenBrowser(const std::string& name, HWND window)
{
    auto browser = MakeBrowser(name, window);
    TheDesktop().shell->Open(static_cast<IWebBrowser2*>(browser.Get()));
    return browser;
}

std::string Narrow(const std::wstring& wide)
{
    std::string narrow;
    for (wchar_t unit : wide)
        narrow += static_cast<char>(unit);
    return narrow;
}

std::string OwnModule()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return std::string(path, length);
}

LinkTest::LinkTest() : desktop(Current().emplace())
{
    browser::SetComCreator(&CreateStandIn);
    browser::SetEventFailureSink(&RecordFailure);
}

void LinkTest::TearDown()
{
    browser::DestroyBrowserLink();
    Current().reset();
    browser::SetComCreator(nullptr);
    browser::SetEventFailureSink(nullptr);
    EXPECT_EQ(standin::LiveObjects(), 0) << "the link leaked stand-in objects";
}

// --- Controls -------------------------------------------------------------------------------

namespace {

HWND MakeChild(HWND parent, const char* windowClass, DWORD style)
{
    return CreateWindowExA(0, windowClass, "", WS_CHILD | style, 0, 0, 300, 200, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void AddColumns(HWND list)
{
    const char* names[] = {"Name", "Reference"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 100;
        column.pszText = const_cast<char*>(names[i]);
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

std::string ItemText(HWND list, int row, int column)
{
    char text[512] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return text;
}

}  // namespace

Controls::Controls()
{
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    parent_ = MakeWindow("structure");
    links = MakeChild(parent_, WC_LISTVIEWA, LVS_REPORT);
    images = MakeChild(parent_, WC_LISTVIEWA, LVS_REPORT);
    forms = MakeChild(parent_, WC_TREEVIEWA, TVS_HASLINES);
    AddColumns(links);
    AddColumns(images);
}

Controls::~Controls()
{
    DestroyWindow(parent_);
}

std::vector<ListRow> Controls::Rows(HWND list) const
{
    std::vector<ListRow> rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMA item{};
        item.mask = LVIF_IMAGE | LVIF_PARAM;
        item.iItem = i;
        SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        rows.push_back({ItemText(list, i, 0), ItemText(list, i, 1), item.iImage, item.lParam});
    }
    return rows;
}

std::vector<TreeItem> Controls::Items() const
{
    std::vector<TreeItem> items;
    struct Walk {
        HWND tree;
        std::vector<TreeItem>& items;
        void operator()(HTREEITEM first, int depth) const
        {
            for (HTREEITEM at = first; at; at = TreeView_GetNextSibling(tree, at)) {
                char text[512] = "";
                TVITEMA item{};
                item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
                item.hItem = at;
                item.pszText = text;
                item.cchTextMax = sizeof text;
                SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
                items.push_back({depth, text, item.iImage, item.iSelectedImage, item.lParam});
                (*this)(TreeView_GetChild(tree, at), depth + 1);
            }
        }
    };
    Walk{forms, items}(TreeView_GetRoot(forms), 0);
    return items;
}

HWND MakeWindow(const char* text)
{
    return CreateWindowExA(0, "STATIC", text, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace link_test
