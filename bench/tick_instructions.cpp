// Runs one kind of work a fixed number of times, for valgrind's callgrind to
// count its instructions (scripts/bench.sh divides by the count):
//   idle      poll ticks with no input change
//   send      poll ticks, every other one sending a command
//   discover  discoveries that end at the count check
//   reconnect reconnect ticks after the controller was unplugged, with no
//             device change reported since
#include <cstdlib>
#include <string_view>

#include "controller/discovery.h"
#include "core/poll_cycle.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "idle";
    const int runs = argc > 2 ? std::atoi(argv[2]) : 10000;
    kestro::fakes::KestroRig rig;
    rig.profile.setText("[settings]\r\nkestro=Pad\r\n");
    rig.host.openWindow("DashOrbit");
    rig.controllers.plug("Pad", "{pad}");
    kestro::loadSettings(rig.state, rig.services);
    kestro::discoverControllers(rig.state, rig.services);
    if (mode == "reconnect") {
        rig.controllers.unplug("{pad}");
        kestro::lostDevice(rig.state, rig.services);  // unplugged while polling
        for (int i = 0; i < runs; ++i) kestro::onReconnectTick(rig.state, rig.services);
        return rig.searching() ? 0 : 1;
    }
    for (int i = 0; i < runs; ++i) {
        if (mode == "discover") {
            kestro::discoverControllers(rig.state, rig.services);
            continue;
        }
        if (mode == "send") rig.controllers.setButton("{pad}", 0, i % 2 == 0);
        if (!kestro::onPollTick(rig.state, rig.services)) return 1;
    }
    return rig.polling() ? 0 : 1;
}
