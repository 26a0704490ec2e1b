#include "traffic/ListFacts.h"

#include "traffic/TrafficFieldReader.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

namespace zephlan {
namespace {

constexpr bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

constexpr int kMostWholeDigits = 6;
constexpr int kMostDecimals = 12;

struct Decimal
{
    std::uint64_t digits = 0;
    int decimals = 0;
};

constexpr std::uint64_t powerOfTen(int exponent)
{
    std::uint64_t power = 1;
    while (exponent-- > 0)
        power *= 10;
    return power;
}

constexpr std::array<std::uint64_t, kMostDecimals + 1> kSixtyMinutes = [] {
    std::array<std::uint64_t, kMostDecimals + 1> sixty{};
    for (int i = 0; i <= kMostDecimals; ++i)
        sixty[static_cast<std::size_t>(i)] = 60 * powerOfTen(i);
    return sixty;
}();

// Multipliers, not divisors: a million airports are read in a blink.
template <int Divisor>
constexpr std::array<double, kMostDecimals + 1> kScale = [] {
    std::array<double, kMostDecimals + 1> scale{};
    for (int i = 0; i <= kMostDecimals; ++i)
        scale[static_cast<std::size_t>(i)] = 1.0 / (static_cast<double>(powerOfTen(i)) * Divisor);
    return scale;
}();

// At most six digits, then optionally a point and at least one more digit,
// from at on; at is advanced past them. Decimals past the twelfth are checked
// and dropped.
bool takeDecimal(const char *&at, const char *end, bool fractionAllowed, Decimal &number)
{
    const char *p = at;
    std::uint64_t digits = 0;
    while (p < end && isDigit(*p) && p - at < kMostWholeDigits)
        digits = digits * 10 + static_cast<unsigned>(*p++ - '0');
    if (p == at || (p < end && isDigit(*p)))
        return false;
    int decimals = 0;
    if (fractionAllowed && p < end && *p == '.') {
        const char *const first = ++p;
        for (; p < end && isDigit(*p); ++p) {
            if (decimals < kMostDecimals) {
                digits = digits * 10 + static_cast<unsigned>(*p - '0');
                ++decimals;
            }
        }
        if (p == first)
            return false;
    }
    at = p;
    number = {digits, decimals};
    return true;
}

// N64* 11.44' with the letters given, or a signed decimal like -0.4614.
std::optional<double> parseAngle(std::string_view text, char positive, char negative, double limit)
{
    if (text.empty())
        return std::nullopt;
    const char *p = text.data();
    const char *const end = p + text.size();
    const bool letter = (*p == positive) | (*p == negative);
    const bool minus = (*p == negative) | (*p == '-');
    p += letter | minus | (*p == '+');
    Decimal whole;
    if (!takeDecimal(p, end, !letter, whole))
        return std::nullopt;
    double value = static_cast<double>(whole.digits) * kScale<1>[static_cast<std::size_t>(whole.decimals)];
    if (letter) {
        if (p == end || *p != '*')
            return std::nullopt;
        ++p;
        while (p < end && *p == ' ')
            ++p;
        Decimal minutes;
        if (!takeDecimal(p, end, true, minutes)
            || minutes.digits >= kSixtyMinutes[static_cast<std::size_t>(minutes.decimals)] || end - p != 1
            || *p != '\'')
            return std::nullopt;
        value += static_cast<double>(minutes.digits) * kScale<60>[static_cast<std::size_t>(minutes.decimals)];
    } else if (p != end) {
        return std::nullopt;
    }
    if (value > limit)
        return std::nullopt;
    return minus ? -value : value;
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

std::optional<Coordinates> parsePosition(std::string_view latitude, std::string_view longitude)
{
    const std::optional<double> north = parseLatitude(latitude);
    const std::optional<double> east = north ? parseLongitude(longitude) : std::nullopt;
    if (!east)
        return std::nullopt;
    return Coordinates{*north, *east};
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
    if (index >= m_positionAt.size() || m_positionAt[index] == kNoPosition)
        return std::nullopt;
    const Source &source = sourceOf(index);
    TrafficFieldReader reader(source.bytes, source.base + m_positionAt[index]);
    const std::optional<std::string_view> latitude = reader.readField();
    const std::optional<std::string_view> longitude = reader.readField();
    if (!latitude || !longitude)
        return std::nullopt;
    return parsePosition(*latitude, *longitude);
}

void EntryFacts::readPositionsFrom(std::string_view bytes, std::shared_ptr<const void> owner)
{
    m_sources.push_back({m_positionAt.size(), 0, bytes, std::move(owner)});
}

// A new source starts where the bytes change or an offset outgrows 32 bits.
void EntryFacts::appendPosition(const Source &from, std::size_t offset)
{
    if (m_sources.empty() || m_sources.back().bytes.data() != from.bytes.data()
        || m_sources.back().bytes.size() != from.bytes.size() || offset < m_sources.back().base
        || offset - m_sources.back().base >= kNoPosition)
        m_sources.push_back({m_positionAt.size(), offset, from.bytes, from.owner});
    m_positionAt.push_back(static_cast<std::uint32_t>(offset - m_sources.back().base));
}

const EntryFacts::Source &EntryFacts::sourceOf(std::size_t index) const
{
    return *std::prev(std::upper_bound(m_sources.begin(), m_sources.end(), index,
                                       [](std::size_t at, const Source &source) { return at < source.firstEntry; }));
}

std::optional<int> EntryFacts::cruiseSpeed(std::size_t index) const
{
    if (index >= m_speeds.size() || m_speeds[index] == 0)
        return std::nullopt;
    return m_speeds[index];
}

void EntryFacts::appendCruiseSpeed(std::optional<int> knots)
{
    m_speeds.push_back(static_cast<std::uint16_t>(knots.value_or(0)));
}

void EntryFacts::copyFrom(const EntryFacts &other, std::size_t first, std::size_t count, std::size_t at)
{
    truncate(at);
    for (std::size_t i = m_positionAt.size(); i < at && first < other.m_positionAt.size(); ++i)
        m_positionAt.push_back(kNoPosition);
    for (std::size_t i = m_speeds.size(); i < at && first < other.m_speeds.size(); ++i)
        m_speeds.push_back(0);
    for (std::size_t i = first; i < first + count && i < other.m_positionAt.size(); ++i) {
        if (other.m_positionAt[i] == kNoPosition) {
            m_positionAt.push_back(kNoPosition);
        } else {
            const Source &source = other.sourceOf(i);
            appendPosition(source, source.base + other.m_positionAt[i]);
        }
    }
    for (std::size_t i = first; i < first + count && i < other.m_speeds.size(); ++i)
        m_speeds.push_back(other.m_speeds[i]);
}

void EntryFacts::truncate(std::size_t count)
{
    m_positionAt.resize(std::min(count, m_positionAt.size()));
    while (!m_sources.empty() && m_sources.back().firstEntry > m_positionAt.size())
        m_sources.pop_back();
    m_speeds.resize(std::min(count, m_speeds.size()));
}

} // namespace zephlan
