// What the stand-in server and its clients agree on: the classes it serves (reached through
// TreatAs from the shell's and the browser's own class ids) and the late-bound commands its shell
// window list takes from a test, which travel over the standard IDispatch marshaling.
#pragma once

#include <windows.h>

namespace standin::server {

// {2473DAFA-2E30-4752-939F-8BBD6D068B68}
constexpr CLSID kShellWindowsClass = {
    0x2473dafa, 0x2e30, 0x4752, {0x93, 0x9f, 0x8b, 0xbd, 0x6d, 0x06, 0x8b, 0x68}};
// {648C62DE-46BB-4173-BC5D-47A3C7817B24}
constexpr CLSID kInternetExplorerClass = {
    0x648c62de, 0x46bb, 0x4173, {0xbc, 0x5d, 0x47, 0xa3, 0xc7, 0x81, 0x7b, 0x24}};

constexpr const char* kShellWindowsClassText = "{2473DAFA-2E30-4752-939F-8BBD6D068B68}";
constexpr const char* kInternetExplorerClassText = "{648C62DE-46BB-4173-BC5D-47A3C7817B24}";

// Commands, each with at most one argument. A browser is named by its index in the list.
enum Command : DISPID {
    kOpenBrowser = 1,       // fixture name (BSTR) -> new count; the shell's sinks are told
    kCloseBrowser = 2,      // index
    kCompleteDocument = 3,  // index: DocumentComplete for every frame, then the top
    kLastNavigation = 4,    // index -> "url\npost type\npost bytes\nheaders type\nheaders"
    kSinkCount = 5,         // index, or -1 for the shell -> number of connected sinks
    kScrollTop = 6,         // index -> the body's scroll position
    kQuit = 7,
};

// The event the server sets once its classes are registered; %lu is the client's process id.
constexpr const char* kReadyEventFormat = "ZumbleStandInReady-%lu";

}  // namespace standin::server
