#include "TrafficList.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace zephlan {
namespace {

using namespace std::string_literals;

struct FieldCase
{
    const char *name;
    std::string bytes;
    std::vector<std::string> fields;
};

void PrintTo(const FieldCase &c, std::ostream *os)
{
    *os << c.name;
}

std::vector<std::string> readAllFields(TrafficFieldReader &reader)
{
    std::vector<std::string> fields;
    while (auto field = reader.readField())
        fields.emplace_back(*field);
    return fields;
}

class FieldRules : public testing::TestWithParam<FieldCase>
{
};

TEST_P(FieldRules, ReadsFieldsThenReportsInputPastEnd)
{
    const FieldCase &c = GetParam();
    TrafficFieldReader reader(c.bytes);
    EXPECT_EQ(readAllFields(reader), c.fields);
    EXPECT_TRUE(reader.atEnd());
    EXPECT_FALSE(reader.readField().has_value());
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
    {"LineFeedEnds", "a\nb\n", {"a", "b"}},
    {"CarriageReturnEnds", "a\rb\r", {"a", "b"}},
    {"PairEndsOnce", "a\r\nb\r\n", {"a", "b"}},
    {"EmptyFieldsBetweenCommas", "a,,b,", {"a", "", "b"}},
    {"LineEndAfterCommaEndsEmptyField", "a,\nb,  \r\nc", {"a", "", "b", "", "c"}},
    {"BlanksAfterLastCommaAreOneEmptyField", "a,  ", {"a", ""}},
    {"BlankLinesSkipped", "\n\ra\n\n \t\r\nb\r\r\nc", {"a", "b", "c"}},
    {"BlankLinesAtEndAreNothing", "a\n\n  \n\t", {"a"}},
    {"ControlBytesAreData", "a\0b\x01\x7f,\0\n\x1a"s, {"a\0b\x01\x7f"s, "\0"s, "\x1a"}},
    {"LongFieldsEndAtEveryOffset", "abcdefghi,abcdefghijklmnop\r\nabcdefghijklmnopq\nabcdefg,",
     {"abcdefghi", "abcdefghijklmnop", "abcdefghijklmnopq", "abcdefg"}},
    {"HighBytesAreData", "\xe9t\xe9,\xff\xfe\x80", {"\xe9t\xe9", "\xff\xfe\x80"}},
};

INSTANTIATE_TEST_SUITE_P(Traffic, FieldRules, testing::ValuesIn(kFieldCases),
                         [](const testing::TestParamInfo<FieldCase> &info) { return std::string(info.param.name); });

struct EndCase
{
    std::string bytes;
    bool atEndAfterOneField;
};

void PrintTo(const EndCase &c, std::ostream *os)
{
    *os << testing::PrintToString(c.bytes);
}

class EndAfterOneField : public testing::TestWithParam<EndCase>
{
};

TEST_P(EndAfterOneField, ConsumesTheWholeLineEnd)
{
    TrafficFieldReader reader(GetParam().bytes);
    ASSERT_TRUE(reader.readField().has_value());
    EXPECT_EQ(reader.atEnd(), GetParam().atEndAfterOneField);
}

INSTANTIATE_TEST_SUITE_P(Traffic, EndAfterOneField,
                         testing::Values(EndCase{"a\r\n", true}, EndCase{"\"a\" b\r\n", true}, EndCase{"a,", true},
                                         EndCase{"a\n\r", false}, EndCase{"a\r\r", false}, EndCase{"a,\n", false}));

TEST(FieldReader, FieldsAreViewsIntoTheBytes)
{
    const std::string bytes = "BGGH,\"Boeing 737\"";
    TrafficFieldReader reader(bytes);
    const auto code = reader.readField();
    const auto title = reader.readField();
    ASSERT_TRUE(code && title);
    EXPECT_EQ(code->data(), bytes.data());
    EXPECT_EQ(title->data(), bytes.data() + 6);
}

} // namespace
} // namespace zephlan
