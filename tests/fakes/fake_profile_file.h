#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/portable/ini_text.h"
#include "platform/profile_file.h"

namespace kestro::fakes {

// A settings file kept in memory, with the same rules as the real one, that
// remembers what was written to it and can be told to refuse writes.
class FakeProfileFile : public ProfileFile {
public:
    struct Write {
        std::string section, key, value;
        friend bool operator==(const Write&, const Write&) = default;
    };

    FakeProfileFile() = default;
    explicit FakeProfileFile(std::string text) { setText(std::move(text)); }

    // False until the first successful write or setText: a missing file.
    bool exists = false;
    // Every write fails (returns false, text unchanged) while set.
    bool failWrites = false;
    // When set, this many more writes succeed and every later one fails.
    std::optional<std::size_t> writesBeforeFailing;
    // The writes that succeeded, in order.
    std::vector<Write> writes;
    // The writes that were refused, in order.
    std::vector<Write> failedWrites;

    const std::string& text() const { return text_; }
    void setText(std::string text) {
        text_ = std::move(text);
        exists = true;
    }

    std::string read(std::string_view section, std::string_view key, std::string_view fallback,
                     std::size_t limit) override {
        return ini::readValue(exists ? std::string_view(text_) : std::string_view(), section, key,
                              fallback, limit);
    }

    bool write(std::string_view section, std::string_view key, std::string_view value) override {
        Write record{std::string(section), std::string(key), std::string(value)};
        // Names the rules refuse leave any text unchanged, an empty one included.
        if (failWrites || writesBeforeFailing == std::size_t{0} ||
            ini::writeValue({}, section, key, value).empty()) {
            failedWrites.push_back(std::move(record));
            return false;
        }
        if (writesBeforeFailing) --*writesBeforeFailing;
        text_ = ini::writeValue(exists ? std::string_view(text_) : std::string_view(), section, key,
                                value);
        exists = true;
        writes.push_back(std::move(record));
        return true;
    }

    bool dropByteOrderMark() override {
        if (exists && text_.starts_with(ini::kUtf8ByteOrderMark)) {
            if (failWrites) return false;
            text_.erase(0, ini::kUtf8ByteOrderMark.size());
        }
        return true;
    }

private:
    std::string text_;
};

}  // namespace kestro::fakes
