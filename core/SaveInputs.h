#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace zephlan {

// The index of the chosen aircraft is a 16-bit value, so a plan can name only
// the first this many aircraft of the list.
inline constexpr std::size_t kAircraftLimit = std::numeric_limits<std::int16_t>::max();

// Every input a flight plan is made from, as one snapshot, so that the checks
// and the line need no window. Texts are Windows-1252 bytes; time texts are
// the fields' eight characters.
struct SaveInputs
{
    std::string departureText;
    std::string destinationText;
    std::string aircraftText;
    std::int16_t aircraftIndex = -1;
    std::string durationText;
    std::string departureTimeText = "00:00:00";
    std::string returnTimeText = "00:00:00";
    // Whether each time field was typed into since the window loaded, Reset
    // emptied it or (for a touch-and-go time) its box was ticked, so that a typed
    // midnight is told apart from a field left as it was.
    bool departureTimeTyped = false;
    bool returnTimeTyped = false;
    bool departTngTyped = false;
    bool destTngTyped = false;
    bool departTngChecked = false;
    bool destTngChecked = false;
    std::string departTngText = "00:00:00";
    std::string destTngText = "00:00:00";
    bool vfrSelected = false;
    bool ifrSelected = false;
    bool callSignModeSelected = false;
    bool flightNumberModeSelected = false;
    std::string callSignText;
    std::string flightNoText;
    std::string flightLevelText;
    std::string percentText;
    // The list files read in this run: a plan line inside one would shift every record after it.
    std::vector<std::filesystem::path> listFiles;
};

// The completeness checks in the order they run: the two touch-and-go times,
// then the ten inputs, with the flight-number range after the flight number.
enum class EntryCheck {
    DepartTngTime,
    DestTngTime,
    Departure,
    Destination,
    Aircraft,
    Duration,
    DepartureTime,
    ReturnTime,
    CallSign,
    FlightNumber,
    FlightNumberRange,
    FlightLevel,
    Percent,
};

// The flight rules and call mode are taken after the touch-and-go checks pass.
constexpr bool isTouchAndGoCheck(EntryCheck check)
{
    return check == EntryCheck::DepartTngTime || check == EntryCheck::DestTngTime;
}

// The first check that failed, with its prompt and title.
struct EntryProblem
{
    EntryCheck check;
    std::string prompt;
    std::string title;

    bool operator==(const EntryProblem &) const = default;
};

// A time field's time in minutes after midnight (seconds dropped), known once
// the field was typed into and while it holds a time of day. The checks ask
// for a time that is not known, and the plan line leaves it out.
std::optional<int> knownTime(const std::string &timeText, bool typed);

// Runs the checks in order; nothing when all pass.
std::optional<EntryProblem> ValidateEntry(const SaveInputs &inputs);

} // namespace zephlan
