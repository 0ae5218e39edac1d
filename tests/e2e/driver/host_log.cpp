#include "host_log.h"

#include "log_lines.h"

namespace e2e {

std::vector<HostMessage> HostLog::messages() const { return messagesSince(0); }

std::vector<HostMessage> HostLog::messagesSince(std::int64_t usec) const {
    std::vector<HostMessage> found;
    for (const LogLine& line : readLogLines(path_)) {
        if (line.usec < usec || !line.rest.starts_with("tag=")) continue;
        HostMessage message;
        message.usec = line.usec;
        message.tag = std::stoul(fieldOf(line.rest, "tag"));
        message.length = std::stoul(fieldOf(line.rest, "len"));
        message.text = unescape(fieldOf(line.rest, "text", true));
        found.push_back(std::move(message));
    }
    return found;
}

bool HostLog::ready() const {
    for (const LogLine& line : readLogLines(path_))
        if (line.rest.starts_with("ready")) return true;
    return false;
}

std::vector<long> HostLog::broadcastMillis() const {
    std::vector<long> millis;
    for (const LogLine& line : readLogLines(path_))
        if (line.rest.starts_with("broadcast done")) millis.push_back(std::stol(fieldOf(line.rest, "ms", true)));
    return millis;
}

int HostLog::slowAnswersDone() const {
    int done = 0;
    for (const LogLine& line : readLogLines(path_))
        if (line.rest.starts_with("slow done")) ++done;
    return done;
}

std::string describe(const std::vector<HostMessage>& messages) {
    if (messages.empty()) return "none";
    std::string text;
    for (std::size_t i = 0; i < messages.size();) {
        std::size_t same = i;
        while (same < messages.size() && messages[same].text == messages[i].text) ++same;
        if (!text.empty()) text += ", ";
        text += std::to_string(same - i) + " x \"" + messages[i].text + "\"";
        i = same;
    }
    return text;
}

}  // namespace e2e
