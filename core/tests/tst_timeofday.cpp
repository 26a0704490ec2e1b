#include "core/TimeOfDay.h"

#include <gtest/gtest.h>

namespace zephlan {
namespace {

struct TypingCase
{
    const char *start;
    int cursor;
    const char *keys;
    const char *expected;
    // How many of the keys were refused.
    int refused;
};

void PrintTo(const TypingCase &c, std::ostream *os) { *os << c.start << " @" << c.cursor << " + \"" << c.keys << '"'; }

class TimeTyping : public ::testing::TestWithParam<TypingCase> {};

// Keys are typed one after another, a refused one leaving the field as it was.
TEST_P(TimeTyping, GivesATimeOfDay)
{
    const TypingCase &row = GetParam();
    TimeField field{row.start, row.cursor};
    int refused = 0;
    for (const char *key = row.keys; *key != '\0'; ++key) {
        if (const auto typed = typeIntoTime(field, *key))
            field = *typed;
        else
            ++refused;
    }
    EXPECT_EQ(field.text, row.expected);
    EXPECT_EQ(refused, row.refused);
}

INSTANTIATE_TEST_SUITE_P(Keys, TimeTyping, ::testing::ValuesIn(std::vector<TypingCase>{
    {"00:00:00", 0, "123456", "12:34:56", 0}, {"00:00:00", 0, "1234567", "12:34:56", 1},
    {"00:00:00", 0, "7:05", "07:05:00", 0}, {"00:00:00", 0, "7", "07:00:00", 0},
    {"00:00:00", 0, "705", "07:05:00", 0}, {"00:00:00", 0, "1:2:3", "01:02:30", 0},
    {"00:00:00", 0, "1.2.3.", "01:02:03", 0}, {"00:00:00", 0, "12:30", "12:30:00", 0},
    {"00:00:00", 0, "09:7", "09:07:00", 0}, {"00:00:00", 0, "2359", "23:59:00", 0},
    {"00:00:00", 0, "25:99:99", "02:09:09", 3}, {"00:00:00", 0, "2460", "20:00:00", 2},
    {"00:00:00", 0, "1a2b", "12:00:00", 2},
    // Typed over part of a time: the caret stands where a click or Home put it.
    {"09:45:00", 0, "2", "20:45:00", 0}, {"19:45:00", 1, "5", "15:45:00", 0},
    {"23:45:00", 1, "9", "23:45:00", 1}, {"20:45:00", 1, "4", "20:45:00", 1},
    {"12:45:00", 4, "9", "12:49:00", 0}, {"12:45:00", 3, "7", "12:07:00", 0},
    {"12:34:56", 6, "99", "12:34:09", 1}, {"12:34:56", 8, "1", "12:34:56", 1},
    {"12:34:56", 2, "1", "12:14:56", 0},
}));

struct PasteCase
{
    const char *text;
    const char *expected;
};

void PrintTo(const PasteCase &c, std::ostream *os) { *os << '"' << c.text << '"'; }

class TimePaste : public ::testing::TestWithParam<PasteCase> {};

// "refused" where the paste leaves the field as it was.
TEST_P(TimePaste, GoesInWholeOrNotAtAll)
{
    const auto pasted = pasteIntoTime(TimeField{}, GetParam().text);
    EXPECT_EQ(pasted ? pasted->text : "refused", GetParam().expected);
}

TEST(TimePasteAtTheCaret, FillsFromTheCaretsSection)
{
    EXPECT_EQ(pasteIntoTime({"12:00:00", 3}, "30"), (TimeField{"12:30:00", 6}));
    EXPECT_EQ(pasteIntoTime({"12:00:00", 4}, "30:15"), (TimeField{"12:30:15", 8}));
    EXPECT_EQ(pasteIntoTime({"12:00:00", 6}, "30:15"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Texts, TimePaste, ::testing::ValuesIn(std::vector<PasteCase>{
    {"07:05:00", "07:05:00"}, {" 7:05\r\n", "07:05:00"}, {"18.30", "18:30:00"}, {"235959", "23:59:59"},
    {"00:00", "00:00:00"}, {"", "00:00:00"}, {"0:0:0", "00:00:00"},
    {"25:00", "refused"}, {"705", "refused"}, {"1:2:3:4", "refused"}, {"12::30", "refused"}, {"123:00", "refused"}, {"12:60", "refused"}, {"7 05", "refused"}, {"12:34:56:7", "refused"},
    {"noon", "refused"}, {"-1:00", "refused"},
}));

} // namespace
} // namespace zephlan
