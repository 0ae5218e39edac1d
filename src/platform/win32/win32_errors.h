#pragma once
#include <windows.h>

namespace kestro::win32 {

// The one place where a failed Windows call is reported: one line naming
// the call, the code and the system's own text for it, written with
// OutputDebugStringW (seen in a debugger or DebugView; the program keeps no
// log file). `code` is a GetLastError value or an HRESULT.
void reportFailure(const wchar_t* api, DWORD code);

// Reports the calling thread's last error for `api`.
inline void reportLastError(const wchar_t* api) { reportFailure(api, GetLastError()); }

}  // namespace kestro::win32
