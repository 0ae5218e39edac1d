#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <system_error>

#include "fakes/fake_profile_file.h"
#include "platform/portable/ini_file_profile.h"
#include "platform/portable/ini_text.h"

namespace {

using namespace std::string_literals;
namespace fs = std::filesystem;
using kestro::ini::readValue;
using kestro::ini::writeValue;

constexpr std::size_t kRoomy = 256;

// Test names from the scenarios, so a failure says which rule broke.
template <typename Case>
std::string scenarioName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (char c : std::string_view(info.param.scenario))
        name += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ? c : '_';
    return name;
}

// ---- Reading ----------------------------------------------------------------

struct ReadCase {
    const char* scenario;
    std::string text;
    std::string section, key, fallback;
    std::size_t limit;
    std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.scenario; }

class ReadingValues : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadingValues, FollowTheWindowsRules) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(readValue(c.text, c.section, c.key, c.fallback, c.limit), c.expected) << c.scenario;
}

INSTANTIATE_TEST_SUITE_P(LineLayout, ReadingValues, ::testing::Values(
    ReadCase{"LF lines", "[Main]\nJoystick=2\n", "Main", "Joystick", "d", kRoomy, "2"},
    ReadCase{"CRLF lines", "[Main]\r\nJoystick=2\r\n", "Main", "Joystick", "d", kRoomy, "2"},
    ReadCase{"lone CR lines", "[Main]\rA=1\rJoystick=2\r", "Main", "Joystick", "d", kRoomy, "2"},
    ReadCase{"mixed line breaks", "[Main]\r\nA=1\rB=2\nJoystick=3", "Main", "Joystick", "d", kRoomy, "3"},
    ReadCase{"no final line break", "[Main]\nJoystick=2", "Main", "Joystick", "d", kRoomy, "2"},
    ReadCase{"blanks around everything", " \t[Main] \t\n\t Joystick \t=\t 2 \t\n", "Main", "Joystick", "d", kRoomy, "2"},
    ReadCase{"a UTF-8 BOM spoils the first header", "\xEF\xBB\xBF[Main]\nJoystick=2\n", "Main", "Joystick", "d", kRoomy, "d"},
    ReadCase{"but not the headers after it", "\xEF\xBB\xBF[A]\n[Main]\nJoystick=2\n", "Main", "Joystick", "d", kRoomy, "2"},
    ReadCase{"blank lines inside a section", "[Main]\n\n\nJoystick=2\n", "Main", "Joystick", "d", kRoomy, "2"}),
    scenarioName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(SectionHeaders, ReadingValues, ::testing::Values(
    ReadCase{"section names ignore case", "[MAIN]\nk=v\n", "main", "k", "d", kRoomy, "v"},
    ReadCase{"requested name is trimmed", "[Main]\nk=v\n", " \tMain ", "k", "d", kRoomy, "v"},
    ReadCase{"stored name is trimmed", "[  Main\t]\nk=v\n", "Main", "k", "d", kRoomy, "v"},
    ReadCase{"name runs to the last ']'", "[a]b]\nk=v\n", "a]b", "k", "d", kRoomy, "v"},
    ReadCase{"so the first ']' does not end it", "[a]b]\nk=v\n", "a", "k", "d", kRoomy, "d"},
    ReadCase{"text after the header is ignored", "[Main] ; main settings\nk=v\n", "Main", "k", "d", kRoomy, "v"},
    ReadCase{"'[' without ']' is no header", "[Main]\n[broken\nk=v\n", "Main", "k", "d", kRoomy, "v"},
    ReadCase{"'[' without ']' does not open its section", "[broken\nk=v\n", "broken", "k", "d", kRoomy, "d"},
    ReadCase{"a key of another section", "[Other]\nk=v\n[Main]\nj=w\n", "Main", "k", "d", kRoomy, "d"},
    ReadCase{"keys before any header", "k=v\n[Main]\n", "Main", "k", "d", kRoomy, "d"},
    ReadCase{"empty section name never matches", "[]\nk=v\n", "", "k", "d", kRoomy, "d"},
    ReadCase{"only the first of duplicate sections", "[Main]\na=1\n[O]\n[main]\na=2\nb=3\n", "Main", "b", "d", kRoomy, "d"},
    ReadCase{"first of duplicate sections wins", "[Main]\na=1\n[O]\n[main]\na=2\n", "MAIN", "a", "d", kRoomy, "1"},
    ReadCase{"non-ASCII names match byte for byte", "[\xC3\x9C" "ber]\nk=v\n", "\xC3\x9C" "ber", "k", "d", kRoomy, "v"},
    ReadCase{"only ASCII letters fold case", "[\xC3\x9C" "ber]\nk=v\n", "\xC3\xBC" "ber", "k", "d", kRoomy, "d"}),
    scenarioName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(KeysAndValues, ReadingValues, ::testing::Values(
    ReadCase{"key names ignore case", "[M]\nJoyStick=2\n", "M", "JOYSTICK", "d", kRoomy, "2"},
    ReadCase{"requested key is trimmed", "[M]\nk=v\n", "M", " k\t", "d", kRoomy, "v"},
    ReadCase{"value starts after the first '='", "[M]\nk = a=b \n", "M", "k", "d", kRoomy, "a=b"},
    ReadCase{"key ends at the first '='", "[M]\nk = =x\n", "M", "k", "d", kRoomy, "=x"},
    ReadCase{"first of duplicate keys wins", "[M]\nk=1\nK=2\n", "M", "k", "d", kRoomy, "1"},
    ReadCase{"empty value is not the fallback", "[M]\nk=\n", "M", "k", "d", kRoomy, ""},
    ReadCase{"blank value is empty too", "[M]\nk= \t\n", "M", "k", "d", kRoomy, ""},
    ReadCase{"a line without '=' has no value", "[M]\nk\n", "M", "k", "d", kRoomy, "d"},
    ReadCase{"a commented-out key does not count", "[M]\n;k=9\nk=2\n", "M", "k", "d", kRoomy, "2"},
    ReadCase{"empty key name reads the fallback", "[M]\n=v\n", "M", "", "d", kRoomy, "d"},
    ReadCase{"NUL bytes are ordinary bytes", "[M]\nk=a\0b\n"s, "M", "k", "d", kRoomy, "a\0b"s},
    ReadCase{"non-ASCII value bytes pass through", "[M]\nk=\xE4\xFF\x01\n", "M", "k", "d", kRoomy, "\xE4\xFF\x01"}),
    scenarioName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(Quotes, ReadingValues, ::testing::Values(
    ReadCase{"double quotes are removed", "[M]\nk=\"a b\"\n", "M", "k", "d", kRoomy, "a b"},
    ReadCase{"single quotes are removed", "[M]\nk='a b'\n", "M", "k", "d", kRoomy, "a b"},
    ReadCase{"blanks inside quotes stay", "[M]\nk=\"  a  \"\n", "M", "k", "d", kRoomy, "  a  "},
    ReadCase{"empty quotes read empty", "[M]\nk=\"\"\n", "M", "k", "d", kRoomy, ""},
    ReadCase{"mismatched quotes stay", "[M]\nk=\"a'\n", "M", "k", "d", kRoomy, "\"a'"},
    ReadCase{"a lone quote stays", "[M]\nk=\"\n", "M", "k", "d", kRoomy, "\""},
    ReadCase{"only the outer pair goes", "[M]\nk=\"\"a\"\"\n", "M", "k", "d", kRoomy, "\"a\""},
    ReadCase{"quote only at the start stays", "[M]\nk=\"a\n", "M", "k", "d", kRoomy, "\"a"}),
    scenarioName<ReadCase>);

INSTANTIATE_TEST_SUITE_P(LimitsAndFallbacks, ReadingValues, ::testing::Values(
    ReadCase{"value cut to the limit", "[M]\nk=abcdef\n", "M", "k", "d", 3, "abc"},
    ReadCase{"limit zero reads nothing", "[M]\nk=abcdef\n", "M", "k", "d", 0, ""},
    ReadCase{"value exactly at the limit", "[M]\nk=abc\n", "M", "k", "d", 3, "abc"},
    ReadCase{"quotes go before the cut", "[M]\nk=\"abcdef\"\n", "M", "k", "d", 3, "abc"},
    ReadCase{"empty text reads the fallback", "", "M", "k", "fallback", kRoomy, "fallback"},
    ReadCase{"fallback loses trailing spaces", "", "M", "k", " fall back  ", kRoomy, " fall back"},
    ReadCase{"but not trailing tabs", "", "M", "k", "x\t", kRoomy, "x\t"},
    ReadCase{"all-space fallback reads empty", "", "M", "k", "   ", kRoomy, ""},
    ReadCase{"fallback cut to the limit", "", "M", "k", "fallback", 4, "fall"},
    ReadCase{"quotes in the fallback stay", "", "M", "k", "\"x\"", kRoomy, "\"x\""}),
    scenarioName<ReadCase>);

// ---- Writing ----------------------------------------------------------------

struct WriteCase {
    const char* scenario;
    std::string text;
    std::string section, key, value;
    std::string expected;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.scenario; }

class WritingValues : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WritingValues, ChangeOnlyWhatTheyMust) {
    const WriteCase& c = GetParam();
    EXPECT_EQ(writeValue(c.text, c.section, c.key, c.value), c.expected) << c.scenario;
}

INSTANTIATE_TEST_SUITE_P(ReplacingAValue, WritingValues, ::testing::Values(
    WriteCase{"stored key spelling is kept", "[Main]\r\nDashorbit=false\r\n", "main", "dashorbit", "True",
              "[Main]\r\nDashorbit=True\r\n"},
    WriteCase{"other lines stay byte for byte", "; mine\n[Main]\n  a = 1 \n\tb=2\t\n[Other]\nb=3\n", "Main", "b", "5",
              "; mine\n[Main]\n  a = 1 \nb=5\n[Other]\nb=3\n"},
    WriteCase{"the line keeps its own line break", "[M]\r\na=1\nb=2\r\n", "M", "a", "9", "[M]\r\na=9\nb=2\r\n"},
    WriteCase{"an unterminated last line stays so", "[M]\na=1", "M", "a", "9", "[M]\na=9"},
    WriteCase{"a lone-CR line stays so", "[M]\ra=1\rb=2", "M", "a", "9", "[M]\ra=9\rb=2"},
    WriteCase{"only the first duplicate key", "[M]\na=1\na=2\n", "M", "a", "9", "[M]\na=9\na=2\n"},
    WriteCase{"only the first duplicate section", "[M]\na=1\n[O]\n[m]\na=2\n", "M", "a", "9",
              "[M]\na=9\n[O]\n[m]\na=2\n"},
    WriteCase{"a key without '=' gets its value", "[M]\nflag\n", "M", "FLAG", "1", "[M]\nflag=1\n"},
    WriteCase{"an empty value replaces", "[M]\na=1\n", "M", "a", "", "[M]\na=\n"},
    WriteCase{"the same value leaves the line alone", "[M]\n  a = 1 \n", "M", "a", "1", "[M]\n  a = 1 \n"},
    WriteCase{"a BOM'd first header is not found, so a second one follows", "\xEF\xBB\xBF[M]\na=1\n", "M", "a", "2",
              "\xEF\xBB\xBF[M]\na=1\n\n[M]\na=2\n"},
    WriteCase{"quoted values are replaced whole", "[M]\na=\"x\"\n", "M", "a", "y", "[M]\na=y\n"}),
    scenarioName<WriteCase>);

INSTANTIATE_TEST_SUITE_P(AddingAKey, WritingValues, ::testing::Values(
    WriteCase{"after the section's last non-blank line", "[A]\nx=1\n\n\n[B]\ny=2\n", "A", "z", "3",
              "[A]\nx=1\nz=3\n\n\n[B]\ny=2\n"},
    WriteCase{"CRLF line breaks stay whole", "[A]\r\nx=1\r\n[B]\r\n", "A", "z", "3",
              "[A]\r\nx=1\r\nz=3\r\n[B]\r\n"},
    WriteCase{"comments are non-blank lines", "[A]\nx=1\n; end of A\n\n[B]\n", "a", "z", "3",
              "[A]\nx=1\n; end of A\nz=3\n\n[B]\n"},
    WriteCase{"into an empty section", "[A]\n\n[B]\n", "A", "z", "3", "[A]\nz=3\n\n[B]\n"},
    WriteCase{"into the last section", "[A]\nx=1\n", "A", "z", "3", "[A]\nx=1\nz=3\n"},
    WriteCase{"after an unterminated last line", "[A]\r\nx=1", "A", "z", "3", "[A]\r\nx=1\r\nz=3\r\n"},
    WriteCase{"after a lone header with no line break at all", "[A]", "A", "z", "3", "[A]\r\nz=3\r\n"},
    WriteCase{"into the first of duplicate sections", "[M]\nx=1\n\n[m]\na=2\n", "M", "a", "9",
              "[M]\nx=1\na=9\n\n[m]\na=2\n"},
    WriteCase{"a key of another section does not count", "[A]\nz=1\n[B]\nx=2\n", "B", "z", "3",
              "[A]\nz=1\n[B]\nx=2\nz=3\n"},
    WriteCase{"the new key is trimmed", "[A]\n", "A", "  z\t", "3", "[A]\nz=3\n"}),
    scenarioName<WriteCase>);

INSTANTIATE_TEST_SUITE_P(AddingASection, WritingValues, ::testing::Values(
    WriteCase{"to an empty text", "", "Main", "k", "v", "[Main]\r\nk=v\r\n"},
    WriteCase{"after a blank line, LF text", "[A]\nx=1\n", "Main", "k", "v", "[A]\nx=1\n\n[Main]\nk=v\n"},
    WriteCase{"unterminated CRLF text", "[A]\r\nx=1", "Main", "k", "v", "[A]\r\nx=1\r\n\r\n[Main]\r\nk=v\r\n"},
    WriteCase{"text of lone CRs gets CRLF", "[A]\rx=1\r", "Main", "k", "v", "[A]\rx=1\r\r\n[Main]\r\nk=v\r\n"},
    WriteCase{"no line break at all gets CRLF", "junk", "Main", "k", "v", "junk\r\n\r\n[Main]\r\nk=v\r\n"},
    WriteCase{"CRLF anywhere wins over LF", "a\nb\r\n", "Main", "k", "v", "a\nb\r\n\r\n[Main]\r\nk=v\r\n"},
    WriteCase{"names are trimmed", "", " Main\t", " k ", "v", "[Main]\r\nk=v\r\n"},
    WriteCase{"a ']' in the name survives", "", "a]b", "k", "v", "[a]b]\r\nk=v\r\n"},
    WriteCase{"a header without ']' is no section", "[Main\n", "Main", "k", "v", "[Main\n\n[Main]\nk=v\n"}),
    scenarioName<WriteCase>);

INSTANTIATE_TEST_SUITE_P(BadInput, WritingValues, ::testing::Values(
    WriteCase{"a value stops at CR", "[M]\na=1\n", "M", "a", "x\r[Evil]\r\n", "[M]\na=x\n"},
    WriteCase{"a value stops at LF", "", "M", "a", "x\ny=2", "[M]\r\na=x\r\n"},
    WriteCase{"a key with a line break is refused", "[M]\n", "M", "a\nb", "v", "[M]\n"},
    WriteCase{"a section with a line break is refused", "[M]\n", "M\r\n[X]", "a", "v", "[M]\n"},
    WriteCase{"a key with '=' is refused", "[M]\n", "M", "a=b", "v", "[M]\n"},
    WriteCase{"a key that would be a header is refused", "[M]\n", "M", "[X]", "v", "[M]\n"},
    WriteCase{"an empty key is refused", "[M]\n", "M", " ", "v", "[M]\n"},
    WriteCase{"an empty section is refused", "[M]\n", "", "a", "v", "[M]\n"}),
    scenarioName<WriteCase>);

TEST(WrittenValues, LongOnesAreWrittenWhole) {
    const std::string value(6000, 'x');
    const std::string text = writeValue("[M]\r\na=1\r\n", "M", "a", value);
    EXPECT_EQ(text, "[M]\r\na=" + value + "\r\n");
    EXPECT_EQ(readValue(text, "M", "a", "", value.size()), value);
}

TEST(WrittenValues, ReadBackAsWindowsReadsThem) {
    std::string text;
    text = writeValue(text, "Main", "padded", "  x  ");
    text = writeValue(text, "Main", "quoted", "\"q\"");
    text = writeValue(text, "Main", "empty", "");
    EXPECT_EQ(readValue(text, "Main", "padded", "d", kRoomy), "x");
    EXPECT_EQ(readValue(text, "Main", "quoted", "d", kRoomy), "q");
    EXPECT_EQ(readValue(text, "Main", "empty", "d", kRoomy), "");
}

// Random bytes, heavy in the characters the rules care about: nothing may
// crash, a read never exceeds its limit, and a write always reads back.
TEST(ArbitraryBytes, NeverBreakReadingOrWriting) {
    std::mt19937 random(20240601);
    const std::string alphabet = "[]=;\"' \t\r\n\r\naAkK\xEF\xBB\xBF"s + '\0';
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 48, '\0');
        for (char& c : text)
            c = random() % 4 == 0 ? static_cast<char>(random() % 256) : alphabet[random() % alphabet.size()];

        EXPECT_LE(readValue(text, "a", "k", "fallback", 5).size(), 5u);
        const std::string written = writeValue(text, " A", "K ", "v1");
        ASSERT_EQ(readValue(written, "a", "k", "d", kRoomy), "v1") << testing::PrintToString(text);
        ASSERT_EQ(writeValue(written, "a", "k", "v1"), written) << testing::PrintToString(text);
        ASSERT_EQ(readValue(writeValue(written, "a", "k", "v22"), "A", "K", "d", kRoomy), "v22")
            << testing::PrintToString(text);
    }
}

