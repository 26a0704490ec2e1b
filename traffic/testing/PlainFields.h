#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace zephlan {

// The field rules of TrafficFieldReader applied one byte at a time, as plainly
// as they can be written: what the reader's block scanning must agree with.
inline std::vector<std::string> plainFields(std::string_view b)
{
    const std::size_t n = b.size();
    const auto lineEndAt = [&](std::size_t k) { return k < n && (b[k] == '\r' || b[k] == '\n'); };
    const auto stopAt = [&](std::size_t k) { return k >= n || b[k] == ',' || lineEndAt(k); };
    const auto past = [&](std::size_t k) { return k >= n ? k : k + (b.compare(k, 2, "\r\n") == 0 ? 2 : 1); };
    const auto skipBlanks = [&](std::size_t k) {
        while (k < n && (b[k] == ' ' || b[k] == '\t'))
            ++k;
        return k;
    };
    std::vector<std::string> fields;
    for (std::size_t i = 0; i < n; i = past(i)) {
        const bool lineStart = i == 0 || lineEndAt(i - 1);
        i = skipBlanks(i);
        while (lineStart && lineEndAt(i))
            i = skipBlanks(past(i));
        if (lineStart && i == n)
            break;
        std::string field;
        if (i < n && b[i] == '"') {
            for (++i; i < n && b[i] != '"'; ++i)
                field += b[i];
            for (i = std::min(i + 1, n); !stopAt(i); ++i) {}
        } else {
            for (; !stopAt(i); ++i)
                field += b[i];
            field.erase(field.find_last_not_of(' ') + 1);
        }
        fields.push_back(field);
    }
    return fields;
}

} // namespace zephlan
