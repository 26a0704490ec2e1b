#pragma once

#include <string>

namespace zephlan {

// A saved flight-plan line as a test expects it, its fields by name: a test
// names only the fields it is about. The flight level and the call mode stand
// in both legs, the home airport last; the line end is not part of it.
struct ExpectedLine
{
    std::string aircraft = "3";
    std::string callSign = "N541SP";
    std::string percent = "50";
    std::string period = "24Hr";
    std::string rules = "IFR";
    std::string departure = "12:00:00";
    std::string outboundArrival = "00:00:00";
    std::string level = "050";
    std::string atcId = "R";
    std::string flightNumber = "0429";
    std::string destination = "DEST";
    std::string returnTime = "16:00:00";
    std::string returnArrival = "00:00:00";
    std::string returnFlightNumber = "430";
    std::string home = "HOME";

    std::string text() const
    {
        std::string line = "AC#";
        line.append(aircraft).append(",").append(callSign).append(",").append(percent).append("%");
        for (const std::string *field : {&period, &rules, &departure, &outboundArrival, &level, &atcId, &flightNumber,
                                         &destination, &returnTime, &returnArrival, &level, &atcId,
                                         &returnFlightNumber, &home})
            line.append(",").append(*field);
        return line;
    }
};

} // namespace zephlan
