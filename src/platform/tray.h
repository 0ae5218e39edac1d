#pragma once
#include <string_view>

namespace kestro {

// The program's icon in the notification area and its popup menu.
class Tray {
public:
    enum class MenuChoice { None, Close };

    virtual ~Tray() = default;

    // Adds the icon with the program icon and `tip`. False if the shell refused it for
    // now; the icon is then offered again for a while, until the shell takes it.
    virtual bool add(std::string_view tip) = 0;
    // Removes the icon; removing it twice does nothing.
    virtual void remove() = 0;
    // Opens the menu ("Close") at the pointer and returns when it has closed.
    virtual MenuChoice popupMenu() = 0;
};

}  // namespace kestro
