#pragma once

#include <string>

namespace zephlan {

// One plan: a return trip flown by one aircraft, repeated with a period.
// Every text is held as Windows-1252 bytes and written exactly as held.
struct FlightPlanEntry
{
    std::string aircraftNumber;     // 1-based place of the aircraft in its list
    std::string callSign;
    std::string percentage;
    std::string period;             // "1Hr" ... "24Hr", "Week"
    std::string flightRules;        // "VFR" or "IFR"
    std::string departureTime;      // "hh:mm:ss", GMT
    std::string outboundArrival;    // "00:00:00" or "TNG" + time
    std::string flightLevel;
    std::string atcId;              // "R" call sign, "F" flight number
    std::string flightNumber;
    std::string destinationAirport;
    std::string returnTime;
    std::string returnArrival;
    float returnFlightNumber = 0.0f;
    std::string homeAirport;
};

// The seventeen fields joined by commas, without a line end.
std::string ComposeFlightPlanLine(const FlightPlanEntry &entry);

} // namespace zephlan
