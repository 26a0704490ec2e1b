#include "core/SaveCommand.h"

#include "core/CodePage.h"
#include "core/FlightPlan.h"
#include "core/FlightPlanFile.h"
#include "core/NumberText.h"
#include "core/SystemText.h"

#include <string_view>


namespace zephlan {
namespace {

constexpr std::string_view kSimulatorArrival = "00:00:00";
constexpr std::string_view kTouchAndGo = "TNG";

FlightPlanEntry entryFrom(const SaveInputs &inputs)
{
    FlightPlanEntry entry;
    entry.outboundArrival = kSimulatorArrival;
    entry.returnArrival = kSimulatorArrival;
    entry.callSign = inputs.callSignText;
    entry.percentage = inputs.percentText;
    entry.period = inputs.durationText;
    entry.departureTime = inputs.departureTimeText;
    entry.flightLevel = inputs.flightLevelText;
    entry.flightNumber = inputs.flightNoText;
    entry.destinationAirport = inputs.destinationText;
    entry.returnTime = inputs.returnTimeText;
    // The checks have made sure the return number fits.
    entry.returnFlightNumber = *ReturnFlightNumber(inputs.flightNoText);
    entry.homeAirport = inputs.departureText;
    entry.aircraftNumber = std::to_string(inputs.aircraftIndex + 1);
    // One touch-and-go per line: the departure one wins when both are checked.
    if (inputs.departTngChecked)
        entry.outboundArrival = std::string(kTouchAndGo) + inputs.departTngText;
    else if (inputs.destTngChecked)
        entry.returnArrival = std::string(kTouchAndGo) + inputs.destTngText;
    return entry;
}

void takeRules(const SaveInputs &inputs, RememberedRules &remembered)
{
    // Whole strings are moved in: g++ 12 at -O3 wrongly warns of overlap when
    // a short literal is copied into a string that may hold one.
    if (inputs.vfrSelected)
        remembered.flightRules = std::string("VFR");
    else if (inputs.ifrSelected)
        remembered.flightRules = std::string("IFR");
    if (inputs.callSignModeSelected)
        remembered.atcId = std::string("R");
    else if (inputs.flightNumberModeSelected)
        remembered.atcId = std::string("F");
}


// In the system's own separators: a path from the file dialog has forward slashes on Windows too.
std::string displayName(std::filesystem::path path)
{
    const std::u8string name = path.make_preferred().u8string();
    return utf8ToWindows1252(std::string_view(reinterpret_cast<const char *>(name.data()), name.size()));
}

// The file itself, whatever name leads to it: a link or another spelling of the path.
std::optional<std::filesystem::path> readListAmong(const std::filesystem::path &path,
                                                   const std::vector<std::filesystem::path> &lists)
{
    for (const std::filesystem::path &list : lists) {
        std::error_code error;
        if (std::filesystem::equivalent(path, list, error))
            return list;
    }
    return std::nullopt;
}

std::string listFilePrompt(const std::filesystem::path &list)
{
    return "Not saved: " + displayName(list)
        + " is a list Zephlan read in this run, and a plan line in it would spoil the list. Choose another file.";
}

std::string writeFailurePrompt(const std::filesystem::path &path, const std::error_code &error)
{
    return "Could not save the flight plan to " + displayName(path) + ": " + systemText(error.message());
}

} // namespace

SaveResult runSaveCommand(const SaveInputs &inputs, RememberedRules &remembered,
                          const SaveFrontEnd &frontEnd)
{
    // The flight rules are taken once the touch-and-go times pass, even when a later check fails.
    if (const auto problem = ValidateEntry(inputs)) {
        if (!isTouchAndGoCheck(problem->check))
            takeRules(inputs, remembered);
        frontEnd.showMessage(problem->prompt, problem->title);
        return {SaveOutcome::Refused, problem->check};
    }
    takeRules(inputs, remembered);
    FlightPlanEntry entry = entryFrom(inputs);
    entry.flightRules = remembered.flightRules;
    entry.atcId = remembered.atcId;

    const std::optional<std::filesystem::path> path = frontEnd.askSavePath(kSaveFilter, kSaveProposedName);
    if (!path)
        return {SaveOutcome::Cancelled, std::nullopt};
    if (const auto list = readListAmong(*path, inputs.listFiles)) {
        frontEnd.showMessage(listFilePrompt(*list), kSaveFailureTitle);
        return {SaveOutcome::Refused, std::nullopt};
    }
    const FileResult written = AppendFlightPlanLine(*path, ComposeFlightPlanLine(entry));
    if (!written) {
        frontEnd.showMessage(writeFailurePrompt(*path, written.error), kSaveFailureTitle);
        return {SaveOutcome::WriteFailed, std::nullopt};
    }
    return {SaveOutcome::Saved, std::nullopt};
}

} // namespace zephlan
