#include "core/TimeOfDay.h"

#include <gtest/gtest.h>

#include <regex>

namespace zephlan {
namespace {

std::string shown(const TimeField &field)
{
    return field.text() + '@' + std::to_string(field.cursor()) + (field.typed() ? " typed" : "");
}

// What a paste into an empty field should leave, read with regular expressions: a time of
// day fills the field, one or two digits go in as those keys would, blanks change nothing.
std::string expectedPaste(const std::string &text)
{
    static const std::regex parts(R"(\s*(\d{1,2})[:.](\d\d)(?:[:.](\d\d))?\s*)");
    static const std::regex runTogether(R"(\s*(\d{1,2}?)(\d\d)(\d\d)?\s*)");
    static const std::regex fewDigits(R"(\s*(\d)(\d?)\s*)");
    std::smatch match;
    TimeField keys;
    if (std::regex_match(text, match, fewDigits)) {
        for (const std::string &digit : {match[1].str(), match[2].str()}) {
            if (!digit.empty() && !keys.typeDigit(digit[0]))
                return "refused";
        }
        return shown(keys);
    }
    if (text.find_first_not_of(' ') == std::string::npos)
        return shown(keys);
    if (!std::regex_match(text, match, parts) && !std::regex_match(text, match, runTogether))
        return "refused";
    const auto number = [&](int group) { return match[group].length() ? std::stoi(match[group].str()) : 0; };
    if (number(1) > 23 || number(2) > 59 || number(3) > 59)
        return "refused";
    char time[9];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", number(1), number(2), number(3));
    return time + std::string("@8 typed");
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
