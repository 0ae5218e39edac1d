// What one poll tick and one idle discovery cost, and how many heap
// allocations they make. Reported, never judged: see scripts/bench.sh.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "controller/discovery.h"
#include "core/poll_cycle.h"
#include "fakes/kestro_rig.h"
#include "settings/load_save.h"

namespace {

std::atomic<long> allocations{0};

}  // namespace

// Every heap allocation in the process is counted.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using kestro::fakes::KestroRig;

// A rig polling "Pad" in host mode with the default settings.
struct PollingRig : KestroRig {
    PollingRig() {
        profile.setText("[settings]\r\nkestro=Pad\r\n");
        host.openWindow("DashOrbit");
        controllers.plug("Pad", "{pad}");
        kestro::loadSettings(state, services);
        kestro::discoverControllers(state, services);
    }
};

void reportAllocations(benchmark::State& state, long before) {
    state.counters["allocs/op"] =
        benchmark::Counter(static_cast<double>(allocations.load() - before), benchmark::Counter::kAvgIterations);
}

void TickWithNoChange(benchmark::State& state) {
    PollingRig rig;
    benchmark::DoNotOptimize(kestro::onPollTick(rig.state, rig.services));  // warm up the fakes' own bookkeeping
    const long before = allocations.load();
    for (auto _ : state) benchmark::DoNotOptimize(kestro::onPollTick(rig.state, rig.services));
    reportAllocations(state, before);
}
BENCHMARK(TickWithNoChange);

// Every other tick presses button 0, so every other tick sends one command.
void TickWithOneSendInTwo(benchmark::State& state) {
    PollingRig rig;
    bool down = false;
    const long before = allocations.load();
    for (auto _ : state) {
        down = !down;
        rig.controllers.setButton("{pad}", 0, down);
        benchmark::DoNotOptimize(kestro::onPollTick(rig.state, rig.services));
    }
    reportAllocations(state, before);
}
BENCHMARK(TickWithOneSendInTwo);

void DiscoveryEndingAtTheCountCheck(benchmark::State& state) {
    PollingRig rig;
    const long before = allocations.load();
    for (auto _ : state) kestro::discoverControllers(rig.state, rig.services);
    reportAllocations(state, before);
}
BENCHMARK(DiscoveryEndingAtTheCountCheck);

// Searching for a saved controller that is not attached, with no device
// change reported: one reconnect tick, and the enumerations it leads to
// per minute (one tick a second).
void ReconnectTickWhileNothingChanges(benchmark::State& state) {
    KestroRig rig;
    rig.profile.setText("[settings]\r\nkestro=Pad\r\n");
    kestro::loadSettings(rig.state, rig.services);
    kestro::onReconnectTick(rig.state, rig.services);  // the first look at the controllers
    const int enumerationsBefore = rig.controllers.calls(kestro::fakes::FakeGameControllers::Op::List);
    const long before = allocations.load();
    for (auto _ : state) kestro::onReconnectTick(rig.state, rig.services);
    reportAllocations(state, before);
    const int enumerations = rig.controllers.calls(kestro::fakes::FakeGameControllers::Op::List) - enumerationsBefore;
    state.counters["enumerations/min"] =
        benchmark::Counter(60.0 * enumerations / static_cast<double>(state.iterations()));
}
BENCHMARK(ReconnectTickWhileNothingChanges);

}  // namespace

BENCHMARK_MAIN();
