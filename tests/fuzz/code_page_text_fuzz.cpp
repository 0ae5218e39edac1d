// A text cut to a limit is the longest start of it that fits the limit and
// ends where a character ends, in UTF-8 and in code page 932 alike.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>

#include "platform/portable/code_page_text.h"

using namespace kestro::codepage;

namespace {

// Code page 932 (Shift JIS): lead bytes 81-9F and E0-FC.
std::size_t shiftJisWidth(unsigned char first) {
    return (first >= 0x81 && first <= 0x9F) || (first >= 0xE0 && first <= 0xFC) ? 2 : 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const CharacterWidth width = in.ConsumeBool() ? utf8Width : shiftJisWidth;
    const std::size_t limit = in.ConsumeIntegralInRange<std::size_t>(0, 300);
    const std::string text = in.ConsumeRemainingBytesAsString();
    const std::string_view cut = wholeCharacterPrefix(text, limit, width);

    // Where the characters end, found from the start; the text's own end counts too.
    std::size_t lastFit = 0;
    for (std::size_t end = 0; end < text.size() && end <= limit; end += width(static_cast<unsigned char>(text[end])))
        lastFit = end;
    if (text.size() <= limit) lastFit = text.size();
    if (cut.data() != text.data() || cut.size() != lastFit) std::abort();
    return 0;
}
