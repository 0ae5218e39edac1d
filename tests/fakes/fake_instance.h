#pragma once
#include <string>
#include <vector>

#include "platform/instance.h"

namespace kestro::fakes {

// Another copy of the program may be running; activations are remembered.
class FakeInstance final : public Instance {
public:
    bool otherRunning = false;
    std::vector<std::string> activated;

    bool anotherRunning() override { return otherRunning; }
    void activate(std::string_view title) override { activated.emplace_back(title); }
};

}  // namespace kestro::fakes
