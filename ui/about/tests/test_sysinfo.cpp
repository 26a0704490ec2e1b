#include "SysInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

namespace zephlan {
namespace {

using namespace std::string_literals;

struct StoredValue
{
    std::uint32_t type = kRegSz;
    std::string bytes;
};

// Values by "sub-key|value name"; a sub-key opens when any of its values is stored.
class FakeRegistry final : public Registry
{
public:
    std::map<std::string, std::optional<StoredValue>> values;
    std::vector<std::string> openedKeys;
    std::vector<std::size_t> bufferSizes;
    int openHandles = 0;
    bool oddCall = false;

    RegistryOpenResult open(std::uint32_t root, const std::string &subKey, std::uint32_t options,
                            std::uint32_t accessMask) override
    {
        oddCall = oddCall || root != kHkeyLocalMachine || options != 0 || accessMask != kSysInfoKeyAccess;
        openedKeys.push_back(subKey);
        const bool known = std::any_of(values.begin(), values.end(),
                                       [&](const auto &entry) { return entry.first.starts_with(subKey + "|"); });
        if (!known)
            return {kErrorFileNotFound, 0};
        ++openHandles;
        m_handles[++m_lastHandle] = subKey;
        return {kErrorSuccess, m_lastHandle};
    }

    RegistryQueryResult queryValue(RegistryHandle handle, const std::string &name,
                                   std::span<unsigned char> buffer) override
    {
        bufferSizes.push_back(buffer.size());
        const auto entry = values.find(m_handles.at(handle) + "|" + name);
        if (entry == values.end() || !entry->second)
            return {kErrorFileNotFound, 0, 0};
        const StoredValue &value = *entry->second;
        if (value.bytes.size() > buffer.size())
            return {kErrorMoreData, value.type, value.bytes.size()};
        std::copy(value.bytes.begin(), value.bytes.end(), buffer.begin());
        return {kErrorSuccess, value.type, value.bytes.size()};
    }

    RegistryStatus close(RegistryHandle handle) override
    {
        oddCall = oddCall || m_handles.erase(handle) != 1;
        --openHandles;
        return kErrorSuccess;
    }

private:
    std::map<RegistryHandle, std::string> m_handles;
    RegistryHandle m_lastHandle = 0x100;
};

class FakeFiles final : public FileFinder
{
public:
    std::set<std::string> files;
    std::vector<std::string> searches;
    std::string findFirst(const std::string &pattern) override
    {
        searches.push_back(pattern);
        return files.count(pattern) ? pattern.substr(pattern.rfind('\\') + 1) : std::string();
    }
};

class FakePrograms final : public ProgramStarter
{
public:
    std::set<std::string> programs;
    std::vector<std::string> attempts;
    bool throws = false;
    bool start(const std::string &commandLine) override
    {
        attempts.push_back(commandLine);
        if (throws)
            throw std::runtime_error("no process");
        return programs.count(commandLine) > 0;
    }
};

class FakeMessages final : public SysInfoMessages
{
public:
    std::vector<std::pair<std::string, std::string>> shown;
    void showMessage(const std::string &prompt, const std::string &title) override
    {
        shown.emplace_back(prompt, title);
    }
};

const std::string kFirst = kSysInfoKeyPath + "|"s + kSysInfoValuePath;
const std::string kSecond = kSysInfoKeyLocation + "|"s + kSysInfoValueLocation;

// ---- GetKeyValue --------------------------------------------------------------------------

struct KeyValueCase
{
    const char *name;
    std::optional<StoredValue> stored; // nothing: the key does not exist
    std::string incoming;
    KeyLookup result;
    std::string keyVal;
};

void PrintTo(const KeyValueCase &row, std::ostream *out)
{
    *out << row.name;
}

class GetKeyValueTable : public ::testing::TestWithParam<KeyValueCase>
{
};

TEST_P(GetKeyValueTable, ReadsTrimsAndRendersTheValue)
{
    const KeyValueCase &row = GetParam();
    FakeRegistry registry;
    if (row.stored)
        registry.values["Key|Value"] = row.stored;
    std::string keyVal = row.incoming;

    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, "Key", "Value", keyVal), row.result);
    EXPECT_EQ(keyVal, row.keyVal);
    EXPECT_EQ(registry.openHandles, 0) << "every opened key is closed again";
    EXPECT_FALSE(registry.oddCall);
    for (std::size_t size : registry.bufferSizes)
        EXPECT_EQ(size, 1024u);
}

