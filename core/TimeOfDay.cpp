#include "core/TimeOfDay.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace zephlan {
namespace {

constexpr int kLength = 8;

// Places 2 and 5 hold the colons; 8 is past the end.
bool isDigitPlace(int place)
{
    return place % 3 != 2;
}

int nextDigitPlace(int place)
{
    return isDigitPlace(place) || place >= kLength ? place : place + 1;
}

int largestIn(int firstPlace)
{
    return firstPlace == 0 ? 23 : 59;
}

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char ch) { return ch >= '0' && ch <= '9'; });
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Hours of one or two digits, then minutes and perhaps seconds of two digits each,
// apart (':' or '.') or run together; nothing when the text is not such a time of day.
std::optional<std::string> readTimeOfDay(std::string_view text)
{
    std::vector<std::string_view> sections;
    if (text.find_first_of(":.") == std::string_view::npos) {
        if (text.size() < 3 || text.size() > 6)
            return std::nullopt;
        const std::size_t hours = 2 - text.size() % 2;
        sections = {text.substr(0, hours), text.substr(hours, 2)};
        if (text.size() > hours + 2)
            sections.push_back(text.substr(hours + 2));
    } else {
        for (std::size_t from = 0; from <= text.size();) {
            const std::size_t end = std::min(text.find_first_of(":.", from), text.size());
            sections.push_back(text.substr(from, end - from));
            from = end + 1;
        }
    }
    if (sections.size() < 2 || sections.size() > 3)
        return std::nullopt;
    std::string time = "00:00:00";
    for (std::size_t index = 0; index < sections.size(); ++index) {
        const std::string_view section = sections[index];
        const int first = static_cast<int>(index) * 3;
        if (!allDigits(section) || section.size() > 2 || (index > 0 && section.size() != 2))
            return std::nullopt;
        const int value = std::stoi(std::string(section));
        if (value > largestIn(first))
            return std::nullopt;
        time[first] = static_cast<char>('0' + value / 10);
        time[first + 1] = static_cast<char>('0' + value % 10);
    }
    return time;
}

} // namespace

void TimeField::select(int anchor, int cursor)
{
    m_anchor = std::clamp(anchor, 0, kLength);
    m_cursor = std::clamp(cursor, 0, kLength);
}

void TimeField::empty(int place)
{
    m_text[place] = '0';
    m_filled.reset(place);
}

void TimeField::fill(int place, char digit)
{
    m_text[place] = digit;
    m_filled.set(place);
}

bool TimeField::eraseSelection()
{
    if (m_anchor == m_cursor)
        return false;
    const int start = std::min(m_anchor, m_cursor);
    for (int place = start; place < std::max(m_anchor, m_cursor); ++place) {
        if (isDigitPlace(place))
            empty(place);
    }
    m_anchor = m_cursor = start;
    return true;
}

bool TimeField::putDigit(char digit)
{
    const int place = nextDigitPlace(m_cursor);
    if (place >= kLength)
        return false;
    const int first = place - place % 3;
    const int largest = largestIn(first);
    if (place == first && (digit - '0') * 10 > largest) {
        fill(first, '0');
        fill(first + 1, digit);
        m_cursor = nextDigitPlace(first + 2);
    } else {
        fill(place, digit);
        if ((m_text[first] - '0') * 10 + (m_text[first + 1] - '0') > largest) {
            if (place != first)
                return false;
            // "2" typed over "09" starts twenty-something: the old second digit goes.
            m_text[first + 1] = '0';
        }
        m_cursor = nextDigitPlace(place + 1);
    }
    m_anchor = m_cursor;
    return true;
}

bool TimeField::typeDigit(char digit)
{
    if (digit < '0' || digit > '9')
        return false;
    TimeField typed = *this;
    typed.eraseSelection();
    if (!typed.putDigit(digit))
        return false;
    *this = typed;
    return true;
}

bool TimeField::typeSeparator()
{
    if (m_anchor != m_cursor || m_cursor % 3 != 1)
        return false;
    const int first = m_cursor - 1;
    m_text[first + 1] = m_text[first];
    m_text[first] = '0';
    m_filled[first + 1] = m_filled[first];
    m_anchor = m_cursor = nextDigitPlace(first + 2);
    return true;
}

bool TimeField::backspace()
{
    if (eraseSelection())
        return true;
    int place = m_cursor - 1;
    if (place >= 0 && !isDigitPlace(place))
        --place;
    if (place < 0)
        return false;
    empty(place);
    m_anchor = m_cursor = place;
    return true;
}

bool TimeField::deleteForward()
{
    if (eraseSelection())
        return true;
    const int place = nextDigitPlace(m_cursor);
    if (place >= kLength)
        return false;
    empty(place);
    return true;
}

bool TimeField::paste(std::string_view pasted)
{
    const std::string_view text = trimmed(pasted);
    if (text.empty()) {
        eraseSelection();
        return true;
    }
    if (const std::optional<std::string> time = readTimeOfDay(text)) {
        m_text = *time;
        m_filled.set().reset(2).reset(5);
        m_anchor = m_cursor = kLength;
        return true;
    }
    if (!allDigits(text) || text.size() > 2)
        return false;
    TimeField typed = *this;
    for (const char digit : text) {
        if (!typed.typeDigit(digit))
            return false;
    }
    *this = typed;
    return true;
}

void TimeField::clear()
{
    *this = TimeField();
}

} // namespace zephlan
