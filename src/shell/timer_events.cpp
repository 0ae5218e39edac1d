#include "shell/timer_events.h"

#include "controller/discovery.h"
#include "controller/power.h"
#include "core/poll_cycle.h"

namespace kestro {

Timer& timerOf(Kestro& k, TimerId id) {
    switch (id) {
        case TimerId::checkbut: return k.checkbut;
        case TimerId::Timer1: return k.Timer1;
        default: return k.hibernation;
    }
}

void onTimerTick(Kestro& k, Services& s, TimerId id) {
    if (!timerOf(k, id).enabled) return;
    switch (id) {
        case TimerId::checkbut:
            if (!checkbut_Timer(k, s)) lostDevice(k, s);
            break;
        case TimerId::Timer1: Timer1_Timer(k, s); break;
        case TimerId::hibernation: hibernation_Timer(k, s); break;
    }
}

}  // namespace kestro
