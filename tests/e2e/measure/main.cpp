// kestro_measure.exe: poll-tick accuracy, press-to-receive latency, CPU and memory of
// kestro.exe builds, one after the other, each with the dinput8.dll and fake_host.exe
// stand-ins. A benchmark: it reports figures and fails only when it could not measure.

#include <windows.h>

#include <cstdio>
#include <vector>

#include "common/text.h"
#include "options.h"
#include "report.h"
#include "variant_run.h"

int wmain(int argc, wchar_t** argv) {
    using namespace e2e::measure;
    using e2e::narrow;
    const Options options = parseOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "kestro_measure: %s\n%s", narrow(options.error).c_str(), usageText());
        return 2;
    }
    // Unbuffered, so progress shows while a run of a minute per program goes on.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::printf("kestro_measure: %d s polling per program: %d s idle ticks, %d presses, then idle\n",
                options.totalSeconds, options.tickSeconds, options.presses);
    std::printf("work folder %s\n", narrow(options.workFolder).c_str());

    std::vector<VariantResult> results;
    bool allMeasured = true;
    int index = 0;
    for (const std::wstring& program : options.programs) {
        std::printf("\nmeasuring %s ...\n", narrow(program).c_str());
        VariantRun run(options, program, ++index);
        results.push_back(run.measure());
        printTable(results.back());
        allMeasured = allMeasured && results.back().problem.empty();
    }
    printMachineLines(results);
    return allMeasured ? 0 : 1;
}
