#include "core/FlightPlanFile.h"
#include "core/SaveCommand.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <thread>
#include <tuple>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
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
    fs::path path = fs::temp_directory_path() / ("zephlan-core-" + std::to_string(std::random_device()()));
    TempFolder() { EXPECT_TRUE(fs::create_directory(path)) << path; }
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
                          .returnTimeText = "16:00:00", .departTngText = "06:30:00", .destTngText = "17:15:00",
                          .ifrSelected = true, .callSignModeSelected = true, .callSignText = "N541SP",
                          .flightNoText = "0429", .flightLevelText = "050", .percentText = "50"};

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
    Change unfill;
    EntryProblem problem;
};

// The input each check looks at, left unfilled, in the order of the checks.
const Check kChecks[] = {
    {[](auto &in) { in.departTngChecked = true; in.departTngText = "00:00:00"; },
     {"Please Enter TNG Time", "Enter Time"}},
    {[](auto &in) { in.destTngChecked = true; in.destTngText = "00:00:00"; }, {"Please Enter TNG Time", "Enter Time"}},
    {[](auto &in) { in.departureText.clear(); }, {"Select or Search for Departure Airport from list", "Open Airports"}},
    {[](auto &in) { in.destinationText.clear(); },
     {"Select or Search for Destination Airport from list", "Open Airports"}},
    {[](auto &in) { in.aircraftText.clear(); }, {"Select Aircraft from list", "Open Aircrafts"}},
    {[](auto &in) { in.durationText.clear(); }, {"Select Duration", "Select Duration"}},
    {[](auto &in) { in.departureTimeText = "00:00:00"; }, {"Enter Departure Time", "Departure Time"}},
    {[](auto &in) { in.returnTimeText = "00:00:00"; }, {"Enter Return Time", "Return Time"}},
    {[](auto &in) { in.callSignText.clear(); }, {"Enter Call Sign", "Call Sign"}},
    {[](auto &in) { in.flightNoText.clear(); }, {"Enter Flight Number", "Flight Number"}},
    {[](auto &in) { in.flightLevelText.clear(); }, {"Enter Flight Level  ie. 050 = 5000ft ", "Flight Level"}},
    {[](auto &in) { in.percentText.clear(); }, {"Enter desired AI percentage", "AI Percentage"}},
};

class EntryCheck : public ::testing::TestWithParam<int> {};

TEST_P(EntryCheck, FiresAloneAndBeforeEveryLaterCheck)
{
    SaveInputs alone = kExample;
    SaveInputs withLater = kExample;
    kChecks[GetParam()].unfill(alone);
    for (int i = GetParam(); i < 12; ++i)
        kChecks[i].unfill(withLater);
    EXPECT_EQ(ValidateEntry(alone), kChecks[GetParam()].problem);
    EXPECT_EQ(ValidateEntry(withLater), kChecks[GetParam()].problem);
}

INSTANTIATE_TEST_SUITE_P(Checks, EntryCheck, ::testing::Range(0, 12),
                         [](const auto &info) { return "Check" + std::to_string(info.param + 1); });