const std::string kFull(1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, GetKeyValueTable,
    ::testing::Values(
        KeyValueCase{"StringLosesItsNul", StoredValue{kRegSz, "C:\\MSINFO32.EXE\0"s}, "", KeyLookup::Read,
                     "C:\\MSINFO32.EXE"},
        KeyValueCase{"StringWithoutNulIsUsedWhole", StoredValue{kRegSz, "abc"}, "", KeyLookup::Read, "abc"},
        KeyValueCase{"OnlyOneNulIsTrimmed", StoredValue{kRegSz, "ab\0\0"s}, "", KeyLookup::Read, "ab\0"s},
        KeyValueCase{"EmptyStringReadsEmpty", StoredValue{kRegSz, "\0"s}, "old", KeyLookup::Read, ""},
        KeyValueCase{"CodePageBytesPassThrough", StoredValue{kRegSz, "Caf\xE9\0"s}, "", KeyLookup::Read,
                     "Caf\xE9"},
        KeyValueCase{"FullBufferIsRead", StoredValue{kRegSz, kFull}, "", KeyLookup::Read, kFull},
        KeyValueCase{"OverBufferCountsAsMissing", StoredValue{kRegSz, kFull + "y"}, "old", KeyLookup::NotRead, ""},
        KeyValueCase{"NoDataIsAFault", StoredValue{kRegSz, ""}, "old", KeyLookup::Fault, "old"},
        KeyValueCase{"MissingKeyClears", std::nullopt, "old", KeyLookup::NotRead, ""},
        KeyValueCase{"NumberLastByteFirst", StoredValue{kRegDword, "\x78\x56\x34\x12"}, "", KeyLookup::Read,
                     "&h12345678"},
        KeyValueCase{"NumberDigitsWithoutLeadingZero", StoredValue{kRegDword, "\x0D\x0C\x0B\x0A"}, "",
                     KeyLookup::Read, "&hABCD"},
        KeyValueCase{"NumberLosesAZeroTopByte", StoredValue{kRegDword, "\x00\x01\x00\x00"s}, "", KeyLookup::Read,
                     "&h010"},
        KeyValueCase{"NumberAppendsToIncoming", StoredValue{kRegDword, "\xFF\x00\x00\x01"s}, "7", KeyLookup::Read,
                     "&h7100FF"},
        KeyValueCase{"ExpandableStringKeepsIncoming", StoredValue{2, "%SystemRoot%\0"s}, "kept", KeyLookup::Read,
                     "kept"},
        KeyValueCase{"BinaryKeepsIncoming", StoredValue{3, "\x01\x02"}, "kept", KeyLookup::Read, "kept"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GetKeyValue, MissingValueInAnOpenKeyClearsAndCloses)
{
    FakeRegistry registry;
    registry.values["Key|Other"] = StoredValue{kRegSz, "x"};
    std::string keyVal = "old";
    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, "Key", "Value", keyVal), KeyLookup::NotRead);
    EXPECT_EQ(keyVal, "");
    EXPECT_EQ(registry.openHandles, 0);
}

// ---- StartSysInfo -------------------------------------------------------------------------

struct SysInfoCase
{
    const char *name;
    std::optional<StoredValue> first;
    std::optional<StoredValue> second;
    std::set<std::string> files;
    std::set<std::string> programs;
    std::vector<std::string> attempts; // command lines given to the program start
    bool message;
    bool secondTried;
};

void PrintTo(const SysInfoCase &row, std::ostream *out)
{
    *out << row.name;
}

class StartSysInfoTable : public ::testing::TestWithParam<SysInfoCase>
{
};