// ---- The settings file on disk -------------------------------------------------

class IniFileProfileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = fs::temp_directory_path() /
               ("kestro-ini-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        fs::create_directories(dir_);
        file_ = dir_ / "settings.ini";
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }

    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void put(const fs::path& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }

    fs::path dir_, file_;
};

TEST_F(IniFileProfileOnDisk, MissingFileReadsDefaultsAndIsNotCreated) {
    kestro::IniFileProfile profile(file_);
    EXPECT_EQ(profile.read("Main", "Joystick", "1  ", kRoomy), "1");
    EXPECT_FALSE(fs::exists(file_));
}

TEST_F(IniFileProfileOnDisk, FirstWriteCreatesTheFile) {
    kestro::IniFileProfile profile(file_);
    ASSERT_TRUE(profile.write("Main", "Joystick", "2"));
    EXPECT_EQ(contents(file_), "[Main]\r\nJoystick=2\r\n");
    EXPECT_FALSE(fs::exists(dir_ / "settings.ini.tmp"));
}

TEST_F(IniFileProfileOnDisk, WriteKeepsTheRestOfTheFileByteForByte) {
    put(file_, "; hand edited\n[Main]\nJoystick = 1\n\n[Keys]\nUp={UP}\n");
    kestro::IniFileProfile profile(file_);
    ASSERT_TRUE(profile.write("main", "joystick", "3"));
    ASSERT_TRUE(profile.write("Keys", "Down", "{DOWN}"));
    EXPECT_EQ(contents(file_), "; hand edited\n[Main]\nJoystick=3\n\n[Keys]\nUp={UP}\nDown={DOWN}\n");
}

