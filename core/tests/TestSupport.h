#pragma once

#include "SaveInputs.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace zephlan::test {

// A fresh, empty folder under the system's temporary folder, removed with its contents.
class TempFolder
{
public:
    TempFolder()
    {
        std::random_device random;
        do {
            m_path = std::filesystem::temp_directory_path() / ("zephlan-core-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(m_path));
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

inline std::string readBytes(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::filesystem::path &path, const std::string &bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::vector<std::string> fieldsOf(const std::string &line)
{
    std::vector<std::string> fields(1);
    for (const char ch : line) {
        if (ch == ',')
            fields.emplace_back();
        else
            fields.back() += ch;
    }
    return fields;
}

// Every input filled; saved, it gives the example line ending in 430,HOME.
inline SaveInputs exampleInputs()
{
    SaveInputs in;
    in.departureText = "HOME";
    in.destinationText = "DEST";
    in.aircraftText = "Cessna Skyhawk 172SP";
    in.aircraftIndex = 2;
    in.durationText = "24Hr";
    in.departureTimeText = "12:00:00";
    in.returnTimeText = "16:00:00";
    in.ifrSelected = in.callSignModeSelected = true;
    in.callSignText = "N541SP";
    in.flightNoText = "0429";
    in.flightLevelText = "050";
    in.percentText = "50";
    return in;
}

inline const std::string kExampleLine =
    "AC#3,N541SP,50%,24Hr,IFR,12:00:00,00:00:00,050,R,0429,DEST,16:00:00,00:00:00,050,R,430,HOME";

} // namespace zephlan::test
