#include "core/PlanSummary.h"

#include <gtest/gtest.h>

#include <functional>

namespace zephlan {
namespace {

struct DistanceCase
{
    const char *name;
    GeoPoint from;
    GeoPoint to;
    double nm;
};

void PrintTo(const DistanceCase &c, std::ostream *os) { *os << c.name; }

class Distances : public testing::TestWithParam<DistanceCase> {};

TEST_P(Distances, MatchTheHaversineFormula)
{
    EXPECT_NEAR(greatCircleNm(GetParam().from, GetParam().to), GetParam().nm, 0.001);
    EXPECT_NEAR(greatCircleNm(GetParam().to, GetParam().from), GetParam().nm, 0.001);
}

// Reference values from the haversine formula, not the atan2 form the code
// uses, on the same sphere, with python3's math module:
//   h = sin(dlat/2)**2 + cos(lat1)*cos(lat2)*sin(dlon/2)**2
//   nm = 2 * 3440.065 * asin(sqrt(h))
const DistanceCase kDistanceCases[] = {
    {"LondonToNewYork", {51.4775, -0.4614}, {40.6398, -73.7789}, 2991.0604},
    {"AucklandToHonoluluOverTheDateLine", {-37.0081, 174.7917}, {21.3187, -157.9225}, 3827.5373},
    {"OneDegreeAcrossTheDateLine", {65.0, 179.5}, {65.0, -179.5}, 25.3739},
    {"OverTheNorthPole", {89.9, 0}, {89.9, 180}, 12.0081},
    {"NearTheNorthPoleAskew", {89.5, 45}, {88.0, -135}, 150.1012},
    {"NearTheSouthPole", {-89.99, 10}, {-89.99, -170}, 1.2008},
    {"SamePoint", {47.2, 8.5}, {47.2, 8.5}, 0},
    {"Antipodes", {10, 20}, {-10, -160}, 10807.2828},
    {"QuarterOfTheEquator", {0, 0}, {0, 90}, 5403.6415},
    {"SydneyToLondon", {-33.9461, 151.1772}, {51.4775, -0.4614}, 9190.2031},
};

INSTANTIATE_TEST_SUITE_P(Plan, Distances, testing::ValuesIn(kDistanceCases),
                         [](const auto &info) { return std::string(info.param.name); });

const GeoPoint kEgll{51.4775, -0.4614};
const GeoPoint kKjfk{40.6398, -73.7789};
// 250 nm east of the point 0, 0 on the equator.
const GeoPoint kOrigin{0, 0};
const GeoPoint kEast250{0, 4.1638};

struct SentenceCase
{
    const char *name;
    std::function<void(SaveInputs &, PlanFacts &)> change;
    std::string sentence;
    std::vector<std::string> warnings;
    std::vector<std::string> reasons = {};
};

void PrintTo(const SentenceCase &c, std::ostream *os) { *os << c.name; }

class Sentences : public testing::TestWithParam<SentenceCase> {};

void choose(SaveInputs &in, const char *departure, const char *destination, const char *aircraft, const char *duration)
{
    in.departureText = departure;
    in.destinationText = destination;
    in.aircraftText = aircraft;
    in.durationText = duration;
}

void typeTimes(SaveInputs &in, const char *departure, const char *back)
{
    in.departureTimeText = departure;
    in.returnTimeText = back;
    in.departureTimeTyped = in.returnTimeTyped = true;
}

void untypeReturn(SaveInputs &in)
{
    in.returnTimeTyped = false;
    in.returnTimeText = "00:00:00";
}

void touchAndGo(SaveInputs &in, bool departure, const char *time)
{
    (departure ? in.departTngChecked : in.destTngChecked) = true;
    (departure ? in.departTngTyped : in.destTngTyped) = true;
    (departure ? in.departTngText : in.destTngText) = time;
}

// London to New York in a 747 at 490 kt, leaving 12:00 and back at 19:30, daily.
TEST_P(Sentences, SayThePlanAndWhyItCannotWork)
{
    SaveInputs in;
    choose(in, "EGLL", "KJFK", "Boeing 747-400", "24Hr");
    typeTimes(in, "12:00:00", "19:30:00");
    PlanFacts facts{kEgll, kKjfk, 490};
    GetParam().change(in, facts);
    const PlanSummary summary = summarisePlan(in, facts);
    EXPECT_EQ(summary.sentence, GetParam().sentence);
    EXPECT_EQ(summary.warnings, GetParam().warnings);
    EXPECT_EQ(summary.reasons, GetParam().reasons);
}

const std::string kFlight = "EGLL -> KJFK 2,991 nm; Boeing 747-400 at 490 kt: about 6 h 06 min";
const std::string kBack = "; return 19:30, back about 01:36 GMT next day";
const std::string kShort = "A -> B 250 nm; Dash 8 at 500 kt: about 30 min";
// 30 minutes each way, leaving at 10:00 and returning at `back`, repeating each `duration`.
const auto kShortHop = [](SaveInputs &in, PlanFacts &facts, const char *duration, const char *back) {
    choose(in, "A", "B", "Dash 8", duration);
    facts = {kOrigin, kEast250, 500};
    typeTimes(in, "10:00:00", back);
};

const SentenceCase kSentenceCases[] = {
    {"Daily", [](SaveInputs &, PlanFacts &) {}, kFlight + ", arrives about 18:06 GMT" + kBack, {}},
    {"NothingChosen",
     [](SaveInputs &in, PlanFacts &) { in.departureText = in.destinationText = in.aircraftText = ""; }, "", {}},
    {"OnlyDeparture",
     [](SaveInputs &in, PlanFacts &facts) {
         in.destinationText = in.aircraftText = "";
         untypeReturn(in);
         facts = {kEgll, {}, {}};
     },
     "EGLL", {}},
    {"OnlyDestinationAndAircraft",
     [](SaveInputs &in, PlanFacts &facts) { in.departureText = ""; facts.departure.reset(); },
     "-> KJFK; Boeing 747-400 at 490 kt; return 19:30", {}},
    {"UnknownSpeed", [](SaveInputs &, PlanFacts &facts) { facts.cruiseKnots.reset(); },
     "EGLL -> KJFK 2,991 nm; Boeing 747-400; return 19:30", {},
     {"No cruise speed for Boeing 747-400 in the aircraft list"}},
    {"UnknownPositions", [](SaveInputs &, PlanFacts &facts) { facts.destination.reset(); facts.departure.reset(); },
     "EGLL -> KJFK; Boeing 747-400 at 490 kt; return 19:30", {},
     {"No position for EGLL in the airports list", "No position for KJFK in the airports list"}},
    {"TimesUntouched",
     [](SaveInputs &in, PlanFacts &) {
         untypeReturn(in);
         in.departureTimeTyped = false;
         in.departureTimeText = "00:00:00";
     },
     kFlight, {}},
    {"NoTimeOfDay", [](SaveInputs &in, PlanFacts &) { typeTimes(in, "24:00:00", "19:61:00"); }, kFlight, {}},
    {"ReturnBeforeArrivalOverMidnight", [](SaveInputs &in, PlanFacts &) { typeTimes(in, "22:00:00", "03:00:00"); },
     kFlight + ", arrives about 04:06 GMT next day; return 03:00, back about 09:06 GMT",
     {"Return leaves 1 h 06 min before the outbound arrives"}},
    {"ReturnWithTheDeparture", [](SaveInputs &in, PlanFacts &) { typeTimes(in, "12:00:00", "12:00:00"); },
     kFlight + ", arrives about 18:06 GMT; return 12:00, back about 18:06 GMT",
     {"Return leaves 6 h 06 min before the outbound arrives"}},
    {"BackAfterTheNextDaysOutbound", [](SaveInputs &in, PlanFacts &) { typeTimes(in, "12:00:00", "07:00:00"); },
     kFlight + ", arrives about 18:06 GMT; return 07:00, back about 13:06 GMT",
     {"Return is back 1 h 06 min after the next outbound leaves"}},
    {"FourHours", [](SaveInputs &in, PlanFacts &) { in.durationText = "4Hr"; },
     kFlight + ", arrives about 18:06 GMT" + kBack,
     {"Return leaves 2 h 36 min before the outbound arrives", "Return is back 5 h 36 min after the next outbound leaves",
      "Both flights take 12 h 12 min, longer than the 4Hr repeat period"}},
    {"WeekReturnEarlierInTheDay", [](SaveInputs &in, PlanFacts &) { in.durationText = "Week"; typeTimes(in, "12:00:00", "08:00:00"); },
     kFlight + ", arrives about 18:06 GMT; return 08:00, back about 14:06 GMT",
     {"Return is back 2 h 06 min after the next outbound leaves"}},
    {"HourFilledExactly", [](SaveInputs &in, PlanFacts &facts) { kShortHop(in, facts, "1Hr", "10:30:00"); },
     kShort + ", arrives about 10:30 GMT; return 10:30, back about 11:00 GMT", {}},
    {"HourlyBackAfterTheNextOutbound", [](SaveInputs &in, PlanFacts &facts) { kShortHop(in, facts, "1Hr", "10:45:00"); },
     kShort + ", arrives about 10:30 GMT; return 10:45, back about 11:15 GMT",
     {"Return is back 15 min after the next outbound leaves"}},
    {"FourHoursCountedOnTheirOwnClock", [](SaveInputs &in, PlanFacts &facts) { kShortHop(in, facts, "4Hr", "14:10:00"); },
     kShort + ", arrives about 10:30 GMT; return 14:10, back about 14:40 GMT",
     {"Return leaves 20 min before the outbound arrives"}},
    {"HourOverrun",
     [](SaveInputs &in, PlanFacts &facts) { kShortHop(in, facts, "1Hr", "10:30:00"); facts.cruiseKnots = 480; },
     "A -> B 250 nm; Dash 8 at 480 kt: about 31 min, arrives about 10:31 GMT; return 10:30, back about 11:01 GMT",
     {"Return leaves 1 min before the outbound arrives", "Return is back 1 min after the next outbound leaves",
      "Both flights take 1 h 02 min, longer than the 1Hr repeat period"}},
    {"RoundedOnce",
     [](SaveInputs &in, PlanFacts &facts) { kShortHop(in, facts, "24Hr", "12:00:00"); facts = PlanFacts{kOrigin, GeoPoint{0, 4.38634}, 501}; },
     "A -> B 263 nm; Dash 8 at 501 kt: about 32 min, arrives about 10:32 GMT; return 12:00, back about 12:32 GMT", {}},
    {"LegLongerThanADay",
     [](SaveInputs &in, PlanFacts &facts) { facts.cruiseKnots = 111; in.durationText = "Week"; typeTimes(in, "00:00:00", "12:00:00"); },
     "EGLL -> KJFK 2,991 nm; Boeing 747-400 at 111 kt: about 26 h 57 min, arrives about 02:57 GMT next day; return "
     "12:00, back about 14:57 GMT next day",
     {"Return leaves 14 h 57 min before the outbound arrives"}},
    {"TwoDaysLater",
     [](SaveInputs &in, PlanFacts &facts) { facts.cruiseKnots = 60; in.durationText = "Week"; typeTimes(in, "00:00:00", "00:00:00"); untypeReturn(in); },
     "EGLL -> KJFK 2,991 nm; Boeing 747-400 at 60 kt: about 49 h 51 min, arrives about 01:51 GMT 2 days later; no return "
     "time works", {}},
    {"TwoHoursWithTouchAndGo",
     [](SaveInputs &in, PlanFacts &facts) { kShortHop(in, facts, "2Hr", "10:45:00"); touchAndGo(in, false, "12:40:00"); },
     kShort + ", arrives about 10:30 GMT; return 10:45, touch-and-go 12:40 GMT",
     {"Return is back 40 min after the next outbound leaves", "Both flights take 2 h 25 min, longer than the 2Hr repeat period"}},
    {"OutboundTouchAndGo", [](SaveInputs &in, PlanFacts &) { touchAndGo(in, true, "14:00:00"); },
     kFlight + ", touch-and-go 14:00 GMT" + kBack, {}},
    {"TouchAndGoTypedAsMidnight",
     [](SaveInputs &in, PlanFacts &) { typeTimes(in, "22:00:00", "23:00:00"); touchAndGo(in, true, "00:00:00"); },
     kFlight + ", touch-and-go 00:00 GMT; return 23:00, back about 05:06 GMT next day",
     {"Return leaves 1 h 00 min before the outbound arrives"}},
    {"TouchAndGoTypedBeforeTheTick",
     [](SaveInputs &in, PlanFacts &) { touchAndGo(in, true, "00:00:00"); in.departTngTyped = false; },
     kFlight + kBack, {}},
    {"OutboundTouchAndGoAfterTheReturn",
     [](SaveInputs &in, PlanFacts &) { touchAndGo(in, true, "20:00:00"); touchAndGo(in, false, "21:00:00"); },
     kFlight + ", touch-and-go 20:00 GMT" + kBack, {"Return leaves 30 min before the outbound arrives"}},
    {"TouchAndGoWithoutItsTime", [](SaveInputs &in, PlanFacts &) { in.destTngChecked = true; },
     kFlight + ", arrives about 18:06 GMT; return 19:30", {}},
    {"ReturnWindow", [](SaveInputs &in, PlanFacts &) { untypeReturn(in); },
     kFlight + ", arrives about 18:06 GMT; return between 18:06 and 05:54 GMT", {}},
    {"ReturnFromWithATouchAndGoReturn", [](SaveInputs &in, PlanFacts &) { untypeReturn(in); touchAndGo(in, false, "23:00:00"); },
     kFlight + ", arrives about 18:06 GMT; return from 18:06 GMT", {}},
    {"NoReturnWorks", [](SaveInputs &in, PlanFacts &) { untypeReturn(in); in.durationText = "8Hr"; },
     kFlight + ", arrives about 18:06 GMT; no return time works", {"Both flights take 12 h 12 min, longer than the 8Hr repeat period"}},
    {"SameAirport", [](SaveInputs &in, PlanFacts &facts) { in.destinationText = "EGLL"; facts.destination = kEgll; },
     "EGLL -> EGLL 0 nm; Boeing 747-400 at 490 kt: about 0 min, arrives about 12:00 GMT; return 19:30, back about "
     "19:30 GMT",
     {"Departure and destination are the same airport"}},
    {"SamePlaceAcrossTheDateLine",
     [](SaveInputs &in, PlanFacts &facts) { in.destinationText = "EAST"; facts = PlanFacts{GeoPoint{0, -180}, GeoPoint{0, 180}, 490}; },
     "EGLL -> EAST 0 nm; Boeing 747-400 at 490 kt: about 0 min, arrives about 12:00 GMT; return 19:30, back about "
     "19:30 GMT",
     {"Departure and destination are at the same place"}},
};

INSTANTIATE_TEST_SUITE_P(Plan, Sentences, testing::ValuesIn(kSentenceCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zephlan