TEST_P(StartSysInfoTable, StartsTheToolOrShowsTheMessage)
{
    const SysInfoCase &row = GetParam();
    FakeRegistry registry;
    if (row.first)
        registry.values[kFirst] = row.first;
    if (row.second)
        registry.values[kSecond] = row.second;
    FakeFiles files;
    files.files = row.files;
    FakePrograms programs;
    programs.programs = row.programs;
    FakeMessages messages;

    StartSysInfo({registry, files, programs, messages});

    EXPECT_EQ(programs.attempts, row.attempts);
    const std::vector<std::pair<std::string, std::string>> expected =
        row.message ? std::vector<std::pair<std::string, std::string>>{{kSysInfoUnavailable, "Zephlan"}}
                    : std::vector<std::pair<std::string, std::string>>{};
    EXPECT_EQ(messages.shown, expected);
    const bool secondTried =
        std::find(registry.openedKeys.begin(), registry.openedKeys.end(), kSysInfoKeyLocation)
        != registry.openedKeys.end();
    EXPECT_EQ(secondTried, row.secondTried);
    EXPECT_EQ(registry.openedKeys.front(), kSysInfoKeyPath);
    EXPECT_EQ(registry.openHandles, 0);
    EXPECT_FALSE(registry.oddCall);
}

const std::string kTool = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe";
const std::string kFolder = "C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo";
const std::string kInFolder = kFolder + "\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Cases, StartSysInfoTable,
    ::testing::Values(
        SysInfoCase{"FirstValueStartsWithoutFileTest", StoredValue{kRegSz, kTool + '\0'}, std::nullopt, {}, {kTool},
                    {kTool}, false, false},
        SysInfoCase{"FirstValueNamingNothingFailsToStart", StoredValue{kRegSz, kTool + '\0'}, std::nullopt, {}, {},
                    {kTool}, true, false},
        SysInfoCase{"SecondValueWithToolInFolder", std::nullopt, StoredValue{kRegSz, kFolder + '\0'}, {kInFolder},
                    {kInFolder}, {kInFolder}, false, true},
        SysInfoCase{"SecondValueFolderWithoutTool", std::nullopt, StoredValue{kRegSz, kFolder + '\0'}, {},
                    {kInFolder}, {}, true, true},
        SysInfoCase{"NeitherValue", std::nullopt, std::nullopt, {}, {}, {}, true, true},
        SysInfoCase{"OversizedFirstTriesSecond", StoredValue{kRegSz, std::string(1025, 'p')},
                    StoredValue{kRegSz, kFolder}, {kInFolder}, {kInFolder}, {kInFolder}, false, true},
        SysInfoCase{"FirstWithNoDataGoesStraightToMessage", StoredValue{kRegSz, ""}, StoredValue{kRegSz, kFolder},
                    {kInFolder}, {kInFolder}, {}, true, false},
        SysInfoCase{"FirstEmptyStringFailsToStart", StoredValue{kRegSz, "\0"s}, StoredValue{kRegSz, kFolder},
                    {kInFolder}, {kInFolder}, {""}, true, false},
        SysInfoCase{"FirstOtherTypeStartsEmptyText", StoredValue{2, kTool + '\0'}, StoredValue{kRegSz, kFolder},
                    {kInFolder}, {kInFolder}, {""}, true, false},
        SysInfoCase{"FirstNumberIsNoProgram", StoredValue{kRegDword, "\x01\x00\x00\x00"s}, std::nullopt, {}, {kTool},
                    {"&h001"}, true, false},
        SysInfoCase{"SecondOtherTypeSearchesTheRootFolder", std::nullopt, StoredValue{3, kFolder},
                    {"\\MSINFO32.EXE"}, {"\\MSINFO32.EXE"}, {"\\MSINFO32.EXE"}, false, true},
        SysInfoCase{"SecondWithNoData", std::nullopt, StoredValue{kRegSz, ""}, {"\\MSINFO32.EXE"},
                    {"\\MSINFO32.EXE"}, {}, true, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(StartSysInfo, AFailureInsideTheStartEndsInTheMessage)
{
    FakeRegistry registry;
    registry.values[kFirst] = StoredValue{kRegSz, kTool};
    FakeFiles files;
    FakePrograms programs;
    programs.throws = true;
    FakeMessages messages;
    StartSysInfo({registry, files, programs, messages});
    EXPECT_EQ(programs.attempts, std::vector<std::string>{kTool});
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown.front().first, "System Information Is Unavailable At This Time");
}

} // namespace
} // namespace zephlan
