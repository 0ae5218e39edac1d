#include "options.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "common/files.h"

namespace e2e::measure {
namespace {

std::wstring defaultWorkFolder() {
    wchar_t temp[MAX_PATH + 1];
    const DWORD length = GetTempPathW(static_cast<DWORD>(std::size(temp)), temp);
    return joinPath(std::wstring(temp, length), L"kestro_measure");
}

bool parseCount(const std::wstring& text, int& out) {
    wchar_t* end = nullptr;
    const long value = std::wcstol(text.c_str(), &end, 10);
    if (text.empty() || *end != L'\0' || value < 1 || value > 100000) return false;
    out = static_cast<int>(value);
    return true;
}

}  // namespace

Options parseOptions(int argc, wchar_t** argv) {
    Options options;
    options.standinsFolder = joinPath(folderOfThisProgram(), L"..\\standins");
    options.workFolder = defaultWorkFolder();
    for (int i = 1; i < argc; ++i) {
        const std::wstring argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == L"--standins" && hasValue) {
            options.standinsFolder = argv[++i];
        } else if (argument == L"--work" && hasValue) {
            options.workFolder = argv[++i];
        } else if (argument == L"--tick-seconds" && hasValue) {
            if (!parseCount(argv[++i], options.tickSeconds)) options.error = L"bad --tick-seconds";
        } else if (argument == L"--presses" && hasValue) {
            if (!parseCount(argv[++i], options.presses)) options.error = L"bad --presses";
        } else if (argument == L"--total-seconds" && hasValue) {
            if (!parseCount(argv[++i], options.totalSeconds)) options.error = L"bad --total-seconds";
        } else if (argument.rfind(L"--", 0) == 0) {
            options.error = L"unknown or incomplete option " + argument;
        } else {
            options.programs.push_back(fullPath(argument));
        }
    }
    if (options.error.empty() && options.programs.empty()) options.error = L"no program to measure";
    options.standinsFolder = fullPath(options.standinsFolder);
    options.workFolder = fullPath(options.workFolder);
    return options;
}

const char* usageText() {
    return "usage: kestro_measure.exe [--standins DIR] [--work DIR] [--tick-seconds 10] [--presses 50]\n"
           "                          [--total-seconds 60] PROGRAM.exe...\n"
           "Runs each program in turn in a fresh folder under --work with the dinput8.dll and\n"
           "fake_host.exe stand-ins from --standins (default: ..\\standins beside this program)\n"
           "and prints its poll tick, press-to-receive latency, CPU and memory.\n";
}

}  // namespace e2e::measure
