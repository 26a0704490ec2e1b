#include "core/FlightPlan.h"

#include "core/NumberText.h"

namespace zephlan {

std::string ComposeFlightPlanLine(const FlightPlanEntry &entry)
{
    const std::string fields[] = {
        "AC#" + entry.aircraftNumber,
        entry.callSign,
        entry.percentage + "%",
        entry.period,
        entry.flightRules,
        entry.departureTime,
        entry.outboundArrival,
        entry.flightLevel,
        entry.atcId,
        entry.flightNumber,
        entry.destinationAirport,
        entry.returnTime,
        entry.returnArrival,
        entry.flightLevel,
        entry.atcId,
        formatSingle(entry.returnFlightNumber),
        entry.homeAirport,
    };
    std::string line;
    for (const std::string &field : fields) {
        if (&field != &fields[0])
            line += ',';
        line += field;
    }
    return line;
}

} // namespace zephlan