TEST_F(IniFileProfileOnDisk, ValuesSurviveARoundTrip) {
    const std::string longValue(5000, 'k');
    {
        kestro::IniFileProfile profile(file_);
        ASSERT_TRUE(profile.write("Main", "Title", "Dash Orbit"));
        ASSERT_TRUE(profile.write("Main", "Empty", ""));
        ASSERT_TRUE(profile.write("Keys", "Long", longValue));
        ASSERT_TRUE(profile.write("Main", "Title", "DashOrbit"));
    }
    kestro::IniFileProfile reopened(file_);
    EXPECT_EQ(reopened.read("MAIN", "title", "d", kRoomy), "DashOrbit");
    EXPECT_EQ(reopened.read("Main", "Empty", "d", kRoomy), "");
    EXPECT_EQ(reopened.read("Keys", "Long", "d", 10000), longValue);
    EXPECT_EQ(reopened.read("Keys", "Missing", "d", kRoomy), "d");
}

TEST_F(IniFileProfileOnDisk, WriteIntoAMissingDirectoryFailsAndCreatesNothing) {
    kestro::IniFileProfile profile(dir_ / "no-such-dir" / "settings.ini");
    EXPECT_FALSE(profile.write("Main", "Joystick", "2"));
    EXPECT_FALSE(fs::exists(dir_ / "no-such-dir"));
}

