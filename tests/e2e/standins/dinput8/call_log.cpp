#include "call_log.h"

#include "../support/line_log.h"
#include "common/files.h"

#include <dinput.h>

#include <cstdio>

namespace dinput_standin {

namespace {

standin::LineLog& log_file()
{
    static standin::LineLog log(e2e::joinPath(e2e::folderOfThisProgram(), log_file_name()));
    return log;
}

}  // namespace

void log_result(std::string_view operation, std::string_view subject, std::string_view result,
                std::string_view details)
{
    std::string line;
    line.reserve(96);
    line += operation;
    line += ' ';
    line += subject.empty() ? std::string_view("-") : subject;
    line += ' ';
    line += result;
    if (!details.empty()) {
        line += ' ';
        line += details;
    }
    log_file().write_line(line);
}

std::string result_name(HRESULT result)
{
    switch (result) {
    case DI_OK: return "ok";
    case S_FALSE: return "noeffect";
    case DIERR_INPUTLOST: return "inputlost";
    case static_cast<HRESULT>(DIERR_UNPLUGGED): return "unplugged";
    case DIERR_NOTACQUIRED: return "notacquired";
    case DIERR_ACQUIRED: return "acquired";
    case DIERR_INVALIDPARAM: return "invalidparam";
    case DIERR_UNSUPPORTED: return "notimpl";
    case DIERR_GENERIC: return "fail";
    case DIERR_DEVICENOTREG: return "devicenotreg";
    case DIERR_NOINTERFACE: return "nointerface";
    case DIERR_NOAGGREGATION: return "noaggregation";
    case DIERR_OTHERAPPHASPRIO: return "otherapphasprio";
    case DIERR_OLDDIRECTINPUTVERSION: return "olddirectinputversion";
    case DIERR_BETADIRECTINPUTVERSION: return "betadirectinputversion";
    case DIERR_NOTINITIALIZED: return "notinitialized";
    case DIERR_OUTOFMEMORY: return "outofmemory";
    case E_POINTER: return "pointer";
    case E_HANDLE: return "handle";
    default: break;
    }
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

void log_call(std::string_view operation, std::string_view subject, HRESULT result,
              std::string_view details)
{
    log_result(operation, subject, result_name(result), details);
}

void log_event(std::string_view operation, std::string_view subject, std::string_view details)
{
    log_result(operation, subject, "event", details);
}

}  // namespace dinput_standin
