#include "core/settings/atomic_file.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zarnek::settings {

namespace {

std::string errorText(const char* what, int err)
{
    return std::string(what) + ": " + std::strerror(err);
}

std::string parentOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string baseOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a write must replace: the target of a symbolic link, else path.
std::string targetOf(const std::string& path)
{
    struct stat st{};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr)
        return resolved;
    // A dangling link: create the file it names.
    std::vector<char> buf(PATH_MAX);
    const ssize_t n = ::readlink(path.c_str(), buf.data(), buf.size() - 1);
    if (n <= 0)
        return path;
    std::string link(buf.data(), static_cast<std::size_t>(n));
    return link.front() == '/' ? link : parentOf(path) + '/' + link;
}

std::string temporaryPattern(const std::string& target)
{
    return parentOf(target) + "/." + baseOf(target) + ".XXXXXX";
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

}  // namespace

std::optional<std::string> readWholeFile(const std::string& path, int* errorCode)
{
    if (errorCode)
        *errorCode = 0;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errorCode)
            *errorCode = errno;
        return std::nullopt;
    }
    std::string out;
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errorCode)
                *errorCode = errno;
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        out.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return out;
}

void removeLeftoverTemporaries(const std::string& path)
{
    const std::string target = targetOf(path);
    const std::string dir = parentOf(target);
    const std::string prefix = "." + baseOf(target) + ".";
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr)
        return;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name(e->d_name);
        if (name.size() == prefix.size() + 6 && name.substr(0, prefix.size()) == prefix)
            ::unlink((dir + '/' + std::string(name)).c_str());
    }
    ::closedir(d);
}

std::optional<std::string> replaceFile(const std::string& path, std::string_view bytes)
{
    const std::string target = targetOf(path);
    const std::string dir = parentOf(target);
    // A file the user made read-only stays as it is, as an in-place write
    // would leave it; the rename alone would replace it regardless.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0)
        return errorText("the file is not writable", errno);
    std::string tmp = temporaryPattern(target);

    const int fd = ::mkostemp(tmp.data(), O_CLOEXEC);
    if (fd < 0)
        return errorText("cannot create a file in the folder", errno);

    auto fail = [&](const char* what) {
        const int err = errno;
        ::close(fd);
        ::unlink(tmp.c_str());
        return errorText(what, err);
    };

    struct stat old{};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0600;
    if (::fchmod(fd, mode) != 0)
        return fail("cannot set the permissions");
    if (!writeAll(fd, bytes))
        return fail("cannot write");
    if (::fsync(fd) != 0)
        return fail("cannot flush");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return errorText("cannot write", err);
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return errorText("cannot replace the file", err);
    }
    // The rename itself reaches the disk with the folder's entry.
    const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return std::nullopt;
}

}  // namespace zarnek::settings