TEST_F(IniFileProfileOnDisk, WriteThatCannotCreateItsTemporaryFileLeavesTheSettingsAlone) {
    put(file_, "[Main]\nJoystick=1\n");
    fs::create_directory(dir_ / "settings.ini.tmp");  // something in the way
    kestro::IniFileProfile profile(file_);
    EXPECT_FALSE(profile.write("Main", "Joystick", "2"));
    EXPECT_EQ(contents(file_), "[Main]\nJoystick=1\n");
    EXPECT_TRUE(fs::is_directory(dir_ / "settings.ini.tmp"));  // not ours to remove
}

TEST_F(IniFileProfileOnDisk, WriteOverSomethingThatIsNotAFileFailsAndCleansUp) {
    fs::create_directory(file_);
    kestro::IniFileProfile profile(file_);
    EXPECT_FALSE(profile.write("Main", "Joystick", "2"));
    EXPECT_TRUE(fs::is_directory(file_));
    EXPECT_FALSE(fs::exists(dir_ / "settings.ini.tmp"));
    EXPECT_EQ(profile.read("Main", "Joystick", "1", kRoomy), "1");
}

TEST_F(IniFileProfileOnDisk, DroppingTheByteOrderMarkKeepsEveryOtherByte) {
    put(file_, "\xEF\xBB\xBF[settings]\r\nkestro=Pad\r\n\xEF\xBB\xBF\n");
    kestro::IniFileProfile profile(file_);
    EXPECT_EQ(profile.read("settings", "kestro", "", kRoomy), "");
    ASSERT_TRUE(profile.dropByteOrderMark());
    EXPECT_EQ(contents(file_), "[settings]\r\nkestro=Pad\r\n\xEF\xBB\xBF\n");
    EXPECT_EQ(profile.read("settings", "kestro", "", kRoomy), "Pad");
    EXPECT_FALSE(fs::exists(dir_ / "settings.ini.tmp"));

    ASSERT_TRUE(profile.dropByteOrderMark());
    EXPECT_EQ(contents(file_), "[settings]\r\nkestro=Pad\r\n\xEF\xBB\xBF\n") << "only a leading mark goes";
    kestro::IniFileProfile missing(dir_ / "none.ini");
    EXPECT_TRUE(missing.dropByteOrderMark());
    EXPECT_FALSE(fs::exists(dir_ / "none.ini"));
}

