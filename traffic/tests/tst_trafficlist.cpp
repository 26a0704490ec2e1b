#include "traffic/FileBytes.h"
#include "traffic/TrafficFieldReader.h"
#include "traffic/TrafficList.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace zephlan {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using ListReader = TrafficList (*)(const fs::path &);

// A fresh folder under the system's temporary folder, removed with its contents.
struct TempFolder
{
    fs::path path = fs::temp_directory_path() / ("zephlan-traffic-" + std::to_string(std::random_device()()));
    TempFolder() { EXPECT_TRUE(fs::create_directory(path)) << path; }
    ~TempFolder() { std::error_code ignored; fs::remove_all(path, ignored); }

    // In a folder whose name has letters outside ASCII, and outside the code page too.
    fs::path write(const std::string &bytes) const
    {
        const fs::path file = path / fs::path(u8"Fl\u00fcge \u20ac\u65e5") / "list.txt";
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
};

std::vector<std::string> texts(const EntryStore &entries)
{
    std::vector<std::string> all;
    for (std::size_t i = 0; i < entries.size(); ++i)
        all.emplace_back(entries.at(i));
    return all;
}

#ifdef _WIN32
// Reads the list and checks that no file was left open: only then can a file
// be opened without sharing.
TrafficList readList(ListReader read, const fs::path &path)
{
    TrafficList list = read(path);
    if (fs::is_regular_file(path)) {
        const HANDLE alone = ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_NE(alone, INVALID_HANDLE_VALUE) << path;
        ::CloseHandle(alone);
    }
    return list;
}
#else
// Reads the list and checks that no file was left open.
TrafficList readList(ListReader read, const fs::path &path)
{
    const auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
    const auto openBefore = openFiles();
    TrafficList list = read(path);
    EXPECT_EQ(openFiles(), openBefore) << path;
    return list;
}
#endif

struct ListCase
{
    const char *name;
    ListReader read;
    std::string bytes;
    std::vector<std::string> entries;
    bool failed;
};

void PrintTo(const ListCase &c, std::ostream *os) { *os << c.name; }

class ListFiles : public testing::TestWithParam<ListCase> {};

TEST_P(ListFiles, KeepTheRightFieldInFileOrder)
{
    const TrafficList list = readList(GetParam().read, TempFolder().write(GetParam().bytes));
    EXPECT_EQ(texts(list.entries), GetParam().entries);
    EXPECT_EQ(list.failed, GetParam().failed);
}

const std::string kBggh = "BGGH,N64* 11.44',W51* 40.68',282";
const std::string kEgll = "EGLL,N51* 28.65',W0* 27.68',83";
const std::vector<std::string> kCodes = {"BGGH", "EGLL", "BGGH"};
const std::vector<std::string> kTwo = {"BGGH", "EGLL"};

const ListCase kListCases[] = {
    {"LineFeeds", ReadAirportList, kBggh + "\n" + kEgll + "\n" + kBggh + "\n", kCodes, false},
    {"CarriageReturns", ReadAirportList, kBggh + "\r" + kEgll + "\r" + kBggh + "\r", kCodes, false},
    {"Pairs", ReadAirportList, kBggh + "\r\n" + kEgll + "\r\n" + kBggh + "\r\n", kCodes, false},
    {"NoFinalLineEnd", ReadAirportList, kBggh + "\r\n" + kEgll + "\r\n" + kBggh, kCodes, false},
    {"BlankLinesInsideAndAtEnd", ReadAirportList, kBggh + "\n\n \t\n" + kEgll + "\r\n\r\n  \n", kTwo, false},
    {"EmptyFile", ReadAirportList, "", {}, false},
    {"ByteOrderMark", ReadAirportList, "\xEF\xBB\xBF" + kBggh + "\r\n" + kEgll + "\r\n", kTwo, false},
    {"ByteOrderMarkBeforeQuote", ReadAirportList, "\xEF\xBB\xBF\"EG,LL\",1,2,3\n", {"EG,LL"}, false},
    {"CutShortKeepsCompleteRecords", ReadAirportList, kBggh + "\n" + kEgll + "\nEKCH,N55* 37.06'", kTwo, true},
    {"ThreeFieldLinesShift", ReadAirportList, "A,1,2\nB,3,4\nC,5,6\nD,7,8\n", {"A", "3", "6"}, false},
    {"AircraftTitles", ReadAircraftList, "AC#11,450,\"Boeing 737-800 Paint1\"\nAC#2,120,\"Cessna 172, Skyhawk\"\n",
     {"Boeing 737-800 Paint1", "Cessna 172, Skyhawk"}, false},
    {"AircraftControlBytesKept", ReadAircraftList, "AC\0,1,\"T\0x\" y\n"s, {"T\0x"s}, false},
    {"OnlyQuotes", ReadAirportList, std::string((1 << 20) + 1, '"'), {}, true},
    {"OnlyCommas", ReadAirportList, std::string(1 << 16, ','), std::vector<std::string>(1 << 14), false},
    {"LongLineWithoutLineEnd", ReadAirportList, std::string(1 << 20, 'A') + ",1,2,3", {std::string(1 << 20, 'A')}, false},
    {"LongQuotedCode", ReadAirportList, '"' + std::string(1 << 20, ',') + "\",1,2,3\n", {std::string(1 << 20, ',')}, false},
};

INSTANTIATE_TEST_SUITE_P(Traffic, ListFiles, testing::ValuesIn(kListCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(UnreadablePaths, FailWithoutEntriesOrWaiting)
{
    const TempFolder folder;
    const fs::path dir = folder.path;
#ifdef _WIN32
    const fs::path device = "NUL";
#else
    const fs::path device = "/dev/null";
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
#endif
    for (const ListReader read : {ReadAirportList, ReadAircraftList}) {
        for (const fs::path &path : {dir / "missing.txt", dir, dir / "pipe", device}) {
            const TrafficList list = readList(read, path);
            EXPECT_TRUE(list.failed) << path;
            EXPECT_TRUE(list.entries.empty()) << path;
        }
    }
}

// Around the large page size too, where the file's bytes are held differently.
TEST(FileBytes, HoldTheWholeFileAndTheListIsReadFromIt)
{
    std::mt19937 random(7u);
    for (const std::size_t size : {0u, 1u, 4097u, 2u << 20, (3u << 20) + 1}) {
        std::string bytes(size, '\0');
        for (char &c : bytes)
            c = static_cast<char>(random());
        const TempFolder folder;
        const fs::path file = folder.write(bytes);
        const FileBytesRead read = FileBytes::read(file);
        EXPECT_TRUE(read.bytes && read.bytes->view() == bytes) << size;
        const TrafficList inMemory = readTrafficRecords(bytes, TrafficListKind::Airports);
        const TrafficList list = readList(ReadAirportList, file);
        EXPECT_TRUE(texts(list.entries) == texts(inMemory.entries) && list.failed == inMemory.failed) << size;
    }
#ifndef _WIN32
    // A file that reports no size but has bytes is read to its end all the same.
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    const std::string cmdline{std::istreambuf_iterator<char>(in), {}};
    ASSERT_FALSE(cmdline.empty());
    EXPECT_TRUE(FileBytes::read("/proc/self/cmdline").bytes->view() == cmdline);
#endif
}

// Only read, and what cannot be read says why: on Windows a file reads even
// while another program holds it open for writing and deleting; elsewhere a
// pipe no program writes to is refused at once rather than waited on.
TEST(FileBytes, ReadWhileHeldElsewhereAndSayWhyNot)
{
    const TempFolder folder;
    const std::string bytes("AC#1\r\n\0\x80\xFF\rx\n", 11);
    const fs::path file = folder.write(bytes);
#ifdef _WIN32
    const HANDLE other = ::CreateFileW(file.c_str(), GENERIC_WRITE | DELETE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    const FileBytesRead held = FileBytes::read(file);
    ::CloseHandle(other);
    EXPECT_TRUE(held.bytes && held.bytes->view() == bytes) << held.error.message();
#else
    const fs::path pipe = file.parent_path() / "pipe";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(FileBytes::read(pipe).error, std::errc::invalid_argument);
#endif
    EXPECT_TRUE(FileBytes::read(file.parent_path()).error);
    EXPECT_EQ(FileBytes::read(file.parent_path() / "missing.txt").error, std::errc::no_such_file_or_directory);
}

} // namespace
} // namespace zephlan
