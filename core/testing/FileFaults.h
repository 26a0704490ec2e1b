#pragma once

#include "core/FlightPlanFile.h"

#include <functional>

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

} // namespace zephlan
