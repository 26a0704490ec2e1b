#include "core/FlightPlan.h"
#include "core/FlightPlanFile.h"
#include "core/NumberText.h"
#include "core/testing/FileFaults.h"
#include "core/testing/TempFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zephlan {
namespace {

namespace fs = std::filesystem;

// A file's last line with and without its line end: the new plan always starts a line.
struct LineEndCase
{
    const char *name;
    std::optional<std::string> before;    // none: the file is missing
    std::string added;
};

void PrintTo(const LineEndCase &row, std::ostream *out) { *out << row.name; }

class LineEnd : public ::testing::TestWithParam<LineEndCase>
{
protected:
    void SetUp() override
    {
        if (GetParam().before)
            std::ofstream(plans, std::ios::binary) << *GetParam().before;
    }
    const TempFolder folder;
    const fs::path plans = folder.path / "plans.txt";
};

TEST_P(LineEnd, NewPlanStartsALineOfItsOwn)
{
    EXPECT_TRUE(AppendFlightPlanLine(plans, kLine).ok());
    EXPECT_EQ(readBytes(plans), GetParam().before.value_or("") + GetParam().added);
}

// The file moved away once the bytes are in: all of them, the added line end too, are taken back.
TEST_P(LineEnd, FailedWriteTakesBackTheAddedLineEnd)
{
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
constexpr unsigned long kWindowsPathNotFound = ERROR_PATH_NOT_FOUND;
constexpr unsigned long kWindowsAccessDenied = ERROR_ACCESS_DENIED;
constexpr unsigned long kWindowsFileReplaced = ERROR_FILE_INVALID;
constexpr std::errc kPosixFileReplaced{};
#else
constexpr std::errc kPosixFileReplaced = std::errc(ESTALE);
constexpr unsigned long kWindowsFileNotFound = 2;
constexpr unsigned long kWindowsPathNotFound = 3;
constexpr unsigned long kWindowsAccessDenied = 5;
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
     [](const auto &p) { fs::rename(p, p.parent_path() / "kept.txt"); std::ofstream(p, std::ios::binary) << "other\r\n"; },
     kPosixFileReplaced, kWindowsFileReplaced, {{"kept.txt", kOld}, {"plans.txt", "other\r\n"}}},
    {"OthersHalfLineBeforeOursGetsItsLineEnd", true, AppendMoment::Opened,
     [](const auto &p) { appendBytes(p, "other"); }, std::errc(), 0, {{"plans.txt", kOld + "other\r\n" + kNew}}},
    {"OthersBytesAfterOursStayAndOursBeforeThem", true, AppendMoment::Written,
     [](const auto &p) { appendBytes(p, "other\r\n"); fs::rename(p, p.parent_path() / "moved.txt"); },
     std::errc::no_such_file_or_directory, kWindowsFileNotFound, {{"moved.txt", kOld + kNew + "other\r\n"}}},
    {"CreatedFileMovedAwayIsCutBackNotRemoved", false, AppendMoment::Written,
     [](const auto &p) { fs::rename(p, p.parent_path() / "moved.txt"); }, std::errc::no_such_file_or_directory,
     kWindowsFileNotFound, {{"moved.txt", ""}}},
    {"CreatedFileRemovedBeforeWrite", false, AppendMoment::Opened, [](const auto &p) { fs::remove(p); },
     std::errc::no_such_file_or_directory, kWindowsFileNotFound, {}},
};

INSTANTIATE_TEST_SUITE_P(Meddles, Meddled, ::testing::ValuesIn(kMeddles),
                         [](const auto &info) { return std::string(info.param.name); });

class WriteFault : public ::testing::TestWithParam<FaultCase> {};

fs::path plansThere(const fs::path &folder) { return existingPlans(folder); }
fs::path noPlans(const fs::path &folder) { return folder / "plans.txt"; }


