#include "core/testing/FileFaults.h"

#include "core/testing/TempFiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <iterator>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/fanotify.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zephlan {

namespace fs = std::filesystem;

int openDescriptors()
{
    return static_cast<int>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

bool deviceIsFull(const char *path)
{
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool full = write(fd, "x", 1) < 0 && errno == ENOSPC;
    close(fd);
    return full;
}

fs::path linkIntoReadOnlyFolder(const fs::path &folder, fs::perms filePermissions)
{
    fs::create_directory(folder / "locked");
    const fs::path plans = existingPlans(folder / "locked");
    fs::permissions(plans, filePermissions);
    fs::permissions(folder / "locked", fs::perms(0555));
    fs::create_symlink(plans.lexically_relative(folder), folder / "link.txt");
    return folder / "link.txt";
}

void appendUnlimited(const fs::path &target, const std::string &bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit lifted{limit.rlim_max, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &lifted);
    appendBytes(target, bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

OpenInterception::OpenInterception(const fs::path &folder, std::function<void()> meddle)
    : m_fanotify(fanotify_init(FAN_CLASS_CONTENT | FAN_CLOEXEC, O_RDONLY | O_CLOEXEC))
{
    if (m_fanotify < 0 || pipe2(m_stop, O_CLOEXEC) != 0
        || fanotify_mark(m_fanotify, FAN_MARK_ADD, FAN_OPEN_PERM | FAN_EVENT_ON_CHILD, AT_FDCWD, folder.c_str()) != 0)
        return;
    m_thread = std::thread([this, meddle = std::move(meddle)] { answer(meddle); });
}

OpenInterception::~OpenInterception()
{
    if (m_thread.joinable()) {
        EXPECT_EQ(write(m_stop[1], "", 1), 1);
        m_thread.join();
    }
    for (const int fd : {m_fanotify, m_stop[0], m_stop[1]})
        if (fd >= 0)
            close(fd);
}

void OpenInterception::answer(const std::function<void()> &meddle)
{
    bool meddled = false;
    for (;;) {
        pollfd ready[] = {{m_fanotify, POLLIN, 0}, {m_stop[0], POLLIN, 0}};
        if (poll(ready, 2, -1) < 0)
            continue;
        if (!(ready[0].revents & POLLIN))
            return;
        alignas(fanotify_event_metadata) char buffer[4096];
        const ssize_t size = read(m_fanotify, buffer, sizeof buffer);
        auto *event = reinterpret_cast<fanotify_event_metadata *>(buffer);
        for (ssize_t left = size; FAN_EVENT_OK(event, left); event = FAN_EVENT_NEXT(event, left)) {
            if (!std::exchange(meddled, true))
                meddle();
            close(event->fd);    // before the answer, so the appender never sees it open
            const fanotify_response allow{event->fd, FAN_ALLOW};
            EXPECT_EQ(write(m_fanotify, &allow, sizeof allow), ssize_t(sizeof allow));
        }
    }
}

OtherProgram::OtherProgram(const std::string &name, const std::vector<std::string> &arguments)
{
    const std::string program = (fs::read_symlink("/proc/self/exe").parent_path() / name).string();
    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = -1;
    EXPECT_EQ(posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ), 0) << program;
    m_process = child;
}

OtherProgram::~OtherProgram()
{
    wait();
}

int OtherProgram::wait()
{
    int status = 0;
    if (m_process > 0 && waitpid(pid_t(m_process), &status, 0) == pid_t(m_process))
        m_exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    m_process = -1;
    return m_exitCode;
}

ProcessStateGuard::ProcessStateGuard()
    : m_user(geteuid())
    , m_signal(std::signal(SIGXFSZ, SIG_IGN))
{
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &m_limit), 0);
}

ProcessStateGuard::~ProcessStateGuard()
{
    EXPECT_EQ(seteuid(m_user), 0);
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &m_limit), 0);
    std::signal(SIGXFSZ, m_signal);
}

std::filesystem::path readOnlyPlans(const std::filesystem::path &folder)
{
    return existingPlans(folder, std::filesystem::perms(0222));
}

std::filesystem::path linkToNothing(const std::filesystem::path &folder)
{
    std::filesystem::create_symlink("gone.txt", folder / "link.txt");
    return folder / "link.txt";
}

void othersWrite(const std::filesystem::path &target)
{
    appendUnlimited(target, "other\r\n");
}

// No descriptor stays open.
std::optional<FileResult> appendWithFault(const FaultCase &row, const std::filesystem::path &target, const std::string &line)
{
    const int descriptors = openDescriptors();
    FileResult result;
    {
        const ProcessStateGuard guard;
        std::optional<OpenInterception> interception;
        if (row.meddle && !interception.emplace(target.parent_path(), [&] { row.meddle(target); }).watching())
            return std::nullopt;
        if ((row.conditions & AsNobody) && geteuid() == 0) {
            EXPECT_EQ(seteuid(65534), 0);
        }
        if (row.conditions & NoRoom) {
            const rlimit lowered{(std::filesystem::is_regular_file(target) ? std::filesystem::file_size(target) : 0) + row.room,
                                 guard.limit().rlim_max};
            EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &lowered), 0);
        }
        const SeamAction action(row.moment, [&] {
            if (row.seam)
                row.seam(target);
        });
        result = AppendFlightPlanLine(target, line);
    }
    EXPECT_EQ(openDescriptors(), descriptors);
    return result;
}

} // namespace zephlan
