#include "traffic/TrafficFieldReader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace zephlan {

namespace {

constexpr std::size_t kBlockSize = 64;

constexpr bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

constexpr bool endsField(char c)
{
    return c == ',' || isLineEnd(c);
}

// Bit i set when block[i] is a comma or a line end.
std::uint64_t fieldEndsIn(const char *block, std::size_t size)
{
    std::uint64_t ends = 0;
#ifdef __SSE2__
    if (size == kBlockSize) {
        const __m128i commas = _mm_set1_epi8(',');
        const __m128i lineFeeds = _mm_set1_epi8('\n');
        const __m128i returns = _mm_set1_epi8('\r');
        for (std::size_t i = 0; i < kBlockSize; i += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(block + i));
            const __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(bytes, commas),
                                              _mm_or_si128(_mm_cmpeq_epi8(bytes, lineFeeds), _mm_cmpeq_epi8(bytes, returns)));
            ends |= std::uint64_t(static_cast<unsigned>(_mm_movemask_epi8(hits))) << i;
        }
        return ends;
    }
#endif
    for (std::size_t i = 0; i < size; ++i) {
        if (endsField(block[i]))
            ends |= std::uint64_t(1) << i;
    }
    return ends;
}

} // namespace

TrafficFieldReader::TrafficFieldReader(std::string_view bytes)
    : m_bytes(bytes)
{
}

TrafficFieldReader::TrafficFieldReader(std::string_view bytes, std::size_t offset)
    : m_bytes(bytes)
    , m_pos(std::min(offset, bytes.size()))
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
    const char *const data = m_bytes.data();
    const std::size_t start = m_pos;
    const auto first = static_cast<unsigned char>(data[start]);
    // Most fields start at once with their text; the rest take the longer way.
    if (first > ' ' && first != '"' && first != ',') {
        const std::size_t stop = findFieldEnd(start + 1);
        std::size_t last = stop;
        while (data[last - 1] == ' ')
            --last;
        m_pos = afterTerminator(stop);
        return std::string_view(data + start, last - start);
    }
    return readOtherField();
}

// Fields that start with a blank, a tab, a quote, a comma, a line end or a
// control byte.
std::optional<std::string_view> TrafficFieldReader::readOtherField()
{
    const char *const data = m_bytes.data();
    const std::size_t size = m_bytes.size();
    const bool lineStart = m_pos == 0 || isLineEnd(data[m_pos - 1]);
    std::size_t pos = skipBlanks(m_pos);
    while (lineStart && pos < size && isLineEnd(data[pos]))
        pos = skipBlanks(afterTerminator(pos));
    if (lineStart && pos == size) {
        m_pos = size;
        return std::nullopt;
    }

    if (pos < size && data[pos] == '"') {
        const std::size_t text = pos + 1;
        const void *close = std::memchr(data + text, '"', size - text);
        if (close == nullptr) {
            m_pos = size;
            return std::string_view(data + text, size - text);
        }
        const auto length = static_cast<std::size_t>(static_cast<const char *>(close) - (data + text));
        m_pos = afterTerminator(findFieldEnd(text + length + 1));
        return std::string_view(data + text, length);
    }
    const std::size_t stop = findFieldEnd(pos);
    std::size_t last = stop;
    while (last > pos && data[last - 1] == ' ')
        --last;
    m_pos = afterTerminator(stop);
    return std::string_view(data + pos, last - pos);
}

// The first comma or line end at or after pos, or the size; the ends of a
// whole block are found at once and kept for the fields that follow.
std::size_t TrafficFieldReader::findFieldEnd(std::size_t pos)
{
    const std::size_t size = m_bytes.size();
    while (pos < size) {
        const std::size_t blockStart = pos - pos % kBlockSize;
        if (blockStart != m_blockStart) {
            m_blockStart = blockStart;
            m_blockEnds = fieldEndsIn(m_bytes.data() + blockStart, std::min(kBlockSize, size - blockStart));
        }
        const std::uint64_t ahead = m_blockEnds >> (pos - blockStart);
        if (ahead != 0)
            return pos + static_cast<std::size_t>(std::countr_zero(ahead));
        pos = blockStart + kBlockSize;
    }
    return size;
}

// Flattened so that the calls for each field are inlined into the loop,
// which makes reading a long list markedly faster.
#if defined(__GNUC__)
#define ZEPHLAN_FLATTEN [[gnu::flatten]]
#else
#define ZEPHLAN_FLATTEN
#endif

ZEPHLAN_FLATTEN std::size_t TrafficFieldReader::readRecord(std::span<std::string_view> record)
{
    for (std::size_t count = 0; count < record.size(); ++count) {
        const std::optional<std::string_view> field = readField();
        if (!field)
            return count;
        record[count] = *field;
    }
    return record.size();
}

std::size_t TrafficFieldReader::skipBlanks(std::size_t pos) const
{
    while (pos < m_bytes.size() && (m_bytes[pos] == ' ' || m_bytes[pos] == '\t'))
        ++pos;
    return pos;
}

// Past the comma or line end at pos, taking a carriage return and line feed as one.
std::size_t TrafficFieldReader::afterTerminator(std::size_t pos) const
{
    if (pos >= m_bytes.size())
        return m_bytes.size();
    if (m_bytes[pos] == '\r' && pos + 1 < m_bytes.size() && m_bytes[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

} // namespace zephlan
