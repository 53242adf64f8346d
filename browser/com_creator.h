// Every COM object the browser link makes is made through this creator, so a test can hand the
// link objects of its own instead of the shell's and the browser's.
#pragma once

#include <windows.h>

namespace browser {

using ComCreator = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

// nullptr restores CoCreateInstance.
void SetComCreator(ComCreator creator);

}  // namespace browser
