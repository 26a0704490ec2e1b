#pragma once

#include <bitset>
#include <string>
#include <string_view>

namespace zephlan {

// A time field as it is edited: the six digits of "hh:mm:ss", always a time of
// day; the caret and the selection, as places 0 to 8 in those eight characters;
// and which digits were typed or pasted, as against left empty (an empty digit
// shows as 0). Each event either changes the field and returns true, or is
// refused and changes nothing at all: digits, caret and selection stay.
class TimeField
{
public:
    // "hh:mm:ss".
    const std::string &text() const { return m_text; }
    int cursor() const { return m_cursor; }
    // The other end of the selection; the cursor itself when nothing is selected.
    int anchor() const { return m_anchor; }
    // Whether some digit was typed or pasted and not emptied again since.
    bool typed() const { return m_filled.any(); }

    // Where the arrow keys, Home, a click or select-all left the caret and the selection.
    void select(int anchor, int cursor);

    // A digit replaces the selection and goes in at the caret, skipping the colons.
    // A first hour digit 3-9 or minute or second digit 6-9 is taken as "0" and that
    // digit; a "2" typed over hours 04-09 makes them 20. Refused when there is no
    // place left or the hour would still be above 23 or the minute or second above 59.
    bool typeDigit(char digit);
    // ':' or '.' after the first digit of a section pads it with a leading zero and
    // moves on to the next section; anywhere else, or over a selection, it is refused.
    bool typeSeparator();
    // Each empties the selection, or else the digit before the caret (the caret moves
    // back to it) or after it (the caret stays).
    bool backspace();
    bool deleteForward();
    // Blanks around the text are dropped. A whole time of day ("7:05", "07.05.00",
    // "705", "070500") replaces the whole field wherever the caret is; one or two digits
    // are typed from the caret as keys; nothing (blanks) empties the selection. Anything
    // else, or digits a key would refuse, is refused.
    bool paste(std::string_view pasted);
    // Back to "00:00:00", nothing typed, the caret at the start.
    void clear();
    // Keeps the digits but counts none of them as typed.
    void forgetTyping() { m_filled.reset(); }

private:
    void empty(int place);
    void fill(int place, char digit);
    bool eraseSelection();
    bool putDigit(char digit);

    std::string m_text = "00:00:00";
    // Indexed by place in the text; the colons' places stay unset.
    std::bitset<8> m_filled;
    int m_cursor = 0;
    int m_anchor = 0;
};

} // namespace zephlan
