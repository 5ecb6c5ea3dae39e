#include "driverstandin.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <dlfcn.h>
#include <limits>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int off = -1;
std::atomic<int> current{off};
std::atomic<long long> holdNs{0};
std::atomic<bool> closedQueued{false};

// For each descriptor, when the last byte written to it counts as sent.
constexpr int descriptors = 1024;
constexpr long long never = std::numeric_limits<long long>::max();
std::atomic<long long> sentAt[descriptors];

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool unsent(int fd)
{
    return fd >= 0 && fd < descriptors && nowNs() < sentAt[fd];
}

template <typename call>
call next(const char *name)
{
    return reinterpret_cast<call>(dlsym(RTLD_NEXT, name));
}

} // namespace

driverStandIn::driverStandIn(mode how, int holdMs)
{
    holdNs = holdMs * 1000000LL;
    closedQueued = false;
    current = how;
}

driverStandIn::~driverStandIn()
{
    current = off;
}

bool driverStandIn::closedWithOutputQueued() const
{
    return closedQueued;
}

extern "C" ssize_t write(int fd, const void *data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    const int how = current;
    // Only a terminal's driver queues output; a port's lock file is written too.
    const bool toPort = how != off && fd >= 0 && fd < descriptors && isatty(fd);
    if (toPort && how != driverStandIn::hold) {
        sentAt[fd] = never; // taken, and never put on the line
        return ssize_t(size);
    }
    const ssize_t written = real(fd, data, size);
    if (written > 0 && toPort && how == driverStandIn::hold)
        sentAt[fd] = nowNs() + holdNs;
    return written;
}

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list rest;
    va_start(rest, request);
    void *argument = va_arg(rest, void *);
    va_end(rest);
    static const auto real = next<int (*)(int, unsigned long, void *)>("ioctl");
    const int how = current;
    if (request != TIOCOUTQ || how == off)
        return real(fd, request, argument);
    if (how == driverStandIn::fail) {
        errno = EIO;
        return -1;
    }
    *static_cast<int *>(argument) = unsent(fd) ? 1 : 0;
    return 0;
}

// The C library's tcflush does not go through the ioctl above.
extern "C" int tcflush(int fd, int queue) noexcept
{
    static const auto real = next<int (*)(int, int)>("tcflush");
    if (queue != TCIFLUSH && fd >= 0 && fd < descriptors)
        sentAt[fd] = 0;
    return real(fd, queue);
}

extern "C" int close(int fd)
{
    static const auto real = next<int (*)(int)>("close");
    if (unsent(fd)) {
        closedQueued = true;
        sentAt[fd] = 0;
    }
    return real(fd);
}
