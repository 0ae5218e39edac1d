#pragma once
// The command line: kestro_measure.exe [options] PROGRAM.exe...

#include <string>
#include <vector>

namespace e2e::measure {

struct Options {
    std::wstring standinsFolder;  // dinput8.dll and fake_host.exe
    std::wstring workFolder;      // one fresh folder per program is made in here
    int tickSeconds = 10;         // idle polling timed for the tick period
    int presses = 50;
    int totalSeconds = 60;  // polling time the CPU figure covers
    std::vector<std::wstring> programs;
    std::wstring error;  // set when the command line is unusable
};

Options parseOptions(int argc, wchar_t** argv);
const char* usageText();

}  // namespace e2e::measure
