#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace zephlan {

// Reads comma-separated fields from the bytes of a list file written by TTools.
// A field ends at a comma or a line end (CR, LF or CR LF); blanks and tabs
// before it are skipped and spaces after it trimmed; a field that starts with a
// double quote runs to the next one, commas and all, without the quotes.
// In the rarer cases:
// - A line holding nothing but blanks and tabs is skipped as if it were not
//   there, so a stray empty line in a hand-edited file does not shift every
//   record after it. A line end right after a comma still ends an empty field.
// - After a closing quote everything up to the next comma or line end is
//   dropped, further quotes included.
// - A quote that is never closed runs to the end of the bytes, line ends and
//   all.
// - Only spaces are trimmed from the end of an unquoted field; NUL, tab and
//   every other byte are field data.
// - Blanks after the last comma of the bytes make one empty field.
class TrafficFieldReader
{
public:
    explicit TrafficFieldReader(std::string_view bytes);
    // Reads from offset on, as if the fields before it had been read.
    TrafficFieldReader(std::string_view bytes, std::size_t offset);

    // Where the next field is looked for: an offset to read again from later.
    std::size_t offset() const { return m_pos; }

    // True when no characters are left.
    bool atEnd() const;

    // The next field, or nothing when no characters are left (input past end);
    // blank lines at the end count as nothing.
    // The view points into the bytes given to the constructor.
    std::optional<std::string_view> readField();

    // The next fields, as many as record holds or as are left; how many were
    // read (0 at the end, fewer than record holds when the bytes ran out).
    std::size_t readRecord(std::span<std::string_view> record);

private:
    std::optional<std::string_view> readOtherField();
    std::size_t findFieldEnd(std::size_t pos);
    std::size_t skipBlanks(std::size_t pos) const;
    std::size_t afterTerminator(std::size_t pos) const;

    std::string_view m_bytes;
    std::size_t m_pos = 0;
    // Bit i of m_blockEnds is set when byte m_blockStart + i is a comma or a line end.
    std::size_t m_blockStart = std::string_view::npos;
    std::uint64_t m_blockEnds = 0;
};

} // namespace zephlan
