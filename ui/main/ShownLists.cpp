#include "ui/main/ShownLists.h"

#include "ui/main/AirportSearch.h"
#include "ui/main/EntryListModel.h"

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

// A code found only when case is ignored names the entry it matches.
ListedAirport ShownLists::airport(std::string_view code) const
{
    ListedAirport airport;
    const int row = m_search->findBytes(code);
    if (row >= 0) {
        airport.listed = true;
        if (const std::optional<Coordinates> position = m_airports->facts().position(static_cast<std::size_t>(row)))
            airport.position = GeoPoint{position->latitude, position->longitude};
    } else if (const int other = m_search->findIgnoringCase(code); other >= 0) {
        airport.listedAs = m_airports->entryBytes(other);
    }
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
