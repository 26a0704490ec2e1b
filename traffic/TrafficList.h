#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zephlan {

// Reads comma-separated fields from the bytes of a list file written by TTools.
class TrafficFieldReader
{
public:
    explicit TrafficFieldReader(std::string_view bytes);

    // True when no characters are left.
    bool atEnd() const;

    // The next field, or nothing when no characters are left (input past end).
    // The view points into the bytes given to the constructor.
    std::optional<std::string_view> readField();

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
};

// The entries read, in file order; failed when the file could not be read
// or its last record was cut short (the entries read so far are kept).
struct TrafficList
{
    std::vector<std::string> entries;
    bool failed = false;
};

// Airports: records of four fields; the first (the airport code) is kept.
TrafficList ReadAirportList(const std::filesystem::path &path);

// Aircraft: records of three fields; the third (the aircraft title) is kept.
TrafficList ReadAircraftList(const std::filesystem::path &path);

} // namespace zephlan
