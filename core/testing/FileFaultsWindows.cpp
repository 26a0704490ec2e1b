#include "core/testing/FileFaults.h"

#include "core/testing/TempFiles.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace zephlan {

namespace fs = std::filesystem;

bool openedAlone(const fs::path &file)
{
    const HANDLE alone = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ::CloseHandle(alone);
    return alone != INVALID_HANDLE_VALUE;
}

namespace {

// A program from this test's folder, started with the arguments; its process handle, or null.
HANDLE startBeside(const std::string &name, const std::vector<std::string> &arguments)
{
    std::wstring self(MAX_PATH, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), MAX_PATH));
    fs::path program = fs::path(self).parent_path() / name;
    if (!program.has_extension())
        program += ".exe";
    std::wstring command = L'"' + program.wstring() + L'"';
    for (const std::string &argument : arguments)
        command += L" \"" + fs::path(argument).wstring() + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool started =
        ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    EXPECT_TRUE(started) << program;
    if (!started)
        return nullptr;
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

} // namespace

OtherProgram::OtherProgram(const std::string &name, const std::vector<std::string> &arguments)
    : m_process(reinterpret_cast<long long>(startBeside(name, arguments)))
{
}

OtherProgram::~OtherProgram()
{
    wait();
}

int OtherProgram::wait()
{
    const auto process = reinterpret_cast<HANDLE>(m_process);
    DWORD code = 0;
    if (process && ::WaitForSingleObject(process, 240000) == WAIT_OBJECT_0 && ::GetExitCodeProcess(process, &code))
        m_exitCode = int(code);
    if (process)
        ::CloseHandle(process);
    m_process = 0;
    return m_exitCode;
}

HeldElsewhere::HeldElsewhere(const fs::path &file)
{
    const std::string id = std::to_string(::GetCurrentProcessId());
    m_held = ::CreateEventA(nullptr, TRUE, FALSE, ("zephlan-held-" + id).c_str());
    m_release = ::CreateEventA(nullptr, TRUE, FALSE, ("zephlan-release-" + id).c_str());
    m_process = startBeside("holdfile.exe", {file.string(), "zephlan-held-" + id, "zephlan-release-" + id});
    const HANDLE either[] = {m_held, m_process};
    EXPECT_EQ(::WaitForMultipleObjects(2, either, FALSE, 10000), WAIT_OBJECT_0) << "the file is not held";
}

HeldElsewhere::~HeldElsewhere()
{
    ::SetEvent(m_release);
    ::WaitForSingleObject(m_process, 10000);
    for (const HANDLE handle : {m_process, m_held, m_release})
        ::CloseHandle(handle);
}

fs::path smallDrive(char letter)
{
    const fs::path root = std::string(1, letter) + ":\\";
    ULARGE_INTEGER total{};
    if (!::GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr))
        return {};
    EXPECT_LE(total.QuadPart, 1u << 20) << root << " is not the small drive the set-up mounts";
    return root;
}

void fillDrive(const fs::path &filler, bool leaveAPage)
{
    const HANDLE file = ::CreateFileW(filler.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string block(4096, 'f');
    DWORD written = 0;
    while (::WriteFile(file, block.data(), DWORD(block.size()), &written, nullptr) && written == block.size()) {
    }
    LARGE_INTEGER size{};
    ::GetFileSizeEx(file, &size);
    size.QuadPart = size.QuadPart / 4096 * 4096 - (leaveAPage ? 4096 : 0);
    FILE_END_OF_FILE_INFO end{};
    end.EndOfFile = size;
    EXPECT_TRUE(!leaveAPage || ::SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end));
    ::CloseHandle(file);
}

std::filesystem::path readOnlyPlans(const std::filesystem::path &folder)
{
    const std::filesystem::path plans = existingPlans(folder);
    ::SetFileAttributesW(plans.c_str(), FILE_ATTRIBUTE_READONLY);
    return plans;
}

// Wine makes no links itself: the set-up puts S:\link.txt, a link to S:\gone.txt, on the drive.
std::filesystem::path linkToNothing(const std::filesystem::path &folder)
{
    return folder.parent_path() / "link.txt";
}

// Another program writes into the file, opened as another save would open it:
// a file this call created is held with delete access.
void othersWrite(const std::filesystem::path &target)
{
    const HANDLE other = ::CreateFileW(target.c_str(), FILE_APPEND_DATA,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                                       0, nullptr);
    DWORD written = 0;
    ::WriteFile(other, "other\r\n", 7, &written, nullptr);
    ::CloseHandle(other);
}

std::filesystem::path almostAPage(const std::filesystem::path &folder, const std::string &end)
{
    std::ofstream(folder / "plans.txt", std::ios::binary) << std::string(4090 - end.size(), 'x') << end;
    return folder / "plans.txt";
}

std::optional<FileResult> appendWithFault(const FaultCase &row, const std::filesystem::path &target, const std::string &line)
{
    if (row.drive && row.drive != kLinkDrive)
        fillDrive(target.parent_path() / "filler", !std::filesystem::exists(target));
    std::optional<HeldElsewhere> held;
    if (row.conditions & HeldOpen)
        held.emplace(target);
    const SeamAction action(row.moment, [&] {
        if (row.seam)
            row.seam(target);
    });
    const FileResult result = AppendFlightPlanLine(target, line);
    held.reset();
    if (std::filesystem::is_regular_file(target)) {
        EXPECT_TRUE(openedAlone(target));
    }
    std::filesystem::remove(target.parent_path() / "filler");
    return result;
}

} // namespace zephlan