// The folder ends as the meddling alone leaves it: every byte that was there
// stays, and no part of the line is anywhere.
TEST_P(WriteFault, IsReportedAndLeavesTheFolderAsItWas)
{
    const FaultCase &row = GetParam();
#ifdef _WIN32
    const fs::path base = row.drive ? smallDrive(row.drive) : fs::temp_directory_path();
    if (base.empty())
        GTEST_SKIP() << row.drive << ": is missing: the test set-up mounts it when run as root";
    const std::error_code expected(int(row.windowsError), std::system_category());
#else
    if ((row.conditions & FullDevice) && !deviceIsFull("/dev/full"))
        GTEST_SKIP() << "/dev/full accepts writes here";
    const fs::path base = fs::temp_directory_path();
    const std::error_condition expected = std::make_error_condition(row.posixError);
#endif
    const TempFolder folder(base);
    const TempFolder untouched;
    const fs::path target = row.prepare(folder.path);
    const fs::path untouchedTarget = row.prepare(untouched.path);
    if (row.meddle)
        row.meddle(untouchedTarget);
    if (!row.kept.empty())
        appendBytes(untouchedTarget, row.kept);
    if (row.seam)
        row.seam(untouchedTarget);
    const std::optional<FileResult> result =
        appendWithFault(row, target, row.lineLength ? std::string(row.lineLength, 'L') : kLine);
    if (!result)
        GTEST_SKIP() << "file opens cannot be watched here";
    EXPECT_TRUE(result->error == expected) << result->error.message();
    EXPECT_EQ(snapshot(folder.path), snapshot(untouched.path));
#ifdef _WIN32
    for (const fs::path &file : {target, untouchedTarget})
        ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
}

