#pragma once

#include "traffic/LargeBlocks.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
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
// and an aircraft's cruise speed; an entry with no fact recorded reads as
// unknown. A position is read from the list's bytes only when asked for (a
// plan needs two at a time), so loading parses none: the bytes are kept with
// the facts and each airport costs four bytes, where its latitude starts.
class EntryFacts
{
public:
    std::optional<Coordinates> position(std::size_t index) const;
    std::optional<int> cruiseSpeed(std::size_t index) const;

    // The bytes that the offsets appended next point into, kept alive by
    // owner; with no owner the caller keeps them as long as these facts.
    void readPositionsFrom(std::string_view bytes, std::shared_ptr<const void> owner);
    // The next entry's latitude and longitude are the two fields read from offset on.
    void appendPositionAt(std::size_t offset) { appendPosition(m_sources.back(), offset); }
    void appendCruiseSpeed(std::optional<int> knots);
    void reservePositions(std::size_t count) { m_positionAt.reserve(count); }
    // The facts of entries first to first + count of other, placed from entry at on.
    void copyFrom(const EntryFacts &other, std::size_t first, std::size_t count, std::size_t at);
    // Keeps the facts of the first count entries.
    void truncate(std::size_t count);

private:
    // Bytes whose positions start with entry firstEntry; offsets count from base.
    struct Source
    {
        std::size_t firstEntry = 0;
        std::size_t base = 0;
        std::string_view bytes;
        std::shared_ptr<const void> owner;
    };
    static constexpr std::uint32_t kNoPosition = std::numeric_limits<std::uint32_t>::max();

    void appendPosition(const Source &from, std::size_t offset);
    const Source &sourceOf(std::size_t index) const;

    std::vector<Source> m_sources;
    LargeVector<std::uint32_t> m_positionAt;
    // 0 is unknown.
    std::vector<std::uint16_t> m_speeds;
};

} // namespace zephlan
