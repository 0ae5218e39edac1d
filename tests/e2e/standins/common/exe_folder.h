#pragma once

#include <string>

namespace standin {

// Folder of the running process's executable, with a trailing backslash. Inside a DLL this
// is still the host program's folder, which is where tests put the script and read the log.
std::wstring exe_folder();

}  // namespace standin
