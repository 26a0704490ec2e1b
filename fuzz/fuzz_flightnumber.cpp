// The return flight number from any flight-number text, as written into the
// plan: either refused (beyond the single-precision range) or a finite value,
// the same answer for the same input, only the characters of a number, and
// never longer than the return flight-number field can be.
//
// The field's length comes from the conversion: at most seven significant
// digits with a sign and a decimal point, in fixed form from 1E-04 up to
// 9999999 ("-0.0001234567") and with a two-digit exponent outside that, up to
// the largest single value ("-3.402823E+38"): 13 characters. Four characters
// of the flight-number box already reach it ("-9E9" gives "-8.999999E+09").
#include "core/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLongestText = 13;

bool allDigits(std::string_view text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<char> copy(data, data + size);
    const std::string_view text(copy.data(), copy.size());

    const std::optional<float> number = zephlan::ReturnFlightNumber(text);
    const std::string again(text);
    if (!number) {
        if (zephlan::ReturnFlightNumber(again))
            std::abort();
        return 0;
    }
    const float value = *number;
    const std::string written = zephlan::formatSingle(value);
    if (!std::isfinite(value))
        std::abort();
    if (written.empty() || written.find_first_not_of("0123456789.-E+") != std::string::npos)
        std::abort();
    if (written.size() > kLongestText)
        std::abort();

    const std::optional<float> numberAgain = zephlan::ReturnFlightNumber(again);
    if (!numberAgain)
        std::abort();
    const float valueAgain = *numberAgain;
    if (std::memcmp(&value, &valueAgain, sizeof value) != 0 || zephlan::formatSingle(valueAgain) != written)
        std::abort();

    // Up to six digits the number is whole and exact: it is simply one more.
    if (text.size() <= 6 && allDigits(text) && written != std::to_string(std::stol(again) + 1))
        std::abort();
    return 0;
}
