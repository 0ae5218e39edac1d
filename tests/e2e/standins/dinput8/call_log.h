#pragma once
// The stand-in's log beside the host executable, one line per call:
//   <usec> <operation> <device guid or -> <result> [details]

#include <windows.h>

#include <string>
#include <string_view>

namespace dinput_standin {

// The log's file name; each stand-in DLL built with this log defines it.
const wchar_t* log_file_name();

// A line whose result is already a name ("ok", "notconnected", ...).
void log_result(std::string_view operation, std::string_view subject, std::string_view result,
                std::string_view details = {});

void log_call(std::string_view operation, std::string_view subject, HRESULT result,
              std::string_view details = {});

// Lines that are not a call result (script reloads, plug/unplug noticed).
void log_event(std::string_view operation, std::string_view subject, std::string_view details);

// Short lower-case name of a DirectInput result, e.g. "ok", "inputlost", "0x80004005".
std::string result_name(HRESULT result);

}  // namespace dinput_standin
