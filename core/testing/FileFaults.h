#pragma once

#include "core/FlightPlanFile.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

// What the file tests do to a file from outside the append; the platform's own
// ways (other processes, full drives, watched opens) in its half.
#ifdef _WIN32
#include "core/testing/FileFaultsWindows.h"
#else
#include "core/testing/FileFaultsPosix.h"
#endif

namespace zephlan {

// Acts through the append's test seam at one moment, for this object's lifetime.
class SeamAction
{
public:
    SeamAction(AppendMoment moment, std::function<void()> action);
    ~SeamAction();
    SeamAction(const SeamAction &) = delete;
    SeamAction &operator=(const SeamAction &) = delete;
};

// Another program from this test's folder, started at once with the given
// arguments; the destructor waits for it.
class OtherProgram
{
public:
    OtherProgram(const std::string &name, const std::vector<std::string> &arguments);
    ~OtherProgram();
    OtherProgram(const OtherProgram &) = delete;
    OtherProgram &operator=(const OtherProgram &) = delete;

    // Its exit code, once it has ended; -1 when it could not be started or did not end.
    int wait();

private:
    long long m_process = -1;    // the process id, or its handle on Windows
    int m_exitCode = -1;
};

// What a fault row needs besides the file it prepares. Root writes through
// permission bits, so AsNobody runs a POSIX append as "nobody"; NoRoom lets
// `room` bytes of the line in before the write fails (a size limit on POSIX;
// on Windows a small drive the set-up mounts, filled up after prepare);
// FullDevice needs a /dev/full that really refuses writes, which some
// sandboxes do not give; HeldOpen: another program holds the file open
// without sharing.
enum Condition : unsigned { None = 0, AsNobody = 1, NoRoom = 2, FullDevice = 4, HeldOpen = 8 };

constexpr unsigned long kNoWindowsRow = 0;    // a row only POSIX has
constexpr char kLinkDrive = 'S';

// One fault, and what each platform reports for it.
struct FaultCase
{
    const char *name;
    std::filesystem::path (*prepare)(const std::filesystem::path &folder);
    unsigned conditions;
    std::errc posixError;
    unsigned long windowsError;
    // POSIX: done to the target while the append opens it.
    void (*meddle)(const std::filesystem::path &target) = nullptr;
    // Done through the append's seam at this moment; kept: the bytes of ours that stay before it.
    AppendMoment moment = AppendMoment::Opened;
    void (*seam)(const std::filesystem::path &target) = nullptr;
    std::string kept = {};
    std::uintmax_t room = 4;    // bytes the size limit lets in
    char drive = 0;             // Windows: the small drive for NoRoom; S: holds a link to nothing
    std::size_t lineLength = 0;    // a line this long instead of kLine
};

inline void PrintTo(const FaultCase &row, std::ostream *out) { *out << row.name; }

// A file whose permissions forbid writing to it, in the folder.
std::filesystem::path readOnlyPlans(const std::filesystem::path &folder);
// A link to a file that does not exist.
std::filesystem::path linkToNothing(const std::filesystem::path &folder);
// Another program writes a line into the file, as another save would.
void othersWrite(const std::filesystem::path &target);
// The append of one fault row, with its conditions set up and torn down
// again; nothing when this machine cannot set them up.
std::optional<FileResult> appendWithFault(const FaultCase &row, const std::filesystem::path &target,
                                          const std::string &line);

} // namespace zephlan
