// The flight-plans file reader and its check on any bytes: the lines, with
// their ends, make up the file again (a leading byte-order mark left out) and
// hold no line end themselves; a line's fields are its commas plus one, with
// no blank at either end; times fall within a week; and the check reports
// lines in order, each at its place in the file, no more lines than the file
// has, and problems only on lines it reports.
#include "core/PlanFileCheck.h"
#include "core/PlanFileLines.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

using namespace zephlan;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// Two airports, one of them without a position, and two aircraft.
class SmallLists final : public PlanCheckLists
{
public:
    bool hasAirports() const override { return true; }
    ListedAirport airport(std::string_view code) const override
    {
        if (code == "KJFK")
            return {true, GeoPoint{40.64, -73.78}, {}};
        if (code == "EGLL")
            return {true, std::nullopt, {}};
        return {false, std::nullopt, code == "egll" ? "EGLL" : ""};
    }
    std::size_t aircraftCount() const override { return 2; }
    std::optional<int> cruiseKnots(std::size_t number) const override
    {
        return number == 1 ? std::optional<int>(450) : std::nullopt;
    }
};

bool isLineEnd(char byte)
{
    return byte == '\r' || byte == '\n';
}

void checkTime(FieldTime time)
{
    require(time.minutes >= 0 && time.minutes < 7 * 24 * 60);
}

// The line's end bytes: CR LF, or one CR or LF, or none at the end of the file.
std::size_t endAfter(std::string_view bytes, std::size_t at)
{
    if (at == bytes.size())
        return 0;
    require(isLineEnd(bytes[at]));
    return bytes.substr(at).starts_with("\r\n") ? 2 : 1;
}

std::vector<TextLine> readLines(std::string_view bytes)
{
    std::vector<TextLine> lines;
    LineReader reader(bytes);
    std::size_t at = bytes.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    std::vector<std::string_view> fields;
    while (const std::optional<TextLine> line = reader.next()) {
        require(line->number == lines.size() + 1 && line->offset == at);
        require(bytes.substr(at, line->text.size()) == line->text);
        require(std::none_of(line->text.begin(), line->text.end(), isLineEnd));
        at += line->text.size();
        at += endAfter(bytes, at);
        splitFields(line->text, fields);
        require(fields.size() == static_cast<std::size_t>(std::count(line->text.begin(), line->text.end(), ',')) + 1);
        for (const std::string_view field : fields) {
            require(field.empty() || (field.front() != ' ' && field.front() != '\t'));
            require(field.empty() || (field.back() != ' ' && field.back() != '\t'));
            checkTime(readFieldTime(field));
            checkTime(readFieldArrival(field).time);
        }
        lines.push_back(*line);
    }
    require(at == bytes.size());
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<char> copy(data, data + size);
    const std::string_view bytes(copy.data(), copy.size());
    const std::vector<TextLine> lines = readLines(bytes);

    const PlanFileReport report = checkPlanFile(bytes, SmallLists());
    require(report.lines == lines.size() && report.plans <= report.lines);
    require(report.withProblems <= report.reported.size());
    std::size_t previous = 0;
    for (const ReportedLine &row : report.reported) {
        require(row.number > previous && row.number <= lines.size());
        previous = row.number;
        const TextLine &line = lines[row.number - 1];
        require(row.offset == line.offset && row.length == line.text.size());
        require(!row.findings.empty() && !row.whatIsWrong().empty());
    }
    return 0;
}
