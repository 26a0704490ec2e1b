#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zephlan {

// The eight characters "hh:mm:ss" of a time field and the place of its caret.
struct TimeField
{
    std::string text = "00:00:00";
    int cursor = 0;

    bool operator==(const TimeField &) const = default;
};

// One typed character. A digit fills the next place; a first hour digit 3-9 and
// a first minute or second digit 6-9 stand for "0" and that digit. ':' or '.'
// after the first digit of a section pads it with a leading zero and moves on.
// Nothing when the character is refused: a letter, a seventh digit, or a digit
// that would make an hour above 23 or a minute or second above 59.
std::optional<TimeField> typeIntoTime(const TimeField &field, char ch);

// A paste that reads as a time of day ("7:05", "07.05.00", "0705", "070500"),
// blanks at either end dropped, written from the section the caret is in;
// nothing when it does not read so, so a paste goes in whole or not at all.
std::optional<TimeField> pasteIntoTime(const TimeField &field, std::string_view text);

} // namespace zephlan
