#include "core/PlanSummary.h"

#include "core/NumberText.h"
#include "core/Schedule.h"

#include <array>
#include <cmath>
#include <numbers>

namespace zephlan {
namespace {

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

std::string twoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

std::string clockText(int minutes)
{
    const int wrapped = (minutes % kDayMinutes + kDayMinutes) % kDayMinutes;
    return twoDigits(wrapped / 60) + ":" + twoDigits(wrapped % 60);
}

// A time and, when it falls on a later day than `dayOf`, which. Appended
// piece by piece: g++ 12 at -O3 wrongly warns of overlap when a string is
// inserted into, as by "text" + string.
std::string clockTextAfter(const char *words, int dayOf, int minutes)
{
    const int days = minutes / kDayMinutes - dayOf / kDayMinutes;
    std::string text(words);
    text.append(clockText(minutes)).append(" GMT");
    if (days == 1)
        text.append(" next day");
    else if (days > 1)
        text.append(" ").append(std::to_string(days)).append(" days later");
    return text;
}

std::string joined(std::string first, const std::string &second, const char *separator)
{
    if (first.empty())
        return second;
    if (!second.empty())
        first += separator + second;
    return first;
}

// One leg: when it leaves, how long it is and whether it ends in a touch-and-go
// (at a time of day given by the user) rather than its own arrival.
struct Leg
{
    ScheduledLeg timing;
    std::optional<int> touchAndGo;
    bool touchAndGoChecked = false;

    Leg(std::optional<int> leaves, bool tng, std::optional<int> tngTime, std::optional<int> flying, int period)
        : timing{leaves, tng ? std::nullopt : flying}
        , touchAndGo(tngTime)
        , touchAndGoChecked(tng)
    {
        if (tng && leaves && tngTime)
            timing.minutes = minutesUntil(*leaves, *tngTime, period);
    }

