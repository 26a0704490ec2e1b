#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zephlan {

// What the main window holds when "Save Flight Plan" is pressed.
// Texts are Windows-1252 bytes; time texts are the fields' eight characters.
struct SaveInputs
{
    std::string departureText;
    std::string destinationText;
    std::string aircraftText;
    std::int16_t aircraftIndex = -1;
    std::string durationText;
    std::string departureTimeText = "00:00:00";
    std::string returnTimeText = "00:00:00";
    // Whether each field was typed into since the window loaded or Reset emptied
    // it, so that a typed midnight is told apart from an untouched field.
    bool departureTimeTyped = false;
    bool returnTimeTyped = false;
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
};

// Prompt and title of the first completeness check that failed.
struct EntryProblem
{
    std::string prompt;
    std::string title;

    bool operator==(const EntryProblem &) const = default;
};

// Refused right after check 10: the return flight number, the flight number
// plus one, would not fit a single-precision value.
inline constexpr const char *kFlightNumberTooLargePrompt = "Flight number is too large";

// The twelve completeness checks in order, with the flight-number range check
// after the tenth; nothing when all pass.
std::optional<EntryProblem> ValidateEntry(const SaveInputs &inputs);

// The same checks in two runs, so that the save command can take the flight
// rules between them: checks 1 and 2 (touch-and-go times), then the rest.
std::optional<EntryProblem> checkTouchAndGoTimes(const SaveInputs &inputs);
std::optional<EntryProblem> checkRequiredInputs(const SaveInputs &inputs);

} // namespace zephlan
