#pragma once

#include "sysinfo/SysInfo.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <vector>

namespace zephlan {

using StoredValue = std::pair<std::uint32_t, std::string>; // type and bytes

// Values by "key|name" under HKEY_LOCAL_MACHINE; a key opens when an entry names it, and an entry
// holding nothing is a value missing from an open key. A key's handle is its place in `opened` + 1.
class FakeRegistry final : public Registry
{
public:
    std::map<std::string, std::optional<StoredValue>> values;
    std::vector<std::string> opened;
    std::set<std::uint32_t> accessMasks; // asked for by any open
    std::set<RegistryHandle> handles;    // open now

    RegistryOpenResult open(std::uint32_t root, const std::string &key, std::uint32_t, std::uint32_t access) override
    {
        opened.push_back(key);
        accessMasks.insert(access);
        const auto entry = values.lower_bound(key + '|');
        if (root != kHkeyLocalMachine || entry == values.end() || !entry->first.starts_with(key + '|'))
            return {kErrorFileNotFound, 0};
        handles.insert(opened.size());
        return {kErrorSuccess, opened.size()};
    }
    RegistryQueryResult queryValue(RegistryHandle handle, const std::string &name,
                                   std::span<unsigned char> buffer) override
    {
        const auto entry = values.find(opened.at(handle - 1) + '|' + name);
        if (entry == values.end() || !entry->second)
            return {kErrorFileNotFound, 0, 0};
        const auto &[type, bytes] = *entry->second;
        if (bytes.size() > buffer.size())
            return {kErrorMoreData, type, bytes.size()};
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return {kErrorSuccess, type, bytes.size()};
    }
    RegistryStatus close(RegistryHandle handle) override
    {
        handles.erase(handle);
        return kErrorSuccess;
    }
};

// The file search and the program start both find only the paths in `files`; starting "!" throws.
class FakeMachine final : public FileFinder, public ProgramStarter, public SysInfoMessages
{
public:
    std::set<std::string> files;
    std::vector<std::string> started;
    std::vector<std::pair<std::string, std::string>> shown; // prompt and title

    std::string findFirst(const std::string &pattern) override
    {
        return files.count(pattern) ? pattern.substr(pattern.rfind('\\') + 1) : std::string();
    }
    bool start(const std::string &commandLine) override
    {
        started.push_back(commandLine);
        if (commandLine == "!")
            throw std::runtime_error("no process");
        return files.count(commandLine) > 0;
    }
    void showMessage(const std::string &text, const std::string &title) override { shown.emplace_back(text, title); }
};

} // namespace zephlan
