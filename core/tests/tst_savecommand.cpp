#include "core/FlightPlanFile.h"
#include "core/SaveCommand.h"
#include "core/testing/ExpectedLine.h"
#include "core/testing/TempFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zephlan {
namespace {

namespace fs = std::filesystem;
using Change = void (*)(SaveInputs &);
using TextPair = std::pair<std::string, std::string>;

// Every input filled; saved, it gives kExampleLine.
const SaveInputs kExample{.departureText = "HOME", .destinationText = "DEST", .aircraftText = "Cessna Skyhawk 172SP",
                          .aircraftIndex = 2, .durationText = "24Hr", .departureTimeText = "12:00:00",
                          .returnTimeText = "16:00:00", .departureTimeTyped = true, .returnTimeTyped = true,
                          .departTngTyped = true, .destTngTyped = true, .departTngText = "06:30:00", .destTngText = "17:15:00",
                          .ifrSelected = true, .callSignModeSelected = true, .callSignText = "N541SP",
                          .flightNoText = "0429", .flightLevelText = "050", .percentText = "50", .listFiles = {}};

// The example line with other flight rules, call mode and arrival fields.
std::string exampleLine(const std::string &rules, const std::string &id,
                        const std::string &outboundArrival = "00:00:00", const std::string &returnArrival = "00:00:00")
{
    return ExpectedLine{.rules = rules, .outboundArrival = outboundArrival, .atcId = id,
                        .returnArrival = returnArrival}.text() + "\r\n";
}

const std::string kExampleLine = exampleLine("IFR", "R");

void noneSelected(SaveInputs &in) { in.ifrSelected = in.callSignModeSelected = false; }

struct Check
{
    const char *name;
    Change unfill;
    EntryProblem problem;
};

// The input each check looks at, left unfilled, in the order of the checks.
const Check kChecks[] = {
    {"DepartTngTime", [](auto &in) { in.departTngChecked = true; in.departTngTyped = false; },
     {EntryCheck::DepartTngTime, "Please Enter TNG Time", "Enter Time"}},
    {"DestTngTime", [](auto &in) { in.destTngChecked = true; in.destTngTyped = false; },
     {EntryCheck::DestTngTime, "Please Enter TNG Time", "Enter Time"}},
    {"Departure", [](auto &in) { in.departureText.clear(); },
     {EntryCheck::Departure, "Select or Search for Departure Airport from list", "Open Airports"}},
    {"Destination", [](auto &in) { in.destinationText.clear(); },
     {EntryCheck::Destination, "Select or Search for Destination Airport from list", "Open Airports"}},
    {"Aircraft", [](auto &in) { in.aircraftText.clear(); }, {EntryCheck::Aircraft, "Select Aircraft from list", "Open Aircrafts"}},
    {"Duration", [](auto &in) { in.durationText.clear(); }, {EntryCheck::Duration, "Select Duration", "Select Duration"}},
    {"DepartureTime", [](auto &in) { in.departureTimeText = "00:00:00"; in.departureTimeTyped = false; },
     {EntryCheck::DepartureTime, "Enter Departure Time", "Departure Time"}},
    {"ReturnTime", [](auto &in) { in.returnTimeText = "00:00:00"; in.returnTimeTyped = false; },
     {EntryCheck::ReturnTime, "Enter Return Time", "Return Time"}},
    {"CallSign", [](auto &in) { in.callSignText.clear(); }, {EntryCheck::CallSign, "Enter Call Sign", "Call Sign"}},
    {"FlightNumber", [](auto &in) { in.flightNoText.clear(); }, {EntryCheck::FlightNumber, "Enter Flight Number", "Flight Number"}},
    {"FlightNumberRange", [](auto &in) { if (!in.flightNoText.empty()) in.flightNoText = "9E99"; },
     {EntryCheck::FlightNumberRange, "Flight number is too large", "Flight Number"}},
    {"FlightLevel", [](auto &in) { in.flightLevelText.clear(); },
     {EntryCheck::FlightLevel, "Enter Flight Level  ie. 050 = 5000ft ", "Flight Level"}},
    {"Percent", [](auto &in) { in.percentText.clear(); }, {EntryCheck::Percent, "Enter desired AI percentage", "AI Percentage"}},
};
constexpr int kCheckCount = static_cast<int>(std::size(kChecks));

class CheckOrder : public ::testing::TestWithParam<int> {};

TEST_P(CheckOrder, FiresAloneAndBeforeEveryLaterCheck)
{
    SaveInputs alone = kExample;
    SaveInputs withLater = kExample;
    kChecks[GetParam()].unfill(alone);
    for (int i = GetParam(); i < kCheckCount; ++i)
        kChecks[i].unfill(withLater);
    EXPECT_EQ(ValidateEntry(alone), kChecks[GetParam()].problem);
    EXPECT_EQ(ValidateEntry(withLater), kChecks[GetParam()].problem);
}

INSTANTIATE_TEST_SUITE_P(Checks, CheckOrder, ::testing::Range(0, kCheckCount),
                         [](const auto &info) { return std::string(kChecks[info.param].name); });

// Records what the command shows and asks, and answers the save question.
class SaveCommand : public ::testing::Test
{
protected:
    SaveOutcome save(const SaveInputs &inputs)
    {
        result = runSaveCommand(inputs, remembered,
                              {[this](const auto &prompt, const auto &title) { messages.emplace_back(prompt, title); },
                               [this](const auto &filter, const auto &name) {
                                   questions.emplace_back(filter, name);
                                   return answer;
                               }});
        return result.outcome;
    }

