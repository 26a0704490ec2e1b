#pragma once

#include "traffic/EntryStore.h"

#include <filesystem>

namespace zephlan {

// The entries read, in file order; failed when the file could not be read
// or its last record was cut short (the entries read so far are kept).
// A path that is not a regular file (a folder, a pipe, a device) is refused
// at once, without waiting for a writer, and counts as unreadable.
struct TrafficList
{
    EntryStore entries;
    bool failed = false;
};

// Airports: records of four fields; the first (the airport code) is kept.
TrafficList ReadAirportList(const std::filesystem::path &path);

// Aircraft: records of three fields; the third (the aircraft title) is kept.
TrafficList ReadAircraftList(const std::filesystem::path &path);

} // namespace zephlan
