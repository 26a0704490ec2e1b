#include "core/PlanSummary.h"

#include <array>
#include <cmath>
#include <numbers>
#include <string_view>
#include <utility>

namespace zephlan {
namespace {

constexpr int kDayMinutes = 24 * 60;
constexpr std::string_view kUntouchedTime = "00:00:00";

constexpr std::array<std::pair<std::string_view, int>, 8> kPeriodMinutes = {{
    {"1Hr", 60}, {"2Hr", 120}, {"4Hr", 240}, {"6Hr", 360}, {"8Hr", 480}, {"12Hr", 720}, {"24Hr", kDayMinutes},
    {"Week", 7 * kDayMinutes},
}};

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

int wrapDay(int minutes)
{
    return (minutes % kDayMinutes + kDayMinutes) % kDayMinutes;
}

// Minutes after midnight of a time field's "hh:mm:ss"; the seconds are dropped.
// An untouched field, or one that is no time of day, is unknown.
std::optional<int> clockMinutes(const std::string &text, bool typed)
{
    if ((!typed && text == kUntouchedTime) || text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const char tens = text[static_cast<std::size_t>(3 * i)];
        const char ones = text[static_cast<std::size_t>(3 * i + 1)];
        if (tens < '0' || tens > '9' || ones < '0' || ones > '9')
            return std::nullopt;
        parts[i] = (tens - '0') * 10 + (ones - '0');
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return parts[0] * 60 + parts[1];
}

std::optional<int> periodMinutes(const std::string &text)
{
    for (const auto &[name, minutes] : kPeriodMinutes) {
        if (text == name)
            return minutes;
    }
    return std::nullopt;
}

// Built front to back, and appended to rather than prefixed: g++ 12 at -O3
// wrongly warns of overlap when a string is inserted into.
std::string grouped(long value)
{
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && digits[at - 1] != '-' && (digits.size() - at) % 3 == 0)
            text.push_back(',');
        text.push_back(digits[at]);
    }
    return text;
}

std::string twoDigits(int value)
{
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

std::string clockText(int minutes)
{
    const int wrapped = wrapDay(minutes);
    return twoDigits(wrapped / 60) + ":" + twoDigits(wrapped % 60);
}

std::string durationText(int minutes)
{
    if (minutes < 60)
        return std::to_string(minutes) + " min";
    return std::to_string(minutes / 60) + " h " + twoDigits(minutes % 60) + " min";
}

std::string joined(std::string first, const std::string &second, const char *separator)
{
    if (first.empty())
        return second;
    if (!second.empty())
        first += separator + second;
    return first;
}

// One leg: when it leaves, how it ends (its own arrival, or a touch-and-go at
// a given time) and how long it is, each unknown until its inputs are known.
struct Leg
{
    std::optional<int> start;
    std::optional<int> end;
    std::optional<int> minutes;
    bool touchAndGo = false;

    Leg(std::optional<int> leaves, bool tng, const std::string &tngText, std::optional<int> flying)
        : start(leaves)
        , touchAndGo(tng)
    {
        if (tng) {
            end = clockMinutes(tngText, false);
            if (start && end)
                minutes = wrapDay(*end - *start);
        } else {
            minutes = flying;
            if (start && flying)
                end = *start + *flying;
        }
    }

    std::string ending(const char *arrivalWords) const
    {
        if (!end)
            return {};
        return (touchAndGo ? std::string("touch-and-go ") : std::string(arrivalWords)) + clockText(*end) + " GMT";
    }
};

std::string routeClause(const SaveInputs &inputs, std::optional<long> distance)
{
    const std::string destination = inputs.destinationText.empty() ? "" : "-> " + inputs.destinationText;
    std::string route = joined(inputs.departureText, destination, " ");
    if (distance)
        route.append(" ").append(grouped(*distance)).append(" nm");
    return route;
}

std::vector<std::string> warningsFor(const SaveInputs &inputs, const Leg &outbound, const Leg &back)
{
    std::vector<std::string> warnings;
    if (outbound.start && back.start && outbound.minutes) {
        const int sinceDeparture = wrapDay(*back.start - *outbound.start);
        if (sinceDeparture < *outbound.minutes)
            warnings.push_back("Return leaves " + durationText(*outbound.minutes - sinceDeparture)
                               + " before the outbound arrives");
    }
    const std::optional<int> period = periodMinutes(inputs.durationText);
    if (period && outbound.minutes && back.minutes && *outbound.minutes + *back.minutes > *period)
        warnings.push_back("Both flights take " + durationText(*outbound.minutes + *back.minutes) + ", longer than the "
                           + inputs.durationText + " repeat period");
    if (!inputs.departureText.empty() && inputs.departureText == inputs.destinationText)
        warnings.push_back("Departure and destination are the same airport");
    return warnings;
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

PlanSummary summarisePlan(const SaveInputs &inputs, const PlanFacts &facts)
{
    if (inputs.departureText.empty() && inputs.destinationText.empty() && inputs.aircraftText.empty())
        return {};
    std::optional<long> distance;
    if (facts.departure && facts.destination)
        distance = std::lround(greatCircleNm(*facts.departure, *facts.destination));
    std::optional<int> flying;
    if (distance && facts.cruiseKnots && *facts.cruiseKnots > 0)
        flying = static_cast<int>(std::lround(static_cast<double>(*distance) * 60.0 / *facts.cruiseKnots));

    // A checked departure box makes the outbound leg a touch-and-go; only
    // otherwise does the destination box make the return one, as when saving.
    const Leg outbound(clockMinutes(inputs.departureTimeText, inputs.departureTimeTyped), inputs.departTngChecked,
                       inputs.departTngText, flying);
    const Leg back(clockMinutes(inputs.returnTimeText, inputs.returnTimeTyped),
                   !inputs.departTngChecked && inputs.destTngChecked, inputs.destTngText, flying);

    std::string aircraft = inputs.aircraftText;
    if (!aircraft.empty() && facts.cruiseKnots)
        aircraft += " at " + std::to_string(*facts.cruiseKnots) + " kt";
    if (flying)
        aircraft = joined(aircraft, "about " + durationText(*flying), ": ");
    std::string returnClause =
        joined(back.start ? "return " + clockText(*back.start) : std::string(), back.ending("back about "), ", ");
    if (!back.start && !returnClause.empty())
        returnClause = "return " + returnClause;

    PlanSummary summary;
    const std::string outboundClause = joined(aircraft, outbound.ending("arrives about "), ", ");
    for (const std::string &clause : {routeClause(inputs, distance), outboundClause, returnClause})
        summary.sentence = joined(summary.sentence, clause, "; ");
    summary.warnings = warningsFor(inputs, outbound, back);
    return summary;
}

} // namespace zephlan
