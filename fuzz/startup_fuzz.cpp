// Fuzzes the eyes' start-up over arbitrary registry contents. An input describes the settings key and
// the machine's Run key (each value missing or present, of any type and length, with embedded NULs),
// refused opens, a registry that stops answering part-way through, and the screen. The target then
// runs the program's start-up (eyes::StartEyes: first run or later run, placement, on-top state,
// skin), the popup menu's loads, every load of the store, and - when the settings can be written - a
// second start. The first broken invariant prints what broke and aborts.
//
// Input layout, read front to back (missing bytes read as 0):
//   flags      bit 0 the settings key exists, 1 its read is refused, 2 its write is refused,
//              3 the Run key's read is refused, 4 its write is refused, 5 writing under Software is
//              refused, 6 the Run key is missing, 7 the registry stops answering from call n on
//   [n]        one byte, only with flag bit 7
//   screen     low 3 bits pick a size from Screens (7: two 16-bit numbers follow, 1 + n % 8192
//              pixels each), bits 3-4 pick twips per pixel from Twips
//   6 values   ontop, scres, left, top, skin (in the settings key) and the Run value, each one kind
//              byte (kind % 8, see ReadValue) and its data

#include "eyes/logic/Startup.h"
#include "settings/logic/NumberText.h"
#include "settings/logic/SettingsStore.h"
#include "settings/logic/StartupRegistration.h"
#include "tests/support/FakeReporter.h"
#include "tests/support/MemoryRegistry.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace settings;
using namespace std::string_view_literals;