// Records what the command shows and asks, and answers the save question.
class SaveCommand : public ::testing::Test
{
protected:
    SaveOutcome save(const SaveInputs &inputs)
    {
        return runSaveCommand(inputs, remembered,
                              {[this](const auto &prompt, const auto &title) { messages.emplace_back(prompt, title); },
                               [this](const auto &filter, const auto &name) {
                                   questions.emplace_back(filter, name);
                                   return answer;
                               }});
    }

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
    EXPECT_EQ(readBytes(plans), "no line end" + kExampleLine
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
    answer = folder.path / fs::path(u8"Fl\u00fcge \u20ac\u65e5") / "plans.txt";
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

    EXPECT_EQ(save(inputs), row.written.empty() ? SaveOutcome::MissingInput : SaveOutcome::Saved);
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
    {"Check12FailsTakesNew", [](auto &in) { kChecks[11].unfill(in); }, {}, {"IFR", "R"}, ""},
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

// Every entry under a folder: a file's bytes, or the type of anything else.
std::map<fs::path, std::string> snapshot(const fs::path &folder)
{
    std::map<fs::path, std::string> entries;
    for (const auto &item : fs::recursive_directory_iterator(folder))
        entries[item.path()] = item.is_regular_file() ? readBytes(item.path())
                                                      : std::to_string(int(item.status().type()));
    return entries;
}

#ifndef _WIN32
// Root writes through permission bits, so AsNobody runs the append as "nobody";
// SizeLimit lets four bytes of the line in before the write fails.
enum class Condition { None, AsNobody, SizeLimit };

struct FaultCase
{
    const char *name;
    fs::path (*prepare)(const fs::path &folder);
    Condition condition;
    std::errc expected;
};

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

TEST_P(WriteFault, IsReportedAndLeavesTheFolderAsItWas)
{
    const TempFolder folder;
    const fs::path target = GetParam().prepare(folder.path);
    const auto before = snapshot(folder.path);
    FileResult result;
    {
        const ProcessStateGuard guard;
        if (GetParam().condition == Condition::AsNobody && geteuid() == 0) {
            ASSERT_EQ(seteuid(65534), 0);
        }
        if (GetParam().condition == Condition::SizeLimit) {
            const rlimit lowered{(fs::is_regular_file(target) ? fs::file_size(target) : 0) + 4, guard.limit().rlim_max};
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        }
        result = AppendFlightPlanLine(target, kLine);
    }
    EXPECT_TRUE(result.error == GetParam().expected) << result.error.message();
    EXPECT_EQ(snapshot(folder.path), before);
}

const FaultCase kFaults[] = {
    {"Directory", [](const auto &f) { return existingPlans(f).parent_path(); }, Condition::None,
     std::errc::is_a_directory},
    {"ReadOnlyFile", [](const auto &f) { return existingPlans(f, fs::perms(0222)); }, Condition::AsNobody,
     std::errc::permission_denied},
    {"MissingFolder", [](const auto &f) { return f / "missing" / "plans.txt"; }, Condition::None,
     std::errc::no_such_file_or_directory},
    {"ParentIsAFile", [](const auto &f) { return existingPlans(f) / "plans.txt"; }, Condition::None,
     std::errc::not_a_directory},
    {"PipeWithNoReader", [](const auto &f) { return mkfifo((f / "p").c_str(), 0666) ? fs::path() : f / "p"; },
     Condition::None, std::errc::no_such_device_or_address},
    {"FullDisk", [](const auto &) { return fs::path("/dev/full"); }, Condition::None, std::errc::no_space_on_device},
    {"HalfWrittenLineIsCutBack", [](const auto &f) { return existingPlans(f); }, Condition::SizeLimit,
     std::errc::file_too_large},
    {"HalfWrittenNewFileIsRemoved", [](const auto &f) { return f / "plans.txt"; }, Condition::SizeLimit,
     std::errc::file_too_large},
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

struct WindowsFaultCase
{
    const char *name;
    fs::path (*prepare)(const fs::path &folder);
    bool heldElsewhere;
    DWORD expected;
};

void PrintTo(const WindowsFaultCase &row, std::ostream *out) { *out << row.name; }

class WindowsWriteFault : public ::testing::TestWithParam<WindowsFaultCase> {};

TEST_P(WindowsWriteFault, IsReportedAndLeavesTheFolderAsItWas)
{
    const TempFolder folder;
    const fs::path target = GetParam().prepare(folder.path);
    const auto before = snapshot(folder.path);
    FileResult result;
    {
        std::optional<HeldElsewhere> held;
        if (GetParam().heldElsewhere)
            held.emplace(target);
        result = AppendFlightPlanLine(target, kLine);
    }
    EXPECT_EQ(result.error, std::error_code(int(GetParam().expected), std::system_category()))
        << result.error.message();
    EXPECT_EQ(snapshot(folder.path), before);
    if (fs::is_regular_file(target)) {
        EXPECT_TRUE(openedAlone(target));
    }
    ::SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
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

} // namespace
} // namespace zephlan