    SaveResult result{};
    TempFolder folder;
    fs::path plans = folder.path / "FlightPlans.txt";
    std::optional<fs::path> answer = plans;
    RememberedRules remembered;
    std::vector<TextPair> messages;
    std::vector<TextPair> questions;
};

// A cancelled save is silent and creates nothing; two saves add two lines in order after what is there.
TEST_F(SaveCommand, CancelIsSilentAndTwoSavesAddTwoLinesInOrder)
{
    answer.reset();
    EXPECT_EQ(save(kExample), SaveOutcome::Cancelled);
    EXPECT_TRUE(fs::is_empty(folder.path));
    answer = plans;
    std::ofstream(plans, std::ios::binary) << "no line end";
    SaveInputs second = kExample;
    second.aircraftIndex = 0;
    second.flightNoText = "AB";
    second.callSignText = "Z\xfc\x80";
    EXPECT_EQ(save(kExample), SaveOutcome::Saved);
    EXPECT_EQ(save(second), SaveOutcome::Saved);
    const ExpectedLine secondLine{.aircraft = "1", .callSign = "Z\xfc\x80", .flightNumber = "AB",
                                  .returnFlightNumber = "1"};
    EXPECT_EQ(readBytes(plans), "no line end\r\n" + kExampleLine + secondLine.text() + "\r\n");
    EXPECT_EQ(questions, std::vector<TextPair>(3, {"FlightPlans(*.txt)|*.txt", "FlightPlans_Zephlan .txt"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveCommand, WriteFailureNamesTheFileAndTheReason)
{
    // ü and € have Windows-1252 bytes, the last letter has none.
    // Given with forward slashes, as the file dialog gives it on Windows too; told in the system's separators.
    answer = fs::path((folder.path / fs::path(u8"Fl\u00fcge \u20ac\u65e5") / "plans.txt").generic_u8string());
    EXPECT_EQ(save(kExample), SaveOutcome::WriteFailed);
#ifdef _WIN32
    const std::string reason = std::system_category().message(ERROR_PATH_NOT_FOUND);
#else
    const std::string reason = std::generic_category().message(ENOENT);
#endif
    const std::string separator(1, char(fs::path::preferred_separator));
    const std::string prompt = "Could not save the flight plan to " + folder.path.string() + separator
        + "Fl\xfcge \x80?" + separator + "plans.txt: " + reason;
    EXPECT_EQ(messages, (std::vector<TextPair>{{prompt, "Save Flight Plan"}}));
    EXPECT_TRUE(fs::is_empty(folder.path));
}

TEST_F(SaveCommand, FlightNumberTooLargeIsRefusedWithoutWriting)
{
    for (const char *number : {"9E99", "9D99", "1E39", "-9E99"}) {
        SaveInputs inputs = kExample;
        inputs.flightNoText = number;
        inputs.flightLevelText.clear();
        EXPECT_EQ(save(inputs), SaveOutcome::Refused) << number;
        EXPECT_EQ(result.failedCheck, EntryCheck::FlightNumberRange) << number;
    }
    EXPECT_EQ(messages, std::vector<TextPair>(4, {"Flight number is too large", "Flight Number"}));
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(fs::is_empty(folder.path));
}

// A plan line inside a list read in this run would shift every record after it.
TEST_F(SaveCommand, ListFilesReadInThisRunAreRefused)
{
    const fs::path airports = folder.path / "Airports.txt";
    std::ofstream(airports, std::ios::binary) << "EGLL,N51* 28.39',W0* 27.41',83\r\n";
    // Another name for the same file: a hard link, which Windows and Wine make as Linux does.
    fs::create_hard_link(airports, folder.path / "link.txt");
    SaveInputs inputs = kExample;
    inputs.listFiles = {folder.path / "Aircraft.txt", airports};
    for (const fs::path &chosen : {airports, folder.path / "link.txt", folder.path / "." / "Airports.txt"}) {
        answer = chosen;
        EXPECT_EQ(save(inputs), SaveOutcome::Refused) << chosen;
        EXPECT_EQ(result.failedCheck, std::nullopt);
    }
    EXPECT_EQ(readBytes(airports), "EGLL,N51* 28.39',W0* 27.41',83\r\n");
    EXPECT_EQ(messages.size(), 3u);
    EXPECT_NE(messages.at(0).first.find(airports.string()), std::string::npos);
    answer = plans;
    EXPECT_EQ(save(inputs), SaveOutcome::Saved);
}

// Flight rules and call mode are taken once both touch-and-go checks have passed.
struct SaveCase
{
    const char *name;
    Change change;
    RememberedRules before;
    RememberedRules after;
    std::string written;    // empty when a check stopped the save
};

void PrintTo(const SaveCase &row, std::ostream *out) { *out << row.name; }

class SavedLine : public SaveCommand, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SavedLine, FollowsTheInputsAndRemembersTheRules)
{
    const SaveCase &row = GetParam();
    SaveInputs inputs = kExample;
    row.change(inputs);
    remembered = row.before;
    const std::optional<EntryProblem> problem = ValidateEntry(inputs);

    EXPECT_EQ(save(inputs), row.written.empty() ? SaveOutcome::Refused : SaveOutcome::Saved);
    EXPECT_EQ(result.failedCheck, problem ? std::optional(problem->check) : std::nullopt);
    EXPECT_EQ(readBytes(plans), row.written);
    EXPECT_EQ(std::tie(remembered.flightRules, remembered.atcId), std::tie(row.after.flightRules, row.after.atcId));
    EXPECT_EQ(messages, (problem ? std::vector<TextPair>{{problem->prompt, problem->title}} : std::vector<TextPair>{}));
    EXPECT_EQ(questions.size(), problem ? 0u : 1u);
}

const SaveCase kSaves[] = {
    {"Example", [](auto &) {}, {}, {"IFR", "R"}, kExampleLine},
    {"DepartureTng", [](auto &in) { in.departTngChecked = true; }, {}, {"IFR", "R"},
     exampleLine("IFR", "R", "TNG06:30:00")},
    {"DestinationTng", [](auto &in) { in.destTngChecked = true; }, {}, {"IFR", "R"},
     exampleLine("IFR", "R", "00:00:00", "TNG17:15:00")},
    {"BothTngOnlyDeparture", [](auto &in) { in.departTngChecked = in.destTngChecked = true; }, {}, {"IFR", "R"},
     exampleLine("IFR", "R", "TNG06:30:00")},
    {"VfrByNumber", [](auto &in) { in.vfrSelected = in.flightNumberModeSelected = true; noneSelected(in); },
     {"IFR", "R"}, {"VFR", "F"}, exampleLine("VFR", "F")},
    {"NoneKeepsLast", noneSelected, {"VFR", "F"}, {"VFR", "F"}, exampleLine("VFR", "F")},
    {"NoneEver", noneSelected, {}, {}, exampleLine("", "")},
    {"RulesOnly", [](auto &in) { in.callSignModeSelected = false; }, {"VFR", "F"}, {"IFR", "F"},
     exampleLine("IFR", "F")},
    {"Check1FailsKeepsLast", [](auto &in) { kChecks[0].unfill(in); }, {"VFR", "F"}, {"VFR", "F"}, ""},
    {"Check2FailsKeepsLast", [](auto &in) { kChecks[1].unfill(in); }, {"VFR", "F"}, {"VFR", "F"}, ""},
    {"Check3FailsTakesNew", [](auto &in) { kChecks[2].unfill(in); }, {"VFR", "F"}, {"IFR", "R"}, ""},
    {"Check12FailsTakesNew", [](auto &in) { kChecks[kCheckCount - 1].unfill(in); }, {}, {"IFR", "R"}, ""},
    {"TypedTngMidnight",
     [](auto &in) { in.departTngChecked = in.departTngTyped = true; in.departTngText = "00:00:00"; }, {},
     {"IFR", "R"}, exampleLine("IFR", "R", "TNG00:00:00")},
    {"TypedMidnight", [](auto &in) { in.departureTimeText = "00:00:00"; }, {}, {"IFR", "R"},
     ExpectedLine{.departure = "00:00:00"}.text() + "\r\n"},
    // A time is known only when typed into since its box was ticked, and a time of day.
    {"TngTimeFromBeforeTheTick", [](auto &in) { in.departTngChecked = true; in.departTngTyped = false; },
     {"VFR", "F"}, {"VFR", "F"}, ""},
    {"NoTimeOfDayAsks", [](auto &in) { in.returnTimeText = "99:99:01"; }, {}, {"IFR", "R"}, ""},
    {"NoAircraftIndex", [](auto &in) { in.aircraftIndex = -1; }, {}, {"IFR", "R"}, ""},
};

INSTANTIATE_TEST_SUITE_P(Inputs, SavedLine, ::testing::ValuesIn(kSaves),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zephlan
