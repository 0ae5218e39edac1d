#pragma once
#include "platform/dialogs.h"
#include "platform/game_controllers.h"
#include "platform/host_messages.h"
#include "platform/instance.h"
#include "platform/keystrokes.h"
#include "platform/main_window.h"
#include "platform/profile_file.h"
#include "platform/tray.h"

namespace kestro {

// The platform services the program's procedures reach the OS through,
// wired once by the entry point or the test fixture.
struct Services {
    GameControllers& controllers;
    HostMessages& host;
    Keystrokes& keystrokes;
    ProfileFile& profile;
    Dialogs& dialogs;
    Tray& tray;
    Instance& instance;
    MainWindow& window;
};

}  // namespace kestro