    std::string ending(const char *arrivalWords) const
    {
        if (touchAndGoChecked)
            return touchAndGo ? "touch-and-go " + clockText(*touchAndGo) + " GMT" : std::string();
        if (!timing.leaves || !timing.minutes)
            return {};
        return clockTextAfter(arrivalWords, *timing.leaves, *timing.leaves + *timing.minutes);
    }
};

std::string routeClause(const SaveInputs &inputs, std::optional<long> distance)
{
    const std::string destination = inputs.destinationText.empty() ? "" : "-> " + inputs.destinationText;
    std::string route = joined(inputs.departureText, destination, " ");
    if (distance)
        route.append(" ").append(groupedNumber(*distance)).append(" nm");
    return route;
}

// With the return time not yet typed: when a return would work.
std::string returnAdvice(int period, const Leg &outbound, const Leg &back)
{
    const std::optional<ReturnWindow> window =
        returnWindow(period, outbound.timing, back.touchAndGoChecked ? std::nullopt : back.timing.minutes);
    if (!window)
        return outbound.timing.leaves && outbound.timing.minutes ? "no return time works" : "";
    if (!window->latest)
        return "return from " + clockText(window->earliest) + " GMT";
    return "return between " + clockText(window->earliest) + " and " + clockText(*window->latest) + " GMT";
}

std::string returnClause(std::optional<int> period, const Leg &outbound, const Leg &back)
{
    if (!back.timing.leaves)
        return period ? returnAdvice(*period, outbound, back) : std::string();
    return joined("return " + clockText(*back.timing.leaves), back.ending("back about "), ", ");
}

std::vector<std::string> scheduleWarnings(const SaveInputs &inputs, int period, const Leg &outbound, const Leg &back)
{
    std::vector<std::string> warnings;
    const std::array legs = {outbound.timing, back.timing};
    for (const ScheduleFinding &finding : findScheduleClashes(period, legs)) {
        switch (finding.clash) {
        case ScheduleClash::LeavesBeforeArrival:
            warnings.push_back("Return leaves " + durationText(finding.minutes) + " before the outbound arrives");
            break;
        case ScheduleClash::BackAfterNextStart:
            warnings.push_back("Return is back " + durationText(finding.minutes) + " after the next outbound leaves");
            break;
        case ScheduleClash::LongerThanPeriod:
            warnings.push_back("Both flights take " + durationText(finding.minutes) + ", longer than the "
                               + inputs.durationText + " repeat period");
            break;
        }
    }
    return warnings;
}

std::vector<std::string> reasonsFor(const SaveInputs &inputs, const PlanFacts &facts)
{
    std::vector<std::string> reasons;
    const auto noPosition = [&](const std::string &code) {
        const std::string reason = "No position for " + code + " in the airports list";
        if (reasons.empty() || reasons.back() != reason)
            reasons.push_back(reason);
    };
    if (!inputs.departureText.empty() && !facts.departure)
        noPosition(inputs.departureText);
    if (!inputs.destinationText.empty() && !facts.destination)
        noPosition(inputs.destinationText);
    if (!inputs.aircraftText.empty() && !(facts.cruiseKnots && *facts.cruiseKnots > 0))
        reasons.push_back("No cruise speed for " + inputs.aircraftText + " in the aircraft list");
    return reasons;
}

} // namespace

// The atan2 form stays accurate for the same point and for antipodes alike.
double greatCircleNm(GeoPoint from, GeoPoint to)
{
    const double lat1 = radians(from.latitude);
    const double lat2 = radians(to.latitude);
    const double dLon = radians(to.longitude - from.longitude);
    const double across = std::cos(lat2) * std::sin(dLon);
    const double along = std::cos(lat1) * std::sin(lat2) - std::sin(lat1) * std::cos(lat2) * std::cos(dLon);
    const double dot = std::sin(lat1) * std::sin(lat2) + std::cos(lat1) * std::cos(lat2) * std::cos(dLon);
    return kEarthRadiusNm * std::atan2(std::hypot(across, along), dot);
}

std::optional<int> flyingMinutes(std::optional<GeoPoint> from, std::optional<GeoPoint> to,
                                 std::optional<int> cruiseKnots)
{
    if (!from || !to || !cruiseKnots || *cruiseKnots <= 0)
        return std::nullopt;
    return static_cast<int>(std::lround(greatCircleNm(*from, *to) * 60.0 / *cruiseKnots));
}

PlanSummary summarisePlan(const SaveInputs &inputs, const PlanFacts &facts)
{
    if (inputs.departureText.empty() && inputs.destinationText.empty() && inputs.aircraftText.empty())
        return {};
    std::optional<double> exactNm;
    if (facts.departure && facts.destination)
        exactNm = greatCircleNm(*facts.departure, *facts.destination);
    const std::optional<long> distance = exactNm ? std::optional<long>(std::lround(*exactNm)) : std::nullopt;
    const std::optional<int> flying = flyingMinutes(facts.departure, facts.destination, facts.cruiseKnots);

    // A checked departure box makes the outbound leg a touch-and-go; only
    // otherwise does the destination box make the return one, as when saving.
    const std::optional<int> period = repeatPeriodMinutes(inputs.durationText);
    const int legPeriod = period.value_or(kDayMinutes);
    const Leg outbound(knownTime(inputs.departureTimeText, inputs.departureTimeTyped), inputs.departTngChecked,
                       knownTime(inputs.departTngText, inputs.departTngTyped), flying, legPeriod);
    const bool returnTng = !inputs.departTngChecked && inputs.destTngChecked;
    const Leg back(knownTime(inputs.returnTimeText, inputs.returnTimeTyped), returnTng,
                   knownTime(inputs.destTngText, inputs.destTngTyped), flying, legPeriod);

    std::string aircraft = inputs.aircraftText;
    if (!aircraft.empty() && facts.cruiseKnots)
        aircraft += " at " + std::to_string(*facts.cruiseKnots) + " kt";
    if (flying)
        aircraft = joined(aircraft, "about " + durationText(*flying), ": ");

    PlanSummary summary;
    const std::string outboundClause = joined(aircraft, outbound.ending("arrives about "), ", ");
    for (const std::string &clause : {routeClause(inputs, distance), outboundClause, returnClause(period, outbound, back)})
        summary.sentence = joined(summary.sentence, clause, "; ");
    if (period)
        summary.warnings = scheduleWarnings(inputs, *period, outbound, back);
    if (!inputs.departureText.empty() && inputs.departureText == inputs.destinationText)
        summary.warnings.push_back("Departure and destination are the same airport");
    else if (distance && *distance == 0)
        summary.warnings.push_back("Departure and destination are at the same place");
    summary.reasons = reasonsFor(inputs, facts);
    return summary;
}

} // namespace zephlan
