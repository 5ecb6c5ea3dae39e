#include "driverstandin.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdarg>
#include <dlfcn.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

constexpr int off = -1;
std::atomic<int> current{off};
std::atomic<long long> holdNs{0};

// For each descriptor, when the last byte written to it counts as sent.
constexpr int descriptors = 1024;
std::atomic<long long> sentAt[descriptors];

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
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
    current = how;
}

driverStandIn::~driverStandIn()
{
    current = off;
}

extern "C" ssize_t write(int fd, const void *data, size_t size)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    const ssize_t written = real(fd, data, size);
    if (written > 0 && current == driverStandIn::hold && fd >= 0 && fd < descriptors)
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
    const bool held = how == driverStandIn::stall || (fd >= 0 && fd < descriptors && nowNs() < sentAt[fd]);
    *static_cast<int *>(argument) = held ? 1 : 0;
    return 0;
}
