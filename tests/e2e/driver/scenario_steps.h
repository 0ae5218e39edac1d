#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "host_log.h"
#include "kestro_process.h"
#include "pad_script.h"
#include "session.h"
#include "waiting.h"

// Steps several scenarios share.
namespace e2e {

// Lines joined into a settings file, each ended by CR LF as the profile functions write them.
std::string iniLines(std::initializer_list<std::string_view> lines);

// Settings naming the test pad as the saved controller, plus `more` lines.
std::string settingsWithPad(std::initializer_list<std::string_view> more = {});

// Attaches `pads`, writes `settings`, starts kestro.exe and waits until it polls the
// test pad; fails when the connection takes longer than `timeout` from the start.
KestroProcess& startConnected(Session& session, const std::string& settings, std::vector<Pad> pads = {kPadA},
                              Millis timeout = 3000ms);

// Makes the test pad the only controller, in `state`, and waits until kestro.exe has read it `reads` times.
void holdAndWaitForReads(Session& session, const Pad& state, int reads = 3);

// The host's messages since `usec`, waiting until at least `count` have come.
std::vector<HostMessage> waitForHostMessages(const HostLog& log, std::int64_t usec, std::size_t count, Millis timeout);

// Holds `button` of the test pad for `duration`, lets go, and returns what the host
// received from the press until kestro.exe has seen the release.
std::vector<HostMessage> holdButton(Session& session, int button, Millis duration);

// Presses `button` until the host has its text once, then lets go. Returns that message.
HostMessage pressOnce(Session& session, int button, const std::string& expected, Millis timeout = 1500ms);

double millisBetween(std::int64_t fromUsec, std::int64_t toUsec);

}  // namespace e2e
