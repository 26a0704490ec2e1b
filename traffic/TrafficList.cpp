#include "traffic/TrafficList.h"

#include "traffic/FileBytes.h"
#include "traffic/TrafficFieldReader.h"

namespace zephlan {

namespace {

constexpr int kAirportFields = 4;
constexpr int kAirportCodeField = 1;
constexpr int kAircraftFields = 3;
constexpr int kAircraftTitleField = 3;

TrafficList readListFile(const std::filesystem::path &path, int fieldsPerRecord, int keptField)
{
    const std::optional<FileBytes> bytes = FileBytes::read(path);
    if (!bytes)
        return TrafficList{{}, true};
    return readTrafficRecords(bytes->view(), fieldsPerRecord, keptField);
}

} // namespace

TrafficList ReadAirportList(const std::filesystem::path &path)
{
    return readListFile(path, kAirportFields, kAirportCodeField);
}

TrafficList ReadAircraftList(const std::filesystem::path &path)
{
    return readListFile(path, kAircraftFields, kAircraftTitleField);
}

} // namespace zephlan
