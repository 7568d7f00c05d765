// Opening the web link's target: the shell's "open" on the address, else the
// browser registered for ".htm" files, started with the address.
#pragma once

#include <windows.h>
#include <shellapi.h>

namespace talvine {

// The system functions the open goes through, and where the file types are
// registered; tests put recorders and a registry key of their own here.
struct LinkLaunchers {
    HINSTANCE(WINAPI* shellExecute)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) = &ShellExecuteA;
    UINT(WINAPI* winExec)(LPCSTR, UINT) = &WinExec;
    HKEY classes = HKEY_CLASSES_ROOT;
};

// Opens `target` and tells whether that worked. An empty target opens nothing. The
// fallback gives up, running nothing, when a registry value cannot be read or the
// command line with the address would not fit its 520 bytes.
bool OpenAddress(const char* target, int showCommand, const LinkLaunchers& launchers = {});

}  // namespace talvine
