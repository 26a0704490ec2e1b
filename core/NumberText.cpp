#include "core/NumberText.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

namespace zephlan {
namespace {

// Exponents and digit counts are held below this, far from integer overflow;
// anything this large already over- or underflows a double.
constexpr long kMagnitudeLimit = 99999;

bool isIgnored(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n';
}

bool isDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

int digitValue(char ch)
{
    if (isDigit(ch))
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    return -1;
}

std::size_t skipDigits(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && isDigit(text[pos]))
        ++pos;
    return pos;
}

// "&H" and "&O" numbers are read as non-negative whole values of any length.
double readRadixNumber(std::string_view digits, int radix)
{
    double value = 0.0;
    for (const char ch : digits) {
        const int digit = digitValue(ch);
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

// The exponent after the mantissa: E or D, an optional sign and digits.
// Without digits there is no exponent and reading ends at the mark.
long readExponent(std::string_view text)
{
    if (text.empty() || std::string_view("EeDd").find(text[0]) == std::string_view::npos)
        return 0;
    std::size_t pos = 1;
    const bool negative = pos < text.size() && text[pos] == '-';
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+'))
        ++pos;
    long exponent = 0;
    for (; pos < text.size() && isDigit(text[pos]); ++pos)
        exponent = std::min(exponent * 10 + (text[pos] - '0'), kMagnitudeLimit);
    return negative ? -exponent : exponent;
}

// Power of ten of the first non-zero digit; nothing when every digit is zero.
std::optional<long> leadingOrder(std::string_view whole, std::string_view fraction)
{
    if (const auto first = whole.find_first_not_of('0'); first != std::string_view::npos)
        return static_cast<long>(std::min<std::size_t>(whole.size() - 1 - first, kMagnitudeLimit));
    if (const auto first = fraction.find_first_not_of('0'); first != std::string_view::npos)
        return -static_cast<long>(std::min<std::size_t>(first, kMagnitudeLimit)) - 1;
    return std::nullopt;
}

double readDecimalNumber(std::string_view text)
{
    std::size_t pos = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        ++pos;
    const std::size_t wholeStart = pos;
    pos = skipDigits(text, pos);
    const std::string_view whole = text.substr(wholeStart, pos - wholeStart);
    std::string_view fraction;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t fractionStart = ++pos;
        pos = skipDigits(text, pos);
        fraction = text.substr(fractionStart, pos - fractionStart);
    }
    const double sign = negative ? -1.0 : 1.0;
    const std::optional<long> order = leadingOrder(whole, fraction);
    if (!order)
        return sign * 0.0;
    const long exponent = readExponent(text.substr(pos));

    std::string number = negative ? "-" : "";
    number.append(whole).append(".").append(fraction).append("e").append(std::to_string(exponent));
    double value = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range)
        return sign * (*order + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0);
    return value;
}

// The platform's reading of the leading number in a text.
double readLeadingNumber(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    std::copy_if(text.begin(), text.end(), std::back_inserter(compact),
                 [](char ch) { return !isIgnored(ch); });
    if (compact.size() >= 2 && compact[0] == '&') {
        const char radix = compact[1];
        const std::string_view digits = std::string_view(compact).substr(2);
        if (radix == 'H' || radix == 'h')
            return readRadixNumber(digits, 16);
        if (radix == 'O' || radix == 'o')
            return readRadixNumber(digits, 8);
        return 0.0;
    }
    return readDecimalNumber(compact);
}

} // namespace

std::optional<float> ReturnFlightNumber(std::string_view flightNumberText)
{
    constexpr double kLargest = std::numeric_limits<float>::max();
    const double value = readLeadingNumber(flightNumberText) + 1.0;
    if (!(std::fabs(value) <= kLargest))
        return std::nullopt;
    return static_cast<float>(value);
}

std::string formatSingle(float value)
{
    if (value == 0.0f)
        return "0";
    char buffer[32];
    const auto [end, error] = std::to_chars(std::begin(buffer), std::end(buffer),
                                            static_cast<double>(value),
                                            std::chars_format::general, 7);
    std::string text(std::begin(buffer), error == std::errc() ? end : std::begin(buffer));
    std::replace(text.begin(), text.end(), 'e', 'E');
    return text;
}

// Built front to back, and appended to rather than prefixed: g++ 12 at -O3
// wrongly warns of overlap when a string is inserted into.
std::string groupedNumber(long long value)
{
    const std::string digits = std::to_string(value);
    std::string text;
    for (std::size_t at = 0; at < digits.size(); ++at) {
        if (at > 0 && digits[at - 1] != '-' && (digits.size() - at) % 3 == 0)
            text.push_back(',');
        text.push_back(digits[at]);
    }
    return text;
}

} // namespace zephlan
