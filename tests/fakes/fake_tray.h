#pragma once
#include <string>
#include <utility>

#include "platform/tray.h"

namespace kestro::fakes {

// A notification area holding at most our one icon; the menu's answer is scripted.
class FakeTray final : public Tray {
public:
    bool present = false;
    std::string tip;
    int adds = 0;
    int menusOpened = 0;
    MenuChoice nextChoice = MenuChoice::None;

    bool add(std::string_view t) override {
        ++adds;
        present = true;
        tip = t;
        return true;
    }
    void remove() override { present = false; }
    MenuChoice popupMenu() override {
        ++menusOpened;
        return std::exchange(nextChoice, MenuChoice::None);
    }
};

}  // namespace kestro::fakes
