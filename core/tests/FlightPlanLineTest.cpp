#include "FlightPlan.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <limits>

namespace zephlan {
namespace {

struct LineCase
{
    const char *name;
    FlightPlanEntry entry;
    std::string line;
};

void PrintTo(const LineCase &row, std::ostream *out)
{
    *out << row.name;
}

class FlightPlanLine : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(FlightPlanLine, IsComposedByteForByte)
{
    EXPECT_EQ(ComposeFlightPlanLine(GetParam().entry), GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, FlightPlanLine,
    ::testing::Values(
        LineCase{"Example",
                 {"3", "N541SP", "50", "24Hr", "IFR", "12:00:00", "00:00:00", "050", "R", "0429", "DEST",
                  "16:00:00", "00:00:00", 430.0f, "HOME"},
                 test::kExampleLine},
        LineCase{"EmptyValuesKeepSeventeenFields", {}, "AC#,,%,,,,,,,,,,,,,0,"},
        LineCase{"EachValueInItsFields",
                 {"a", "b", "c", "d", "e", "f", "TNGg", "h", "i", "j", "k", "l", "TNGm", 14.5f, "o"},
                 "AC#a,b,c%,d,e,f,TNGg,h,i,j,k,l,TNGm,h,i,14.5,o"},
        LineCase{"CommasPassUnescaped",
                 {"1", "N5,41", "5,0", "", "", "", "", "0,5", "", "\"A, B\"", "", "", "", 2.0f, ""},
                 "AC#1,N5,41,5,0%,,,,,0,5,,\"A, B\",,,,0,5,,2,"}),
    [](const auto &info) { return std::string(info.param.name); });

struct NumberCase
{
    std::string text;
    std::string written;
};

void PrintTo(const NumberCase &row, std::ostream *out)
{
    *out << '"' << row.text.substr(0, 20) << "\" -> " << row.written;
}

class ReturnNumber : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(ReturnNumber, IsTheTextsValuePlusOneWrittenAsSingle)
{
    EXPECT_EQ(formatSingle(ReturnFlightNumber(GetParam().text)), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    FlightNumbers, ReturnNumber,
    ::testing::Values(
        NumberCase{"0429", "430"}, NumberCase{"0999", "1000"}, NumberCase{"999", "1000"},
        NumberCase{"12", "13"}, NumberCase{"12AB", "13"}, NumberCase{"AB12", "1"},
        NumberCase{"12.5", "13.5"}, NumberCase{" 1 2", "13"}, NumberCase{"&HFF", "256"},
        NumberCase{"&O17", "16"}, NumberCase{"1E3", "1001"}, NumberCase{"1D2", "101"},
        NumberCase{"-5", "-4"}, NumberCase{"", "1"}, NumberCase{"9999999", "1E+07"}));

INSTANTIATE_TEST_SUITE_P(
    Reading, ReturnNumber,
    ::testing::Values(
        NumberCase{"\t1\n2", "13"}, NumberCase{"1\r2", "2"}, NumberCase{" + 5", "6"},
        NumberCase{"--5", "1"}, NumberCase{".", "1"}, NumberCase{".5", "1.5"},
        NumberCase{"1.2.3", "2.2"}, NumberCase{"1 d - 1", "1.1"}, NumberCase{"1EX5", "2"},
        NumberCase{"E5", "1"}, NumberCase{"&h 1 f", "32"}, NumberCase{"&HFG", "16"},
        NumberCase{"&O8", "1"}, NumberCase{"&X10", "1"}, NumberCase{"-&H10", "1"},
        NumberCase{"&HFFFF", "65536"}, NumberCase{"&HFFFFFFFF", "4.294967E+09"}));

INSTANTIATE_TEST_SUITE_P(
    Writing, ReturnNumber,
    ::testing::Values(
        NumberCase{"-1", "0"}, NumberCase{"-0", "1"}, NumberCase{"-1.5", "-0.5"},
        NumberCase{"-.99999", "1E-05"}, NumberCase{"-1.00001", "-1E-05"}, NumberCase{"-0.9999", "0.0001"},
        NumberCase{"12345677", "1.234568E+07"}, NumberCase{"-2", "-1"}, NumberCase{"1E-400", "1"},
        NumberCase{"0." + std::string(500, '0') + "1", "1"}));

INSTANTIATE_TEST_SUITE_P(
    Overflow, ReturnNumber,
    ::testing::Values(
        NumberCase{"9E99", "3.402823E+38"}, NumberCase{"1E39", "3.402823E+38"},
        NumberCase{"-9E99", "-3.402823E+38"}, NumberCase{"3.4E38", "3.4E+38"},
        NumberCase{"1E99999999999999999999", "3.402823E+38"},
        NumberCase{std::string(400, '9'), "3.402823E+38"},
        NumberCase{"-" + std::string(400, '9'), "-3.402823E+38"},
        NumberCase{"&H" + std::string(300, 'F'), "3.402823E+38"}));

TEST(SingleText, HasNoNegativeZeroAndNamesTheNonNumbers)
{
    EXPECT_EQ(formatSingle(-0.0f), "0");
    EXPECT_EQ(formatSingle(std::numeric_limits<float>::denorm_min()), "1.401298E-45");
    EXPECT_EQ(formatSingle(-std::numeric_limits<float>::infinity()), "-1.#INF");
    EXPECT_EQ(formatSingle(std::numeric_limits<float>::quiet_NaN()), "1.#QNAN");
}

} // namespace
} // namespace zephlan
