#include "FlightPlanFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <map>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlan {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::writeBytes;

const std::string kOldContent = test::kExampleLine + "\r\n";
const std::string kLine = "AC#2,N2,25%,Week,VFR,08:00:00,TNG08:30:00,030,F,0429,DEST,18:00:00,00:00:00,030,F,430,HOME";

TEST(AppendLine, AddsTheLineAndCrLfAtTheEndOfWhatIsThere)
{
    const test::TempFolder folder;
    const fs::path plans = folder.path() / "plans.txt";
    ASSERT_TRUE(AppendFlightPlanLine(plans, "Z\xfcrich \x80").ok());
    EXPECT_EQ(readBytes(plans), "Z\xfcrich \x80\r\n");

    writeBytes(plans, kOldContent + "no line end");
    ASSERT_TRUE(AppendFlightPlanLine(plans, kLine).ok());
    EXPECT_EQ(readBytes(plans), kOldContent + "no line end" + kLine + "\r\n");
}

// Every entry under a folder with its bytes; folders end with '/'.
std::map<std::string, std::string> snapshot(const fs::path &folder)
{
    std::map<std::string, std::string> files;
    for (const auto &item : fs::recursive_directory_iterator(folder)) {
        const std::string name = fs::relative(item.path(), folder).string();
        if (item.is_directory())
            files[name + "/"];
        else if (item.is_regular_file())
            files[name] = readBytes(item.path());
        else
            files[name + "|"];
    }
    return files;
}

enum class Condition { None, Unprivileged, SizeLimit };

// Root writes through permission bits, so the read-only row runs as "nobody";
// the size-limit row lets four bytes of the line in before the write fails.
FileResult appendUnder(Condition condition, const fs::path &target)
{
    constexpr uid_t kNobody = 65534;
    if (condition == Condition::Unprivileged && geteuid() == 0) {
        if (seteuid(kNobody) != 0)
            ADD_FAILURE() << "cannot run as nobody";
        const FileResult result = AppendFlightPlanLine(target, kLine);
        EXPECT_EQ(seteuid(0), 0);
        return result;
    }
    if (condition == Condition::SizeLimit) {
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit lowered = saved;
        lowered.rlim_cur = (fs::exists(target) ? fs::file_size(target) : 0) + 4;
        const auto handler = std::signal(SIGXFSZ, SIG_IGN);
        EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        const FileResult result = AppendFlightPlanLine(target, kLine);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, handler);
        return result;
    }
    return AppendFlightPlanLine(target, kLine);
}

struct FaultCase
{
    const char *name;
    fs::path (*prepare)(const fs::path &folder);
    Condition condition;
    std::errc expected;
};

void PrintTo(const FaultCase &row, std::ostream *out)
{
    *out << row.name;
}

class WriteFault : public ::testing::TestWithParam<FaultCase>
{
};

TEST_P(WriteFault, IsReportedAndLeavesTheFileAsItWas)
{
    const test::TempFolder folder;
    const fs::path target = GetParam().prepare(folder.path());
    if (target == "/dev/full" && !fs::exists(target))
        GTEST_SKIP() << "no /dev/full on this system";
    const auto before = snapshot(folder.path());

    const FileResult result = appendUnder(GetParam().condition, target);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error == GetParam().expected) << result.error.message();
    EXPECT_EQ(snapshot(folder.path()), before);
}

fs::path existingPlans(const fs::path &folder)
{
    writeBytes(folder / "plans.txt", kOldContent);
    return folder / "plans.txt";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, WriteFault,
    ::testing::Values(
        FaultCase{"Directory",
                  [](const fs::path &folder) {
                      fs::create_directory(folder / "plans");
                      return existingPlans(folder / "plans").parent_path();
                  },
                  Condition::None, std::errc::is_a_directory},
        FaultCase{"ReadOnlyFile",
                  [](const fs::path &folder) {
                      const fs::path plans = existingPlans(folder);
                      fs::permissions(plans, fs::perms::owner_write | fs::perms::group_write
                                          | fs::perms::others_write, fs::perm_options::remove);
                      return plans;
                  },
                  Condition::Unprivileged, std::errc::permission_denied},
        FaultCase{"MissingFolder", [](const fs::path &folder) { return folder / "missing" / "plans.txt"; },
                  Condition::None, std::errc::no_such_file_or_directory},
        FaultCase{"ParentIsAFile", [](const fs::path &folder) { return existingPlans(folder) / "plans.txt"; },
                  Condition::None, std::errc::not_a_directory},
        FaultCase{"PipeWithNoReader",
                  [](const fs::path &folder) {
                      EXPECT_EQ(mkfifo((folder / "plans.txt").c_str(), 0666), 0);
                      return folder / "plans.txt";
                  },
                  Condition::None, std::errc::no_such_device_or_address},
        FaultCase{"FullDisk", [](const fs::path &) { return fs::path("/dev/full"); }, Condition::None,
                  std::errc::no_space_on_device},
        FaultCase{"PartWrittenLineIsCutBack", existingPlans, Condition::SizeLimit, std::errc::file_too_large},
        FaultCase{"PartWrittenNewFileIsRemoved", [](const fs::path &folder) { return folder / "plans.txt"; },
                  Condition::SizeLimit, std::errc::file_too_large}),
    [](const auto &info) { return std::string(info.param.name); });

// Two appenders racing on one file: each line arrives whole, in its writer's order.
TEST(AppendLine, ConcurrentAppendersNeverSplitALine)
{
    constexpr int kLinesEach = 1000;
    const test::TempFolder folder;
    const fs::path plans = folder.path() / "plans.txt";
    const auto lineOf = [](char writer, int i) { return std::string(150, writer) + std::to_string(i); };
    const auto appendAll = [&](char writer) {
        for (int i = 0; i < kLinesEach; ++i)
            ASSERT_TRUE(AppendFlightPlanLine(plans, lineOf(writer, i)).ok());
    };
    std::thread first(appendAll, 'A');
    std::thread second(appendAll, 'B');
    first.join();
    second.join();

    const std::string content = readBytes(plans);
    std::map<char, int> next;
    std::size_t start = 0;
    for (std::size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2) {
        const std::string line = content.substr(start, end - start);
        ASSERT_EQ(line, lineOf(line.empty() ? '?' : line[0], next[line.empty() ? '?' : line[0]]++));
    }
    EXPECT_EQ(start, content.size());
    EXPECT_EQ(next, (std::map<char, int>{{'A', kLinesEach}, {'B', kLinesEach}}));
}

} // namespace
} // namespace zephlan
