#include "settings/settings_keys.h"

namespace kestro::keys {

std::string buttonKey(int button) { return "but" + std::to_string(button); }

}  // namespace kestro::keys
