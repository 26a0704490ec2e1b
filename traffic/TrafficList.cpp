#include "TrafficList.h"

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <new>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace zephlan {

namespace {

constexpr int kAirportFields = 4;
constexpr int kAirportCodeField = 1;
constexpr int kAircraftFields = 3;
constexpr int kAircraftTitleField = 3;

constexpr bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

constexpr bool endsField(char c)
{
    return c == ',' || isLineEnd(c);
}

constexpr std::uint64_t kLowBits = 0x7F7F7F7F7F7F7F7FULL;

constexpr std::uint64_t everyByte(char c)
{
    return 0x0101010101010101ULL * static_cast<unsigned char>(c);
}

// High bit set in exactly the bytes of word that equal the pattern's byte.
constexpr std::uint64_t matchingBytes(std::uint64_t word, std::uint64_t pattern)
{
    const std::uint64_t x = word ^ pattern;
    return ~(((x & kLowBits) + kLowBits) | x | kLowBits);
}

// The first comma or line end from p on, or end; eight bytes at a time.
const char *findFieldEnd(const char *p, const char *end)
{
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        const std::uint64_t hits = matchingBytes(word, everyByte(','))
            | matchingBytes(word, everyByte('\n')) | matchingBytes(word, everyByte('\r'));
        if (hits != 0) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(hits)
                                                                        : std::countl_zero(hits);
            return p + bit / 8;
        }
        p += 8;
    }
    while (p != end && !endsField(*p))
        ++p;
    return p;
}

const char *skipBlanks(const char *p, const char *end)
{
    while (p != end && (*p == ' ' || *p == '\t'))
        ++p;
    return p;
}

// Steps over the comma or line end at p, taking a carriage return and line feed as one.
const char *consumeTerminator(const char *p, const char *end)
{
    if (p == end)
        return p;
    if (*p == '\r' && end - p >= 2 && p[1] == '\n')
        return p + 2;
    return p + 1;
}

} // namespace

TrafficFieldReader::TrafficFieldReader(std::string_view bytes)
    : m_bytes(bytes)
{
}

bool TrafficFieldReader::atEnd() const
{
    return m_pos >= m_bytes.size();
}

std::optional<std::string_view> TrafficFieldReader::readField()
{
    if (atEnd())
        return std::nullopt;
    const char *const begin = m_bytes.data();
    const char *const end = begin + m_bytes.size();
    const char *p = begin + m_pos;
    const bool lineStart = m_pos == 0 || isLineEnd(p[-1]);
    p = skipBlanks(p, end);
    while (lineStart && p != end && isLineEnd(*p))
        p = skipBlanks(consumeTerminator(p, end), end);
    if (lineStart && p == end) {
        m_pos = m_bytes.size();
        return std::nullopt;
    }

    std::string_view field;
    if (p != end && *p == '"') {
        const char *const text = p + 1;
        const auto *close = static_cast<const char *>(std::memchr(text, '"', static_cast<std::size_t>(end - text)));
        if (close == nullptr)
            close = end;
        field = std::string_view(text, static_cast<std::size_t>(close - text));
        p = close == end ? end : findFieldEnd(close + 1, end);
    } else {
        const char *const stop = findFieldEnd(p, end);
        const char *last = stop;
        while (last != p && last[-1] == ' ')
            --last;
        field = std::string_view(p, static_cast<std::size_t>(last - p));
        p = stop;
    }
    m_pos = static_cast<std::size_t>(consumeTerminator(p, end) - begin);
    return field;
}

namespace {

std::optional<std::string> readOpenFile(int fd)
{
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    constexpr std::size_t kChunk = std::size_t(1) << 26;
    // One byte beyond the reported size lets the read that finds the end land
    // inside the buffer; a file that grows meanwhile is still read whole.
    std::string bytes(static_cast<std::size_t>(info.st_size) + 1, '\0');
    std::size_t filled = 0;
    for (;;) {
        if (filled == bytes.size())
            bytes.resize(bytes.size() + bytes.size() / 2 + kChunk);
        const ssize_t got = ::read(fd, bytes.data() + filled, std::min(kChunk, bytes.size() - filled));
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        filled += static_cast<std::size_t>(got);
    }
    bytes.resize(filled);
    return bytes;
}

// The whole file, or nothing when it is missing, unreadable or not a regular file.
std::optional<std::string> readFileBytes(const std::filesystem::path &path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<std::string> bytes;
    try {
        bytes = readOpenFile(fd);
    } catch (const std::bad_alloc &) {
    } catch (const std::length_error &) {
    }
    ::close(fd);
    return bytes;
}

TrafficList readListFile(const std::filesystem::path &path, int fieldsPerRecord, int keptField)
{
    const std::optional<std::string> bytes = readFileBytes(path);
    if (!bytes)
        return TrafficList{{}, true};
    return ReadTrafficRecords(*bytes, fieldsPerRecord, keptField);
}

} // namespace

TrafficList ReadTrafficRecords(std::string_view bytes, int fieldsPerRecord, int keptField)
{
    TrafficList list;
    TrafficFieldReader reader(bytes);
    try {
        // A real record is longer than a vector slot, so this reservation
        // usually holds every entry and never costs more than the bytes.
        list.entries.reserve(bytes.size() / sizeof(std::string));
        while (std::optional<std::string_view> field = reader.readField()) {
            std::string_view kept = *field;
            for (int number = 2; number <= fieldsPerRecord; ++number) {
                field = reader.readField();
                if (!field) {
                    list.failed = true;
                    return list;
                }
                if (number == keptField)
                    kept = *field;
            }
            list.entries.emplace_back(kept);
        }
    } catch (const std::bad_alloc &) {
        list.failed = true;
    }
    return list;
}

TrafficList ReadAirportList(const std::filesystem::path &path)
{
    return readListFile(path, kAirportFields, kAirportCodeField);
}

TrafficList ReadAircraftList(const std::filesystem::path &path)
{
    return readListFile(path, kAircraftFields, kAircraftTitleField);
}

} // namespace zephlan
