#pragma once

#include "core/SaveInputs.h"

#include <optional>
#include <string>
#include <vector>

namespace zephlan {

// Degrees, north and east positive.
struct GeoPoint
{
    double latitude = 0;
    double longitude = 0;
};

// What the lists know of the chosen entries; unknown when the list did not say.
struct PlanFacts
{
    std::optional<GeoPoint> departure;
    std::optional<GeoPoint> destination;
    std::optional<int> cruiseKnots;
};

// A plan in one sentence, Windows-1252 bytes like the inputs, for example
// "EGLL -> KJFK 2,991 nm; Boeing 747-400 at 490 kt: about 6 h 06 min, arrives
// about 18:06 GMT; return 19:30, back about 01:36 GMT next day", what makes the
// plan unworkable, and why a figure the sentence would give is missing.
// Unknown values are left out; nothing chosen gives nothing.
struct PlanSummary
{
    std::string sentence;
    std::vector<std::string> warnings;
    std::vector<std::string> reasons;
};

inline constexpr double kEarthRadiusNm = 3440.065;

// Great-circle distance on a sphere of kEarthRadiusNm, in nautical miles.
double greatCircleNm(GeoPoint from, GeoPoint to);

// The flying time of a leg: the exact great-circle distance over the cruise
// speed, rounded once to whole minutes; unknown without both places and a speed.
std::optional<int> flyingMinutes(std::optional<GeoPoint> from, std::optional<GeoPoint> to,
                                 std::optional<int> cruiseKnots);

PlanSummary summarisePlan(const SaveInputs &inputs, const PlanFacts &facts);

} // namespace zephlan
