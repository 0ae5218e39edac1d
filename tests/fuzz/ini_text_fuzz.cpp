// A value written into any settings text reads back as it does from a text
// that holds nothing else (a plain value as it was), and every other value
// reads as before. On disk, a leading byte-order mark goes and every other
// byte stays.
#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "fuzz/property.h"
#include "platform/portable/ini_file_profile.h"
#include "platform/portable/ini_text.h"

using namespace kestro;
namespace fs = std::filesystem;

namespace {

std::string read(std::string_view text, std::string_view section, std::string_view key) {
    return ini::readValue(text, section, key, "\x01", 4096);
}

// A folder of this process's own, removed at exit.
struct Scratch {
    fs::path dir = fs::temp_directory_path() / ("kestro-fuzz-" + std::to_string(std::random_device{}()));
    Scratch() { fs::create_directories(dir); }
    ~Scratch() { fs::remove_all(dir); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string section = in.ConsumeRandomLengthString(16), key = in.ConsumeRandomLengthString(16);
    const std::string value = in.ConsumeRandomLengthString(64);
    const bool mark = in.ConsumeBool();
    const std::string text = in.ConsumeRemainingBytesAsString();

    const std::string written = ini::writeValue(text, section, key, value);
    if (ini::writeValue({}, section, key, value).empty()) {  // names no file could hold
        check(written == text);
        return 0;
    }
    check(read(written, section, key) == read(ini::writeValue({}, section, key, value), section, key));
    const bool plain = value.find_first_of(" \t\r\n\"'") == std::string::npos;
    check(!plain || read(written, section, key) == value);
    check(read(written, section, key + "x") == read(text, section, key + "x"));
    check(read(written, section + "x", key) == read(text, section + "x", key));

    static const Scratch scratch;
    const fs::path file = scratch.dir / "settings.ini";
    const std::string stored = (mark ? std::string(ini::kUtf8ByteOrderMark) : "") + written;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << stored;
    IniFileProfile profile(file);
    check(profile.dropByteOrderMark());
    std::ifstream back(file, std::ios::binary);
    const std::string left{std::istreambuf_iterator<char>(back), {}};
    check(left == (stored.starts_with(ini::kUtf8ByteOrderMark) ? stored.substr(3) : stored));
    check(profile.write(section, key, value + "y") &&
          profile.read(section, key, "", 4096) == read(ini::writeValue(left, section, key, value + "y"), section, key));
    return 0;
}
