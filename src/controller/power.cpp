#include "controller/power.h"

#include "controller/discovery.h"

namespace kestro {

void powerproc(Kestro& k, std::uint32_t event) {
    switch (event) {
        case kPowerSuspend:
            k.checkbut.disable();
            break;
        // Windows always announces a resume as automatic; the user-activity
        // code follows only after keyboard or mouse input, which a gamepad
        // is not. Either starts (or restarts) the wait.
        case kPowerResumeSuspend:
        case kPowerResumeAutomatic:
            k.hibernation.restart();
            break;
        default:
            break;
    }
}

void hibernation_Timer(Kestro& k, Services& s) {
    k.hibernation.disable();
    k.devcount = 0;
    cmdInitialize_Click(k, s);
    // Without the saved controller keep searching, so a later plug-in is noticed.
    if (!k.checkbut.enabled) k.Timer1.enable();
}

}  // namespace kestro
