#include "core/SaveInputs.h"

#include "core/NumberText.h"

#include <span>
#include <string_view>

namespace zephlan {
namespace {

// An untouched time field shows its pattern filled with the prompt character "0".
constexpr std::string_view kUntouchedTime = "00:00:00";

// A departure or return time is missing only while its field is untouched: a
// typed "00:00:00" is midnight. The touch-and-go times keep the plain comparison.
bool untouched(const std::string &timeText, bool typed)
{
    return !typed && timeText == kUntouchedTime;
}

struct Check
{
    bool (*fails)(const SaveInputs &);
    const char *prompt;
    const char *title;
};

constexpr Check kTouchAndGoChecks[] = {
    {[](const SaveInputs &in) { return in.departTngChecked && in.departTngText == kUntouchedTime; },
     "Please Enter TNG Time", "Enter Time"},
    {[](const SaveInputs &in) { return in.destTngChecked && in.destTngText == kUntouchedTime; },
     "Please Enter TNG Time", "Enter Time"},
};

// The aircraft check also refuses a missing selection index, so no line
// ever starts with AC#0. A flight number whose return number would not fit is
// refused rather than written as a clamped or infinite value.
constexpr Check kRequiredChecks[] = {
    {[](const SaveInputs &in) { return in.departureText.empty(); },
     "Select or Search for Departure Airport from list", "Open Airports"},
    {[](const SaveInputs &in) { return in.destinationText.empty(); },
     "Select or Search for Destination Airport from list", "Open Airports"},
    {[](const SaveInputs &in) { return in.aircraftText.empty() || in.aircraftIndex < 0; },
     "Select Aircraft from list", "Open Aircrafts"},
    {[](const SaveInputs &in) { return in.durationText.empty(); },
     "Select Duration", "Select Duration"},
    {[](const SaveInputs &in) { return untouched(in.departureTimeText, in.departureTimeTyped); },
     "Enter Departure Time", "Departure Time"},
    {[](const SaveInputs &in) { return untouched(in.returnTimeText, in.returnTimeTyped); },
     "Enter Return Time", "Return Time"},
    {[](const SaveInputs &in) { return in.callSignText.empty(); },
     "Enter Call Sign", "Call Sign"},
    {[](const SaveInputs &in) { return in.flightNoText.empty(); },
     "Enter Flight Number", "Flight Number"},
    {[](const SaveInputs &in) { return !ReturnFlightNumber(in.flightNoText).has_value(); },
     kFlightNumberTooLargePrompt, "Flight Number"},
    {[](const SaveInputs &in) { return in.flightLevelText.empty(); },
     "Enter Flight Level  ie. 050 = 5000ft ", "Flight Level"},
    {[](const SaveInputs &in) { return in.percentText.empty(); },
     "Enter desired AI percentage", "AI Percentage"},
};

std::optional<EntryProblem> firstFailure(std::span<const Check> checks, const SaveInputs &inputs)
{
    for (const Check &check : checks) {
        if (check.fails(inputs))
            return EntryProblem{check.prompt, check.title};
    }
    return std::nullopt;
}

} // namespace

std::optional<EntryProblem> checkTouchAndGoTimes(const SaveInputs &inputs)
{
    return firstFailure(kTouchAndGoChecks, inputs);
}

std::optional<EntryProblem> checkRequiredInputs(const SaveInputs &inputs)
{
    return firstFailure(kRequiredChecks, inputs);
}

std::optional<EntryProblem> ValidateEntry(const SaveInputs &inputs)
{
    if (auto problem = checkTouchAndGoTimes(inputs))
        return problem;
    return checkRequiredInputs(inputs);
}

} // namespace zephlan
