#include "core/FlightPlanFile.h"
#include "core/FlightPlanFilePlatform.h"

#include <utility>

namespace zephlan {
namespace {

std::function<void(AppendMoment)> &appendSeam()
{
    static std::function<void(AppendMoment)> seam;
    return seam;
}

} // namespace

std::string recordAfter(std::optional<char> lastByte, std::string_view line)
{
    std::string record;
    record.reserve(line.size() + 4);
    if (lastByte && *lastByte != '\n' && *lastByte != '\r')
        record += "\r\n";
    record += line;
    record += "\r\n";
    return record;
}

void reachAppendMoment(AppendMoment moment)
{
    if (appendSeam())
        appendSeam()(moment);
}

void setAppendSeam(std::function<void(AppendMoment)> seam)
{
    appendSeam() = std::move(seam);
}

FileResult AppendFlightPlanLine(const std::filesystem::path &path, std::string_view line)
{
    return appendToFile(path, line);
}

} // namespace zephlan
