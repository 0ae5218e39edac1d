#pragma once
#include <string>

#include "common/child_process.h"

namespace e2e {

// Starts a program for a scenario; one that cannot be started fails the scenario.
ChildProcess startProgram(const std::wstring& program, const std::wstring& arguments,
                          const std::wstring& workingFolder);

}  // namespace e2e
