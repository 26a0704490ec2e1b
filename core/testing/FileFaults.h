#pragma once

#include "core/FlightPlanFile.h"

#include <filesystem>
#include <functional>
#include <string>
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

} // namespace zephlan
