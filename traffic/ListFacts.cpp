#include "traffic/ListFacts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zephlan {
namespace {

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Digits, then optionally a point and at least one more digit, from the start
// of text; the text is advanced past them.
std::optional<double> takeDecimal(std::string_view &text, bool fractionAllowed)
{
    std::size_t pos = 0;
    double value = 0;
    while (pos < text.size() && isDigit(text[pos]) && pos < 6)
        value = value * 10 + (text[pos++] - '0');
    if (pos == 0 || (pos < text.size() && isDigit(text[pos])))
        return std::nullopt;
    if (fractionAllowed && pos < text.size() && text[pos] == '.') {
        const std::size_t first = ++pos;
        double scale = 1;
        for (; pos < text.size() && isDigit(text[pos]); ++pos)
            value += (text[pos] - '0') * (scale /= 10);
        if (pos == first)
            return std::nullopt;
    }
    text.remove_prefix(pos);
    return value;
}

// N64* 11.44' with the letters given, or a signed decimal like -0.4614.
std::optional<double> parseAngle(std::string_view text, char positive, char negative, double limit)
{
    if (text.empty())
        return std::nullopt;
    double sign = 1;
    std::optional<double> value;
    if (text[0] == positive || text[0] == negative) {
        sign = text[0] == negative ? -1 : 1;
        text.remove_prefix(1);
        const std::optional<double> degrees = takeDecimal(text, false);
        if (!degrees || text.empty() || text[0] != '*')
            return std::nullopt;
        text.remove_prefix(std::min(text.find_first_not_of(' ', 1), text.size()));
        const std::optional<double> minutes = takeDecimal(text, true);
        if (!minutes || *minutes >= 60 || text != "'")
            return std::nullopt;
        value = *degrees + *minutes / 60;
    } else {
        if (text[0] == '-' || text[0] == '+') {
            sign = text[0] == '-' ? -1 : 1;
            text.remove_prefix(1);
        }
        value = takeDecimal(text, true);
        if (!value || !text.empty())
            return std::nullopt;
    }
    if (*value > limit)
        return std::nullopt;
    return sign * *value;
}

} // namespace

std::optional<double> parseLatitude(std::string_view text)
{
    return parseAngle(text, 'N', 'S', 90);
}

std::optional<double> parseLongitude(std::string_view text)
{
    return parseAngle(text, 'E', 'W', 180);
}

std::optional<int> parseCruiseSpeed(std::string_view text)
{
    if (text.empty() || text.size() > 5 || !std::all_of(text.begin(), text.end(), isDigit))
        return std::nullopt;
    int knots = 0;
    for (const char c : text)
        knots = knots * 10 + (c - '0');
    if (knots < 1 || knots > std::numeric_limits<std::uint16_t>::max())
        return std::nullopt;
    return knots;
}

std::optional<Coordinates> EntryFacts::position(std::size_t index) const
{
    if (index >= m_positions.size() || std::isnan(m_positions[index].latitude))
        return std::nullopt;
    return Coordinates{m_positions[index].latitude, m_positions[index].longitude};
}

std::optional<int> EntryFacts::cruiseSpeed(std::size_t index) const
{
    if (index >= m_speeds.size() || m_speeds[index] == 0)
        return std::nullopt;
    return m_speeds[index];
}

void EntryFacts::appendPosition(std::optional<Coordinates> position)
{
    constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();
    if (position)
        m_positions.push_back({static_cast<float>(position->latitude), static_cast<float>(position->longitude)});
    else
        m_positions.push_back({kUnknown, kUnknown});
}

void EntryFacts::appendCruiseSpeed(std::optional<int> knots)
{
    m_speeds.push_back(static_cast<std::uint16_t>(knots.value_or(0)));
}

void EntryFacts::copyFrom(const EntryFacts &other, std::size_t first, std::size_t count, std::size_t at)
{
    truncate(at);
    for (std::size_t i = m_positions.size(); i < at && first < other.m_positions.size(); ++i)
        appendPosition(std::nullopt);
    for (std::size_t i = m_speeds.size(); i < at && first < other.m_speeds.size(); ++i)
        m_speeds.push_back(0);
    for (std::size_t i = first; i < first + count && i < other.m_positions.size(); ++i)
        m_positions.push_back(other.m_positions[i]);
    for (std::size_t i = first; i < first + count && i < other.m_speeds.size(); ++i)
        m_speeds.push_back(other.m_speeds[i]);
}

void EntryFacts::truncate(std::size_t count)
{
    m_positions.resize(std::min(count, m_positions.size()));
    m_speeds.resize(std::min(count, m_speeds.size()));
}

} // namespace zephlan
