#pragma once

#include "core/SaveInputs.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace zephlan {

// Kept by the main window between presses: the last flight rules and call mode written.
struct RememberedRules
{
    std::string flightRules;
    std::string atcId;
};

// What the front end supplies: a message box and the save-path question.
// Texts are Windows-1252 bytes.
struct SaveFrontEnd
{
    std::function<void(const std::string &prompt, const std::string &title)> showMessage;
    // Returns the chosen path, or nothing when the user cancels.
    std::function<std::optional<std::filesystem::path>(const std::string &filter,
                                                       const std::string &proposedName)>
        askSavePath;
};

// Refused: a check failed (failedCheck says which) or the chosen file is a list read in this run.
enum class SaveOutcome { Saved, Refused, Cancelled, WriteFailed };

struct SaveResult
{
    SaveOutcome outcome;
    std::optional<EntryCheck> failedCheck;
};

inline constexpr const char *kSaveFilter = "FlightPlans(*.txt)|*.txt";
inline constexpr const char *kSaveProposedName = "FlightPlans_Zephlan .txt";
inline constexpr const char *kSaveFailureTitle = "Save Flight Plan";

// The "Save Flight Plan" command: checks, asks for the file, appends one line.
SaveResult runSaveCommand(const SaveInputs &inputs, RememberedRules &remembered,
                           const SaveFrontEnd &frontEnd);

} // namespace zephlan
