#include "core/FlightPlan.h"
#include "core/FlightPlanFile.h"
#include "core/NumberText.h"
#include "core/SaveCommand.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <sys/fanotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace zephlan {
namespace {

namespace fs = std::filesystem;
using Change = void (*)(SaveInputs &);
using TextPair = std::pair<std::string, std::string>;

// A fresh folder under the system's temporary folder, removed with its contents.
struct TempFolder
{
    fs::path path;
    explicit TempFolder(const fs::path &base = fs::temp_directory_path())
        : path(base / ("zephlan-core-" + std::to_string(std::random_device()())))
    {
        EXPECT_TRUE(fs::create_directory(path)) << path;
    }
    ~TempFolder() { std::error_code ignored; fs::remove_all(path, ignored); }
};

std::string readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Every input filled; saved, it gives kExampleLine.
const SaveInputs kExample{.departureText = "HOME", .destinationText = "DEST", .aircraftText = "Cessna Skyhawk 172SP",
                          .aircraftIndex = 2, .durationText = "24Hr", .departureTimeText = "12:00:00",
                          .returnTimeText = "16:00:00", .departureTimeTyped = true, .returnTimeTyped = true,
                          .departTngText = "06:30:00", .destTngText = "17:15:00",
                          .ifrSelected = true, .callSignModeSelected = true, .callSignText = "N541SP",
                          .flightNoText = "0429", .flightLevelText = "050", .percentText = "50", .listFiles = {}};

const std::string kExampleLine =
    "AC#3,N541SP,50%,24Hr,IFR,12:00:00,00:00:00,050,R,0429,DEST,16:00:00,00:00:00,050,R,430,HOME\r\n";

// The example line with other flight rules, call mode and arrival fields.
std::string exampleLine(const std::string &rules, const std::string &id,
                        const std::string &outboundArrival = "00:00:00", const std::string &returnArrival = "00:00:00")
{
    return "AC#3,N541SP,50%,24Hr," + rules + ",12:00:00," + outboundArrival + ",050," + id + ",0429,DEST,16:00:00,"
        + returnArrival + ",050," + id + ",430,HOME\r\n";
}

struct Check
{
    const char *name;
    Change unfill;
    EntryProblem problem;
};

// The input each check looks at, left unfilled, in the order of the checks.
const Check kChecks[] = {
    {"DepartTngTime", [](auto &in) { in.departTngChecked = true; in.departTngText = "00:00:00"; },
     {EntryCheck::DepartTngTime, "Please Enter TNG Time", "Enter Time"}},
    {"DestTngTime", [](auto &in) { in.destTngChecked = true; in.destTngText = "00:00:00"; },
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

TEST_F(SaveCommand, TwoSavesAddTwoLinesInOrderAfterWhatIsThere)
{
    std::ofstream(plans, std::ios::binary) << "no line end";
    SaveInputs second = kExample;
    second.aircraftIndex = 0;
    second.flightNoText = "AB";
    second.callSignText = "Z\xfc\x80";
    EXPECT_EQ(save(kExample), SaveOutcome::Saved);
    EXPECT_EQ(save(second), SaveOutcome::Saved);
    EXPECT_EQ(readBytes(plans), "no line end\r\n" + kExampleLine
                  + "AC#1,Z\xfc\x80,50%,24Hr,IFR,12:00:00,00:00:00,050,R,AB,DEST,16:00:00,00:00:00,050,R,1,HOME\r\n");
    EXPECT_EQ(questions, std::vector<TextPair>(2, {"FlightPlans(*.txt)|*.txt", "FlightPlans_Zephlan .txt"}));
    EXPECT_TRUE(messages.empty());
}

TEST_F(SaveCommand, CancelIsSilent)
{
    answer.reset();
    EXPECT_EQ(save(kExample), SaveOutcome::Cancelled);
    EXPECT_EQ(questions.size(), 1u);
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(fs::is_empty(folder.path));
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
    fs::create_symlink(airports, folder.path / "link.txt");
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

// Another program changes the chosen file while the dialog closes: a folder in
// its place is reported; a file removed is created afresh, as a new name would be.
TEST_F(SaveCommand, FileChangedBetweenDialogAndWrite)
{
    std::ofstream(plans, std::ios::binary) << kExampleLine;
    std::vector<SaveOutcome> outcomes;
    const auto saveAfter = [&](void (*change)(const fs::path &)) {
        SaveFrontEnd frontEnd{[this](const auto &prompt, const auto &title) { messages.emplace_back(prompt, title); },
                              [&](const auto &, const auto &) {
                                  change(plans);
                                  return std::optional<fs::path>(plans);
                              }};
        outcomes.push_back(runSaveCommand(kExample, remembered, frontEnd).outcome);
    };
    saveAfter([](const fs::path &p) { fs::remove(p); fs::create_directory(p); });
    EXPECT_TRUE(fs::is_empty(plans));
    saveAfter([](const fs::path &p) { fs::remove(p); });
    EXPECT_EQ(readBytes(plans), kExampleLine);
    EXPECT_EQ(outcomes, (std::vector<SaveOutcome>{SaveOutcome::WriteFailed, SaveOutcome::Saved}));
#ifdef _WIN32
    const std::string reason = std::system_category().message(ERROR_ACCESS_DENIED);
#else
    const std::string reason = std::generic_category().message(EISDIR);
#endif
    EXPECT_EQ(messages, (std::vector<TextPair>{{"Could not save the flight plan to " + plans.string() + ": " + reason,
                                                 "Save Flight Plan"}}));
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
    {"VfrByNumber",
     [](auto &in) {
         in.vfrSelected = in.flightNumberModeSelected = true;
         in.ifrSelected = in.callSignModeSelected = false;
     },
     {"IFR", "R"}, {"VFR", "F"}, exampleLine("VFR", "F")},
    {"NoneKeepsLast", [](auto &in) { in.ifrSelected = in.callSignModeSelected = false; }, {"VFR", "F"}, {"VFR", "F"},
     exampleLine("VFR", "F")},
    {"NoneEver", [](auto &in) { in.ifrSelected = in.callSignModeSelected = false; }, {}, {}, exampleLine("", "")},
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
     "AC#3,N541SP,50%,24Hr,IFR,00:00:00,00:00:00,050,R,0429,DEST,16:00:00,00:00:00,050,R,430,HOME\r\n"},
    {"OddTimesPass", [](auto &in) { in.departTngChecked = true; in.departTngText = in.returnTimeText = "99:99:01"; },
     {}, {"IFR", "R"},
     "AC#3,N541SP,50%,24Hr,IFR,12:00:00,TNG99:99:01,050,R,0429,DEST,99:99:01,00:00:00,050,R,430,HOME\r\n"},
    {"NoAircraftIndex", [](auto &in) { in.aircraftIndex = -1; }, {}, {"IFR", "R"}, ""},
};

INSTANTIATE_TEST_SUITE_P(Inputs, SavedLine, ::testing::ValuesIn(kSaves),
                         [](const auto &info) { return std::string(info.param.name); });

const std::string kLine = "AC#2,N2,25%,Week,VFR,08:00:00,TNG08:30:00,030,F,0429,DEST,18:00:00,00:00:00,030,F,430,HOME";

fs::path existingPlans(const fs::path &folder, fs::perms removed = fs::perms::none)
{
    std::ofstream(folder / "plans.txt", std::ios::binary) << kLine << "\r\n";
    fs::permissions(folder / "plans.txt", removed, fs::perm_options::remove);
    return folder / "plans.txt";
}

// Every entry under a folder, by its path inside it: a link's target, a file's
// bytes, or the type of anything else.
std::map<fs::path, std::string> snapshot(const fs::path &folder)
{
    std::map<fs::path, std::string> entries;
    for (const auto &item : fs::recursive_directory_iterator(folder))
        entries[item.path().lexically_relative(folder)] = item.is_symlink() ? "link to " + fs::read_symlink(item).string()
            : item.is_regular_file()                                        ? readBytes(item.path())
                                                                            : std::to_string(int(item.status().type()));
    return entries;
}

void appendBytes(const fs::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

// Acts through the append's test seam at one moment, for this object's lifetime.
class SeamAction
{
public:
    SeamAction(AppendMoment moment, std::function<void()> action)
    {
        setAppendSeam([moment, action = std::move(action)](AppendMoment now) {
            if (now == moment)
                action();
        });
    }
    ~SeamAction() { setAppendSeam({}); }
    SeamAction(const SeamAction &) = delete;
    SeamAction &operator=(const SeamAction &) = delete;
};

// A file's last line with and without its line end: the new plan always starts a line.
struct LineEndCase
{
    const char *name;
    std::optional<std::string> before;    // none: the file is missing
    std::string added;
};

void PrintTo(const LineEndCase &row, std::ostream *out) { *out << row.name; }

class LineEnd : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnd, NewPlanStartsALineOfItsOwn)
{
    const TempFolder folder;
    const fs::path plans = folder.path / "plans.txt";
    if (GetParam().before)
        std::ofstream(plans, std::ios::binary) << *GetParam().before;
    EXPECT_TRUE(AppendFlightPlanLine(plans, kLine).ok());
    EXPECT_EQ(readBytes(plans), GetParam().before.value_or("") + GetParam().added);
}

// The file moved away once the bytes are in: all of them, the added line end too, are taken back.
TEST_P(LineEnd, FailedWriteTakesBackTheAddedLineEnd)
{
    const TempFolder folder;
    const fs::path plans = folder.path / "plans.txt";
    if (GetParam().before)
        std::ofstream(plans, std::ios::binary) << *GetParam().before;
    FileResult result;
    {
        const SeamAction moveAway(AppendMoment::Written, [&] { fs::rename(plans, folder.path / "moved.txt"); });
        result = AppendFlightPlanLine(plans, kLine);
    }
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(snapshot(folder.path), (std::map<fs::path, std::string>{{"moved.txt", GetParam().before.value_or("")}}));
}

const LineEndCase kLineEnds[] = {
    {"NoLineEnd", "AC#1,N1", "\r\n" + kLine + "\r\n"},
    {"LineFeedOnly", "AC#1,N1\n", kLine + "\r\n"},
    {"CarriageReturnOnly", "AC#1,N1\r", kLine + "\r\n"},
    {"Empty", "", kLine + "\r\n"},
    {"Missing", std::nullopt, kLine + "\r\n"},
};

INSTANTIATE_TEST_SUITE_P(LastLines, LineEnd, ::testing::ValuesIn(kLineEnds),
                         [](const auto &info) { return std::string(info.param.name); });

// The codes each platform gives for a file gone from its path and for one replaced.
#ifdef _WIN32
constexpr unsigned long kWindowsFileNotFound = ERROR_FILE_NOT_FOUND;
constexpr unsigned long kWindowsFileReplaced = ERROR_FILE_INVALID;
constexpr std::errc kPosixFileReplaced{};
#else
constexpr std::errc kPosixFileReplaced = std::errc(ESTALE);
constexpr unsigned long kWindowsFileNotFound = 2;
constexpr unsigned long kWindowsFileReplaced = 1006;
#endif

// Another program acts on plans.txt at one moment of the append.
struct MeddleCase
{
    const char *name;
    bool existing;
    AppendMoment moment;
    void (*meddle)(const fs::path &plans);
    std::errc posixError;    // {} for success
    unsigned long windowsError;
    std::map<fs::path, std::string> after;
};

void PrintTo(const MeddleCase &row, std::ostream *out) { *out << row.name; }

class Meddled : public ::testing::TestWithParam<MeddleCase> {};

TEST_P(Meddled, LineIsKeptOnlyWhereTheUserLooks)
{
    const MeddleCase &row = GetParam();
    const TempFolder folder;
    const fs::path plans = row.existing ? existingPlans(folder.path) : folder.path / "plans.txt";
    FileResult result;
    {
        const SeamAction action(row.moment, [&] { row.meddle(plans); });
        result = AppendFlightPlanLine(plans, kLine);
    }
#ifdef _WIN32
    EXPECT_EQ(result.error.value(), int(row.windowsError)) << result.error.message();
#else
    EXPECT_TRUE(row.posixError == std::errc() ? result.ok() : result.error == row.posixError)
        << result.error.message();
#endif
    EXPECT_EQ(snapshot(folder.path), row.after);
}

const std::string kOld = kLine + "\r\n";
const std::string kNew = kLine + "\r\n";

const MeddleCase kMeddles[] = {
    {"RemovedBeforeWrite", true, AppendMoment::Opened, [](const auto &p) { fs::remove(p); },
     std::errc::no_such_file_or_directory, kWindowsFileNotFound, {}},
    {"MovedAwayBeforeWrite", true, AppendMoment::Opened,
     [](const auto &p) { fs::rename(p, p.parent_path() / "moved.txt"); }, std::errc::no_such_file_or_directory,
     kWindowsFileNotFound, {{"moved.txt", kOld}}},
    {"ReplacedBeforeWrite", true, AppendMoment::Opened,
     [](const auto &p) {
         fs::rename(p, p.parent_path() / "kept.txt");
         std::ofstream(p, std::ios::binary) << "other\r\n";
     },
     kPosixFileReplaced, kWindowsFileReplaced, {{"kept.txt", kOld}, {"plans.txt", "other\r\n"}}},
    {"OthersHalfLineBeforeOursGetsItsLineEnd", true, AppendMoment::Opened,
     [](const auto &p) { appendBytes(p, "other"); }, std::errc(), 0, {{"plans.txt", kOld + "other\r\n" + kNew}}},
    {"OthersBytesAfterOursStayAndOursBeforeThem", true, AppendMoment::Written,
     [](const auto &p) {
         appendBytes(p, "other\r\n");
         fs::rename(p, p.parent_path() / "moved.txt");
     },
     std::errc::no_such_file_or_directory, kWindowsFileNotFound, {{"moved.txt", kOld + kNew + "other\r\n"}}},
    {"CreatedFileMovedAwayIsCutBackNotRemoved", false, AppendMoment::Written,
     [](const auto &p) { fs::rename(p, p.parent_path() / "moved.txt"); }, std::errc::no_such_file_or_directory,
     kWindowsFileNotFound, {{"moved.txt", ""}}},
    {"CreatedFileRemovedBeforeWrite", false, AppendMoment::Opened, [](const auto &p) { fs::remove(p); },
     std::errc::no_such_file_or_directory, kWindowsFileNotFound, {}},
};

INSTANTIATE_TEST_SUITE_P(Meddles, Meddled, ::testing::ValuesIn(kMeddles),
                         [](const auto &info) { return std::string(info.param.name); });

#ifndef _WIN32
// A link in the folder to plans.txt in a subfolder that only root may change.
fs::path linkIntoReadOnlyFolder(const fs::path &folder, fs::perms filePermissions)
{
    fs::create_directory(folder / "locked");
    const fs::path plans = existingPlans(folder / "locked");
    fs::permissions(plans, filePermissions);
    fs::permissions(folder / "locked", fs::perms(0555));
    fs::create_symlink(plans.lexically_relative(folder), folder / "link.txt");
    return folder / "link.txt";
}

int openDescriptors()
{
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

// Holds the first open of a file in the folder until meddle has run, as if
// another program changed the folder after the append looked the file up and
// before it wrote: a moment no test could hit otherwise. Needs the right to
// watch file opens (root).
class OpenInterception
{
public:
    OpenInterception(const fs::path &folder, std::function<void()> meddle)
        : m_fanotify(fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_CLOEXEC))
    {
        if (m_fanotify < 0 || pipe2(m_stop, O_CLOEXEC) != 0
            || fanotify_mark(m_fanotify, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD, AT_FDCWD, folder.c_str())
                != 0)
            return;
        m_thread = std::thread([this, meddle = std::move(meddle)] { answer(meddle); });
    }
    ~OpenInterception()
    {
        if (m_thread.joinable()) {
            EXPECT_EQ(write(m_stop[1], "", 1), 1);
            m_thread.join();
        }
        for (const int fd : {m_fanotify, m_stop[0], m_stop[1]})
            if (fd >= 0)
                close(fd);
    }
    OpenInterception(const OpenInterception &) = delete;
    OpenInterception &operator=(const OpenInterception &) = delete;

    bool watching() const { return m_thread.joinable(); }

private:
    void answer(const std::function<void()> &meddle)
    {
        bool meddled = false;
        for (;;) {
            pollfd ready[] = {{m_fanotify, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
            if (poll(ready, 2, -1) < 0)
                continue;
            if (!(ready[0].revents & POLLIN))
                return;
            alignas(fanotify_event_metadata) char buffer[4096];
            const ssize_t size = read(m_fanotify, buffer, sizeof buffer);
            auto *event = reinterpret_cast<fanotify_event_metadata *>(buffer);
            for (ssize_t left = size; FAN_EVENT_OK(event, left); event = FAN_EVENT_NEXT(event, left)) {
                if (!std::exchange(meddled, true))
                    meddle();
                close(event->fd);    // before the answer, so the appender never sees it open
                const fanotify_response allow{event->fd, FAN_ALLOW};
                EXPECT_EQ(write(m_fanotify, &allow, sizeof allow), ssize_t(sizeof allow));
            }
        }
    }

    int m_fanotify;
    int m_stop[2] = {-1, -1};
    std::thread m_thread;
};

// Root writes through permission bits, so AsNobody runs the append as "nobody";
// SizeLimit lets four bytes of the line in before the write fails; FullDevice
// needs a /dev/full that really refuses writes, which some sandboxes do not give.
enum Condition : unsigned { None = 0, AsNobody = 1, SizeLimit = 2, FullDevice = 4 };

bool deviceIsFull(const char *path)
{
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool full = write(fd, "x", 1) < 0 && errno == ENOSPC;
    close(fd);
    return full;
}

struct FaultCase
{
    const char *name;
    fs::path (*prepare)(const fs::path &folder);
    unsigned conditions;
    std::errc expected;
    // Done to the target while the append opens it.
    void (*meddle)(const fs::path &target) = nullptr;
    // Done through the append's seam at this moment; kept: the bytes of ours that stay before it.
    AppendMoment moment = AppendMoment::Opened;
    void (*seam)(const fs::path &target) = nullptr;
    std::string kept = {};
    std::uintmax_t room = 4;    // bytes the size limit lets in
};

// Another appender, not held to this process's size limit.
void appendUnlimited(const fs::path &target, const std::string &bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit lifted{limit.rlim_max, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &lifted);
    appendBytes(target, bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

void PrintTo(const FaultCase &row, std::ostream *out) { *out << row.name; }

// Ignores SIGXFSZ for its lifetime and puts back on destruction what a fault
// case changes in the process: the file-size limit, the signal's disposition
// and the effective user.
class ProcessStateGuard
{
public:
    ProcessStateGuard()
        : m_user(geteuid())
        , m_signal(std::signal(SIGXFSZ, SIG_IGN))
    {
        EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &m_limit), 0);
    }
    ~ProcessStateGuard()
    {
        EXPECT_EQ(seteuid(m_user), 0);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &m_limit), 0);
        std::signal(SIGXFSZ, m_signal);
    }
    ProcessStateGuard(const ProcessStateGuard &) = delete;
    ProcessStateGuard &operator=(const ProcessStateGuard &) = delete;

    const rlimit &limit() const { return m_limit; }

private:
    uid_t m_user;
    void (*m_signal)(int);
    rlimit m_limit{};
};

class WriteFault : public ::testing::TestWithParam<FaultCase> {};

// The folder ends as the meddling alone leaves it: every byte that was there
// stays, no part of the line is anywhere, and no descriptor stays open.
TEST_P(WriteFault, IsReportedAndLeavesTheFolderAsItWas)
{
    const FaultCase &row = GetParam();
    const TempFolder folder;
    const TempFolder untouched;
    if ((row.conditions & FullDevice) && !deviceIsFull("/dev/full"))
        GTEST_SKIP() << "/dev/full accepts writes here";
    const fs::path target = row.prepare(folder.path);
    const fs::path untouchedTarget = row.prepare(untouched.path);
    if (row.meddle)
        row.meddle(untouchedTarget);
    if (!row.kept.empty())
        appendBytes(untouchedTarget, row.kept);
    if (row.seam)
        row.seam(untouchedTarget);
    const int descriptors = openDescriptors();
    FileResult result;
    {
        const ProcessStateGuard guard;
        std::optional<OpenInterception> interception;
        if (row.meddle && !interception.emplace(target.parent_path(), [&] { row.meddle(target); }).watching())
            GTEST_SKIP() << "file opens cannot be watched here";
        if ((row.conditions & AsNobody) && geteuid() == 0) {
            ASSERT_EQ(seteuid(65534), 0);
        }
        if (row.conditions & SizeLimit) {
            const rlimit lowered{(fs::is_regular_file(target) ? fs::file_size(target) : 0) + row.room,
                                 guard.limit().rlim_max};
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        }
        const SeamAction action(row.moment, [&] {
            if (row.seam)
                row.seam(target);
        });
        result = AppendFlightPlanLine(target, kLine);
    }
    EXPECT_TRUE(result.error == row.expected) << result.error.message();
    EXPECT_EQ(snapshot(folder.path), snapshot(untouched.path));
    EXPECT_EQ(openDescriptors(), descriptors);
}

const FaultCase kFaults[] = {
    {"Directory", [](const auto &f) { return existingPlans(f).parent_path(); }, None, std::errc::is_a_directory},
    {"ReadOnlyFile", [](const auto &f) { return existingPlans(f, fs::perms(0222)); }, AsNobody,
     std::errc::permission_denied},
    {"MissingFolder", [](const auto &f) { return f / "missing" / "plans.txt"; }, None,
     std::errc::no_such_file_or_directory},
    {"ParentIsAFile", [](const auto &f) { return existingPlans(f) / "plans.txt"; }, None, std::errc::not_a_directory},
    {"PipeWithNoReader", [](const auto &f) { return mkfifo((f / "p").c_str(), 0666) ? fs::path() : f / "p"; }, None,
     std::errc::no_such_device_or_address},
    {"FullDisk", [](const auto &) { return fs::path("/dev/full"); }, FullDevice, std::errc::no_space_on_device},
    {"HalfWrittenLineIsCutBack", [](const auto &f) { return existingPlans(f); }, SizeLimit, std::errc::file_too_large},
    {"HalfWrittenNewFileIsRemoved", [](const auto &f) { return f / "plans.txt"; }, SizeLimit,
     std::errc::file_too_large},
    {"LinkToNothingCreatesNoTarget",
     [](const auto &f) {
         fs::create_symlink("gone.txt", f / "link.txt");
         return f / "link.txt";
     },
     None, std::errc::no_such_file_or_directory},
    {"LinkToReadOnlyFileInReadOnlyFolder", [](const auto &f) { return linkIntoReadOnlyFolder(f, fs::perms(0444)); },
     AsNobody, std::errc::permission_denied},
    {"HalfWrittenLineThroughLinkIntoReadOnlyFolder",
     [](const auto &f) { return linkIntoReadOnlyFolder(f, fs::perms(0666)); }, AsNobody | SizeLimit,
     std::errc::file_too_large},
    {"ExistingEmptyFileStays", [](const auto &f) { std::ofstream(f / "plans.txt"); return f / "plans.txt"; },
     SizeLimit, std::errc::file_too_large},
    {"RemovedWhileOpening", [](const auto &f) { return existingPlans(f); }, None, std::errc::no_such_file_or_directory,
     [](const auto &target) { fs::remove(target); }},
    {"ReplacedByAFolderWhileOpening", [](const auto &f) { return existingPlans(f); }, None, std::errc::is_a_directory,
     [](const auto &target) { fs::remove(target); fs::create_directory(target); }},
    {"MovedAwayWhileOpeningKeepsItsBytes", [](const auto &f) { return existingPlans(f); }, None,
     std::errc::no_such_file_or_directory,
     [](const auto &target) { fs::rename(target, target.parent_path() / "moved.txt"); }},
    {"ReplacedByAnotherFileWhileOpening",
     [](const auto &f) {
         fs::create_hard_link(existingPlans(f), f / "kept.txt");
         std::ofstream(f / "other.txt", std::ios::binary) << "other\r\n";
         return f / "plans.txt";
     },
     None, std::errc(ESTALE),
     [](const auto &target) { fs::rename(target.parent_path() / "other.txt", target); }},
    {"HalfWrittenLineAfterNoLineEndIsCutBack",
     [](const auto &f) {
         std::ofstream(f / "plans.txt", std::ios::binary) << kLine;
         return f / "plans.txt";
     },
     SizeLimit, std::errc::file_too_large},
    {"OthersBytesAfterOurHalfLineStay", [](const auto &f) { return existingPlans(f); }, SizeLimit,
     std::errc::file_too_large, nullptr, AppendMoment::Written,
     [](const auto &target) { appendUnlimited(target, "other\r\n"); }, kLine.substr(0, 4)},
    {"CreatedFileSomeoneWroteIntoStays", [](const auto &f) { return f / "plans.txt"; }, SizeLimit,
     std::errc::file_too_large, nullptr, AppendMoment::Opened,
     [](const auto &target) { appendBytes(target, "other\r\n"); }, "", 7 + 4},
    // The file this call created is gone from the path: the one there now is not removed.
    {"HalfWrittenNewFileReplacedWhileOpening",
     [](const auto &f) {
         std::ofstream(f / "other.txt", std::ios::binary) << "other\r\n";
         return f / "plans.txt";
     },
     SizeLimit, std::errc::file_too_large,
     [](const auto &target) { fs::rename(target.parent_path() / "other.txt", target); }},
};

INSTANTIATE_TEST_SUITE_P(Faults, WriteFault, ::testing::ValuesIn(kFaults),
                         [](const auto &info) { return std::string(info.param.name); });
#endif

#ifdef _WIN32
// Only when no handle to a file is left open anywhere can it be opened without sharing.
bool openedAlone(const fs::path &file)
{
    const HANDLE alone = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ::CloseHandle(alone);
    return alone != INVALID_HANDLE_VALUE;
}

// Another process, holdfile.exe from this test's folder, holds the file open
// without sharing for the lifetime of this object.
class HeldElsewhere
{
public:
    explicit HeldElsewhere(const fs::path &file)
    {
        const std::string id = std::to_string(::GetCurrentProcessId());
        m_held = ::CreateEventA(nullptr, TRUE, FALSE, ("zephlan-held-" + id).c_str());
        m_release = ::CreateEventA(nullptr, TRUE, FALSE, ("zephlan-release-" + id).c_str());
        std::wstring self(MAX_PATH, L'\0');
        self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
        std::string command = '"' + (fs::path(self).parent_path() / "holdfile.exe").string() + "\" \""
            + file.string() + "\" zephlan-held-" + id + " zephlan-release-" + id;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        EXPECT_TRUE(::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                     &process))
            << command;
        m_process = process.hProcess;
        ::CloseHandle(process.hThread);
        const HANDLE either[] = {m_held, m_process};
        EXPECT_EQ(::WaitForMultipleObjects(2, either, FALSE, 10000), WAIT_OBJECT_0) << "the file is not held";
    }
    ~HeldElsewhere()
    {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_process, 10000);
        for (const HANDLE handle : {m_process, m_held, m_release})
            ::CloseHandle(handle);
    }
    HeldElsewhere(const HeldElsewhere &) = delete;
    HeldElsewhere &operator=(const HeldElsewhere &) = delete;

private:
    HANDLE m_held = nullptr;
    HANDLE m_release = nullptr;
    HANDLE m_process = nullptr;
};

// A drive of a few KiB that the test set-up mounts (as root) and maps into the
// Wine prefix; empty when it is missing.
fs::path smallDrive(char letter)
{
    const fs::path root = std::string(1, letter) + ":\\";
    ULARGE_INTEGER total{};
    if (!::GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr))
        return {};
    EXPECT_LE(total.QuadPart, 1u << 20) << root << " is not the small drive the set-up mounts";
    return root;
}

