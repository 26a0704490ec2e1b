#include "core/SaveInputs.h"

#include "core/NumberText.h"
#include "core/Schedule.h"

namespace zephlan {
namespace {

// An untouched time field shows "00:00:00" like a typed midnight: only the
// typing tells them apart.
bool unfilled(const std::string &timeText, bool typed)
{
    return !knownTime(timeText, typed).has_value();
}

struct Check
{
    EntryCheck check;
    bool (*fails)(const SaveInputs &);
    const char *prompt;
    const char *title;
};

// The aircraft check also refuses a missing selection index, so no line
// ever starts with AC#0. A flight number whose return number would not fit is
// refused rather than written as a clamped or infinite value.
constexpr Check kChecks[] = {
    {EntryCheck::DepartTngTime, [](const SaveInputs &in) { return in.departTngChecked && unfilled(in.departTngText, in.departTngTyped); },
     "Please Enter TNG Time", "Enter Time"},
    {EntryCheck::DestTngTime, [](const SaveInputs &in) { return in.destTngChecked && unfilled(in.destTngText, in.destTngTyped); },
     "Please Enter TNG Time", "Enter Time"},
    {EntryCheck::Departure, [](const SaveInputs &in) { return in.departureText.empty(); },
     "Select or Search for Departure Airport from list", "Open Airports"},
    {EntryCheck::Destination, [](const SaveInputs &in) { return in.destinationText.empty(); },
     "Select or Search for Destination Airport from list", "Open Airports"},
    {EntryCheck::Aircraft, [](const SaveInputs &in) { return in.aircraftText.empty() || in.aircraftIndex < 0; },
     "Select Aircraft from list", "Open Aircrafts"},
    {EntryCheck::Duration, [](const SaveInputs &in) { return in.durationText.empty(); },
     "Select Duration", "Select Duration"},
    {EntryCheck::DepartureTime, [](const SaveInputs &in) { return unfilled(in.departureTimeText, in.departureTimeTyped); },
     "Enter Departure Time", "Departure Time"},
    {EntryCheck::ReturnTime, [](const SaveInputs &in) { return unfilled(in.returnTimeText, in.returnTimeTyped); },
     "Enter Return Time", "Return Time"},
    {EntryCheck::CallSign, [](const SaveInputs &in) { return in.callSignText.empty(); },
     "Enter Call Sign", "Call Sign"},
    {EntryCheck::FlightNumber, [](const SaveInputs &in) { return in.flightNoText.empty(); },
     "Enter Flight Number", "Flight Number"},
    {EntryCheck::FlightNumberRange, [](const SaveInputs &in) { return !ReturnFlightNumber(in.flightNoText).has_value(); },
     "Flight number is too large", "Flight Number"},
    {EntryCheck::FlightLevel, [](const SaveInputs &in) { return in.flightLevelText.empty(); },
     "Enter Flight Level  ie. 050 = 5000ft ", "Flight Level"},
    {EntryCheck::Percent, [](const SaveInputs &in) { return in.percentText.empty(); },
     "Enter desired AI percentage", "AI Percentage"},
};

} // namespace

std::optional<int> knownTime(const std::string &timeText, bool typed)
{
    return typed ? clockMinutes(timeText) : std::nullopt;
}

std::optional<EntryProblem> ValidateEntry(const SaveInputs &inputs)
{
    for (const Check &check : kChecks) {
        if (check.fails(inputs))
            return EntryProblem{check.check, check.prompt, check.title};
    }
    return std::nullopt;
}

} // namespace zephlan
