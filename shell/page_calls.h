// What the shell asks of the pages and the search: the page procedures it creates the tabs with
// and the operations its commands lead to. The pages fill these in when they are linked in; a
// call left empty does nothing, except the hive import, which says that it cannot import.
#pragma once

#include <windows.h>

#include <string>

namespace xml {
struct XmlElement;
}

namespace shell {

struct PageCalls {
    DLGPROC beelinesPage = nullptr;   // dialog 110
    DLGPROC bookmarksPage = nullptr;  // dialog 109
    DLGPROC structurePage = nullptr;  // dialog 156

    void (*applyChanges)(bool fromApplyCommand, bool reloadIfNotSaved) = nullptr;
    void (*importHive)(bool interactive) = nullptr;
    void (*addBookmark)(const std::string& title, const std::string& url, int position) = nullptr;
    void (*refreshStructure)() = nullptr;
    void (*runBeeline)(bool searchMode, xml::XmlElement* beeline, bool newWindow) = nullptr;
    void (*keywordCapture)() = nullptr;
    void (*showSearchDialog)() = nullptr;
    void (*onClipboardChanged)() = nullptr;
    void (*leaveClipboardChain)() = nullptr;
};

PageCalls& Pages();

// The page procedure used for a tab whose page has not been given one: an empty page.
INT_PTR CALLBACK EmptyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Imports App().pendingHivePath through Pages().importHive. Without an importer the user is told
// that the hive was not imported, and the pending hive is dropped.
void ImportPendingHive(bool interactive);

}  // namespace shell
