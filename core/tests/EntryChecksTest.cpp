#include "SaveInputs.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace zephlan {
namespace {

using Change = void (*)(SaveInputs &);

// The input each check looks at, left unfilled; index 0 is check 1.
const std::array<Change, 12> kUnfill = {
    [](SaveInputs &in) { in.departTngChecked = true; },
    [](SaveInputs &in) { in.destTngChecked = true; },
    [](SaveInputs &in) { in.departureText.clear(); },
    [](SaveInputs &in) { in.destinationText.clear(); },
    [](SaveInputs &in) { in.aircraftText.clear(); in.aircraftIndex = -1; },
    [](SaveInputs &in) { in.durationText.clear(); },
    [](SaveInputs &in) { in.departureTimeText = "00:00:00"; },
    [](SaveInputs &in) { in.returnTimeText = "00:00:00"; },
    [](SaveInputs &in) { in.callSignText.clear(); },
    [](SaveInputs &in) { in.flightNoText.clear(); },
    [](SaveInputs &in) { in.flightLevelText.clear(); },
    [](SaveInputs &in) { in.percentText.clear(); },
};

struct CheckCase
{
    std::size_t order;
    EntryProblem problem;
};

void PrintTo(const CheckCase &row, std::ostream *out)
{
    *out << "check " << row.order;
}

class EntryCheck : public ::testing::TestWithParam<CheckCase>
{
};

TEST_P(EntryCheck, FiresAloneAndBeforeEveryLaterCheck)
{
    SaveInputs alone = test::exampleInputs();
    kUnfill[GetParam().order - 1](alone);
    EXPECT_EQ(ValidateEntry(alone), GetParam().problem);

    SaveInputs withLater = test::exampleInputs();
    for (std::size_t i = GetParam().order - 1; i < kUnfill.size(); ++i)
        kUnfill[i](withLater);
    EXPECT_EQ(ValidateEntry(withLater), GetParam().problem);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, EntryCheck,
    ::testing::Values(
        CheckCase{1, {"Please Enter TNG Time", "Enter Time"}},
        CheckCase{2, {"Please Enter TNG Time", "Enter Time"}},
        CheckCase{3, {"Select or Search for Departure Airport from list", "Open Airports"}},
        CheckCase{4, {"Select or Search for Destination Airport from list", "Open Airports"}},
        CheckCase{5, {"Select Aircraft from list", "Open Aircrafts"}},
        CheckCase{6, {"Select Duration", "Select Duration"}},
        CheckCase{7, {"Enter Departure Time", "Departure Time"}},
        CheckCase{8, {"Enter Return Time", "Return Time"}},
        CheckCase{9, {"Enter Call Sign", "Call Sign"}},
        CheckCase{10, {"Enter Flight Number", "Flight Number"}},
        CheckCase{11, {"Enter Flight Level  ie. 050 = 5000ft ", "Flight Level"}},
        CheckCase{12, {"Enter desired AI percentage", "AI Percentage"}}));

TEST(EntryCheck, LooksForEmptinessOnly)
{
    SaveInputs odd = test::exampleInputs();
    odd.departTngChecked = odd.destTngChecked = true;
    odd.departTngText = "99:99:99";
    odd.destTngText = "00:00:01";
    odd.returnTimeText = "00:00:01";
    odd.flightNoText = "AB";
    odd.aircraftIndex = 0;
    odd.ifrSelected = odd.callSignModeSelected = false;
    EXPECT_EQ(ValidateEntry(odd), std::nullopt);

    odd.aircraftIndex = -1;
    EXPECT_EQ(ValidateEntry(odd), (EntryProblem{"Select Aircraft from list", "Open Aircrafts"}));
}

} // namespace
} // namespace zephlan
