#include "core/PlanFileLines.h"

#include "core/Schedule.h"

#include <algorithm>

namespace zephlan {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char byte)
{
    return byte == ' ' || byte == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

} // namespace

LineReader::LineReader(std::string_view bytes)
    : m_bytes(bytes)
{
    if (m_bytes.starts_with(kByteOrderMark))
        m_at = kByteOrderMark.size();
}

std::optional<TextLine> LineReader::next()
{
    if (m_at >= m_bytes.size())
        return std::nullopt;
    const std::size_t start = m_at;
    std::size_t end = m_bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos)
        end = m_bytes.size();
    m_at = end;
    if (m_at < m_bytes.size() && m_bytes[m_at] == '\r')
        ++m_at;
    if (m_at < m_bytes.size() && m_bytes[m_at] == '\n' && (m_at == end || m_bytes[end] == '\r'))
        ++m_at;
    return TextLine{++m_number, start, m_bytes.substr(start, end - start)};
}

bool isBlankLine(std::string_view line)
{
    return trimmed(line).empty();
}

void splitFields(std::string_view line, std::vector<std::string_view> &fields)
{
    fields.clear();
    for (;;) {
        const std::size_t comma = line.find(',');
        fields.push_back(trimmed(line.substr(0, comma)));
        if (comma == std::string_view::npos)
            return;
        line.remove_prefix(comma + 1);
    }
}

FieldTime readFieldTime(std::string_view text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        const std::optional<int> minutes = clockMinutes(text);
        return minutes ? FieldTime{FieldTime::Form::Clock, *minutes} : FieldTime{};
    }
    const std::optional<int> minutes = clockMinutes(text.substr(slash + 1));
    if (!minutes)
        return {};
    const std::string_view day = text.substr(0, slash);
    if (day.empty() || !std::all_of(day.begin(), day.end(), isDigit))
        return {};
    if (day.size() == 1 && day[0] <= '6')
        return {FieldTime::Form::DayAndClock, (day[0] - '0') * kDayMinutes + *minutes};
    return {FieldTime::Form::OtherDay, *minutes};
}

FieldArrival readFieldArrival(std::string_view text)
{
    FieldArrival arrival;
    if (text.starts_with("TNG")) {
        arrival.form = FieldArrival::Form::TouchAndGo;
        text.remove_prefix(3);
    } else if (text.starts_with('@')) {
        arrival.form = FieldArrival::Form::Fixed;
        text.remove_prefix(1);
    } else {
        arrival.form = FieldArrival::Form::Worked;
    }
    arrival.time = readFieldTime(text);
    if (arrival.time.form == FieldTime::Form::NotATime)
        arrival.form = FieldArrival::Form::NotAnArrival;
    return arrival;
}

std::optional<std::size_t> secondPlanField(std::string_view line)
{
    for (std::size_t at = line.find("AC#"); at != std::string_view::npos; at = line.find("AC#", at + 1)) {
        const auto field = static_cast<std::size_t>(std::count(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(at), ','));
        if (field > 0 && at + 3 < line.size() && isDigit(line[at + 3]))
            return field;
    }
    return std::nullopt;
}

std::optional<std::size_t> legCount(std::size_t fieldCount)
{
    if (fieldCount <= kPlanHeadFields || (fieldCount - kPlanHeadFields) % kLegFields != 0)
        return std::nullopt;
    return (fieldCount - kPlanHeadFields) / kLegFields;
}

} // namespace zephlan
