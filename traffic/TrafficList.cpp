#include "traffic/TrafficList.h"

#include "traffic/FileBytes.h"
#include "traffic/TrafficFieldReader.h"

#include <array>
#include <memory>
#include <new>
#include <optional>
#include <span>

namespace zephlan {

namespace {

template <TrafficListKind Kind>
TrafficList readRecords(std::string_view bytes, std::shared_ptr<const void> owner)
{
    constexpr int kFields = Kind == TrafficListKind::Airports ? 4 : 3;
    TrafficList list;
    TrafficFieldReader reader(bytes);
    try {
        // The kept fields never hold more than the file's bytes, and a record
        // is rarely shorter than sixteen of them; the reservations are only
        // address space until an entry is written into them.
        list.entries.reserve(bytes.size() / 16 + 1, bytes.size());
        if constexpr (Kind == TrafficListKind::Airports) {
            list.facts.readPositionsFrom(bytes, std::move(owner));
            list.facts.reservePositions(bytes.size() / 16 + 1);
        }
        std::array<std::string_view, kFields> record;
        const std::span<std::string_view> first = std::span(record).first(1);
        const std::span<std::string_view> rest = std::span(record).subspan(1);
        while (reader.readRecord(first) != 0) {
            // An airport's position is read when asked for, from where its code ends.
            const std::size_t factsAt = reader.offset();
            if (reader.readRecord(rest) < rest.size()) {
                list.failed = true;
                return list;
            }
            if constexpr (Kind == TrafficListKind::Airports) {
                list.entries.append(record[0]);
                list.facts.appendPositionAt(factsAt);
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

TrafficList readList(std::string_view bytes, TrafficListKind kind, std::shared_ptr<const void> owner)
{
    // A list saved again by a text editor may start with the UTF-8 byte-order mark.
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (bytes.starts_with(kByteOrderMark))
        bytes.remove_prefix(kByteOrderMark.size());
    return kind == TrafficListKind::Airports ? readRecords<TrafficListKind::Airports>(bytes, std::move(owner))
                                             : readRecords<TrafficListKind::Aircraft>(bytes, std::move(owner));
}

// The file's bytes stay with the list for the positions read from them later.
TrafficList readListFile(const std::filesystem::path &path, TrafficListKind kind)
{
    FileBytesRead read = FileBytes::read(path);
    if (!read.bytes)
        return TrafficList{{}, {}, true};
    try {
        const auto kept = std::make_shared<const FileBytes>(std::move(*read.bytes));
        return readList(kept->view(), kind, kept);
    } catch (const std::bad_alloc &) {
        return TrafficList{{}, {}, true};
    }
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
    return readList(bytes, kind, nullptr);
}

} // namespace zephlan