const FaultCase kFaults[] = {
    {"Directory", [](const auto &f) { return existingPlans(f).parent_path(); }, None, std::errc::is_a_directory,
     kWindowsAccessDenied},
    {"ReadOnlyFile", readOnlyPlans, AsNobody, std::errc::permission_denied, kWindowsAccessDenied},
    {"MissingFolder", [](const auto &f) { return f / "missing" / "plans.txt"; }, None,
     std::errc::no_such_file_or_directory, kWindowsPathNotFound},
    {"LinkToNothingCreatesNoTarget", linkToNothing, None, std::errc::no_such_file_or_directory, kWindowsFileNotFound,
     nullptr, AppendMoment::Opened, nullptr, "", 4, kLinkDrive},
#ifndef _WIN32
    {"ParentIsAFile", [](const auto &f) { return existingPlans(f) / "plans.txt"; }, None, std::errc::not_a_directory,
     kNoWindowsRow},
    {"PipeWithNoReader", [](const auto &f) { return mkfifo((f / "p").c_str(), 0666) ? fs::path() : f / "p"; }, None,
     std::errc::no_such_device_or_address, kNoWindowsRow},
    {"FullDisk", [](const auto &) { return fs::path("/dev/full"); }, FullDevice,
     std::errc::no_space_on_device, kNoWindowsRow},
    {"HalfWrittenLineIsCutBack", plansThere, NoRoom, std::errc::file_too_large, kNoWindowsRow},
    {"HalfWrittenNewFileIsRemoved", noPlans, NoRoom, std::errc::file_too_large, kNoWindowsRow},
    {"LinkToReadOnlyFileInReadOnlyFolder", [](const auto &f) { return linkIntoReadOnlyFolder(f, fs::perms(0444)); },
     AsNobody, std::errc::permission_denied, kNoWindowsRow},
    {"HalfWrittenLineThroughLinkIntoReadOnlyFolder",
     [](const auto &f) { return linkIntoReadOnlyFolder(f, fs::perms(0666)); }, AsNobody | NoRoom,
     std::errc::file_too_large, kNoWindowsRow},
    {"ExistingEmptyFileStays", [](const auto &f) { std::ofstream(f / "plans.txt"); return f / "plans.txt"; },
     NoRoom, std::errc::file_too_large, kNoWindowsRow},
    {"RemovedWhileOpening", plansThere, None, std::errc::no_such_file_or_directory, kNoWindowsRow,
     [](const auto &target) { fs::remove(target); }},
    {"ReplacedByAFolderWhileOpening", plansThere, None, std::errc::is_a_directory, kNoWindowsRow,
     [](const auto &target) { fs::remove(target); fs::create_directory(target); }},
    {"MovedAwayWhileOpeningKeepsItsBytes", plansThere, None, std::errc::no_such_file_or_directory, kNoWindowsRow,
     [](const auto &target) { fs::rename(target, target.parent_path() / "moved.txt"); }},
    {"ReplacedByAnotherFileWhileOpening",
     [](const auto &f) {
         fs::create_hard_link(existingPlans(f), f / "kept.txt");
         std::ofstream(f / "other.txt", std::ios::binary) << "other\r\n";
         return f / "plans.txt";
     },
     None, std::errc(ESTALE), kNoWindowsRow,
     [](const auto &target) { fs::rename(target.parent_path() / "other.txt", target); }},
    {"HalfWrittenLineAfterNoLineEndIsCutBack",
     [](const auto &f) { std::ofstream(f / "plans.txt", std::ios::binary) << kLine; return f / "plans.txt"; }, NoRoom,
     std::errc::file_too_large, kNoWindowsRow},
    {"OthersBytesAfterOurHalfLineStay", plansThere, NoRoom, std::errc::file_too_large, kNoWindowsRow, nullptr,
     AppendMoment::Written, othersWrite, kLine.substr(0, 4)},
    {"CreatedFileSomeoneWroteIntoStays", noPlans, NoRoom, std::errc::file_too_large, kNoWindowsRow, nullptr,
     AppendMoment::Opened, [](const auto &target) { appendBytes(target, "other\r\n"); }, "", 7 + 4},
    // The file this call created is gone from the path: the one there now is not removed.
    {"HalfWrittenNewFileReplacedWhileOpening",
     [](const auto &f) { std::ofstream(f / "other.txt", std::ios::binary) << "other\r\n"; return f / "plans.txt"; },
     NoRoom, std::errc::file_too_large, kNoWindowsRow,
     [](const auto &target) { fs::rename(target.parent_path() / "other.txt", target); }},
#else
    {"HeldWithoutSharing", plansThere, HeldOpen, {}, ERROR_SHARING_VIOLATION},
    {"DriveFullMidLine", [](const auto &f) { return almostAPage(f, "\r\n"); }, NoRoom, {}, ERROR_DISK_FULL, nullptr,
     AppendMoment::Opened, nullptr, "", 4, 'T'},
    {"DriveFullMidLineEndAdded", [](const auto &f) { return almostAPage(f, ""); }, NoRoom, {}, ERROR_DISK_FULL,
     nullptr, AppendMoment::Opened, nullptr, "", 4, 'U'},
    {"DriveFullMidLineNewFileIsRemoved", noPlans, NoRoom, {}, ERROR_DISK_FULL,
     nullptr, AppendMoment::Opened, nullptr, "", 4, 'V', 5000},
    {"DriveFullCreatedFileSomeoneWroteIntoStays", noPlans, NoRoom, {},
     ERROR_DISK_FULL, nullptr, AppendMoment::Opened, othersWrite, "", 4, 'W', 5000},
#endif
};

INSTANTIATE_TEST_SUITE_P(Faults, WriteFault, ::testing::ValuesIn(kFaults),
                         [](const auto &info) { return std::string(info.param.name); });

#ifdef _WIN32
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
#endif

// Two processes append to one file at once: every line arrives whole and
// exactly as composed, each writer's lines in its own order.
TEST(AppendLine, ConcurrentProcessesNeverSplitALine)
{
    constexpr int kLines = 10000;
    const TempFolder folder;
    const fs::path plans = folder.path / "plans.txt";
    {
        OtherProgram first("appendlines", {plans.string(), "A", std::to_string(kLines)});
        OtherProgram second("appendlines", {plans.string(), "B", std::to_string(kLines)});
        EXPECT_EQ(first.wait(), 0);
        EXPECT_EQ(second.wait(), 0);
    }
    std::istringstream content(readBytes(plans));
    std::map<char, int> next;
    for (std::string line; std::getline(content, line);) {
        const char writer = line.size() > 5 ? line[5] : '?';
        ASSERT_EQ(line, numberedLine(writer, next[writer]++) + '\r');
    }
    EXPECT_EQ(next, (std::map<char, int>{{'A', kLines}, {'B', kLines}}));
}

} // namespace
} // namespace zephlan
