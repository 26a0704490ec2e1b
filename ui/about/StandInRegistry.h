#pragma once

#include "sysinfo/SysInfo.h"

#include <QStringList>

namespace zephlan {

// Without a registry, the tool's "PATH" value names the first desktop system-information
// program found on the search path; with none found the key does not open. No other key opens.
class StandInRegistry final : public Registry
{
public:
    explicit StandInRegistry(QStringList programNames = defaultProgramNames());
    static QStringList defaultProgramNames();

    RegistryOpenResult open(std::uint32_t root, const std::string &subKey, std::uint32_t options,
                            std::uint32_t accessMask) override;
    RegistryQueryResult queryValue(RegistryHandle handle, const std::string &name,
                                   std::span<unsigned char> buffer) override;
    RegistryStatus close(RegistryHandle handle) override;

private:
    QStringList m_programNames;
    std::string m_programPath;
};

} // namespace zephlan
