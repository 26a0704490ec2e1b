// The built zephlan.exe read back through the calls Explorer's file properties use:
// its version resource says what project() says, and its icon is app.ico's.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring widen(const std::string &ascii) { return {ascii.begin(), ascii.end()}; }

std::vector<char> versionBlock()
{
    const std::wstring program = widen(ZEPHLAN_PROGRAM);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoW(program.c_str(), 0, size, block.data()))
        block.clear();
    return block;
}

struct StringCase
{
    const char *name;
    std::string expected;
};

void PrintTo(const StringCase &row, std::ostream *out) { *out << row.name; }

class VersionString : public ::testing::TestWithParam<StringCase> {};

TEST_P(VersionString, IsTheProjects)
{
    std::vector<char> block = versionBlock();
    ASSERT_FALSE(block.empty()) << "no version resource in " << ZEPHLAN_PROGRAM;
    const std::wstring path = L"\\StringFileInfo\\040904B0\\" + widen(GetParam().name);
    wchar_t *value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void **>(&value), &length));
    EXPECT_EQ(std::wstring(value), widen(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Program, VersionString, ::testing::Values(
    StringCase{"FileVersion", ZEPHLAN_VERSION},
    StringCase{"ProductVersion", ZEPHLAN_VERSION},
    StringCase{"ProductName", "Zephlan"},
    StringCase{"CompanyName", ZEPHLAN_VENDOR},
    StringCase{"OriginalFilename", "zephlan.exe"}),
    [](const auto &info) { return std::string(info.param.name); });

// The numbers Windows compares when one version replaces another: major.minor.patch.0.
TEST(VersionNumbers, AreTheProjects)
{
    std::vector<char> block = versionBlock();
    ASSERT_FALSE(block.empty());
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void **>(&fixed), &length));
    ASSERT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    const auto dotted = [](DWORD high, DWORD low) {
        return std::to_string(HIWORD(high)) + '.' + std::to_string(LOWORD(high)) + '.'
            + std::to_string(HIWORD(low)) + '.' + std::to_string(LOWORD(low));
    };
    const std::string expected = std::string(ZEPHLAN_VERSION) + ".0";
    EXPECT_EQ(dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), expected);
    EXPECT_EQ(dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), expected);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

// The first icon group, which Explorer shows, has app.ico's images: same count, sizes and bytes.
// Each image's entry starts with the same 12 bytes (size, colours, planes, bits, bytes) in an .ico
// file's directory and in an icon group; 4 bytes of offset follow in the one, 2 of id in the other.
constexpr size_t kImageHeader = 12;
constexpr size_t kIcoEntry = 16;
constexpr size_t kGroupEntry = 14;

// A name is a number or a string that lives only during the call: kept as "#<number>" or the string.
BOOL CALLBACK firstGroup(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR found)
{
    *reinterpret_cast<std::wstring *>(found) =
        IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : name;
    return FALSE;
}

TEST(ProgramIcon, IsTheApplicationIcon)
{
    std::ifstream file(ZEPHLAN_ICON, std::ios::binary);
    const std::vector<char> ico{std::istreambuf_iterator<char>(file), {}};
    ASSERT_GT(ico.size(), 6u) << "cannot read " << ZEPHLAN_ICON;
    const WORD icoCount = *reinterpret_cast<const WORD *>(ico.data() + 4);
    ASSERT_GE(ico.size(), 6 + icoCount * kIcoEntry);

    HMODULE program = LoadLibraryExW(widen(ZEPHLAN_PROGRAM).c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(program, nullptr);
    const LPCWSTR groupIcon = MAKEINTRESOURCEW(14);    // RT_GROUP_ICON, whatever UNICODE says
    std::wstring group;
    EnumResourceNamesW(program, groupIcon, firstGroup, reinterpret_cast<LONG_PTR>(&group));
    ASSERT_FALSE(group.empty()) << "no icon in the program";
    HRSRC found = FindResourceW(program, group.c_str(), groupIcon);
    ASSERT_NE(found, nullptr);
    const auto *header = static_cast<const WORD *>(LockResource(LoadResource(program, found)));
    ASSERT_EQ(header[2], icoCount);
    const auto *entries = reinterpret_cast<const char *>(header + 3);
    for (WORD i = 0; i < icoCount; ++i)
        EXPECT_EQ(std::string(entries + i * kGroupEntry, kImageHeader),
                  std::string(ico.data() + 6 + i * kIcoEntry, kImageHeader)) << "image " << i;
    FreeLibrary(program);
}

}  // namespace
