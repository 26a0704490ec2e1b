#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace zephlan {

// Only when no handle to a file is left open anywhere can it be opened without sharing.
bool openedAlone(const std::filesystem::path &file);

// Another process, holdfile.exe from this test's folder, holds the file open
// without sharing for the lifetime of this object.
class HeldElsewhere
{
public:
    explicit HeldElsewhere(const std::filesystem::path &file);
    ~HeldElsewhere();
    HeldElsewhere(const HeldElsewhere &) = delete;
    HeldElsewhere &operator=(const HeldElsewhere &) = delete;

private:
    HANDLE m_held = nullptr;
    HANDLE m_release = nullptr;
    HANDLE m_process = nullptr;
};

// A drive of a few KiB that the test set-up mounts (as root) and maps into the
// Wine prefix; empty when it is missing.
std::filesystem::path smallDrive(char letter);

// plans.txt, ending a few bytes before its last page with `end`, as an existing file on a full drive does.
std::filesystem::path almostAPage(const std::filesystem::path &folder, const std::string &end);

// Fills the drive with a file; leaving a page, one page of it is given back.
void fillDrive(const std::filesystem::path &filler, bool leaveAPage);

} // namespace zephlan
