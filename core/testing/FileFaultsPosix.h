#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <thread>

namespace zephlan {

int openDescriptors();

// Whether writing to the device fails for want of space (some sandboxes give a /dev/full that does not).
bool deviceIsFull(const char *path);

// A link in the folder to plans.txt in a subfolder that only root may change.
std::filesystem::path linkIntoReadOnlyFolder(const std::filesystem::path &folder,
                                             std::filesystem::perms filePermissions);

// Another appender, not held to this process's size limit.
void appendUnlimited(const std::filesystem::path &target, const std::string &bytes);

// Holds the first open of a file in the folder until meddle has run, as if
// another program changed the folder after the append looked the file up and
// before it wrote: a moment no test could hit otherwise. Needs the right to
// watch file opens (root).
class OpenInterception
{
public:
    OpenInterception(const std::filesystem::path &folder, std::function<void()> meddle);
    ~OpenInterception();
    OpenInterception(const OpenInterception &) = delete;
    OpenInterception &operator=(const OpenInterception &) = delete;

    bool watching() const { return m_thread.joinable(); }

private:
    void answer(const std::function<void()> &meddle);

    int m_fanotify;
    int m_stop[2] = {-1, -1};
    std::thread m_thread;
};

// Ignores SIGXFSZ for its lifetime and puts back on destruction what a fault
// case changes in the process: the file-size limit, the signal's disposition
// and the effective user.
class ProcessStateGuard
{
public:
    ProcessStateGuard();
    ~ProcessStateGuard();
    ProcessStateGuard(const ProcessStateGuard &) = delete;
    ProcessStateGuard &operator=(const ProcessStateGuard &) = delete;

    const rlimit &limit() const { return m_limit; }

private:
    uid_t m_user;
    void (*m_signal)(int);
    rlimit m_limit{};
};

} // namespace zephlan
