#pragma once
#include <string>
#include <vector>

#include "platform/host_messages.h"
#include "platform/portable/ascii_case.h"
#include "platform/portable/copy_data.h"

namespace kestro::fakes {

// Top-level windows that record the copy-data messages they receive.
class FakeHostMessages final : public HostMessages {
public:
    struct Message {
        WindowRef window;
        std::uint32_t tag;
        std::string bytes;  // the bytes counted by the message
    };

    WindowRef openWindow(const std::string& title) {
        titles_.push_back(title);
        return titles_.size();
    }
    void closeAll() { titles_.clear(); }
    // A hung receiver: messages time out undelivered.
    bool hung = false;

    const std::vector<Message>& received() const { return received_; }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& m : received_) out.push_back(m.bytes);
        return out;
    }
    int lookups = 0;

    WindowRef findWindow(std::string_view title) override {
        ++lookups;
        for (std::size_t i = 0; i < titles_.size(); ++i)
            if (ascii::sameIgnoringCase(titles_[i], title)) return i + 1;
        return 0;
    }
    bool sendCopyData(WindowRef window, std::uint32_t tag, std::string_view bytes) override {
        if (window == 0 || window > titles_.size() || hung) return false;
        // What the receiver sees: the message the back end builds.
        const std::optional<CopyData> data = makeCopyData(tag, bytes);
        if (!data) return false;
        received_.push_back({window, data->tag, data->buffer.substr(0, data->count)});
        return true;
    }

private:
    std::vector<std::string> titles_;
    std::vector<Message> received_;
};

}  // namespace kestro::fakes
