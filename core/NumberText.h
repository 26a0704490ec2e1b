#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zephlan {

// The numeric value of the flight-number text plus one, in single precision;
// nothing when that lies outside the single-precision range.
std::optional<float> ReturnFlightNumber(std::string_view flightNumberText);

// The default number-to-text conversion of a single-precision value:
// at most seven significant digits, "1E+07" form for large and tiny magnitudes.
std::string formatSingle(float value);

// A whole number with a comma between each group of three digits: "2,991".
std::string groupedNumber(long long value);

} // namespace zephlan
