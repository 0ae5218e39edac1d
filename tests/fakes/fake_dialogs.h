#pragma once
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace kestro::fakes {

// Message boxes that the user closes at once; each one is remembered.
class FakeDialogs final : public Dialogs {
public:
    struct Shown {
        std::string text;
        std::string title;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    const std::vector<Shown>& shown() const { return shown_; }

    void messageBox(std::string_view text, std::string_view title) override {
        shown_.push_back({std::string(text), std::string(title)});
    }

private:
    std::vector<Shown> shown_;
};

}  // namespace kestro::fakes
