#include "core/FlightPlan.h"
#include "core/NumberText.h"
#include "core/testing/ExpectedLine.h"

#include <gtest/gtest.h>

#include <limits>

namespace zephlan {
namespace {

// Every field different, so that two fields swapped or one written twice show.
TEST(FlightPlanLine, PutsEachFieldInItsPlace)
{
    const FlightPlanEntry entry{"7", "CALL", "55", "Week", "VFR", "01:02:03", "TNG04:05:06", "095", "F", "0429",
                                "DEST", "07:08:09", "TNG10:11:12", 430.0f, "HOME"};
    const ExpectedLine expected{.aircraft = "7", .callSign = "CALL", .percent = "55", .period = "Week", .rules = "VFR",
                                .departure = "01:02:03", .outboundArrival = "TNG04:05:06", .level = "095",
                                .atcId = "F", .flightNumber = "0429", .destination = "DEST", .returnTime = "07:08:09",
                                .returnArrival = "TNG10:11:12", .returnFlightNumber = "430", .home = "HOME"};
    EXPECT_EQ(ComposeFlightPlanLine(entry), expected.text());
}

TEST(FlightPlanLine, KeepsSeventeenFieldsAndPassesCommasUnescaped)
{
    EXPECT_EQ(ComposeFlightPlanLine({}), "AC#,,%,,,,,,,,,,,,,0,");
    EXPECT_EQ(ComposeFlightPlanLine({"1", "N5,41", "5,0", "", "", "", "", "0,5", "", "\"A, B\"", "", "", "", 2.0f, ""}),
              "AC#1,N5,41,5,0%,,,,,0,5,,\"A, B\",,,,0,5,,2,");
}

struct NumberCase
{
    std::string text;
    std::string written;
};

void PrintTo(const NumberCase &c, std::ostream *os) { *os << '"' << c.text.substr(0, 20) << "\" -> " << c.written; }

class ReturnNumber : public ::testing::TestWithParam<NumberCase> {};

// "refused" where the value plus one lies outside the single-precision range.
TEST_P(ReturnNumber, IsTheTextsValuePlusOneWrittenAsSingle)
{
    const std::optional<float> number = ReturnFlightNumber(GetParam().text);
    EXPECT_EQ(number ? formatSingle(*number) : "refused", GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(FlightNumbers, ReturnNumber, ::testing::ValuesIn(std::vector<NumberCase>{
    {"0429", "430"}, {"0999", "1000"}, {"999", "1000"}, {"12", "13"}, {"12AB", "13"}, {"AB12", "1"}, {"12.5", "13.5"},
    {" 1 2", "13"}, {"&HFF", "256"}, {"&O17", "16"}, {"1E3", "1001"}, {"1D2", "101"}, {"-5", "-4"}, {"", "1"},
    {"9999999", "1E+07"},
    // Reading: blanks, tabs and line feeds are skipped anywhere, any other text ends the number.
    {"\t1\n2", "13"}, {"1\r2", "2"}, {" + 5", "6"}, {"--5", "1"}, {".", "1"}, {".5", "1.5"}, {"1.2.3", "2.2"},
    {"1 d - 1", "1.1"}, {"1EX5", "2"}, {"E5", "1"}, {"&h 1 f", "32"}, {"&HFG", "16"}, {"&O8", "1"}, {"&X10", "1"},
    {"-&H10", "1"}, {"&HFFFF", "65536"}, {"&HFFFFFFFF", "4.294967E+09"}, {"1E-400", "1"},
    {"0." + std::string(500, '0') + "1", "1"},
    // Writing: seven significant digits, exponent form outside 1E-05 .. 9999999.
    {"-1", "0"}, {"-1.5", "-0.5"}, {"-.99999", "1E-05"}, {"-1.00001", "-1E-05"}, {"-0.9999", "0.0001"},
    {"12345677", "1.234568E+07"},
    // The longest a four-character box can give, as long as any text can: thirteen characters.
    {"-9E9", "-8.999999E+09"}, {"-1E9", "-1E+09"},
    // Beyond the largest single there is no return number.
    {"9E99", "refused"}, {"9D99", "refused"}, {"1E39", "refused"}, {"-9E99", "refused"}, {"3.4E38", "3.4E+38"},
    {"3.402823E38", "3.402823E+38"}, {"3.5E38", "refused"}, {"1E99999999999999999999", "refused"},
    {std::string(400, '9'), "refused"}, {"&H" + std::string(300, 'F'), "refused"}}));

TEST(SingleText, HasNoNegativeZero)
{
    EXPECT_EQ(formatSingle(-0.0f), "0");
    EXPECT_EQ(formatSingle(std::numeric_limits<float>::denorm_min()), "1.401298E-45");
}

} // namespace
} // namespace zephlan