namespace {

[[noreturn]] void Broken(const char* condition, const std::string& detail, int line) {
    std::fprintf(stderr, "startup_fuzz.cpp:%d: broken invariant: %s\n  %s\n", line, condition, detail.c_str());
    std::fflush(stderr);
    std::abort();
}

#define REQUIRE(condition, detail)                                \
    do {                                                          \
        if (!(condition)) Broken(#condition, (detail), __LINE__); \
    } while (0)

// Texts that look like numbers, resolutions or locale-formatted numbers, and near misses of each.
// clang-format off
constexpr std::string_view Texts[] = {
    "", "0", "1", "2", "-1", "-0", "+5", "1024X768", "1024x768", " 1024X768", "1024X768 ", "1024X768X",
    "1280X1024", "300", "200", "479", "305", " 12 ", "\t12\t", "1 2", "1,5", "1.5", "2.5", "-2.5", "0.5",
    "-0.5", ".5", "5.", ".", "-", "+", "--1", "+-1", "1e9", "1e10", "1E3", "1e", "1e+", "1e-400", "1e400",
    "1e-310", "0x10", "inf", "-inf", "nan", "Infinity", "2147483647", "2147483648", "-2147483648",
    "-2147483649", "2147483647.5", "2147483646.5", "-2147483648.5", "4294967296", "99999999999999999999",
    "000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000042",
    "1.5e0", "12\n", "\xd9\xa1\xd9\xa2", "1\xc2\xa0" "000", "%s%n", "1024X768\x00junk"sv, "\x00"sv, "1e-5",
};
// clang-format on

struct Screen {
    int Width, Height;
};
constexpr Screen Screens[] = {{1024, 768},  {1280, 1024}, {800, 600}, {1366, 768},
                              {1920, 1080}, {640, 480},   {1025, 767}};
constexpr float Twips[] = {15, 12, 20, 1};

// The eyes window's position at a first run, which keeps the layout's place.
constexpr int LayoutLeft = 479, LayoutTop = 305;
// The eyes window's size in pixels, with which a restored position must still show on the screen.
// The eye areas in the window at 100 %: 12, 18 and 72, 18, each 45 x 59.
constexpr int EyesTop = 18, EyeWidth = 45, EyeHeight = 59, LeftEyeLeft = 12, RightEyeLeft = 72;
constexpr wchar_t InstallDir[] = L"C:\\Program Files\\Tavrin Eyes";
// The Run value: the quoted path as UTF-16, written through the Unicode functions with its terminator
// (a NUL unit) counted.
constexpr char16_t RunCommand[] = u"\"C:\\Program Files\\Tavrin Eyes\\TavrinEyes.exe\"";
constexpr char Unreachable[] = "The registry cannot be reached.";

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint32_t Number(int bytes) {
        std::uint32_t number = 0;
        for (int i = 0; i < bytes; ++i) number |= static_cast<std::uint32_t>(Byte()) << (8 * i);
        return number;
    }
    // Up to `count` bytes: fewer when the input ends first.
    std::vector<std::uint8_t> Bytes(std::size_t count) {
        const std::size_t taken = std::min(count, size_ - at_);
        std::vector<std::uint8_t> bytes(data_ + at_, data_ + at_ + taken);
        at_ += taken;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::vector<std::uint8_t> TextBytes(std::string_view text) { return {text.begin(), text.end()}; }

// One value's kind byte and data: nothing for a missing value.
std::optional<StoredValue> ReadValue(Input& in) {
    const std::uint8_t kind = in.Byte();
    switch (kind % 8) {
    case 0:  // missing
        return std::nullopt;
    case 1:  // text of up to 255 bytes
        return StoredValue{TypeSz, in.Bytes(in.Byte())};
    case 2:  // a well-formed DWORD
        return StoredValue{TypeDword, in.Bytes(4)};
    case 3: {  // any type number with up to 300 bytes
        const std::uint32_t type = in.Byte();
        const std::size_t length = in.Number(2) % 301;
        return StoredValue{type, in.Bytes(length)};
    }
    case 4:    // a tricky text without a terminating NUL, of the type the high bits choose
    case 5: {  // ... with one, counted in the byte count
        const std::uint8_t pick = in.Byte();
        std::vector<std::uint8_t> data = TextBytes(Texts[pick % std::size(Texts)]);
        if (kind % 8 == 5) data.push_back(0);
        constexpr std::uint32_t types[] = {TypeSz, TypeExpandSz, TypeBinary, TypeMultiSz};
        return StoredValue{types[(kind >> 3) % 4], std::move(data)};
    }
    case 6: {  // a REG_DWORD of 0 to 8 bytes
        const std::size_t length = in.Byte() % 9;
        return StoredValue{TypeDword, in.Bytes(length)};
    }
    default: {  // over-long text: 250 to 300 bytes of one character
        const std::size_t length = 250 + in.Byte() % 51;
        return StoredValue{TypeSz, std::vector<std::uint8_t>(length, in.Byte())};
    }
    }
}

std::string Show(const std::optional<StoredValue>& value) {
    if (!value) return "missing";
    std::string text = "type " + std::to_string(value->Type) + ", " + std::to_string(value->Data.size()) + " bytes:";
    for (std::uint8_t byte : value->Data) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", byte);
        text += hex;
    }
    return text;
}

std::string Show(const std::optional<std::string>& text) { return text ? "\"" + *text + "\"" : "nothing"; }
template <typename Number>
std::string Show(const std::optional<Number>& number) {
    return number ? std::to_string(*number) : "nothing";
}

bool Same(const std::optional<StoredValue>& a, const std::optional<StoredValue>& b) {
    if (!a || !b) return !a && !b;
    return a->Type == b->Type && a->Data == b->Data && a->Wide == b->Wide;
}

StoredValue Text(std::string_view text) { return {TypeSz, TextBytes(text)}; }
StoredValue WideText(std::u16string_view text) {
    StoredValue value{TypeSz, {}, true};
    for (char16_t unit : text) {
        value.Data.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        value.Data.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return value;
}
StoredValue Dword(std::uint32_t value) {
    const DwordData bytes = DwordToBytes(value);
    return {TypeDword, {bytes.begin(), bytes.end()}};
}

// Decimal text read by hand, independently of the store's reader: blanks and tabs around, one
// optional sign, digits with an optional point (at least one digit), an optional exponent; then the
// nearest 32-bit whole number, halves to even.
std::optional<std::int32_t> ReferenceWhole(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return std::nullopt;
    const std::string core(text.substr(first, text.find_last_not_of(" \t") - first + 1));
    auto digit = [&](std::size_t at) { return at < core.size() && core[at] >= '0' && core[at] <= '9'; };
    std::size_t at = 0, digits = 0;
    if (core[at] == '+' || core[at] == '-') ++at;
    for (; digit(at); ++at) ++digits;
    if (at < core.size() && core[at] == '.')
        for (++at; digit(at); ++at) ++digits;
    if (digits == 0) return std::nullopt;
    if (at < core.size() && (core[at] == 'e' || core[at] == 'E')) {
        ++at;
        if (at < core.size() && (core[at] == '+' || core[at] == '-')) ++at;
        std::size_t exponentDigits = 0;
        for (; digit(at); ++at) ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (at != core.size()) return std::nullopt;
    const double whole = std::nearbyint(std::strtod(core.c_str(), nullptr));  // ties to even
    if (!(whole >= -2147483648.0 && whole <= 2147483647.0)) return std::nullopt;
    return static_cast<std::int32_t>(whole);
}

// The nearest whole number to numerator / denominator (both positive), halves to even.
int NearestEven(int numerator, int denominator) {
    const int quotient = numerator / denominator, twice = 2 * (numerator % denominator);
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) return quotient + 1;
    return quotient;
}

// Forwards to the in-memory registry and makes it unreachable from the n-th call on, so that the
// failure can fall between opening a key and using it. Closing always works, as on Windows.
class FailingRegistry : public Registry {
public:
    explicit FailingRegistry(MemoryRegistry& memory) : memory_(memory) {}
    void FailFromCall(int call) { failAt_ = call; }
    bool Failed() const { return failed_; }

    Status OpenKey(Key parent, std::string_view path, Access access, Key& opened) override {
        Count();
        return memory_.OpenKey(parent, path, access, opened);
    }
    Status CreateKey(Key parent, std::string_view path, Key& opened) override {
        Count();
        return memory_.CreateKey(parent, path, opened);
    }
    Status QueryValue(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                      std::uint32_t& size) override {
        Count();
        return memory_.QueryValue(key, name, type, data, size);
    }
    Status SetValue(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                    std::uint32_t size) override {
        Count();
        return memory_.SetValue(key, name, type, data, size);
    }
    Status QueryValueW(Key key, std::string_view name, std::uint32_t& type, std::uint8_t* data,
                       std::uint32_t& size) override {
        Count();
        return memory_.QueryValueW(key, name, type, data, size);
    }
    Status SetValueW(Key key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                     std::uint32_t size) override {
        Count();
        return memory_.SetValueW(key, name, type, data, size);
    }
    Status DeleteValue(Key key, std::string_view name) override {
        Count();
        return memory_.DeleteValue(key, name);
    }
    Status CloseKey(Key key) override { return memory_.CloseKey(key); }

private:
    void Count() {
        if (failAt_ >= 0 && calls_++ >= failAt_) {
            memory_.SetUnreachable(true);
            failed_ = true;
        }
    }

    MemoryRegistry& memory_;
    int failAt_ = -1, calls_ = 0;
    bool failed_ = false;
};

struct Refusals {
    bool SettingsRead = false, SettingsWrite = false, RunRead = false, RunWrite = false, SoftwareWrite = false;
};

const char* const SettingNames[] = {OnTopValue, ResolutionValue, LeftValue, TopValue, SkinValue};

// Every value the start-up may read or write.
struct Snapshot {
    bool SettingsKey = false, RunKey = false;
    std::map<std::string, std::optional<StoredValue>> Settings;
    std::optional<StoredValue> Run;
};

class World {
public:
    World(const Refusals& refusals, Screen screen, float twips)
        : refusals_(refusals),
          screen_(screen),
          twipsPerPixel_(twips),
          screenWidthTwips_(static_cast<float>(screen.Width) * twips),
          screenHeightTwips_(static_cast<float>(screen.Height) * twips) {}

    MemoryRegistry memory;
    FailingRegistry registry{memory};
    tests::FakeReporter reporter;
    SettingsStore store{registry, reporter};
    StartupRegistration startup{registry, ProgramPath(InstallDir, L"TavrinEyes")};

    void ApplyRefusals() {
        if (refusals_.SettingsRead) memory.Refuse(CurrentUser, SettingsKey, Access::Read);
        if (refusals_.SettingsWrite) memory.Refuse(CurrentUser, SettingsKey, Access::Write);
        if (refusals_.RunRead) memory.Refuse(LocalMachine, RunKey, Access::Read);
        if (refusals_.RunWrite) memory.Refuse(LocalMachine, RunKey, Access::Write);
        if (refusals_.SoftwareWrite) memory.Refuse(CurrentUser, SoftwareKey, Access::Write);
    }

    std::string Resolution() const { return std::to_string(screen_.Width) + "X" + std::to_string(screen_.Height); }

    std::string ScreenResolution() const {
        return ResolutionText(screenWidthTwips_ / twipsPerPixel_, screenHeightTwips_ / twipsPerPixel_);
    }

    Snapshot Take() const {
        Snapshot snapshot;
        snapshot.SettingsKey = memory.HasKey(CurrentUser, SettingsKey);
        snapshot.RunKey = memory.HasKey(LocalMachine, RunKey);
        for (const char* name : SettingNames) snapshot.Settings[name] = memory.Value(CurrentUser, SettingsKey, name);
        snapshot.Run = memory.Value(LocalMachine, RunKey, RunValue);
        return snapshot;
    }

    // One operation of the program, followed by the invariants that hold after any operation.
    template <typename Operation>
    auto Do(const char* what, Operation operation) {
        auto result = operation();
        REQUIRE(memory.OpenHandles() == 0,
                std::string(what) + " left " + std::to_string(memory.OpenHandles()) + " keys open");
        for (const auto& message : reporter.messages) {
            REQUIRE(registry.Failed(),
                    std::string(what) + " showed a message box with a reachable registry: " + message.Text);
            REQUIRE(message.Text == Unreachable || message.Text == std::string(CreateFailedText) + Unreachable,
                    std::string(what) + " showed " + message.Text);
        }
        return result;
    }

    std::optional<std::string> LoadText(const char* name, std::optional<std::string> (SettingsStore::*load)()) {
        const std::optional<std::string> expected = ExpectedText(name);
        const auto text = Do(name, [&] { return (store.*load)(); });
        if (text) {
            REQUIRE(text->size() <= 255, std::string(name) + " delivered " + std::to_string(text->size()) + " bytes");
            REQUIRE(text->find('\0') == std::string::npos, std::string(name) + " delivered a NUL");
        }
        if (!registry.Failed())
            REQUIRE(text == expected, std::string(name) + " delivered " + Show(text) + " for " +
                                          Show(memory.Value(CurrentUser, SettingsKey, name)) + ", expected " +
                                          Show(expected));
        return text;
    }

    std::optional<std::int16_t> LoadDword(const char* name, std::optional<std::int16_t> (SettingsStore::*load)()) {
        const std::optional<StoredValue> stored = Stored(name);
        const auto number = Do(name, [&] { return (store.*load)(); });
        CheckDword(name, stored, number);
        return number;
    }

    // What a DWORD load delivered for what was stored.
    void CheckDword(const char* name, const std::optional<StoredValue>& stored,
                    const std::optional<std::int16_t>& number) const {
        const std::string detail = std::string(name) + " delivered " + Show(number) + " for " + Show(stored);
        // The four characters of a four-byte value's decimal text at most.
        if (number) REQUIRE(*number >= -999 && *number <= 9999, detail);
        if (!registry.Failed()) {
            const std::size_t size = stored ? stored->Data.size() : 0;
            REQUIRE(number.has_value() == (size >= 1 && size <= 4), detail);
            if (size == 4) {
                const auto& d = stored->Data;
                const auto value = static_cast<std::int32_t>(DwordFromBytes(d.data()));
                if (value >= -999 && value <= 9999) REQUIRE(number == value, detail);
            }
        }
    }

    std::optional<std::int16_t> IsStartupRegistered() {
        std::optional<std::int16_t> expected;
        if (memory.HasKey(LocalMachine, RunKey) && !refusals_.RunRead) {
            const auto value = memory.Value(LocalMachine, RunKey, RunValue);
            // It must fit 255 characters, and a 256th that is a NUL: read as UTF-16, a text stored
            // through the ANSI functions takes two bytes a character, other types as many bytes as
            // they hold.
            const bool text =
                value && (value->Type == TypeSz || value->Type == TypeExpandSz || value->Type == TypeMultiSz);
            const std::size_t unitBytes = text && value && !value->Wide ? 2 : 1;
            const std::size_t bytes = value ? value->Data.size() * unitBytes : 0;
            const auto& data = value ? value->Data : std::vector<std::uint8_t>{};
            const bool endsInNul = unitBytes == 2
                                       ? !data.empty() && data.back() == 0
                                       : data.size() >= 2 && data[data.size() - 1] == 0 && data[data.size() - 2] == 0;
            expected = value && (bytes <= 2 * 255 || (bytes == 2 * 256 && endsInNul)) ? 1 : 0;
        }
        const auto registered = Do("IsStartupRegistered", [&] { return startup.IsStartupRegistered(); });
        if (!registry.Failed())
            REQUIRE(registered == expected,
                    "registered " + Show(registered) + " for " + Show(memory.Value(LocalMachine, RunKey, RunValue)));
        return registered;
    }

    // The program's start-up on this screen, the window at its layout place, and what it decided.
    eyes::StartDecision StartEyes() {
        const std::string resolution = ScreenResolution();
        REQUIRE(resolution == Resolution(), "the screen is " + Resolution() + ", the store says " + resolution);
        // The placement reads the position before any write; the skin and on-top state are read last.
        const std::optional<std::string> scres = ExpectedText(ResolutionValue), left = ExpectedText(LeftValue),
                                         top = ExpectedText(TopValue);
        const eyes::StartDecision start = Do("the start-up", [&] {
            return eyes::StartEyes(store, startup,
                                   {resolution,
                                    screenWidthTwips_ / twipsPerPixel_,
                                    screenHeightTwips_ / twipsPerPixel_,
                                    {{0, 0, screen_.Width, screen_.Height}}},
                                   {LayoutLeft, LayoutTop, {{12, 18, 45, 59}, {72, 18, 45, 59}}});
        });
        // A failed creation ends the program: the start-up ends it, not the store.
        REQUIRE(!start.End || registry.Failed(), "the start-up ended the program");
        if (start.End || registry.Failed()) return start;
        CheckDword(SkinValue, Stored(SkinValue), start.Skin);
        if (start.FirstRun) {
            // The window keeps its layout position.
            REQUIRE(!start.Place.StoreNewPosition && start.Place.X == LayoutLeft && start.Place.Y == LayoutTop,
                    "a first run moved the window");
            return start;
        }
        const std::string detail = "scres " + Show(scres) + ", left " + Show(left) + ", top " + Show(top) + " on " +
                                   Resolution() + " gave " + std::to_string(start.Place.X) + "," +
                                   std::to_string(start.Place.Y) +
                                   (start.Place.StoreNewPosition ? " re-centred" : " restored");
        const auto x = left ? ReferenceWhole(*left) : std::nullopt;
        const auto y = top ? ReferenceWhole(*top) : std::nullopt;
        const bool usable =
            scres == Resolution() && x && y &&
            (ShowsOnScreen(*x, *y) || (*x == NearestEven(screen_.Width, 2) && *y == NearestEven(screen_.Height, 4)));
        REQUIRE(start.Place.StoreNewPosition == !usable, detail);
        if (usable) {
            REQUIRE(start.Place.X == *x && start.Place.Y == *y, detail);
        } else {
            REQUIRE(Recentred(start.Place), detail);
        }
        return start;
    }

    // What the start must have written, and must have left alone.
    void CheckWrites(const Snapshot& before, const eyes::StartDecision& start) {
        const Snapshot after = Take();
        auto expectSetting = [&](const char* name, const std::optional<StoredValue>& expected, const char* why) {
            REQUIRE(Same(after.Settings.at(name), expected),
                    std::string(why) + ": " + name + " is " + Show(after.Settings.at(name)) + ", expected " +
                        Show(expected) + ", was " + Show(before.Settings.at(name)));
        };
        const bool settingsWritable = after.SettingsKey && !refusals_.SettingsWrite;
        if (start.FirstRun) {
            REQUIRE(after.SettingsKey == (before.SettingsKey || (!refusals_.SoftwareWrite && !refusals_.SettingsWrite)),
                    "the first run's settings key");
            const bool runWritable = after.RunKey && !refusals_.RunWrite;
            REQUIRE(
                Same(after.Run, runWritable ? std::optional(WideText(std::u16string(RunCommand) + u'\0')) : before.Run),
                "the first run's Run value is " + Show(after.Run));
            if (settingsWritable) {
                expectSetting(OnTopValue, Dword(1), "first run");
                expectSetting(SkinValue, Dword(1), "first run");
                expectSetting(ResolutionValue, Text(Resolution()), "first run");
                expectSetting(LeftValue, Text(std::to_string(LayoutLeft)), "first run");
                expectSetting(TopValue, Text(std::to_string(LayoutTop)), "first run");
            } else {
                for (const char* name : SettingNames) expectSetting(name, before.Settings.at(name), "unwritable");
            }
            return;
        }
        REQUIRE(before.SettingsKey == after.SettingsKey, "a later run changed the settings key");
        REQUIRE(Same(after.Run, before.Run), "a later run changed the Run value to " + Show(after.Run));
        expectSetting(OnTopValue, before.Settings.at(OnTopValue), "a later run");
        expectSetting(SkinValue, before.Settings.at(SkinValue), "a later run");
        if (start.Place.StoreNewPosition && settingsWritable) {
            expectSetting(ResolutionValue, Text(Resolution()), "re-centred");
            expectSetting(LeftValue, Text(std::to_string(start.Place.X)), "re-centred");
            expectSetting(TopValue, Text(std::to_string(start.Place.Y)), "re-centred");
        } else {
            for (const char* name : {ResolutionValue, LeftValue, TopValue})
                expectSetting(name, before.Settings.at(name), start.Place.StoreNewPosition ? "unwritable" : "restored");
        }
    }

    // The popup menu's check marks, and every load of the store once more.
    void LoadEverything() {
        LoadDword(OnTopValue, &SettingsStore::LoadOnTop);
        IsStartupRegistered();
        LoadDword(SkinValue, &SettingsStore::LoadSkin);
        LoadText(ResolutionValue, &SettingsStore::LoadResolution);
        LoadText(LeftValue, &SettingsStore::LoadLeft);
        LoadText(TopValue, &SettingsStore::LoadTop);
    }

    // Whether a quarter of an eye's width and height, with the window's top-left corner there, lies on
    // the screen (in 64 bits).
    bool ShowsOnScreen(std::int64_t x, std::int64_t y) const {
        const auto shown = [](std::int64_t from, std::int64_t length, std::int64_t screen) {
            return 4 * (std::min(from + length, screen) - std::max<std::int64_t>(from, 0)) >= length;
        };
        return shown(y + EyesTop, EyeHeight, screen_.Height) &&
               (shown(x + LeftEyeLeft, EyeWidth, screen_.Width) || shown(x + RightEyeLeft, EyeWidth, screen_.Width));
    }
    // The re-centred place: the middle of the screen's width, a quarter of its height.
    bool AtTheCentre(const eyes::Placement& place) const {
        return place.X == NearestEven(screen_.Width, 2) && place.Y == NearestEven(screen_.Height, 4);
    }
    bool Recentred(const eyes::Placement& place) const { return place.StoreNewPosition && AtTheCentre(place); }

    bool SettingsUsable() const {
        return !refusals_.SettingsRead && !refusals_.SettingsWrite && !refusals_.SoftwareWrite;
    }

private:
    bool Readable() const { return memory.HasKey(CurrentUser, SettingsKey) && !refusals_.SettingsRead; }
    // A setting as a load can see it: nothing when the key cannot be read.
    std::optional<StoredValue> Stored(const char* name) const {
        return Readable() ? memory.Value(CurrentUser, SettingsKey, name) : std::nullopt;
    }

    // What a text load must deliver: the stored bytes up to a NUL, when they fit 255 bytes.
    std::optional<std::string> ExpectedText(const char* name) const {
        if (!Readable()) return std::nullopt;
        const auto value = memory.Value(CurrentUser, SettingsKey, name);
        if (!value || value->Data.size() > 255) return std::nullopt;
        std::string text(value->Data.begin(), value->Data.end());
        return text.substr(0, text.find('\0'));
    }

    Refusals refusals_;
    Screen screen_;
    float twipsPerPixel_;
    float screenWidthTwips_, screenHeightTwips_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    const std::uint8_t flags = in.Byte();
    Refusals refusals;
    refusals.SettingsRead = flags & 0x02;
    refusals.SettingsWrite = flags & 0x04;
    refusals.RunRead = flags & 0x08;
    refusals.RunWrite = flags & 0x10;
    refusals.SoftwareWrite = flags & 0x20;
    const int failAt = (flags & 0x80) ? in.Byte() : -1;

    const std::uint8_t screenByte = in.Byte();
    Screen screen = Screens[0];
    if ((screenByte & 7) == 7) {
        screen.Width = 1 + static_cast<int>(in.Number(2) % 8192);
        screen.Height = 1 + static_cast<int>(in.Number(2) % 8192);
    } else {
        screen = Screens[screenByte & 7];
    }
    World world(refusals, screen, Twips[(screenByte >> 3) & 3]);

    if (flags & 0x01) world.memory.PutKey(CurrentUser, SettingsKey);
    for (const char* name : SettingNames) {
        auto value = ReadValue(in);
        if (value && (flags & 0x01)) world.memory.PutValue(CurrentUser, SettingsKey, name, value->Type, value->Data);
    }
    if (auto run = ReadValue(in)) world.memory.PutValue(LocalMachine, RunKey, RunValue, run->Type, run->Data);
    if (flags & 0x40) world.memory.RemoveKey(LocalMachine, RunKey);
    world.ApplyRefusals();
    world.registry.FailFromCall(failAt);

    const Snapshot before = world.Take();
    const eyes::StartDecision first = world.StartEyes();
    if (std::getenv("STARTUP_FUZZ_TRACE")) {
        std::fprintf(stderr, "%s on %s: %s at %d,%d, skin %s, %zu message(s)%s\n",
                     first.FirstRun ? "first run" : "later run", world.Resolution().c_str(),
                     first.End                      ? "ended"
                     : first.Place.StoreNewPosition ? "re-centred"
                                                    : "placed",
                     first.Place.X, first.Place.Y, Show(first.Skin).c_str(), world.reporter.messages.size(),
                     world.registry.Failed() ? ", registry unreachable" : "");
    }
    if (first.End) return 0;
    if (!world.registry.Failed()) world.CheckWrites(before, first);
    world.LoadEverything();

    // A damaged position is repaired: the next start on the same screen finds the window where this
    // one left it, and writes nothing, also where the screen is too small to show a quarter of an eye
    // at the re-centred place. Only a first run's layout place that shows no eye on a screen smaller
    // than it is re-centred then, as a place no monitor shows.
    if (!world.registry.Failed() && world.SettingsUsable()) {
        const Snapshot between = world.Take();
        const eyes::StartDecision second = world.StartEyes();
        if (world.registry.Failed()) return 0;  // it stopped answering during the second start
        REQUIRE(!second.FirstRun, "the second start was a first run");
        const bool stays = world.ShowsOnScreen(first.Place.X, first.Place.Y) || world.AtTheCentre(first.Place);
        REQUIRE(
            stays ? !second.Place.StoreNewPosition && second.Place.X == first.Place.X && second.Place.Y == first.Place.Y
                  : first.FirstRun && world.Recentred(second.Place),
            "the second start went to " + std::to_string(second.Place.X) + "," + std::to_string(second.Place.Y) +
                " after " + std::to_string(first.Place.X) + "," + std::to_string(first.Place.Y));
        world.CheckWrites(between, second);
        REQUIRE(second.Skin == first.Skin, "the second start's skin changed");
    }
    return 0;
}
