#include "ui/main/ShownLists.h"

#include "ui/common/Windows1252.h"
#include "ui/main/AirportSearch.h"
#include "ui/main/EntryListModel.h"

#include <algorithm>
#include <numeric>

namespace zephlan {

ShownLists::ShownLists(const EntryListModel *airports, const EntryListModel *aircraft, const AirportSearch *search)
    : m_airports(airports)
    , m_aircraft(aircraft)
    , m_search(search)
{
}

bool ShownLists::hasAirports() const
{
    return m_airports->rowCount() > 0;
}

void ShownLists::indexAirports() const
{
    const EntryStore &store = m_airports->store();
    if (m_byCode.size() == store.size())
        return;
    m_byCode.resize(store.size());
    std::iota(m_byCode.begin(), m_byCode.end(), std::uint32_t{0});
    std::stable_sort(m_byCode.begin(), m_byCode.end(),
                     [&store](std::uint32_t a, std::uint32_t b) { return store.at(a) < store.at(b); });
}

// A code found only when case is ignored names the entry it matches: the
// search box's own search finds it, equal in length.
ListedAirport ShownLists::airport(std::string_view code) const
{
    indexAirports();
    const EntryStore &store = m_airports->store();
    const auto found = std::lower_bound(m_byCode.begin(), m_byCode.end(), code,
                                        [&store](std::uint32_t row, std::string_view c) { return store.at(row) < c; });
    ListedAirport airport;
    if (found != m_byCode.end() && store.at(*found) == code) {
        airport.listed = true;
        if (const std::optional<Coordinates> position = m_airports->facts().position(*found))
            airport.position = GeoPoint{position->latitude, position->longitude};
        return airport;
    }
    const int row = m_search->find(fromWindows1252(code));
    if (row >= 0 && store.at(static_cast<std::size_t>(row)).size() == code.size())
        airport.listedAs = store.at(static_cast<std::size_t>(row));
    return airport;
}

std::size_t ShownLists::aircraftCount() const
{
    return static_cast<std::size_t>(m_aircraft->rowCount());
}

std::optional<int> ShownLists::cruiseKnots(std::size_t number) const
{
    if (number == 0 || number > aircraftCount())
        return std::nullopt;
    return m_aircraft->facts().cruiseSpeed(number - 1);
}

} // namespace zephlan
