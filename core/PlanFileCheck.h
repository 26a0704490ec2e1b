#pragma once

#include "core/PlanSummary.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephlan {

// An airport code looked up in the airports list. Codes match byte for byte,
// as the saved line holds the list's code unchanged; a code that matches only
// when case is ignored is not listed, and the entry it matches is named.
struct ListedAirport
{
    bool listed = false;
    std::optional<GeoPoint> position;
    std::string listedAs;
};

// What a check learns of the airports and aircraft lists read in this run.
class PlanCheckLists
{
public:
    virtual ~PlanCheckLists() = default;
    // False while no airports are listed: the codes are then not checked.
    virtual bool hasAirports() const = 0;
    virtual ListedAirport airport(std::string_view code) const = 0;
    // 0 while none are listed: the aircraft numbers are then not checked.
    virtual std::size_t aircraftCount() const = 0;
    // The cruise speed of the aircraft a plan names AC#number.
    virtual std::optional<int> cruiseKnots(std::size_t number) const = 0;
};

enum class FindingKind {
    Problem,
    // A form other tools are said to write that this check cannot vouch for.
    NotChecked,
    Note,
};

struct LineFinding
{
    FindingKind kind = FindingKind::Problem;
    std::string text;
};

// A line with something to say about it; texts are Windows-1252 bytes.
struct ReportedLine
{
    std::size_t number = 0;
    // Where the line's bytes lie in the file's, its end left out.
    std::size_t offset = 0;
    std::size_t length = 0;
    std::string callSign;
    // The airports in the order they are flown, from the last leg's on:
    // "KJFK -> EGLL -> KJFK".
    std::string airports;
    std::string period;
    std::vector<LineFinding> findings;

    bool hasProblem() const;
    // The findings in one sentence, problems first.
    std::string whatIsWrong() const;
};

struct PlanFileReport
{
    std::size_t lines = 0;
    std::size_t plans = 0;
    std::size_t withProblems = 0;
    bool airportsChecked = false;
    bool aircraftChecked = false;
    // In line order.
    std::vector<ReportedLine> reported;
};

// Checks every line of a flight-plans file: its form and fields, its aircraft
// and airports against the lists, its schedule as the plan line counts it
// (each leg leaves after the one before it has ended, and the last has ended
// before the first leaves again), and call signs that stand on more than one
// line. Blank lines are skipped.
PlanFileReport checkPlanFile(std::string_view bytes, const PlanCheckLists &lists);

// "412 lines, 396 plans: 9 with problems", and which lists were not read.
std::string reportSentence(const PlanFileReport &report);

} // namespace zephlan
