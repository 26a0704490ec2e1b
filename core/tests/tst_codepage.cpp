#include "core/CodePage.h"

#include <gtest/gtest.h>

#include <utility>

namespace zephlan {
namespace {

// Text for a message, as UTF-8, and the Windows-1252 bytes it becomes: a character the code page
// lacks and each byte of a malformed sequence become one '?', and what follows is read afresh.
TEST(Utf8ToWindows1252, KeepsWhatItCanAndMarksTheRest)
{
    const std::pair<const char *, const char *> rows[] = {
        {"Fl\xc3\xbc" "ge \xe2\x82\xac", "Fl\xfc" "ge \x80"},
        {"\xc2\x80", "?"},                    // U+0080: byte 0x80 stands for the euro sign
        {"\xc2\x81", "\x81"},                 // an unassigned byte's own character
        {"\xe6\x97\xa5" "A", "?A"},           // a character the code page lacks
        {"\xc0\xaf" "A", "??A"},              // an overlong '/'
        {"\xed\xa0\x80" "A", "???A"},         // a surrogate
        {"\xf4\x90\x80\x80" "A", "????A"},    // above U+10FFFF
        {"A\xe2\x82", "A??"},                 // cut off at the end
        {"\xe2\x82" "A", "??A"},              // cut off by another character
    };
    for (const auto &[utf8, bytes] : rows)
        EXPECT_EQ(utf8ToWindows1252(utf8), bytes) << utf8;
}

} // namespace
} // namespace zephlan
