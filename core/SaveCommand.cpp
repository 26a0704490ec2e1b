#include "core/SaveCommand.h"

#include "core/CodePage.h"
#include "core/FlightPlan.h"
#include "core/FlightPlanFile.h"
#include "core/NumberText.h"

#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

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
    entry.returnFlightNumber = ReturnFlightNumber(inputs.flightNoText).value_or(0.0f);
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

#ifdef _WIN32
// The system's messages come in its ANSI code page: the table's own bytes when
// that is a single-byte code page; otherwise each character the table lacks
// becomes '?', as in a path.
std::string systemText(const std::string &text)
{
    const int size = static_cast<int>(text.size());
    const int length = text.empty() ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    std::string bytes;
    for (const wchar_t ch : wide)
        bytes += windows1252Byte(static_cast<char32_t>(ch)).value_or('?');
    return bytes;
}
#else
// The system's messages are UTF-8.
std::string systemText(const std::string &text)
{
    return utf8ToWindows1252(text);
}
#endif

std::string writeFailurePrompt(const std::filesystem::path &path, const std::error_code &error)
{
    const std::u8string name = path.u8string();
    return "Could not save the flight plan to "
        + utf8ToWindows1252(std::string_view(reinterpret_cast<const char *>(name.data()), name.size()))
        + ": " + systemText(error.message());
}

} // namespace

SaveOutcome runSaveCommand(const SaveInputs &inputs, RememberedRules &remembered,
                           const SaveFrontEnd &frontEnd)
{
    FlightPlanEntry entry = entryFrom(inputs);
    if (const auto problem = checkTouchAndGoTimes(inputs)) {
        frontEnd.showMessage(problem->prompt, problem->title);
        return SaveOutcome::MissingInput;
    }
    takeRules(inputs, remembered);
    if (const auto problem = checkRequiredInputs(inputs)) {
        frontEnd.showMessage(problem->prompt, problem->title);
        return problem->prompt == kFlightNumberTooLargePrompt ? SaveOutcome::FlightNumberTooLarge
                                                              : SaveOutcome::MissingInput;
    }
    entry.flightRules = remembered.flightRules;
    entry.atcId = remembered.atcId;

    const std::optional<std::filesystem::path> path = frontEnd.askSavePath(kSaveFilter, kSaveProposedName);
    if (!path)
        return SaveOutcome::Cancelled;
    const FileResult written = AppendFlightPlanLine(*path, ComposeFlightPlanLine(entry));
    if (!written) {
        frontEnd.showMessage(writeFailurePrompt(*path, written.error), kSaveFailureTitle);
        return SaveOutcome::WriteFailed;
    }
    return SaveOutcome::Saved;
}

} // namespace zephlan