TEST_F(IniFileProfileOnDisk, RefusedNamesFailWithoutTouchingTheFile) {
    put(file_, "[Main]\nJoystick=1\n");
    kestro::IniFileProfile profile(file_);
    EXPECT_FALSE(profile.write("Main", "Joy\nstick", "2"));
    EXPECT_FALSE(profile.write("Ma\rin", "Joystick", "2"));
    EXPECT_EQ(contents(file_), "[Main]\nJoystick=1\n");
}

// ---- The fake -------------------------------------------------------------------

using kestro::fakes::FakeProfileFile;

TEST(FakeProfileFile, StartsMissingAndExistsAfterTheFirstWrite) {
    FakeProfileFile file;
    EXPECT_FALSE(file.exists);
    EXPECT_EQ(file.read("Main", "Joystick", "1", kRoomy), "1");
    ASSERT_TRUE(file.write("Main", "Joystick", "2"));
    EXPECT_TRUE(file.exists);
    EXPECT_EQ(file.text(), "[Main]\r\nJoystick=2\r\n");
    EXPECT_EQ(file.writes, (std::vector<FakeProfileFile::Write>{{"Main", "Joystick", "2"}}));
}

TEST(FakeProfileFile, FailingWritesLeaveTheTextUnchanged) {
    FakeProfileFile file("[Main]\nJoystick=1\n");
    file.failWrites = true;
    EXPECT_FALSE(file.write("Main", "Joystick", "2"));
    EXPECT_EQ(file.text(), "[Main]\nJoystick=1\n");
    EXPECT_EQ(file.read("Main", "Joystick", "d", kRoomy), "1");
    EXPECT_TRUE(file.writes.empty());
    EXPECT_EQ(file.failedWrites, (std::vector<FakeProfileFile::Write>{{"Main", "Joystick", "2"}}));
}

TEST(FakeProfileFile, CanFailAfterSomeWrites) {
    FakeProfileFile file;
    file.writesBeforeFailing = 2;
    EXPECT_TRUE(file.write("A", "a", "1"));
    EXPECT_TRUE(file.write("A", "b", "2"));
    const std::string saved = file.text();
    EXPECT_FALSE(file.write("A", "c", "3"));
    EXPECT_FALSE(file.write("A", "a", "4"));
    EXPECT_EQ(file.text(), saved);
    EXPECT_EQ(file.writes.size(), 2u);
    EXPECT_EQ(file.failedWrites.size(), 2u);
}

TEST(FakeProfileFile, RefusesTheNamesTheRealFileRefuses) {
    FakeProfileFile file;
    EXPECT_FALSE(file.write("Main", "a\nb", "1"));
    EXPECT_FALSE(file.exists);
    EXPECT_TRUE(file.text().empty());
}

}  // namespace
