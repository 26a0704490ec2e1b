#include "FileBytes.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <ostream>
#include <string>

namespace zephlan {
namespace {

struct BytesCase
{
    const char *name;
    std::size_t size;
};

void PrintTo(const BytesCase &c, std::ostream *os)
{
    *os << c.name;
}

class FileBytesSizes : public testing::TestWithParam<BytesCase>
{
};

TEST_P(FileBytesSizes, HoldTheWholeFile)
{
    std::string written(GetParam().size, '\0');
    for (std::size_t i = 0; i < written.size(); ++i)
        written[i] = static_cast<char>(i * 7 + i / 4096);
    const TempFolder folder;
    const std::optional<FileBytes> bytes = FileBytes::read(folder.write("bytes.bin", written));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_TRUE(bytes->view() == written);
}

const BytesCase kBytesCases[] = {
    {"Empty", 0}, {"OneByte", 1}, {"Small", 4097}, {"OneLargePage", 1 << 21}, {"LargePagesAndABit", (3 << 20) + 1},
};

INSTANTIATE_TEST_SUITE_P(Traffic, FileBytesSizes, testing::ValuesIn(kBytesCases),
                         [](const testing::TestParamInfo<BytesCase> &info) { return std::string(info.param.name); });

TEST(FileBytes, ReadsPastASizeOfNothing)
{
    const char *const path = "/proc/self/cmdline";
    std::ifstream in(path, std::ios::binary);
    const std::string expected((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(std::filesystem::file_size(path), 0u);
    const std::optional<FileBytes> bytes = FileBytes::read(path);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_FALSE(expected.empty());
    EXPECT_TRUE(bytes->view() == expected);
}

} // namespace
} // namespace zephlan
