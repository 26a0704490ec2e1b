#include "core/testing/TempFiles.h"


#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>

namespace zephlan {

namespace fs = std::filesystem;

TempFolder::TempFolder(const fs::path &base)
    : path(base / ("zephlan-core-" + std::to_string(std::random_device()())))
{
    EXPECT_TRUE(fs::create_directory(path)) << path;
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

std::string numberedLine(char writer, int number)
{
    return ExpectedLine{.callSign = std::string(1, writer) + "541SP", .flightNumber = std::to_string(number),
                        .returnFlightNumber = std::to_string(number + 1)}.text();
}

std::string readBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void appendBytes(const fs::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
}

std::map<fs::path, std::string> snapshot(const fs::path &folder)
{
    std::map<fs::path, std::string> entries;
    for (const auto &item : fs::recursive_directory_iterator(folder))
        entries[item.path().lexically_relative(folder)] = item.is_symlink() ? "link to " + fs::read_symlink(item).string()
            : item.is_regular_file()                                        ? readBytes(item.path())
                                                                            : std::to_string(int(item.status().type()));
    return entries;
}

fs::path existingPlans(const fs::path &folder, fs::perms removed)
{
    std::ofstream(folder / "plans.txt", std::ios::binary) << kLine << "\r\n";
    fs::permissions(folder / "plans.txt", removed, fs::perm_options::remove);
    return folder / "plans.txt";
}

} // namespace zephlan
