#pragma once
#include <string_view>
#include <vector>

#include "session.h"

namespace e2e {

struct Scenario {
    std::string_view name;
    void (*run)(Session&);
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
