#include "TempFolder.h"
#include "TrafficList.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace zephlan {
namespace {

using namespace std::string_literals;

enum class Kind { Airports, Aircraft };

struct ListCase
{
    const char *name;
    Kind kind;
    std::string bytes;
    std::vector<std::string> entries;
    bool failed;
};

void PrintTo(const ListCase &c, std::ostream *os)
{
    *os << c.name;
}

std::size_t openFileCount()
{
    const std::filesystem::directory_iterator files("/proc/self/fd");
    return static_cast<std::size_t>(std::distance(begin(files), end(files)));
}

// Reads the list and checks that no file was left open.
TrafficList readList(Kind kind, const std::filesystem::path &path)
{
    const std::size_t openBefore = openFileCount();
    TrafficList list = kind == Kind::Airports ? ReadAirportList(path) : ReadAircraftList(path);
    EXPECT_EQ(openFileCount(), openBefore) << path;
    return list;
}

class ListFiles : public testing::TestWithParam<ListCase>
{
};

TEST_P(ListFiles, KeepsTheRightFieldInFileOrder)
{
    const ListCase &c = GetParam();
    const TempFolder folder;
    const TrafficList list = readList(c.kind, folder.write("list.txt", c.bytes));
    EXPECT_EQ(list.entries, c.entries);
    EXPECT_EQ(list.failed, c.failed);
}

const std::string kAirportLines[] = {"BGGH,N64* 11.44',W51* 40.68',282", "EGLL,N51* 28.65',W0* 27.68',83",
                                     "BGGH,N64* 11.44',W51* 40.68',282", "AAAA,S1* 00.00',E2* 00.00',-5"};

std::string airports(const std::string &lineEnd, bool finalLineEnd = true)
{
    std::string bytes;
    for (const std::string &line : kAirportLines)
        bytes += line + lineEnd;
    return finalLineEnd ? bytes : bytes.substr(0, bytes.size() - lineEnd.size());
}

const std::vector<std::string> kCodes = {"BGGH", "EGLL", "BGGH", "AAAA"};

const ListCase kListCases[] = {
    {"AirportsLineFeed", Kind::Airports, airports("\n"), kCodes, false},
    {"AirportsCarriageReturn", Kind::Airports, airports("\r"), kCodes, false},
    {"AirportsPair", Kind::Airports, airports("\r\n"), kCodes, false},
    {"AirportsNoFinalLineEnd", Kind::Airports, airports("\r\n", false), kCodes, false},
    {"AirportsTrailingBlankLines", Kind::Airports, airports("\n") + "\n\r\n  \n", kCodes, false},
    {"AirportsBlankLineInside", Kind::Airports, "A,1,2,3\n\n  \nB,4,5,6\n", {"A", "B"}, false},
    {"AirportsEmptyLastField", Kind::Airports, "A,1,2,\nB,4,5,\n", {"A", "B"}, false},
    {"AirportsCodeKeptAsWritten", Kind::Airports, " \"b gg\" ,1,2,3\n x y  ,4,5,6", {"b gg", "x y"}, false},
    {"AirportsEmptyFile", Kind::Airports, "", {}, false},
    {"AirportsCutShort", Kind::Airports, airports("\n") + "EKCH,N55* 37.06'", kCodes, true},
    {"AirportsCutShortAfterComma", Kind::Airports, "A,1,2,3\nB,4,5,", {"A"}, true},
    {"AirportsThreeFieldLinesShift", Kind::Airports, "A,1,2\nB,3,4\nC,5,6\nD,7,8\n", {"A", "3", "6"}, false},
    {"AirportsFiveFieldLinesShift", Kind::Airports, "A,1,2,3,x\nB,4,5,6,y\n", {"A", "x"}, true},
    {"AircraftQuotedTitle", Kind::Aircraft, "AC#11,450,\"Boeing 737-800 Paint1\"\n", {"Boeing 737-800 Paint1"}, false},
    {"AircraftTitleWithComma", Kind::Aircraft, "AC#2,120,\"Cessna 172, Skyhawk\"\r\nAC#1,450,\"B747\"\r\n",
     {"Cessna 172, Skyhawk", "B747"}, false},
    {"AircraftUnquotedTitleTrimmed", Kind::Aircraft, "AC#3,300,  Dash 8   \rAC#3,300,Dash 8\r",
     {"Dash 8", "Dash 8"}, false},
    {"AircraftUnterminatedTitle", Kind::Aircraft, "AC#1,450,\"A\"\nAC#2,450,\"Boeing\n", {"A", "Boeing\n"}, false},
    {"AircraftNulKept", Kind::Aircraft, "AC\0,1,T\0x\n"s, {"T\0x"s}, false},
    {"AircraftCutShort", Kind::Aircraft, "AC#1,450,\"A\"\nAC#2,450\n", {"A"}, true},
    {"AircraftFourFieldLinesShift", Kind::Aircraft, "1,2,A,x\n3,4,B,y\n5,6,C,z\n", {"A", "4", "5", "z"}, false},
};

INSTANTIATE_TEST_SUITE_P(Traffic, ListFiles, testing::ValuesIn(kListCases),
                         [](const testing::TestParamInfo<ListCase> &info) { return std::string(info.param.name); });

class UnreadablePaths : public testing::TestWithParam<Kind>
{
};

TEST_P(UnreadablePaths, FailWithoutEntriesOrWaiting)
{
    const TempFolder folder;
    const std::filesystem::path pipe = folder.path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    for (const std::filesystem::path &path : {folder.path() / "missing.txt", folder.path(), pipe, std::filesystem::path("/dev/null")}) {
        const TrafficList list = readList(GetParam(), path);
        EXPECT_TRUE(list.failed) << path;
        EXPECT_TRUE(list.entries.empty()) << path;
    }
}

INSTANTIATE_TEST_SUITE_P(Traffic, UnreadablePaths, testing::Values(Kind::Airports, Kind::Aircraft));

} // namespace
} // namespace zephlan
