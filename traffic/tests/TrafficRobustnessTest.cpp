#include "TempFolder.h"
#include "TrafficList.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <ostream>
#include <string>
#include <vector>

namespace zephlan {
namespace {

// The field rules read one byte at a time, as plainly as they can be written.
std::vector<std::string> plainFields(const std::string &b)
{
    std::vector<std::string> fields;
    const std::size_t n = b.size();
    auto lineEndAt = [&](std::size_t k) { return k < n && (b[k] == '\r' || b[k] == '\n'); };
    auto stopAt = [&](std::size_t k) { return k >= n || b[k] == ',' || lineEndAt(k); };
    auto consume = [&](std::size_t k) { return k >= n ? k : k + (b[k] == '\r' && k + 1 < n && b[k + 1] == '\n' ? 2 : 1); };
    std::size_t i = 0;
    while (i < n) {
        const bool lineStart = i == 0 || b[i - 1] == '\r' || b[i - 1] == '\n';
        std::size_t k = i;
        for (;;) {
            while (k < n && (b[k] == ' ' || b[k] == '\t'))
                ++k;
            if (!lineStart || !lineEndAt(k))
                break;
            k = consume(k);
        }
        if (lineStart && k == n)
            break;
        std::string field;
        if (k < n && b[k] == '"') {
            for (++k; k < n && b[k] != '"'; ++k)
                field += b[k];
            for (k = k < n ? k + 1 : k; !stopAt(k); ++k) {}
        } else {
            for (; !stopAt(k); ++k)
                field += b[k];
            while (!field.empty() && field.back() == ' ')
                field.pop_back();
        }
        fields.push_back(field);
        i = consume(k);
    }
    return fields;
}

std::string randomBytes(std::mt19937 &random, std::size_t size, bool textLike)
{
    static const char kSpecial[] = {',', '"', '\r', '\n', ' ', '\t', '\0', 'a'};
    std::string bytes(size, '\0');
    for (char &c : bytes) {
        const unsigned value = random();
        c = textLike && value % 3 != 0 ? kSpecial[(value >> 8) % sizeof kSpecial] : static_cast<char>(value >> 16);
    }
    return bytes;
}

TEST(TrafficRobustness, RandomBytesFollowThePlainRules)
{
    std::mt19937 random(20240601u);
    for (int round = 0; round < 20000; ++round) {
        const std::string bytes = randomBytes(random, random() % 80, round % 4 != 0);
        TrafficFieldReader reader(bytes);
        std::vector<std::string> fields;
        while (auto field = reader.readField())
            fields.emplace_back(*field);
        const std::vector<std::string> expected = plainFields(bytes);
        ASSERT_EQ(fields, expected) << testing::PrintToString(bytes);

        const TrafficList list = ReadTrafficRecords(bytes, 3, 3);
        ASSERT_EQ(list.entries.size(), expected.size() / 3);
        ASSERT_EQ(list.failed, expected.size() % 3 != 0);
        for (std::size_t i = 0; i < list.entries.size(); ++i)
            ASSERT_EQ(list.entries[i], expected[3 * i + 2]);
    }
}

struct LargeCase
{
    const char *name;
    std::function<std::string()> bytes;
    std::size_t entries;
    std::size_t firstEntrySize;
    bool failed;
};

void PrintTo(const LargeCase &c, std::ostream *os)
{
    *os << c.name;
}

class LargeAirportFiles : public testing::TestWithParam<LargeCase>
{
};

TEST_P(LargeAirportFiles, ReadWithoutTrouble)
{
    const LargeCase &c = GetParam();
    const TempFolder folder;
    const TrafficList list = ReadAirportList(folder.write("airports.txt", c.bytes()));
    EXPECT_EQ(list.entries.size(), c.entries);
    EXPECT_EQ(list.failed, c.failed);
    if (!list.entries.empty()) {
        EXPECT_EQ(list.entries.front().size(), c.firstEntrySize);
    }
}

constexpr std::size_t kMegabyte = 1 << 20;

const LargeCase kLargeCases[] = {
    {"OnlyQuotes", [] { return std::string(kMegabyte + 1, '"'); }, 0, 0, true},
    {"OnlyCommas", [] { return std::string(kMegabyte, ','); }, kMegabyte / 4, 0, false},
    {"OnlyLineEnds", [] { return std::string(kMegabyte, '\n'); }, 0, 0, false},
    {"OnlyNuls", [] { return std::string(kMegabyte, '\0'); }, 0, 0, true},
    {"LongLineWithoutLineEnd", [] { return std::string(20 * kMegabyte, 'x'); }, 0, 0, true},
    {"LongCode", [] { return std::string(20 * kMegabyte, 'A') + ",1,2,3"; }, 1, 20 * kMegabyte, false},
    {"LongQuotedCode", [] { return '"' + std::string(20 * kMegabyte, ',') + "\",1,2,3\n"; }, 1, 20 * kMegabyte, false},
};

INSTANTIATE_TEST_SUITE_P(Traffic, LargeAirportFiles, testing::ValuesIn(kLargeCases),
                         [](const testing::TestParamInfo<LargeCase> &info) { return std::string(info.param.name); });

TEST(TrafficRobustness, RandomBinaryFileGroupsEveryField)
{
    std::mt19937 random(7u);
    const std::string bytes = randomBytes(random, 4 * kMegabyte, false);
    const std::vector<std::string> fields = plainFields(bytes);
    const TempFolder folder;
    const TrafficList list = ReadAirportList(folder.write("binary.txt", bytes));
    ASSERT_GT(fields.size(), 1000u);
    ASSERT_EQ(list.entries.size(), fields.size() / 4);
    EXPECT_EQ(list.failed, fields.size() % 4 != 0);
    for (std::size_t i = 0; i < list.entries.size(); ++i)
        ASSERT_EQ(list.entries[i], fields[4 * i]);
}

} // namespace
} // namespace zephlan
