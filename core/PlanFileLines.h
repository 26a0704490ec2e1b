#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace zephlan {

// One line of a text file: its number counted from 1, where its bytes start
// in the file and the bytes themselves, without the line end.
struct TextLine
{
    std::size_t number = 0;
    std::size_t offset = 0;
    std::string_view text;
};

// The lines of a file's bytes, in order. A UTF-8 byte-order mark at the start
// is no part of the first line; CR LF, LF and a CR alone each end a line, and
// a last line without an end is a line all the same.
class LineReader
{
public:
    explicit LineReader(std::string_view bytes);

    // The next line, or nothing after the last.
    std::optional<TextLine> next();

private:
    std::string_view m_bytes;
    std::size_t m_at = 0;
    std::size_t m_number = 0;
};

// Nothing but blanks and tabs.
bool isBlankLine(std::string_view line);

// The comma-separated fields of a line, blanks and tabs around each taken
// away, as the lists' reader does. Nothing is quoted in a flight-plans file.
void splitFields(std::string_view line, std::vector<std::string_view> &fields);

// A time field: "hh:mm:ss", or a day of the week (0 to 6) and a slash before
// it, "1/06:00:00", as weekly plans of other tools write them.
struct FieldTime
{
    enum class Form {
        Clock,
        DayAndClock,
        // Digits and a slash before the time that are not one day from 0 to 6.
        OtherDay,
        NotATime,
    };
    Form form = Form::NotATime;
    // Minutes from midnight of the time's day, day 0 when it has none.
    int minutes = 0;
};
FieldTime readFieldTime(std::string_view text);

// An arrival field of a leg.
struct FieldArrival
{
    enum class Form {
        // A time the simulator does not keep to: it works the arrival out
        // from the distance and the cruise speed ("00:00:00" says just that).
        Worked,
        // "TNG" and the time the touch-and-go flying ends.
        TouchAndGo,
        // "@" and the time the aircraft is made to arrive.
        Fixed,
        NotAnArrival,
    };
    Form form = Form::NotAnArrival;
    FieldTime time;
};
FieldArrival readFieldArrival(std::string_view text);

// Where a second plan starts on a line that holds more than one: the index of
// the first field after the first in which "AC#" and a digit stand. Nothing
// for a line of one plan.
std::optional<std::size_t> secondPlanField(std::string_view line);

// The shape of a plan line: AC#, call sign, percentage, period and flight
// rules, then six fields for each leg (departure time, arrival, flight level,
// ATC ID, flight number, airport flown to), one leg or more.
inline constexpr std::size_t kPlanHeadFields = 5;
inline constexpr std::size_t kLegFields = 6;

// How many legs fields of that count make, or nothing when they make none.
std::optional<std::size_t> legCount(std::size_t fieldCount);

} // namespace zephlan
