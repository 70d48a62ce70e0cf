// Loaded with LD_PRELOAD into the real program: every write into a temporary settings file
// fails as on a full disk, while everything else is written as usual.
#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

using WriteFunction = ssize_t (*)(int, const void*, size_t);

bool IsTemporarySettingsFile(int fd) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char target[4096];
    const ssize_t length = ::readlink(link, target, sizeof target - 1);
    if (length <= 0) {
        return false;
    }
    target[length] = '\0';
    const char* name = std::strrchr(target, '/');
    return name != nullptr && std::strncmp(name, "/.kelvaro.dat.", 14) == 0;
}

}  // namespace

extern "C" ssize_t write(int fd, const void* buffer, size_t count) {
    static const auto real = reinterpret_cast<WriteFunction>(::dlsym(RTLD_NEXT, "write"));
    if (IsTemporarySettingsFile(fd)) {
        errno = ENOSPC;
        return -1;
    }
    return real(fd, buffer, count);
}
