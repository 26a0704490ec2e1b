#include "traffic/TrafficFieldReader.h"
#include "traffic/TrafficList.h"
#include "traffic/testing/PlainFields.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace zephlan {
namespace {

using namespace std::string_literals;

// Every field, then checks that the reader stays at its end.
std::vector<std::string> readAllFields(std::string_view bytes)
{
    TrafficFieldReader reader(bytes);
    std::vector<std::string> fields;
    while (auto field = reader.readField())
        fields.emplace_back(*field);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.readField().has_value());
    return fields;
}

struct FieldCase
{
    const char *name;
    std::string bytes;
    std::vector<std::string> fields;
};

void PrintTo(const FieldCase &c, std::ostream *os) { *os << c.name; }

class FieldRules : public testing::TestWithParam<FieldCase> {};

TEST_P(FieldRules, ReadsFieldsThenReportsInputPastEnd)
{
    EXPECT_EQ(readAllFields(GetParam().bytes), GetParam().fields);
}

const FieldCase kFieldCases[] = {
    {"Empty", "", {}},
    {"LeadingBlanksAndTabsSkipped", " \t abc,\t\tdef", {"abc", "def"}},
    {"QuotedKeepsCommas", "\"Cessna 172, Skyhawk\",x", {"Cessna 172, Skyhawk", "x"}},
    {"QuotedKeepsInnerBlanks", "  \" a b \" ,x", {" a b ", "x"}},
    {"QuotedSpansLineEnds", "\"a\r\nb\"\nc", {"a\r\nb", "c"}},
    {"TextAfterClosingQuoteDropped", "\"ab\" junk,c", {"ab", "c"}},
    {"QuotesAfterClosingQuoteDropped", "\"ab\"c\"d,e\",x", {"ab", "e\"", "x"}},
    {"EmptyQuoted", "\"\",x", {"", "x"}},
    {"UnterminatedQuoteRunsToEnd", "a,\"bc,d\ne,f\n", {"a", "bc,d\ne,f\n"}},
    {"TrailingBlanksTrimmed", "ab   ,c  \nd ", {"ab", "c", "d"}},
    {"InnerBlanksAndTrailingTabKept", "a b\t ,c", {"a b\t", "c"}},
    {"QuoteInsideUnquotedIsData", "ab\"c,d\"", {"ab\"c", "d\""}},
    {"LineEnds", "a\nb\rc\r\nd\n", {"a", "b", "c", "d"}},
    {"EmptyFieldsBetweenCommas", "a,,b,", {"a", "", "b"}},
    {"LineEndAfterCommaEndsEmptyField", "a,\nb,  \r\nc", {"a", "", "b", "", "c"}},
    {"BlanksAfterLastCommaAreOneEmptyField", "a,  ", {"a", ""}},
    {"BlankLinesSkipped", "\n\ra\n\n \t\r\nb\r\r\nc", {"a", "b", "c"}},
    {"BlankLinesAtEndAreNothing", "a\n\n  \n\t", {"a"}},
    {"ControlAndHighBytesAreData", "a\0b\x01\x7f,\0\n\x1a\xe9t\xff"s, {"a\0b\x01\x7f"s, "\0"s, "\x1a\xe9t\xff"}},
    {"LongFieldsEndAtEveryOffset", "abcdefghi,abcdefghijklmnop\r\nabcdefghijklmnopq\nabcdefg,",
     {"abcdefghi", "abcdefghijklmnop", "abcdefghijklmnopq", "abcdefg"}},
};

INSTANTIATE_TEST_SUITE_P(Traffic, FieldRules, testing::ValuesIn(kFieldCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A CR LF pair is one line end; LF CR and CR CR are two, the second one starting a blank line.
TEST(FieldReader, ConsumesTheWholeLineEndWithTheField)
{
    const std::pair<const char *, bool> kCases[] = {{"a\r\n", true}, {"\"a\" b\r\n", true}, {"a,", true},
                                                    {"a\n\r", false}, {"a\r\r", false}, {"a,\n", false}};
    for (const auto &[bytes, atEnd] : kCases) {
        TrafficFieldReader reader(bytes);
        ASSERT_TRUE(reader.readField().has_value());
        EXPECT_EQ(reader.atEnd(), atEnd) << testing::PrintToString(bytes);
    }
}

TEST(TrafficRobustness, RandomBytesFollowThePlainRules)
{
    // Bytes from the whole range, or mostly the ones the rules treat specially.
    static const char kSpecial[] = {',', '"', '\r', '\n', ' ', '\t', '\0', 'a'};
    std::mt19937 random(20240601u);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(random() % 80, '\0');
        for (char &c : bytes) {
            const unsigned value = random();
            c = round % 4 && value % 3 ? kSpecial[(value >> 8) % sizeof kSpecial] : static_cast<char>(value >> 16);
        }
        const std::vector<std::string> expected = plainFields(bytes);
        ASSERT_EQ(readAllFields(bytes), expected) << testing::PrintToString(bytes);

        const TrafficList list = readTrafficRecords(bytes, TrafficListKind::Aircraft);
        ASSERT_EQ(list.entries.size(), expected.size() / 3);
        ASSERT_EQ(list.failed, expected.size() % 3 != 0);
        for (std::size_t i = 0; i < list.entries.size(); ++i)
            ASSERT_EQ(list.entries.at(i), expected[3 * i + 2]);
    }
}

} // namespace
} // namespace zephlan
