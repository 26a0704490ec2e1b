#pragma once

#include "core/PlanFileCheck.h"


namespace zephlan {

class AirportSearch;
class EntryListModel;

// The airports and aircraft lists the main window shows, as a check of a
// flight-plans file asks for them. The models and the search must outlive it.
class ShownLists final : public PlanCheckLists
{
public:
    ShownLists(const EntryListModel *airports, const EntryListModel *aircraft, const AirportSearch *search);

    bool hasAirports() const override;
    ListedAirport airport(std::string_view code) const override;
    std::size_t aircraftCount() const override;
    std::optional<int> cruiseKnots(std::size_t number) const override;

private:
    const EntryListModel *m_airports;
    const EntryListModel *m_aircraft;
    // The search boxes' own index of the airport codes.
    const AirportSearch *m_search;
};

} // namespace zephlan
