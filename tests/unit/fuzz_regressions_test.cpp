// Faults that fuzzing the start-up (fuzz/startup_fuzz.cpp) found, each pinned with the input that
// showed it, written out as plain settings.

#include "eyes/logic/Placement.h"
#include "settings/logic/NumberText.h"
#include "settings/logic/SettingsStore.h"
#include "tests/support/FakeReporter.h"
#include "tests/support/MemoryRegistry.h"

#include <gtest/gtest.h>

using namespace settings;

namespace {

// Fault: TextToLong took a decimal text too small for a double ("1e-400": from_chars reports it out
// of range) for no number at all, though it names a whole number that fits, 0. A stored position
// spelled that way re-centred the eyes instead of placing them at 0. Found as left "1e2", top
// "47e-400483647" on a 1024 x 768 screen.
TEST(fuzz_regressions, TextTooSmallForADoubleIsTheWholeNumberZero) {
    EXPECT_EQ(TextToLong("1e-400"), std::optional<std::int32_t>(0));
    EXPECT_EQ(TextToLong("-2.4703282292062327e-324"), std::optional<std::int32_t>(0));
    EXPECT_EQ(TextToLong(" 0.000001e-399 "), std::optional<std::int32_t>(0));
    // Too large for a double still is no 32-bit number, however the exponent is spelled.
    EXPECT_EQ(TextToLong("1e400"), std::nullopt);
    EXPECT_EQ(TextToLong("1" + std::string(400, '0') + "e-5"), std::nullopt);

    MemoryRegistry registry;
    tests::FakeReporter reporter;
    SettingsStore store(registry, reporter);
    registry.PutText(CurrentUser, SettingsKey, ResolutionValue, "1024X768");
    registry.PutText(CurrentUser, SettingsKey, LeftValue, "1e2");
    registry.PutText(CurrentUser, SettingsKey, TopValue, "47e-400483647");
    const eyes::Placement place =
        eyes::PlaceAtStart(store.LoadResolution(), store.LoadLeft(), store.LoadTop(), "1024X768", 1024, 768,
                           {{0, 0, 1024, 768}}, {{12, 18, 45, 59}, {72, 18, 45, 59}});
    EXPECT_FALSE(place.StoreNewPosition);
    EXPECT_EQ(place.X, 100);
    EXPECT_EQ(place.Y, 0);
}

}  // namespace
