// Writing a file the player named, through to its target.
#include "ui/save_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ui {

namespace {

namespace fs = std::filesystem;

// The reason in German whatever the locale: the program speaks German; the system's own text
// for anything rarer.
std::string reason(int number) {
    switch (number) {
    case ENOENT:
        return "Datei oder Ordner gibt es nicht";
    case ENOTDIR:
        return "ein Teil des Pfads ist kein Ordner";
    case EACCES:
    case EPERM:
        return "keine Berechtigung";
    case EISDIR:
        return "das ist ein Ordner";
    case EROFS:
        return "das Dateisystem ist nur lesbar";
    case ENOSPC:
        return "kein Platz mehr auf dem Datenträger";
    case EDQUOT:
        return "das Speicherkontingent ist erschöpft";
    case ENAMETOOLONG:
        return "der Name ist zu lang";
    case EIO:
        return "Ein-/Ausgabefehler";
    default:
        return std::strerror(number);
    }
}

bool failed(std::string& error, const std::string& what) {
    error = what + ": " + reason(errno);
    return false;
}

// Every byte of `text` to `fd`.
bool writeAll(int fd, const std::string& text) {
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n == -1 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += std::size_t(n);
    }
    return true;
}

// `path` with its symbolic links followed, also a link whose target does not exist yet.
fs::path target(const fs::path& path) {
    fs::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(p, ec); ++hops) {
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) break;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

} // namespace

bool writeFileThrough(const std::string& path, const std::string& text, std::string& error) {
    const fs::path to = target(path);
    struct stat old {};
    const bool exists = ::stat(to.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        errno = EISDIR;
        return failed(error, path);
    }
    if (exists && !S_ISREG(old.st_mode)) { // a device or FIFO: no file to replace
        const int fd = ::open(to.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (fd < 0) return failed(error, path);
        const bool ok = writeAll(fd, text);
        const int saved = errno;
        ::close(fd);
        errno = saved;
        return ok || failed(error, path);
    }
    // A rename would replace a write-protected file; so would root's every write.
    if (exists && ((old.st_mode & 0222) == 0 || ::access(to.c_str(), W_OK) != 0)) {
        errno = EACCES;
        return failed(error, path + " ist schreibgeschützt");
    }
    std::string temp = to.string() + ".tmpXXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return failed(error, path);
    mode_t mode = old.st_mode & 07777;
    if (!exists) { // what a newly created file gets: 0666 less the umask
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    bool ok = ::fchmod(fd, mode) == 0;
    // Owner and group are kept where the user may set them; otherwise the file becomes theirs.
    if (exists && ok && ::fchown(fd, old.st_uid, old.st_gid) != 0) errno = 0;
    ok = ok && writeAll(fd, text) && ::fsync(fd) == 0;
    int saved = errno;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), to.c_str()) != 0) {
        ok = false;
        saved = errno;
    }
    if (ok) return true;
    ::unlink(temp.c_str());
    errno = saved;
    return failed(error, path);
}

} // namespace ui
