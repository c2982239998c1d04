// SPDX-License-Identifier: GPL-3.0-or-later
// A disk that fails: read() gives EIO from byte TIRAVOL_EIO_FROM on, for files named
// TIRAVOL_EIO_FILE (the name without its folder). The piece that reaches that byte comes back
// short, as from a bad sector. Preloaded into a process (LD_PRELOAD) or linked into a test; both
// variables are read at every call, so a test can arm and disarm it.
// A power cut: once a file named TIRAVOL_KILL_AFTER_RENAME has been renamed into place, the
// process is killed at once, before it can do anything else.
#undef _FORTIFY_SOURCE // read() is defined here, not wrapped
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

using ReadFunction = ssize_t (*)(int, void*, size_t);

// The byte from which `fd` fails, or -1 when it is not the file named.
long long failingFrom(int fd)
{
    const char* name = std::getenv("TIRAVOL_EIO_FILE");
    const char* from = std::getenv("TIRAVOL_EIO_FROM");
    if (!name || !*name || !from || !*from)
        return -1;
    char link[64];
    char path[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, path, sizeof path - 1);
    if (n <= 0)
        return -1;
    path[n] = '\0';
    const char* slash = std::strrchr(path, '/');
    const char* base = slash ? slash + 1 : path;
    return std::strcmp(base, name) == 0 ? std::atoll(from) : -1;
}

ssize_t failingRead(int fd, void* buffer, size_t count)
{
    static const auto next = reinterpret_cast<ReadFunction>(::dlsym(RTLD_NEXT, "read"));
    const long long from = count > 0 ? failingFrom(fd) : -1;
    if (from >= 0) {
        const off_t at = ::lseek(fd, 0, SEEK_CUR);
        if (at >= 0 && at >= from) {
            errno = EIO;
            return -1;
        }
        if (at >= 0 && static_cast<unsigned long long>(at) + count > static_cast<unsigned long long>(from))
            count = static_cast<size_t>(from - at);
    }
    return next(fd, buffer, count);
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) ssize_t read(int fd, void* buffer, size_t count)
{
    return failingRead(fd, buffer, count);
}

// What a fortified build calls when it knows the buffer's size.
__attribute__((visibility("default"))) ssize_t __read_chk(int fd, void* buffer, size_t count, size_t /*size*/)
{
    return failingRead(fd, buffer, count);
}

// The real rename, then the kill when its target is the file named.
__attribute__((visibility("default"))) int rename(const char* from, const char* to)
{
    using RenameFunction = int (*)(const char*, const char*);
    static const auto next = reinterpret_cast<RenameFunction>(::dlsym(RTLD_NEXT, "rename"));
    const int done = next(from, to);
    const char* name = std::getenv("TIRAVOL_KILL_AFTER_RENAME");
    const char* slash = std::strrchr(to, '/');
    if (done == 0 && name && *name && std::strcmp(slash ? slash + 1 : to, name) == 0)
        ::raise(SIGKILL);
    return done;
}

// Linking this lets a test use the shim in its own process.
__attribute__((visibility("default"))) int tiravol_eio_shim_linked()
{
    return 1;
}
}
