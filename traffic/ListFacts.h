#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace zephlan {

// Degrees, north and east positive.
struct Coordinates
{
    double latitude = 0;
    double longitude = 0;

    bool operator==(const Coordinates &) const = default;
};

// An angle written as a hemisphere letter, whole degrees, '*', an optional
// blank, decimal minutes and "'" (N64* 11.44'), or as signed decimal degrees
// (-0.4614). Latitudes take N or S, longitudes E or W; anything else, or a
// value out of range, is unknown.
std::optional<double> parseLatitude(std::string_view text);
std::optional<double> parseLongitude(std::string_view text);

// Both, or unknown when either is.
std::optional<Coordinates> parsePosition(std::string_view latitude, std::string_view longitude);

// Whole knots, 1 to 65535; unknown otherwise.
std::optional<int> parseCruiseSpeed(std::string_view text);

// What the lists learn of each entry besides its text: an airport's position
// and an aircraft's cruise speed. Kept small, a million positions in 8 MB;
// an entry with no fact recorded reads as unknown.
class EntryFacts
{
public:
    std::optional<Coordinates> position(std::size_t index) const;
    std::optional<int> cruiseSpeed(std::size_t index) const;

    void appendPosition(std::optional<Coordinates> position)
    {
        if (position)
            m_positions.push_back({static_cast<float>(position->latitude), static_cast<float>(position->longitude)});
        else
            m_positions.push_back({kUnknown, kUnknown});
    }
    void appendCruiseSpeed(std::optional<int> knots);
    void reservePositions(std::size_t count) { m_positions.reserve(count); }
    // The facts of entries first to first + count of other, placed from entry at on.
    void copyFrom(const EntryFacts &other, std::size_t first, std::size_t count, std::size_t at);
    // Keeps the facts of the first count entries.
    void truncate(std::size_t count);

private:
    static constexpr float kUnknown = std::numeric_limits<float>::quiet_NaN();
    struct Stored
    {
        float latitude;
        float longitude;
    };
    std::vector<Stored> m_positions;
    // 0 is unknown.
    std::vector<std::uint16_t> m_speeds;
};

} // namespace zephlan
