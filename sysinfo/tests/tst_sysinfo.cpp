#include "sysinfo/testing/SysInfoFakes.h"

#include <gtest/gtest.h>

namespace zephlan {
namespace {

using namespace std::string_literals;
using Messages = decltype(FakeMachine::shown);

StoredValue text(std::string bytes) { return {kRegSz, std::move(bytes)}; }
const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

struct KeyValueCase
{
    const char *name;
    std::optional<StoredValue> stored; // nothing: the key opens but has no such value
    std::string incoming;
    KeyLookup result;
    std::string keyVal;
};

void PrintTo(const KeyValueCase &row, std::ostream *out) { *out << row.name; }
using GetKeyValueTable = ::testing::TestWithParam<KeyValueCase>;

TEST_P(GetKeyValueTable, ReadsTrimsAndRendersTheValue)
{
    const KeyValueCase &row = GetParam();
    FakeRegistry registry;
    registry.values["Key|Value"] = row.stored;
    std::string keyVal = row.incoming;
    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, "Key", "Value", keyVal), row.result);
    EXPECT_EQ(keyVal, row.keyVal);
    EXPECT_TRUE(registry.handles.empty()) << "the key is closed again";
}

const std::string kFull(1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Cases, GetKeyValueTable,
    ::testing::Values(
        KeyValueCase{"OnlyOneNulIsTrimmed", text("ab\0\0"s), "", KeyLookup::Read, "ab\0"s},
        KeyValueCase{"StringWithoutNulIsUsedWhole", text("abc"), "", KeyLookup::Read, "abc"},
        KeyValueCase{"FullBufferIsRead", text(kFull), "", KeyLookup::Read, kFull},
        KeyValueCase{"OverBufferCountsAsMissing", text(kFull + "y"), "old", KeyLookup::NotRead, ""},
        KeyValueCase{"NoDataIsAFault", text(""), "old", KeyLookup::Fault, "old"},
        KeyValueCase{"MissingValueClears", std::nullopt, "old", KeyLookup::NotRead, ""},
        KeyValueCase{"NumberLastByteFirstWithoutLeadingZeros", StoredValue{kRegDword, "\x0D\x0C\x0B\xA0"}, "",
                     KeyLookup::Read, "&hA0BCD"},
        KeyValueCase{"NumberLosesAZeroTopByteAndAppendsToIncoming", StoredValue{kRegDword, "\xFF\x00\x01\x00"s},
                     "7", KeyLookup::Read, "&h710FF"},
        KeyValueCase{"OtherTypeKeepsIncoming", StoredValue{2, "%SystemRoot%\0"s}, "kept", KeyLookup::Read, "kept"}),
    kRowName);

struct SysInfoCase
{
    const char *name;
    std::optional<StoredValue> first; // nothing: the key is missing
    std::optional<StoredValue> second;
    std::set<std::string> files;
    std::vector<std::string> started; // command lines given to the program start
    bool message;
    bool secondTried;
};

void PrintTo(const SysInfoCase &row, std::ostream *out) { *out << row.name; }
using StartSysInfoTable = ::testing::TestWithParam<SysInfoCase>;

TEST_P(StartSysInfoTable, StartsTheToolOrShowsTheMessage)
{
    const SysInfoCase &row = GetParam();
    FakeRegistry registry;
    if (row.first)
        registry.values["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH"] = row.first;
    if (row.second)
        registry.values["SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO"] = row.second;
    FakeMachine machine;
    machine.files = row.files;

    StartSysInfo({registry, machine, machine, machine});

    EXPECT_EQ(machine.started, row.started);
    const Messages message{{"System Information Is Unavailable At This Time", "Zephlan"}};
    EXPECT_EQ(machine.shown, row.message ? message : Messages{});
    EXPECT_EQ(registry.opened.size(), row.secondTried ? 2u : 1u);
    EXPECT_TRUE(registry.handles.empty());
    EXPECT_EQ(registry.accessMasks, std::set<std::uint32_t>{0x20019u}) << "keys are opened for reading only";
}

const std::string kTool = "C:\\Program Files\\MSInfo\\msinfo32.exe";
const std::string kFolder = "C:\\Program Files\\MSInfo";
const std::string kInFolder = kFolder + "\\MSINFO32.EXE";

INSTANTIATE_TEST_SUITE_P(
    Cases, StartSysInfoTable,
    ::testing::Values(
        SysInfoCase{"FirstValueStartsWithoutFileTest", text(kTool + '\0'), {}, {kTool}, {kTool}, false, false},
        SysInfoCase{"FirstValueNamingNothingFailsToStart", text(kTool + '\0'), {}, {}, {kTool}, true, false},
        SysInfoCase{"SecondValueWithToolInFolder", {}, text(kFolder + '\0'), {kInFolder}, {kInFolder}, false, true},
        SysInfoCase{"SecondValueFolderWithoutTool", {}, text(kFolder + '\0'), {}, {}, true, true},
        SysInfoCase{"NeitherValue", {}, {}, {}, {}, true, true},
        SysInfoCase{"OversizedFirstTriesSecond", text(std::string(1025, 'p')), text(kFolder), {kInFolder},
                    {kInFolder}, false, true},
        SysInfoCase{"FirstWithNoDataGoesStraightToMessage", text(""), text(kFolder), {kInFolder}, {}, true, false},
        SysInfoCase{"FirstEmptyStringFailsToStart", text("\0"s), text(kFolder), {kInFolder}, {""}, true, false},
        SysInfoCase{"FailureInsideTheStartShowsTheMessage", text("!"), {}, {}, {"!"}, true, false}),
    kRowName);

} // namespace
} // namespace zephlan
