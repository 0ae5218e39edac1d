#include "scenario_steps.h"

#include "common/clock.h"
#include "common/text.h"
#include "failure.h"
#include "files.h"

namespace e2e {

std::string iniLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const auto line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

std::string settingsWithPad(std::initializer_list<std::string_view> more) {
    std::string text = iniLines({"[settings]", "kestro=" + kPadA.name});
    for (const auto line : more) {
        text += line;
        text += "\r\n";
    }
    return text;
}

KestroProcess& startConnected(Session& session, const std::string& settings, std::vector<Pad> pads, Millis timeout) {
    session.attach(pads);
    session.writeSettings(settings);
    const std::int64_t started = nowUsec();
    KestroProcess& kestro = session.startKestro();
    kestro.waitForText("statusLabel", kConnected, timeout);
    require([&] {
        return !session.dinputLog().since(started, "getstate").empty() ||
               !session.xinputLog().since(started, "xinputgetstate").empty();
    }, 500ms, "connected, but the pad is never read");
    return kestro;
}

void holdAndWaitForReads(Session& session, const Pad& state, int reads) {
    const std::int64_t since = nowUsec();
    session.attach({state});
    const std::string details = stateDetails(state.x, state.y, state.buttons) + " pov=" + std::to_string(state.pov);
    require([&] { return session.dinputLog().since(since, "getstate", "ok", details).size() >= std::size_t(reads); },
            2000ms, "kestro.exe does not read the pad state \"" + details.substr(0, 30) + "...\"");
}

std::vector<HostMessage> waitForHostMessages(const HostLog& log, std::int64_t usec, std::size_t count, Millis timeout) {
    std::vector<HostMessage> messages;
    waitUntil([&] { return (messages = log.messagesSince(usec)).size() >= count; }, timeout);
    return messages;
}

std::vector<HostMessage> holdButton(Session& session, int button, Millis duration) {
    const std::int64_t pressed = nowUsec();
    session.attach({kPadA.holding(button)});
    pause(duration);
    holdAndWaitForReads(session, kPadA, 2);
    return session.hostLog().messagesSince(pressed);
}

HostMessage pressOnce(Session& session, int button, const std::string& expected, Millis timeout) {
    const std::int64_t pressed = nowUsec();
    session.attach({kPadA.holding(button)});
    const auto messages = waitForHostMessages(session.hostLog(), pressed, 1, timeout);
    session.attach({kPadA});
    expect(!messages.empty(), "pressing button " + std::to_string(button) + " sends nothing to the host");
    expect(messages.front().text == expected, "button " + std::to_string(button) + " sends \"" +
                                                  printable(messages.front().text) + "\", expected \"" + expected + "\"");
    return messages.front();
}

double millisBetween(std::int64_t fromUsec, std::int64_t toUsec) { return double(toUsec - fromUsec) / 1000.0; }

}  // namespace e2e