// Fills the drive with a file; leaving a page, one page of it is given back.
void fillDrive(const fs::path &filler, bool leaveAPage)
{
    const HANDLE file = ::CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string block(4096, 'f');
    DWORD written = 0;
    while (::WriteFile(file, block.data(), DWORD(block.size()), &written, nullptr) && written == block.size()) {
    }
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    size.QuadPart = size.QuadPart / 4096 * 4096 - (leaveAPage ? 4096 : 0);
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile = size;
    EXPECT_TRUE(!leaveAPage || ::SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end));
    ::CloseHandle(file);
}

struct WindowsFaultCase
{
    const char *name;
    fs::path (*prepare)(const fs::path &folder);
    bool heldElsewhere;
    DWORD expected;
    char drive = 0;             // a small drive, filled up after prepare
    std::size_t lineLength = 0;    // a line this long instead of kLine
    std::string others = {};    // written into the file by another program once it is opened
};

void PrintTo(const WindowsFaultCase &row, std::ostream *out) { *out << row.name; }

class WindowsWriteFault : public ::testing::TestWithParam<WindowsFaultCase> {};

TEST_P(WindowsWriteFault, IsReportedAndLeavesTheFolderAsItWas)
{
    const WindowsFaultCase &row = GetParam();
    const fs::path base = row.drive ? smallDrive(row.drive) : fs::temp_directory_path();
    if (base.empty())
        GTEST_SKIP() << row.drive << ": is missing: the test set-up mounts it when run as root";
    const TempFolder folder(base);
    const fs::path target = row.prepare(folder.path);
    if (row.drive)
        fillDrive(folder.path / "filler", !fs::exists(target));
    auto expected = snapshot(folder.path);
    if (!row.others.empty())
        expected[target.filename()] += row.others;
    FileResult result;
    {
        std::optional<HeldElsewhere> held;
        if (row.heldElsewhere)
            held.emplace(target);
        // Opened as another save would open it: a created file is held with delete access.
        const SeamAction others(AppendMoment::Opened, [&] {
            const HANDLE other = ::CreateFileW(target.c_str(), FILE_APPEND_DATA,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, 0, nullptr);
            DWORD written = 0;
            ::WriteFile(other, row.others.data(), DWORD(row.others.size()), &written, nullptr);
            ::CloseHandle(other);
        });
        result = AppendFlightPlanLine(target, row.lineLength ? std::string(row.lineLength, 'L') : kLine);
    }
    EXPECT_EQ(result.error, std::error_code(int(row.expected), std::system_category())) << result.error.message();
    EXPECT_EQ(snapshot(folder.path), expected);
    if (fs::is_regular_file(target)) {
        EXPECT_TRUE(openedAlone(target));
    }
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Existing files on a full drive end a few bytes before their last page does.
fs::path almostAPage(const fs::path &folder, const std::string &end)
{
    std::ofstream(folder / "plans.txt", std::ios::binary) << std::string(4090 - end.size(), 'x') << end;
    return folder / "plans.txt";
}

const WindowsFaultCase kWindowsFaults[] = {
    {"ReadOnlyFile",
     [](const auto &f) {
         const fs::path plans = existingPlans(f);
         ::SetFileAttributesW(plans.c_str(), FILE_ATTRIBUTE_READONLY);
         return plans;
     },
     false, ERROR_ACCESS_DENIED},
    {"Directory", [](const auto &f) { return existingPlans(f).parent_path(); }, false, ERROR_ACCESS_DENIED},
    {"MissingFolder", [](const auto &f) { return f / "missing" / "plans.txt"; }, false, ERROR_PATH_NOT_FOUND},
    {"HeldWithoutSharing", [](const auto &f) { return existingPlans(f); }, true, ERROR_SHARING_VIOLATION},
    {"DriveFullMidLine", [](const auto &f) { return almostAPage(f, "\r\n"); }, false, ERROR_DISK_FULL, 'T'},
    {"DriveFullMidLineEndAdded", [](const auto &f) { return almostAPage(f, ""); }, false, ERROR_DISK_FULL, 'U'},
    {"DriveFullMidLineNewFileIsRemoved", [](const auto &f) { return f / "plans.txt"; }, false, ERROR_DISK_FULL, 'V',
     5000},
    {"DriveFullCreatedFileSomeoneWroteIntoStays", [](const auto &f) { return f / "plans.txt"; }, false,
     ERROR_DISK_FULL, 'W', 5000, "other\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Faults, WindowsWriteFault, ::testing::ValuesIn(kWindowsFaults),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(AppendLine, LeavesNoHandleOpen)
{
    const TempFolder folder;
    const fs::path plans = folder.path / "plans.txt";
    ASSERT_TRUE(AppendFlightPlanLine(plans, kLine).ok());
    EXPECT_TRUE(openedAlone(plans));
    ASSERT_TRUE(AppendFlightPlanLine(plans, kLine).ok());
    EXPECT_TRUE(openedAlone(plans));
    EXPECT_EQ(readBytes(plans), kLine + "\r\n" + kLine + "\r\n");
}
#endif

#ifndef _WIN32
// A link to a file in a folder the user may not change: the line goes to the
// end of that file, and nothing is created or replaced beside it.
TEST(AppendLine, ThroughALinkIntoAReadOnlyFolder)
{
    const TempFolder folder;
    const fs::path link = linkIntoReadOnlyFolder(folder.path, fs::perms(0666));
    auto expected = snapshot(folder.path);
    expected["locked/plans.txt"] += kLine + "\r\n";
    {
        const ProcessStateGuard guard;
        if (geteuid() == 0) {
            ASSERT_EQ(seteuid(65534), 0);
        }
        EXPECT_TRUE(AppendFlightPlanLine(link, kLine).ok());
    }
    EXPECT_EQ(snapshot(folder.path), expected);
}

// Two processes append to one file at once: every line arrives whole and
// exactly as composed, each writer's lines in its own order.
TEST(AppendLine, ConcurrentProcessesNeverSplitALine)
{
    constexpr int kLines = 10000;
    const TempFolder folder;
    const fs::path plans = folder.path / "plans.txt";
    const auto lineOf = [](char writer, int number) {
        const std::string flightNumber = std::to_string(number);
        return ComposeFlightPlanLine({"3", std::string(1, writer) + "541SP", "50", "24Hr", "IFR", "12:00:00",
                                      "00:00:00", "050", "R", flightNumber, "DEST", "16:00:00", "00:00:00",
                                      ReturnFlightNumber(flightNumber).value(), "HOME"});
    };
    const auto appendAll = [&](char writer) {
        int failures = 0;
        for (int i = 0; i < kLines; ++i)
            failures += AppendFlightPlanLine(plans, lineOf(writer, i)).ok() ? 0 : 1;
        return failures;
    };
    const int descriptors = openDescriptors();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(appendAll('B') == 0 ? 0 : 1);
    EXPECT_EQ(appendAll('A'), 0);
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(openDescriptors(), descriptors);

    std::istringstream content(readBytes(plans));
    std::map<char, int> next;
    for (std::string line; std::getline(content, line);) {
        const char writer = line.size() > 5 ? line[5] : '?';
        ASSERT_EQ(line, lineOf(writer, next[writer]++) + '\r');
    }
    EXPECT_EQ(next, (std::map<char, int>{{'A', kLines}, {'B', kLines}}));
}
#else
// Two appenders racing on one file: each line arrives whole, in its writer's order.
TEST(AppendLine, ConcurrentAppendersNeverSplitALine)
{
    const TempFolder folder;
    const fs::path plans = folder.path / "plans.txt";
    const auto appendAll = [&](char writer) {
        for (int i = 0; i < 1000; ++i)
            ASSERT_TRUE(AppendFlightPlanLine(plans, std::string(150, writer) + std::to_string(i)).ok());
    };
    std::thread first(appendAll, 'A');
    appendAll('B');
    first.join();

    std::istringstream content(readBytes(plans));
    std::map<char, int> next;
    for (std::string line; std::getline(content, line);)
        ASSERT_EQ(line, std::string(150, line[0]) + std::to_string(next[line[0]]++) + '\r');
    EXPECT_EQ(next, (std::map<char, int>{{'A', 1000}, {'B', 1000}}));
}
#endif

} // namespace
} // namespace zephlan
