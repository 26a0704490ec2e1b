#include "core/PlanFileCheck.h"
#include "core/PlanFileLines.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <vector>

namespace zephlan {
namespace {

// Three airports with positions, one without, and three aircraft: 450 kt,
// 130 kt and one whose speed the list does not give.
class Lists final : public PlanCheckLists
{
public:
    std::map<std::string, std::optional<GeoPoint>, std::less<>> airports = {
        {"KJFK", GeoPoint{40.6398, -73.7789}},
        {"EGLL", GeoPoint{51.4706, -0.461941}},
        {"KBOS", GeoPoint{42.3656, -71.0096}},
        {"LSZH", std::nullopt},
    };
    std::vector<std::optional<int>> knots = {450, 130, std::nullopt};

    bool hasAirports() const override { return !airports.empty(); }
    ListedAirport airport(std::string_view code) const override
    {
        if (const auto found = airports.find(code); found != airports.end())
            return {true, found->second, {}};
        for (const auto &[listed, position] : airports) {
            if (std::equal(listed.begin(), listed.end(), code.begin(), code.end(),
                           [](char a, char b) { return std::tolower(a) == std::tolower(b); }))
                return {false, std::nullopt, listed};
        }
        return {};
    }
    std::size_t aircraftCount() const override { return knots.size(); }
    std::optional<int> cruiseKnots(std::size_t number) const override { return knots.at(number - 1); }
};

// AC#1 (450 kt) from KJFK to KBOS, 22 min each way, and back.
const std::string kGood =
    "AC#1,N541SP,50%,24Hr,IFR,12:00:00,00:00:00,050,R,0429,KBOS,14:00:00,00:00:00,050,R,430,KJFK";

std::string replaced(std::string line, const std::string &from, const std::string &to)
{
    const std::size_t at = line.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? line : line.replace(at, from.size(), to);
}

struct ProblemRow
{
    const char *name;
    // The file with the problem and the file that just avoids it.
    std::string has;
    std::string avoids;
    // Part of what the line with it says; the other says nothing.
    const char *says;
    FindingKind kind = FindingKind::Problem;
};

void PrintTo(const ProblemRow &row, std::ostream *os) { *os << row.name; }

class LineProblems : public testing::TestWithParam<ProblemRow> {};

TEST_P(LineProblems, TheLineWithItSaysSoAndTheOtherSaysNothing)
{
    const ProblemRow &row = GetParam();
    const Lists lists;
    const PlanFileReport has = checkPlanFile(row.has, lists);
    std::string said;
    bool found = false;
    for (const ReportedLine &line : has.reported) {
        said += line.whatIsWrong() + " | ";
        for (const LineFinding &finding : line.findings)
            found = found || (finding.kind == row.kind && finding.text.find(row.says) != std::string::npos);
    }
    EXPECT_TRUE(found) << "said: " << said;
    EXPECT_EQ(has.withProblems > 0, row.kind == FindingKind::Problem) << said;

    const PlanFileReport avoids = checkPlanFile(row.avoids, lists);
    for (const ReportedLine &line : avoids.reported)
        ADD_FAILURE() << "line " << line.number << " says " << line.whatIsWrong();
}

std::string days(const std::string &out, const std::string &back, const char *period = "Week")
{
    return replaced(replaced(replaced(kGood, "24Hr", period), "12:00:00", out), "14:00:00", back);
}

// KJFK to EGLL at 130 kt: 2,991.17 nm, 1,380.54 min, so 1,381 min (1,380 if
// the distance were rounded first).
std::string transatlantic(const std::string &back)
{
    return replaced(replaced(replaced(days("0/00:00:00", back), "AC#1", "AC#2"), "KBOS", "EGLL"), "0429", "0001");
}

// KJFK to KBOS at 06:00 (22 min), on to EGLL from 07:00 to 08:00, and from
// `leaves` home to KJFK until 10:00.
std::string threeLegs(const std::string &leaves)
{
    return "AC#1,N541SP,50%,24Hr,IFR,06:00:00,00:00:00,050,R,0429,KBOS,07:00:00,@08:00:00,050,R,430,EGLL," + leaves
        + ",@10:00:00,050,R,431,KJFK";
}

// A 1Hr plan: out 12:00 with a touch-and-go until 12:40, back at 12:40 until `ends`.
std::string hourly(const std::string &ends)
{
    return replaced(replaced(replaced(kGood, "24Hr", "1Hr"), "00:00:00", "TNG12:40:00"), "14:00:00,00:00:00",
                    "12:40:00,@" + ends);
}

const ProblemRow kProblems[] = {
    {"FieldTooFew", replaced(kGood, ",KJFK", ""), kGood, "not a flight-plan line (16 fields)"},
    {"TwoPlansGlued", kGood + kGood, kGood + "\r\n" + replaced(kGood, "N541SP", "N542SP"),
     "two plans on one line: the second starts in field 17"},
    {"TwoPlansByAComma", kGood + ',' + kGood, kGood, "the second starts in field 18"},
    {"AircraftNotANumber", replaced(kGood, "AC#1", "AC1"), kGood, "aircraft \"AC1\" is not AC# and a number"},
    {"AircraftZero", replaced(kGood, "AC#1", "AC#0"), kGood, "AC#0: aircraft are counted from 1"},
    {"AircraftBeyondTheList", replaced(kGood, "AC#1", "AC#4"), replaced(kGood, "AC#1", "AC#3"),
     "AC#4 is beyond the 3 aircraft of the aircraft list"},
    {"NoCallSign", replaced(kGood, "N541SP", ""), kGood, "no call sign"},
    {"PercentageZero", replaced(kGood, "50%", "0%"), replaced(kGood, "50%", "1%"), "percentage \"0%\" is not 1% to 100%"},
    {"PercentageOverAHundred", replaced(kGood, "50%", "101%"), replaced(kGood, "50%", "100%"), "\"101%\" is not"},
    {"PercentageWithoutSign", replaced(kGood, "50%", "50"), kGood, "percentage \"50\" is not"},
    {"PeriodCase", replaced(kGood, "24Hr", "24hr"), kGood, "period \"24hr\" is none of 1Hr"},
    {"FlightRules", replaced(kGood, "IFR", "IFX"), replaced(kGood, "IFR", "VFR"), "\"IFX\" are neither IFR nor VFR"},
    {"DepartureTime", replaced(kGood, "14:00:00", "14:00"), kGood, "leg 2 departure time \"14:00\" is not a time"},
    {"DepartureHour", replaced(kGood, "12:00:00", "24:00:00"), replaced(kGood, "12:00:00", "13:00:00"),
     "leg 1 departure time \"24:00:00\""},
    {"Arrival", replaced(kGood, "12:00:00,00:00:00", "12:00:00,0:00:00"), kGood,
     "leg 1 arrival \"0:00:00\" is not a time of day, TNG and a time, or @ and a time"},
    {"TouchAndGoWithoutTime", replaced(kGood, "12:00:00,00:00:00", "12:00:00,TNG"),
     replaced(kGood, "12:00:00,00:00:00", "12:00:00,TNG12:30:00"), "leg 1 arrival \"TNG\" is not"},
    {"FlightLevel", replaced(kGood, "050,R,0429", "05O,R,0429"), kGood, "leg 1 flight level \"05O\" is not digits"},
    {"AtcId", replaced(kGood, "050,R,430", "050,X,430"), replaced(kGood, "050,R,430", "050,F,430"),
     "leg 2 ATC ID \"X\" is neither R nor F"},
    {"FlightNumber", replaced(kGood, "0429", "04A9"), kGood, "leg 1 flight number \"04A9\" is not digits"},
    {"AirportNotListed", replaced(kGood, "KBOS", "KBOX"), kGood, "leg 1 airport \"KBOX\" is not in the airports list"},
    {"AirportInOtherCase", replaced(kGood, "KBOS", "kbos"), kGood,
     "leg 1 airport \"kbos\" is in the airports list only as \"KBOS\""},
    {"NoAirport", replaced(kGood, ",KJFK", ","), kGood, "leg 2 has no airport"},
    {"ReturnBeforeTouchAndGoEnds", replaced(replaced(kGood, "12:00:00,00:00:00", "12:00:00,TNG13:00:00"), "14:00:00", "12:59:00"),
     replaced(replaced(kGood, "12:00:00,00:00:00", "12:00:00,TNG13:00:00"), "14:00:00", "13:00:00"),
     "leg 2 leaves 1 min before leg 1 has ended"},
    {"ReturnBeforeFlyingTimeEnds", transatlantic("0/23:00:00"), transatlantic("0/23:01:00"),
     "leg 2 leaves 1 min before leg 1 has ended"},
    {"BackAfterNextOutbound", replaced(kGood, "14:00:00,00:00:00", "14:00:00,@12:01:00"),
     replaced(kGood, "14:00:00,00:00:00", "14:00:00,@12:00:00"), "leg 2 ends 1 min after leg 1 leaves again"},
    {"LongerThanThePeriod", hourly("13:10:00"), hourly("13:00:00"), "the legs take 1 h 10 min together, longer than the 1Hr period"},
    {"ThirdLegBeforeSecondEnds", threeLegs("07:59:00"), threeLegs("08:00:00"), "leg 3 leaves 1 min before leg 2 has ended"},
    {"DayOnADailyPlan", days("1/12:00:00", "1/14:00:00", "24Hr"), days("1/12:00:00", "1/14:00:00"),
     "leg 1 departure time \"1/12:00:00\": a day before the time of a 24Hr plan is not checked", FindingKind::NotChecked},
    {"DayBeyondTheWeek", days("7/12:00:00", "6/14:00:00"), days("6/12:00:00", "6/14:00:00"),
     "\"7/12:00:00\": a day other than 0 to 6 is not checked", FindingKind::NotChecked},
    {"DaysOnSomeTimes", days("1/12:00:00", "14:00:00"), days("1/12:00:00", "1/14:00:00"),
     "schedule not checked: some of its times carry a day and some do not", FindingKind::NotChecked},
    {"DayInATouchAndGo", replaced(days("1/12:00:00", "1/14:00:00"), "00:00:00", "TNG1/12:30:00"),
     replaced(days("1/12:00:00", "1/14:00:00"), "00:00:00", "@1/12:30:00"), "a day before the time of a touch-and-go",
     FindingKind::NotChecked},
    {"CallSignOnTwoLines", kGood + "\n\n" + kGood, kGood + "\n\n" + replaced(kGood, "N541SP", "N542SP"),
     "call sign N541SP is also on line 3", FindingKind::Note},
};

INSTANTIATE_TEST_SUITE_P(PlanFileCheck, LineProblems, testing::ValuesIn(kProblems),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PlanFileCheck, LinesAsAnEditorCountsThem)
{
    const Lists lists;
    for (const std::string end : {"\r\n", "\n", "\r"}) {
        const std::string file = "\xEF\xBB\xBF" + kGood + end + end + " \t" + end + "x,y" + end + kGood;
        const PlanFileReport report = checkPlanFile(file, lists);
        EXPECT_EQ(report.lines, 5u);
        EXPECT_EQ(report.plans, 2u);
        ASSERT_EQ(report.reported.size(), 3u);
        EXPECT_EQ(report.reported[1].number, 4u);
        EXPECT_EQ(file.substr(report.reported[1].offset, report.reported[1].length), "x,y");
        EXPECT_EQ(report.reported[0].whatIsWrong(), "call sign N541SP is also on line 5");
        EXPECT_EQ(report.reported[0].airports, "KJFK -> KBOS -> KJFK");
    }
}

TEST(PlanFileCheck, ManyLinesOfOneCallSignNameFiveAndCountTheRest)
{
    std::string file;
    for (int i = 0; i < 1002; ++i)
        file += kGood + "\r\n";
    const PlanFileReport report = checkPlanFile(file, Lists());
    ASSERT_EQ(report.reported.size(), 1002u);
    EXPECT_EQ(report.reported[2].whatIsWrong(), "call sign N541SP is also on lines 1, 2, 4, 5, 6 and 996 more");
    EXPECT_EQ(report.withProblems, 0u);
    EXPECT_EQ(reportSentence(report), "1,002 lines, 1,002 plans: no problems found");
}

// With no lists read, codes and aircraft numbers are not checked, nor is a
// flying time known; the sentence says which lists were missing.
TEST(PlanFileCheck, ListsNotReadAreSkippedAndNamed)
{
    Lists none;
    none.airports.clear();
    none.knots.clear();
    const std::string file = replaced(replaced(kGood, "KBOS", "ZZZZ"), "AC#1", "AC#9") + "\r\nAC#1";
    const PlanFileReport report = checkPlanFile(file, none);
    EXPECT_EQ(reportSentence(report), "2 lines, 1 plan: 1 with problems. Airport codes and aircraft numbers were "
                                      "not checked: neither list has been read");
    ASSERT_EQ(report.reported.size(), 1u);
    EXPECT_EQ(report.reported[0].whatIsWrong(), "not a flight-plan line (1 field)");

    Lists airportsOnly;
    airportsOnly.knots.clear();
    EXPECT_EQ(reportSentence(checkPlanFile(kGood, airportsOnly)),
              "1 line, 1 plan: no problems found. Aircraft numbers were not checked: no aircraft list has been read");
}

TEST(PlanFileLines, FieldTimesAndArrivals)
{
    EXPECT_EQ(readFieldTime("06:30:59").minutes, 390);
    EXPECT_EQ(readFieldTime("6/06:30:00").minutes, 6 * 1440 + 390);
    for (const char *odd : {"x/06:30:00", "/06:30:00", "1/6:30:00", "1/", "06:30:00/"})
        EXPECT_EQ(readFieldTime(odd).form, FieldTime::Form::NotATime) << odd;
    EXPECT_EQ(readFieldTime("10/06:30:00").form, FieldTime::Form::OtherDay);
    EXPECT_EQ(readFieldArrival("@2/07:00:00").form, FieldArrival::Form::Fixed);
    EXPECT_EQ(readFieldArrival("TNG07:00:00").time.minutes, 420);
    EXPECT_EQ(readFieldArrival("tng07:00:00").form, FieldArrival::Form::NotAnArrival);
    EXPECT_EQ(legCount(11), 1u);
    EXPECT_EQ(legCount(23), 3u);
    EXPECT_EQ(legCount(5), std::nullopt);
    EXPECT_EQ(legCount(16), std::nullopt);
}

} // namespace
} // namespace zephlan
