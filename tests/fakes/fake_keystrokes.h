#pragma once
#include <string>
#include <vector>

#include "platform/keystrokes.h"
#include "platform/portable/key_string.h"
#include "platform/portable/title_rule.h"

namespace kestro::fakes {

// A desktop of titled windows, one of them in front, that records the key
// strings typed into it. Key strings are checked with the real parser and
// titles matched by the real title rule.
class FakeKeystrokes final : public Keystrokes {
public:
    struct Typed {
        std::string window;
        std::string keys;
    };

    // Windows are front to back in the order they were opened.
    void openWindow(const std::string& title) { windows_.push_back(title); }
    void closeWindow(const std::string& title) { std::erase(windows_, title); if (front_ == title) front_.clear(); }
    void bringToFront(const std::string& title) { front_ = title; }
    const std::string& front() const { return front_; }
    // The desktop refuses to hand the foreground to us.
    bool refuseActivation = false;

    const std::vector<Typed>& typed() const { return typed_; }
    int activations = 0;

    bool activateAndType(std::string_view title, std::string_view keys) override {
        if (!keys::parseKeyString(utf16(keys))) return false;
        ++activations;
        const std::string* w = match(title);
        if (!w || refuseActivation) return false;
        front_ = *w;
        return typeInto(title, keys);
    }
    bool typeInto(std::string_view title, std::string_view keys) override {
        const std::string* w = match(title);
        if (!w || *w != front_ || !keys::parseKeyString(utf16(keys))) return false;
        typed_.push_back({*w, std::string(keys)});
        return true;
    }

private:
    // Single-byte text, Latin-1 standing for the code page.
    static std::u16string utf16(std::string_view bytes) {
        std::u16string out;
        for (char c : bytes) out.push_back(static_cast<unsigned char>(c));
        return out;
    }
    const std::string* match(std::string_view title) const {
        std::vector<std::u16string> titles;
        for (const auto& w : windows_) titles.push_back(utf16(w));
        const auto found = titles::matchingWindow(utf16(title), titles);
        return found ? &windows_[*found] : nullptr;
    }
    std::vector<std::string> windows_;
    std::string front_;
    std::vector<Typed> typed_;
};

}  // namespace kestro::fakes
