// Both list readers on any bytes, from memory and from a file: records of
// four fields keep the first, records of three keep the third, a record cut
// short marks the list failed, a leading UTF-8 byte-order mark is no part of
// the first field, and reading the file gives the same list as reading its
// bytes.
#include "traffic/TrafficFieldReader.h"
#include "traffic/TrafficList.h"
#include "traffic/testing/PlainFields.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

namespace {

using namespace zephlan;

void expectRecords(const TrafficList &list, const std::vector<std::string> &fields, std::size_t perRecord,
                   std::size_t kept)
{
    if (list.entries.size() != fields.size() / perRecord || list.failed != (fields.size() % perRecord != 0))
        std::abort();
    for (std::size_t i = 0; i < list.entries.size(); ++i) {
        if (list.entries.at(i) != fields[i * perRecord + kept - 1])
            std::abort();
    }
}

void expectSame(const TrafficList &fromFile, const TrafficList &fromBytes)
{
    if (fromFile.failed != fromBytes.failed || fromFile.entries.size() != fromBytes.entries.size())
        std::abort();
    for (std::size_t i = 0; i < fromFile.entries.size(); ++i) {
        if (fromFile.entries.at(i) != fromBytes.entries.at(i))
            std::abort();
    }
}

// One file in memory, rewritten for every input and read through its path.
const std::string &memoryFile()
{
    static const std::string path = [] {
        const int fd = ::memfd_create("zephlan-fuzz-list", 0);
        if (fd < 0)
            std::abort();
        return "/proc/self/fd/" + std::to_string(fd);
    }();
    return path;
}

void writeMemoryFile(const std::string_view bytes)
{
    const int fd = std::stoi(memoryFile().substr(memoryFile().rfind('/') + 1));
    if (::ftruncate(fd, 0) != 0
        || (!bytes.empty() && ::pwrite(fd, bytes.data(), bytes.size(), 0) != static_cast<ssize_t>(bytes.size())))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::vector<char> copy(data, data + size);
    const std::string_view bytes(copy.data(), copy.size());
    const std::string_view byteOrderMark = "\xEF\xBB\xBF";
    const std::vector<std::string> fields =
        plainFields(bytes.starts_with(byteOrderMark) ? bytes.substr(byteOrderMark.size()) : bytes);

    const TrafficList airports = readTrafficRecords(bytes, TrafficListKind::Airports);
    const TrafficList aircraft = readTrafficRecords(bytes, TrafficListKind::Aircraft);
    expectRecords(airports, fields, 4, 1);
    expectRecords(aircraft, fields, 3, 3);

    writeMemoryFile(bytes);
    expectSame(ReadAirportList(memoryFile()), airports);
    expectSame(ReadAircraftList(memoryFile()), aircraft);
    return 0;
}
