#include "traffic/ListFacts.h"
#include "traffic/TrafficList.h"

#include <gtest/gtest.h>

#include <string>

namespace zephlan {
namespace {

enum class Field { Latitude, Longitude, Speed };

struct NotationCase
{
    Field field;
    std::string text;
    std::optional<double> value;
};

void PrintTo(const NotationCase &c, std::ostream *os) { *os << '"' << c.text << '"'; }

class Notations : public testing::TestWithParam<NotationCase> {};

TEST_P(Notations, ReadOrUnknown)
{
    const NotationCase &c = GetParam();
    const std::optional<double> value = c.field == Field::Latitude ? parseLatitude(c.text)
        : c.field == Field::Longitude                              ? parseLongitude(c.text)
                                                                   : std::optional<double>(parseCruiseSpeed(c.text));
    ASSERT_EQ(value.has_value(), c.value.has_value()) << c.text;
    if (value) {
        EXPECT_NEAR(*value, *c.value, 1e-9) << c.text;
    }
}

constexpr auto kLat = Field::Latitude;
constexpr auto kLon = Field::Longitude;
constexpr auto kKnots = Field::Speed;

const NotationCase kNotationCases[] = {
    {kLat, "N64* 11.44'", 64 + 11.44 / 60}, {kLat, "N64*11.44'", 64 + 11.44 / 60}, {kLat, "N90* 0.00'", 90},
    {kLat, "N64*   11.44'", 64 + 11.44 / 60}, {kLat, "S33* 56.766'", -(33 + 56.766 / 60)}, {kLat, "-90", -90},
    {kLat, "N0* 0.000000000001'", 0.000000000001 / 60}, {kLat, "S0* 30.5000000000000000000'", -30.5 / 60},
    {kLat, "N51* 28'", 51 + 28.0 / 60}, {kLat, "51.4775", 51.4775}, {kLat, "-33.9461", -33.9461}, {kLat, "+10.5", 10.5},
    {kLon, "W51* 40.68'", -(51 + 40.68 / 60)}, {kLon, "E151* 10.632'", 151 + 10.632 / 60}, {kLon, "W180* 0'", -180},
    {kLon, "-0.4614", -0.4614}, {kLon, "179.999999", 179.999999},
    // Unknown: other notations, wrong letters, out of range, shifted fields.
    {kLat, "", {}}, {kLat, "E64* 11.44'", {}}, {kLon, "N64* 11.44'", {}}, {kLat, "n64* 11.44'", {}},
    {kLat, "X64* 11.44'", {}}, {kLat, "N64 11.44'", {}}, {kLat, "N64* 11.44", {}}, {kLat, "N64* 11.44' ", {}},
    {kLat, "N64* 11.'", {}}, {kLat, "N64* .5'", {}}, {kLat, "N64.5* 11'", {}}, {kLat, "N-64* 11'", {}},
    {kLat, "N64* 60.0'", {}}, {kLat, "N90* 0.5'", {}}, {kLat, "N91* 0'", {}}, {kLat, "90.0001", {}},
    {kLon, "180.5", {}}, {kLon, "W181* 0'", {}}, {kLat, "1e1", {}}, {kLat, "51.4775x", {}}, {kLat, "51,4775", {}},
    {kLat, "51.", {}}, {kLat, ".5", {}}, {kLat, "--1", {}}, {kLat, "-", {}}, {kLat, "0000001", {}},
    {kLat, "Heathrow", {}},
    {kKnots, "450", 450}, {kKnots, "1", 1}, {kKnots, "65535", 65535},
    {kKnots, "", {}}, {kKnots, "0", {}}, {kKnots, "65536", {}}, {kKnots, "450.5", {}}, {kKnots, "-450", {}},
    {kKnots, "450kt", {}}, {kKnots, "Boeing 737-800 Paint1", {}},
};

INSTANTIATE_TEST_SUITE_P(Traffic, Notations, testing::ValuesIn(kNotationCases));

TEST(ListFacts, KeptBesideTheEntriesWithoutChangingThem)
{
    const TrafficList airports =
        readTrafficRecords("BGGH,N64* 11.44',W51* 40.68',282\r\nEGLL,51.4775,-0.4614,83\r\nXXXX,somewhere,N1,\r\n",
                           TrafficListKind::Airports);
    ASSERT_EQ(airports.entries.size(), 3u);
    EXPECT_EQ(airports.entries.at(2), "XXXX");
    const std::optional<Coordinates> bggh = airports.facts.position(0);
    ASSERT_TRUE(bggh);
    EXPECT_NEAR(bggh->latitude, 64.190667, 1e-5);
    EXPECT_NEAR(bggh->longitude, -51.678, 1e-5);
    ASSERT_TRUE(airports.facts.position(1));
    EXPECT_NEAR(airports.facts.position(1)->longitude, -0.4614, 1e-5);
    EXPECT_FALSE(airports.facts.position(2));
    EXPECT_FALSE(airports.facts.position(3));
    EXPECT_FALSE(airports.facts.cruiseSpeed(0));

    const TrafficList aircraft = readTrafficRecords(
        "AC#11,450,\"Boeing 737-800 Paint1\"\nAC#2,fast,\"Cessna 172, Skyhawk\"\n", TrafficListKind::Aircraft);
    ASSERT_EQ(aircraft.entries.size(), 2u);
    EXPECT_EQ(aircraft.entries.at(1), "Cessna 172, Skyhawk");
    EXPECT_EQ(aircraft.facts.cruiseSpeed(0), 450);
    EXPECT_FALSE(aircraft.facts.cruiseSpeed(1));
    EXPECT_FALSE(aircraft.facts.position(0));
}

TEST(ListFacts, FollowTheirEntriesWhenCopiedAndCut)
{
    EntryFacts from;
    for (const int knots : {100, 200, 300})
        from.appendCruiseSpeed(knots);
    EntryFacts into;
    into.appendCruiseSpeed(50);
    into.copyFrom(from, 1, 2, 3);
    EXPECT_EQ(into.cruiseSpeed(0), 50);
    EXPECT_FALSE(into.cruiseSpeed(1));
    EXPECT_FALSE(into.cruiseSpeed(2));
    EXPECT_EQ(into.cruiseSpeed(3), 200);
    EXPECT_EQ(into.cruiseSpeed(4), 300);
    into.truncate(4);
    EXPECT_FALSE(into.cruiseSpeed(4));

    // Positions read later from two lists' bytes, each from its own.
    const TrafficList south = readTrafficRecords("D,S1* 0',E0* 0',0\n", TrafficListKind::Airports);
    const TrafficList north = readTrafficRecords("A,1,1,0\nB,2,2,0\nC,3,4,0\n", TrafficListKind::Airports);
    EntryFacts both = south.facts;
    both.copyFrom(north.facts, 1, 2, 2);
    EXPECT_EQ(both.position(0), (Coordinates{-1, 0}));
    EXPECT_FALSE(both.position(1));
    EXPECT_EQ(both.position(2), (Coordinates{2, 2}));
    EXPECT_EQ(both.position(3), (Coordinates{3, 4}));
}

} // namespace
} // namespace zephlan
