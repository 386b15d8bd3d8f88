// Writing a named file through: links followed, devices written directly, regular files replaced
// by a temporary file renamed into place.
#include "tools/sim/output.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace sim {

namespace {

// As many links as the kernel itself follows before giving up with ELOOP.
constexpr int maxLinks = 40;

std::string failure(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// `path` with every symbolic link of its last component followed: where a regular file
// behind links is replaced, or a new one created behind a dangling link.
bool followLinks(std::string path, std::string& target, std::string& error) {
    for (int i = 0; i <= maxLinks; ++i) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = path;
            return true;
        }
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(path, ec);
        if (ec) {
            error = "cannot read the link " + path + ": " + ec.message();
            return false;
        }
        path = (std::filesystem::path(path).parent_path() / link).string();
    }
    errno = ELOOP;
    error = failure("cannot follow", path);
    return false;
}

} // namespace

bool openOutput(const std::string& option, const std::string& path, Output& out,
                std::string& error) {
    out = Output{};
    if (path.empty()) {
        out.file = stdout;
        return true;
    }
    // stat follows the links: it tells what is finally written, even where the last link has
    // no path of its own (a pipe behind /dev/stdout).
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        error = failure("cannot look at", path);
        return false;
    }
    if (exists && S_ISDIR(st.st_mode)) {
        error = option + " " + path + " is a folder";
        return false;
    }
    std::string target = path;
    int fd = -1;
    if (exists && !S_ISREG(st.st_mode)) {
        // Renaming over a device or FIFO would replace the node itself with a plain file.
        fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) {
            error = failure("cannot open", path);
            return false;
        }
    } else {
        if (!followLinks(path, target, error)) return false;
        // Beside the target, so that the final rename stays within one file system.
        out.tempPath = target + ".tmp" + std::to_string(::getpid());
        fd = ::open(out.tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            error = failure("cannot create", out.tempPath);
            out.tempPath.clear();
            return false;
        }
        if (exists && ::fchmod(fd, st.st_mode & 07777) != 0) {
            error = failure("cannot set the permissions of", out.tempPath);
            ::close(fd);
            ::unlink(out.tempPath.c_str());
            out.tempPath.clear();
            return false;
        }
    }
    out.file = ::fdopen(fd, "w");
    if (out.file == nullptr) {
        error = failure("cannot write", target);
        ::close(fd);
        abandonOutput(out);
        return false;
    }
    out.path = path;
    out.target = target;
    return true;
}

bool writeOutput(Output& out, std::string_view text) {
    return out.file != nullptr && std::fwrite(text.data(), 1, text.size(), out.file) == text.size();
}

bool finishOutput(Output& out, std::string& error) {
    if (out.file == nullptr) {
        error = "no output open";
        return false;
    }
    if (out.path.empty()) {
        const bool ok = std::fflush(out.file) == 0;
        if (!ok) error = std::string("cannot write standard output: ") + std::strerror(errno);
        out.file = nullptr;
        return ok;
    }
    const bool written = std::fflush(out.file) == 0;
    const bool closed = std::fclose(out.file) == 0;
    out.file = nullptr;
    if (!written || !closed) {
        error = failure("cannot write", out.tempPath.empty() ? out.target : out.tempPath);
        abandonOutput(out);
        return false;
    }
    if (!out.tempPath.empty() && std::rename(out.tempPath.c_str(), out.target.c_str()) != 0) {
        error = "cannot rename " + out.tempPath + " to " + out.target + ": " + std::strerror(errno);
        abandonOutput(out);
        return false;
    }
    out.tempPath.clear();
    return true;
}

void abandonOutput(Output& out) {
    if (out.file != nullptr && out.file != stdout) std::fclose(out.file);
    out.file = nullptr;
    if (!out.tempPath.empty()) ::unlink(out.tempPath.c_str());
    out.tempPath.clear();
}

} // namespace sim
