// Preloaded into a Qt program (LD_PRELOAD) to time its start: the first time a
// window hands a painted frame to the window system, the wall-clock time is
// written to the file named by FIRST_FRAME_FILE and the program ends at once.
// The program itself is not changed: Qt Widgets reaches the window system
// through QBackingStore::flush, which this library puts itself in front of.
#include <QBackingStore>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dlfcn.h>
#include <unistd.h>

namespace {

using Flush = void (*)(QBackingStore *, const QRegion &, QWindow *, const QPoint &);

void recordAndEnd()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    if (const char *path = std::getenv("FIRST_FRAME_FILE")) {
        if (std::FILE *out = std::fopen(path, "w")) {
            std::fprintf(out, "%lld.%06ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec / 1000);
            std::fclose(out);
        }
    }
    _exit(0);
}

} // namespace

void QBackingStore::flush(const QRegion &region, QWindow *window, const QPoint &offset)
{
    static const auto real = reinterpret_cast<Flush>(dlsym(RTLD_NEXT, "_ZN13QBackingStore5flushERK7QRegionP7QWindowRK6QPoint"));
    if (real == nullptr)
        std::abort();
    real(this, region, window, offset);
    recordAndEnd();
}
