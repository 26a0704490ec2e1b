#pragma once

#include "sysinfo/SysInfo.h"

#include <memory>

namespace zephlan {

// The registry, file search and program start of the machine the program runs on.
struct SysInfoBackends
{
    std::unique_ptr<Registry> registry;
    std::unique_ptr<FileFinder> files;
    std::unique_ptr<ProgramStarter> programs;
};

SysInfoBackends machineSysInfoBackends();

} // namespace zephlan
