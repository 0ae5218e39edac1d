#pragma once
#include <string_view>
#include <vector>

#include "session.h"

namespace e2e {

struct Scenario {
    std::string_view name;
    void (*run)(Session&);
    // The system code page the scenario needs (Wine takes it from the locale, so run.sh
    // runs these in a second pass of their own); 0 for any.
    unsigned codePage = 0;
};

// Each group adds its scenarios in the order they run.
void addStartupScenarios(std::vector<Scenario>& list);
void addInputScenarios(std::vector<Scenario>& list);
void addDeviceScenarios(std::vector<Scenario>& list);
void addSettingsScenarios(std::vector<Scenario>& list);
void addTargetScenarios(std::vector<Scenario>& list);
void addTrayScenarios(std::vector<Scenario>& list);
void addXInputScenarios(std::vector<Scenario>& list);

}  // namespace e2e
