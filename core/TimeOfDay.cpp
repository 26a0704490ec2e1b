#include "core/TimeOfDay.h"

#include <algorithm>
#include <vector>

namespace zephlan {
namespace {

constexpr int kLength = 8;

bool isDigitPlace(int position)
{
    return position != 2 && position != 5;
}

int nextDigitPlace(int position)
{
    while (position < kLength && !isDigitPlace(position))
        ++position;
    return position;
}

// Hours go to 23; minutes and seconds to 59.
int largestOf(int section)
{
    return section == 0 ? 23 : 59;
}

int pairAt(const std::string &text, int first)
{
    return (text[first] - '0') * 10 + (text[first + 1] - '0');
}

std::optional<TimeField> typeDigit(TimeField field, char digit)
{
    const int position = nextDigitPlace(field.cursor);
    if (position >= kLength)
        return std::nullopt;
    const int section = position / 3;
    const int first = section * 3;
    const int largest = largestOf(section);
    if (position == first) {
        if ((digit - '0') * 10 > largest) {
            field.text[first] = '0';
            field.text[first + 1] = digit;
            field.cursor = nextDigitPlace(first + 2);
            return field;
        }
        field.text[first] = digit;
        // "2" typed over "09" starts twenty-something: the old second digit goes.
        if (pairAt(field.text, first) > largest)
            field.text[first + 1] = '0';
    } else {
        const char kept = field.text[position];
        field.text[position] = digit;
        if (pairAt(field.text, first) > largest) {
            field.text[position] = kept;
            return std::nullopt;
        }
    }
    field.cursor = nextDigitPlace(position + 1);
    return field;
}

TimeField padSection(TimeField field)
{
    const int position = field.cursor;
    if (position >= kLength || !isDigitPlace(position) || position % 3 != 1)
        return field;
    const int first = position - 1;
    field.text[first + 1] = field.text[first];
    field.text[first] = '0';
    field.cursor = nextDigitPlace(first + 2);
    return field;
}

// "7:05", "07.05.00", "0705" or "070500" as two-digit sections; nothing when the
// text is not of that form.
std::vector<std::string> sectionsOf(std::string_view text)
{
    std::vector<std::string> sections;
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (text.find_first_of(":.") == std::string_view::npos) {
        if (!digits(text) || text.size() % 2 != 0 || text.size() > 6)
            return {};
        for (std::size_t at = 0; at < text.size(); at += 2)
            sections.emplace_back(text.substr(at, 2));
        return sections;
    }
    std::size_t from = 0;
    while (true) {
        const std::size_t end = std::min(text.find_first_of(":.", from), text.size());
        const std::string_view part = text.substr(from, end - from);
        if (part.empty() || part.size() > 2 || !digits(part) || sections.size() == 3)
            return {};
        std::string pair(2, '0');
        pair[1] = part.back();
        pair[0] = part.size() == 2 ? part.front() : '0';
        sections.push_back(pair);
        if (end == text.size())
            return sections;
        from = end + 1;
    }
}

} // namespace

std::optional<TimeField> typeIntoTime(const TimeField &field, char ch)
{
    if (ch >= '0' && ch <= '9')
        return typeDigit(field, ch);
    if (ch == ':' || ch == '.')
        return padSection(field);
    return std::nullopt;
}

std::optional<TimeField> pasteIntoTime(const TimeField &field, std::string_view text)
{
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (text.empty())
        return field;
    std::vector<std::string> sections = sectionsOf(text);
    int section = std::min(nextDigitPlace(field.cursor), kLength - 1) / 3;
    if (sections.empty() || section + static_cast<int>(sections.size()) > 3)
        return std::nullopt;
    TimeField pasted = field;
    for (const std::string &pair : sections) {
        const int first = section * 3;
        if ((pair[0] - '0') * 10 + (pair[1] - '0') > largestOf(section))
            return std::nullopt;
        // Character by character: g++ 12 at -O3 wrongly warns of overlap in a string's replace.
        pasted.text[first] = pair[0];
        pasted.text[first + 1] = pair[1];
        pasted.cursor = nextDigitPlace(first + 2);
        ++section;
    }
    return pasted;
}

} // namespace zephlan
