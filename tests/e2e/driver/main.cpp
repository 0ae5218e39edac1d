// kestro_e2e.exe ROOT [--kestro PATH] [--standins FOLDER] [--only NAME[,NAME...]] [--list]
//                    [--code-page N] [--soak CYCLES]
// Runs kestro.exe through every scenario, each in a fresh folder under ROOT, and
// prints "PASS name" or "FAIL name: reason" per scenario, then "<N> passed, <M> failed".
// Scenarios that need a code page run only with --code-page, under a locale that has it.
// --soak runs the long unplug and suspend run (soak.h) instead of the scenarios.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/files.h"
#include "common/text.h"
#include "failure.h"
#include "files.h"
#include "scenarios.h"
#include "soak.h"

using namespace e2e;

namespace {

struct Options {
    Paths paths;
    std::vector<std::string> only;
    bool list = false;
    unsigned codePage = 0;
    int soakCycles = 0;
    std::string error;
};

std::vector<std::string> splitAtCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1)
        parts.push_back(text.substr(start, comma - start));
    parts.push_back(text.substr(start));
    return parts;
}

Options parseOptions(int argc, wchar_t** argv) {
    Options options;
    // Where the build puts everything, relative to this program.
    const std::wstring here = folderOfThisProgram();
    options.paths.kestro = joinPath(here, L"..\\..\\bin\\kestro.exe");
    options.paths.standins = joinPath(here, L"standins");
    for (int i = 1; i < argc; ++i) {
        const std::wstring word = argv[i];
        const bool hasValue = i + 1 < argc;
        if (word == L"--kestro" && hasValue) options.paths.kestro = argv[++i];
        else if (word == L"--standins" && hasValue) options.paths.standins = argv[++i];
        else if (word == L"--only" && hasValue) options.only = splitAtCommas(narrow(argv[++i]));
        else if (word == L"--list") options.list = true;
        else if (word == L"--code-page" && hasValue) options.codePage = static_cast<unsigned>(std::wcstoul(argv[++i], nullptr, 10));
        else if (word == L"--soak" && hasValue) options.soakCycles = std::max(1, static_cast<int>(std::wcstol(argv[++i], nullptr, 10)));
        else if (options.paths.root.empty() && !word.starts_with(L"--")) options.paths.root = word;
        else options.error = "unexpected argument " + narrow(word);
    }
    if (options.paths.root.empty() && !options.list) options.error = "no root folder given";
    return options;
}

bool selected(const Options& options, const Scenario& scenario) {
    if (scenario.codePage != options.codePage) return false;
    if (options.only.empty()) return true;
    for (const auto& wanted : options.only)
        if (wanted == scenario.name) return true;
    return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // A crashing program under test must not stop the run with an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    setvbuf(stdout, nullptr, _IONBF, 0);

    const Options options = parseOptions(argc, argv);
    if (!options.error.empty()) {
        std::fprintf(stderr, "kestro_e2e: %s\nusage: kestro_e2e ROOT [--kestro PATH] [--standins FOLDER] "
                             "[--only NAME[,NAME...]] [--list] [--code-page N] [--soak CYCLES]\n",
                     options.error.c_str());
        return 2;
    }
    if (options.codePage != 0 && GetACP() != options.codePage) {
        std::fprintf(stderr, "kestro_e2e: --code-page %u, but this locale has code page %u\n", options.codePage,
                     GetACP());
        return 2;
    }
    std::vector<Scenario> scenarios;
    addStartupScenarios(scenarios);
    addInputScenarios(scenarios);
    addDeviceScenarios(scenarios);
    addSettingsScenarios(scenarios);
    addTargetScenarios(scenarios);
    addTrayScenarios(scenarios);
    addXInputScenarios(scenarios);
    for (const std::string& wanted : options.only) {
        bool known = false;
        for (const Scenario& scenario : scenarios) known = known || scenario.name == wanted;
        if (!known) {
            std::fprintf(stderr, "kestro_e2e: no scenario named %s (--list names them)\n", wanted.c_str());
            return 2;
        }
    }
    if (options.list) {
        for (const Scenario& scenario : scenarios) std::printf("%.*s\n", int(scenario.name.size()), scenario.name.data());
        return 0;
    }
    std::vector<std::wstring> needed = {options.paths.kestro, joinPath(options.paths.standins, L"fake_host.exe"),
                                        joinPath(options.paths.standins, L"fake_target.exe")};
    needed.push_back(joinPath(options.paths.standins, kDinputDll));
    for (const wchar_t* dll : kXInputDlls) needed.push_back(joinPath(options.paths.standins, dll));
    for (const std::wstring& file : needed) {
        if (!fileExists(file)) {
            std::fprintf(stderr, "kestro_e2e: missing %s\n", narrow(file).c_str());
            return 2;
        }
    }
    try {
        ensureFolder(options.paths.root);
    } catch (const Failure& error) {
        std::fprintf(stderr, "kestro_e2e: %s\n", error.what());
        return 2;
    }
    if (options.soakCycles > 0) {
        try {
            return runSoak(options.paths, options.soakCycles);
        } catch (const Failure& error) {
            std::printf("FAIL soak: %s\n", error.what());
            return 1;
        }
    }

    int passed = 0;
    int failed = 0;
    for (const Scenario& scenario : scenarios) {
        if (!selected(options, scenario)) continue;
        const std::string name(scenario.name);
        const auto started = std::chrono::steady_clock::now();
        std::string reason;
        try {
            Session session(options.paths, name);
            scenario.run(session);
        } catch (const std::exception& error) {
            reason = error.what();
        }
        const auto ms =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
        if (reason.empty()) {
            ++passed;
            std::printf("PASS %s\n", name.c_str());
        } else {
            ++failed;
            std::printf("FAIL %s: %s\n", name.c_str(), reason.c_str());
        }
        std::fprintf(stderr, "  (%s took %lld ms)\n", name.c_str(), static_cast<long long>(ms));
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
