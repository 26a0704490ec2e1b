#include "core/TimeOfDay.h"

#include <gtest/gtest.h>

#include <set>

namespace zephlan {
namespace {

std::string shown(const TimeField &field)
{
    return field.text() + '@' + std::to_string(field.cursor()) + (field.typed() ? " typed" : "");
}

// What a paste into an empty field should leave. Blanks around the text are dropped; a time of day
// written as h:mm, hh:mm, h:mm:ss or hh:mm:ss, with ':' or '.', or with its digits run together,
// fills the field; one or two digits go in as those keys would; anything else is refused.
std::string expectedPaste(std::string text)
{
    static const std::set<std::string> wholeTimes = {"d:dd", "dd:dd", "d:dd:dd", "dd:dd:dd",
                                                     "ddd",  "dddd",  "ddddd",   "dddddd"};
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    std::string shape;
    std::string digits;
    for (const char ch : text) {
        shape += ch >= '0' && ch <= '9' ? 'd' : ch == '.' ? ':' : ch;
        if (ch >= '0' && ch <= '9')
            digits += ch;
    }
    TimeField keys;
    if (shape.empty() || shape == "d" || shape == "dd") {
        for (const char digit : digits) {
            if (!keys.typeDigit(digit))
                return "refused";
        }
        return shown(keys);
    }
    if (wholeTimes.count(shape) == 0)
        return "refused";
    const std::size_t hourDigits = shape.find(':') != std::string::npos ? shape.find(':') : 2 - digits.size() % 2;
    std::string time = (hourDigits == 1 ? "0" : "") + digits;
    time.resize(6, '0');
    if (time.substr(0, 2) > "23" || time[2] > '5' || time[4] > '5')
        return "refused";
    return time.substr(0, 2) + ':' + time.substr(2, 2) + ':' + time.substr(4) + "@8 typed";
}

// Every text of up to seven characters over digits either side of each limit, both
// separators and a blank, pasted into an empty field.
TEST(TimePaste, ReadsEveryShortTextAsAClockWould)
{
    const std::string alphabet = "02569:. ";
    std::vector<std::string> texts = {""};
    int wrong = 0;
    for (std::size_t at = 0; at < texts.size(); ++at) {
        const std::string text = texts[at];
        const std::string expected = expectedPaste(text);
        TimeField field;
        const std::string got = field.paste(text) ? shown(field) : "refused";
        if (expected != got && ++wrong <= 5)
            ADD_FAILURE() << '"' << text << "\" gave " << got << ", expected " << expected;
        if (text.size() < 7) {
            for (const char ch : alphabet)
                texts.push_back(text + ch);
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << texts.size() << " texts";
}

} // namespace
} // namespace zephlan
