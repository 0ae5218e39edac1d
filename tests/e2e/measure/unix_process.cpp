#include "unix_process.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cwctype>
#include <sstream>
#include <vector>

#include "common/files.h"
#include "common/text.h"

namespace e2e::measure {
namespace {

const std::wstring kProcFolder = L"Z:\\proc\\";
// USER_HZ: /proc counts CPU time in these ticks on every Linux the tools run on.
constexpr Usec kUsecPerClockTick = 10'000;

std::wstring procFile(const std::wstring& process, const wchar_t* name) {
    return kProcFolder + process + L"\\" + name;
}

// NUL-separated lists (cmdline, environ) as one searchable line.
std::string joinNuls(std::string text) {
    std::replace(text.begin(), text.end(), '\0', '\n');
    return text;
}

std::wstring backslashed(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

std::wstring lowerCase(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

std::vector<int> processIds() {
    std::vector<int> ids;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((kProcFolder + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return ids;
    do {
        const std::string name = narrow(entry.cFileName);
        int id = 0;
        const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), id);
        if (error == std::errc{} && end == name.data() + name.size()) ids.push_back(id);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return ids;
}

std::optional<std::string> environmentValue(const std::wstring& process, const std::string& name) {
    const auto environment = readFile(procFile(process, L"environ"));
    if (!environment) return std::nullopt;
    std::istringstream lines(joinNuls(*environment));
    for (std::string line; std::getline(lines, line);)
        if (line.rfind(name + "=", 0) == 0) return line.substr(name.size() + 1);
    return std::nullopt;
}

// A number after "key:" in a /proc status file (kB for the memory lines).
std::optional<double> statusKb(const std::string& status, const std::string& key) {
    const auto at = status.find("\n" + key + ":");
    if (at == std::string::npos) return std::nullopt;
    std::istringstream value(status.substr(at + key.size() + 2));
    double kb = 0;
    if (!(value >> kb)) return std::nullopt;
    return kb;
}

}  // namespace

std::optional<int> findUnixProcess(const std::wstring& marker) {
    // Wine may show either path form; compare both with backslashes.
    const std::wstring wanted = backslashed(lowerCase(marker));
    for (int id : processIds()) {
        const auto commandLine = readFile(procFile(std::to_wstring(id), L"cmdline"));
        if (commandLine && backslashed(lowerCase(widen(joinNuls(*commandLine)))).find(wanted) != std::wstring::npos)
            return id;
    }
    return std::nullopt;
}

std::optional<int> findOwnWineServer() {
    const auto prefix = environmentValue(L"self", "WINEPREFIX");
    if (!prefix) return std::nullopt;
    for (int id : processIds()) {
        const std::wstring process = std::to_wstring(id);
        const auto name = readFile(procFile(process, L"comm"));
        if (!name || name->rfind("wineserver", 0) != 0) continue;
        if (environmentValue(process, "WINEPREFIX") == prefix) return id;
    }
    return std::nullopt;
}

std::optional<Usec> unixCpuTime(int pid) {
    const auto stat = readFile(procFile(std::to_wstring(pid), L"stat"));
    if (!stat) return std::nullopt;
    // The name in parentheses may hold spaces; the fields after it are plain numbers:
    // state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt utime stime.
    const auto nameEnd = stat->rfind(')');
    if (nameEnd == std::string::npos) return std::nullopt;
    std::istringstream fields(stat->substr(nameEnd + 1));
    std::string skipped;
    for (int i = 0; i < 11; ++i) fields >> skipped;
    long long userTicks = 0;
    long long systemTicks = 0;
    if (!(fields >> userTicks >> systemTicks)) return std::nullopt;
    return (userTicks + systemTicks) * kUsecPerClockTick;
}

std::optional<long long> unixWakeups(int pid) {
    const std::wstring tasks = kProcFolder + std::to_wstring(pid) + L"\\task\\";
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((tasks + L"*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    long long total = 0;
    bool any = false;
    do {
        if (entry.cFileName[0] == L'.') continue;
        const auto status = readFile(tasks + entry.cFileName + L"\\status");
        if (!status) continue;  // the thread has just ended
        if (const auto switches = statusKb("\n" + *status, "voluntary_ctxt_switches")) {
            total += static_cast<long long>(*switches);
            any = true;
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    if (!any) return std::nullopt;
    return total;
}

std::optional<int> unixOpenFiles(int pid) {
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW((kProcFolder + std::to_wstring(pid) + L"\\fd\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return std::nullopt;
    int open = 0;
    do {
        if (entry.cFileName[0] != L'.') ++open;
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return open;
}

std::optional<UnixMemory> unixMemory(int pid) {
    const auto status = readFile(procFile(std::to_wstring(pid), L"status"));
    if (!status) return std::nullopt;
    const std::string text = "\n" + *status;
    const auto anonymous = statusKb(text, "RssAnon");
    const auto resident = statusKb(text, "VmRSS");
    if (!anonymous || !resident) return std::nullopt;
    UnixMemory memory;
    memory.privateMb = (*anonymous + statusKb(text, "VmSwap").value_or(0)) / 1024.0;
    memory.residentMb = *resident / 1024.0;
    return memory;
}

}  // namespace e2e::measure
