#include "traffic/TrafficList.h"

#include "traffic/FileBytes.h"
#include "traffic/TrafficFieldReader.h"

#include <array>
#include <new>
#include <optional>

namespace zephlan {

namespace {

TrafficList readListFile(const std::filesystem::path &path, TrafficListKind kind)
{
    const std::optional<FileBytes> bytes = FileBytes::read(path);
    if (!bytes)
        return TrafficList{{}, {}, true};
    return readTrafficRecords(bytes->view(), kind);
}

template <TrafficListKind Kind>
TrafficList readRecords(std::string_view bytes)
{
    constexpr int kFields = Kind == TrafficListKind::Airports ? 4 : 3;
    TrafficList list;
    TrafficFieldReader reader(bytes);
    try {
        // The kept fields never hold more than the file's bytes, and a record
        // is rarely shorter than sixteen of them; the reservations are only
        // address space until an entry is written into them.
        list.entries.reserve(bytes.size() / 16 + 1, bytes.size());
        // An airport's record is rarely shorter than 24 bytes; the positions
        // are touched as they are written, so a closer guess saves page faults.
        if constexpr (Kind == TrafficListKind::Airports)
            list.facts.reservePositions(bytes.size() / 24 + 1);
        std::array<std::string_view, kFields> record;
        while (const std::size_t count = reader.readRecord(record)) {
            if (count < kFields) {
                list.failed = true;
                return list;
            }
            if constexpr (Kind == TrafficListKind::Airports) {
                list.entries.append(record[0]);
                list.facts.appendPosition(parsePosition(record[1], record[2]));
            } else {
                list.entries.append(record[2]);
                list.facts.appendCruiseSpeed(parseCruiseSpeed(record[1]));
            }
        }
    } catch (const std::bad_alloc &) {
        list.failed = true;
    }
    return list;
}

} // namespace

TrafficList ReadAirportList(const std::filesystem::path &path)
{
    return readListFile(path, TrafficListKind::Airports);
}

TrafficList ReadAircraftList(const std::filesystem::path &path)
{
    return readListFile(path, TrafficListKind::Aircraft);
}

TrafficList readTrafficRecords(std::string_view bytes, TrafficListKind kind)
{
    // A list saved again by a text editor may start with the UTF-8 byte-order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return kind == TrafficListKind::Airports ? readRecords<TrafficListKind::Airports>(bytes)
                                             : readRecords<TrafficListKind::Aircraft>(bytes);
}

} // namespace zephlan
