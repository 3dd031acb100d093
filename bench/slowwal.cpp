// A slow disk for the benchmarks, loaded before the C library
// (LD_PRELOAD=build/bench/libslowwal.so): every write to a file whose name
// ends in "-wal" (SQLite's write-ahead log, written by each commit) sleeps
// first, 300 µs unless SLOW_WAL_US says otherwise (0 to 100000). Other
// files are written at the disk's own pace. Built for the benchmarks only,
// never linked into the program.
#include <dlfcn.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

constexpr long DefaultDelayUs = 300;
constexpr long MaxDelayUs = 100000;

long delayUs()
{
    static const long delay = [] {
        const char *text = std::getenv("SLOW_WAL_US");
        if (!text || !*text)
            return DefaultDelayUs;
        char *end = nullptr;
        const long value = std::strtol(text, &end, 10);
        return *end == '\0' && value >= 0 && value <= MaxDelayUs ? value : DefaultDelayUs;
    }();
    return delay;
}

bool isLog(int fd)
{
    char link[64];
    char name[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t length = readlink(link, name, sizeof name - 1);
    constexpr char Suffix[] = "-wal";
    constexpr ssize_t SuffixLength = sizeof Suffix - 1;
    return length >= SuffixLength && std::memcmp(name + length - SuffixLength, Suffix, SuffixLength) == 0;
}

void slowDown(int fd)
{
    const long us = delayUs();
    if (us == 0 || !isLog(fd))
        return;
    const int saved = errno;
    timespec pause{us / 1000000, (us % 1000000) * 1000};
    while (nanosleep(&pause, &pause) != 0 && errno == EINTR) {
    }
    errno = saved;
}

template<typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

} // namespace

extern "C" {

ssize_t write(int fd, const void *buffer, size_t count)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    slowDown(fd);
    return real(fd, buffer, count);
}

ssize_t pwrite(int fd, const void *buffer, size_t count, off_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    slowDown(fd);
    return real(fd, buffer, count, offset);
}

ssize_t pwrite64(int fd, const void *buffer, size_t count, off64_t offset)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    slowDown(fd);
    return real(fd, buffer, count, offset);
}

ssize_t writev(int fd, const iovec *parts, int count)
{
    static const auto real = next<ssize_t (*)(int, const iovec *, int)>("writev");
    slowDown(fd);
    return real(fd, parts, count);
}

} // extern "C"
