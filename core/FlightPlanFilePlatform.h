#pragma once

// Shared between the platform halves of the append; not for other callers.

#include "core/FlightPlanFile.h"

#include <optional>
#include <string>

namespace zephlan {

// The bytes to append after a file whose last byte is lastByte (none when empty).
std::string recordAfter(std::optional<char> lastByte, std::string_view line);

// Each platform's append calls this at the moments the tests act on the file
// from outside, as another program would (setAppendSeam).
void reachAppendMoment(AppendMoment moment);

// The platform's append, in FlightPlanFilePosix.cpp or FlightPlanFileWindows.cpp.
FileResult appendToFile(const std::filesystem::path &path, std::string_view line);

} // namespace zephlan
