#pragma once

#include "traffic/EntryStore.h"
#include "traffic/ListFacts.h"

#include <filesystem>
#include <string_view>

namespace zephlan {

// The entries read, in file order, and what the records say of each (an
// airport's position, an aircraft's cruise speed; unknown when unreadable);
// failed when the file could not be read or its last record was cut short
// (the entries read so far are kept).
// A path that is not a regular file (a folder, a pipe, a device) is refused
// at once, without waiting for a writer, and counts as unreadable.
struct TrafficList
{
    EntryStore entries;
    EntryFacts facts;
    bool failed = false;
};

// Airports: records of four fields, the code, the latitude, the longitude
// and the altitude; the code is the entry.
// Aircraft: records of three fields, the file's number, the cruise speed in
// knots and the title; the title is the entry.
enum class TrafficListKind { Airports, Aircraft };

TrafficList ReadAirportList(const std::filesystem::path &path);
TrafficList ReadAircraftList(const std::filesystem::path &path);

// The records of a list file's bytes. A UTF-8 byte-order mark at the start is
// not part of the first field. An airport list reads its positions from the
// bytes when asked for: they must outlive it.
TrafficList readTrafficRecords(std::string_view bytes, TrafficListKind kind);

} // namespace zephlan
