#pragma once

#include "core/testing/ExpectedLine.h"

#include <filesystem>
#include <map>
#include <string>

namespace zephlan {

// The line the file tests append; existingPlans writes it once.
inline const std::string kLine =
    ExpectedLine{.aircraft = "2", .callSign = "N2", .percent = "25", .period = "Week", .rules = "VFR",
                 .departure = "08:00:00", .outboundArrival = "TNG08:30:00", .level = "030", .atcId = "F",
                 .returnTime = "18:00:00"}.text();

// A fresh folder under base (the system's temporary folder), removed with its contents.
struct TempFolder
{
    std::filesystem::path path;
    explicit TempFolder(const std::filesystem::path &base = std::filesystem::temp_directory_path());
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;
};

// The plan line numbered `number` of one of several appenders, told apart by the
// call sign's first letter.
std::string numberedLine(char writer, int number);

std::string readBytes(const std::filesystem::path &path);

void appendBytes(const std::filesystem::path &file, const std::string &bytes);

// Every entry under a folder, by its path inside it: a link's target, a file's
// bytes, or the type of anything else.
std::map<std::filesystem::path, std::string> snapshot(const std::filesystem::path &folder);

// plans.txt in the folder holding kLine and its line end, with the given permissions removed.
std::filesystem::path existingPlans(const std::filesystem::path &folder,
                                    std::filesystem::perms removed = std::filesystem::perms::none);

} // namespace zephlan
