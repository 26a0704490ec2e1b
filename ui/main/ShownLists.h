#pragma once

#include "core/PlanFileCheck.h"

#include <cstdint>
#include <vector>

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
    void indexAirports() const;

    const EntryListModel *m_airports;
    const EntryListModel *m_aircraft;
    const AirportSearch *m_search;
    // The airport rows ordered by code, rows of one code in list order; made
    // when first asked for, and again once the list has grown.
    mutable std::vector<std::uint32_t> m_byCode;
};

} // namespace zephlan
