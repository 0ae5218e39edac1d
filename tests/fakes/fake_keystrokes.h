#pragma once
#include <string>
#include <vector>

#include "fakes/ascii_case.h"
#include "platform/keystrokes.h"
#include "platform/portable/key_string.h"

namespace kestro::fakes {

// A desktop of titled windows, one of them in front, that records the key
// strings typed into it. Key strings are checked with the real parser.
class FakeKeystrokes final : public Keystrokes {
public:
    struct Typed {
        std::string window;
        std::string keys;
    };

    void openWindow(const std::string& title) { windows_.push_back(title); }
    void closeWindow(const std::string& title) { std::erase(windows_, title); if (front_ == title) front_.clear(); }
    void bringToFront(const std::string& title) { front_ = title; }
    const std::string& front() const { return front_; }
    // The desktop refuses to hand the foreground to us.
    bool refuseActivation = false;

    const std::vector<Typed>& typed() const { return typed_; }
    int activations = 0;

    bool activate(std::string_view title) override {
        ++activations;
        const std::string* w = match(title);
        if (!w || refuseActivation) return false;
        front_ = *w;
        return true;
    }
    bool typeInto(std::string_view title, std::string_view keys) override {
        const std::string* w = match(title);
        if (!w || *w != front_ || !keys::parseKeyString(std::u16string(keys.begin(), keys.end()))) return false;
        typed_.push_back({*w, std::string(keys)});
        return true;
    }

private:
    // The rule of the interface: the whole title first, else the first that begins with it.
    const std::string* match(std::string_view title) const {
        if (title.empty()) return nullptr;
        for (const auto& w : windows_)
            if (sameIgnoringCase(w, title)) return &w;
        for (const auto& w : windows_)
            if (startsIgnoringCase(w, title)) return &w;
        return nullptr;
    }
    std::vector<std::string> windows_;
    std::string front_;
    std::vector<Typed> typed_;
};

}  // namespace kestro::fakes
