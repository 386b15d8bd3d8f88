// Writing named files: every one checked before the batch, links followed, devices written
// directly, regular files replaced together by temporary files renamed into place.
#include "tools/sim/output.h"

#include "tools/sim/cleanup.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace sim {

namespace {

// As many links as the kernel itself follows before giving up with ELOOP.
constexpr int maxLinks = 40;

std::string named(const Output& o) {
    return o.path.empty() ? "standard output" : o.option + " " + o.path;
}

std::string because(const Output& o, int error) {
    return named(o) + ": " + std::strerror(error);
}

// `path` with every symbolic link of its last component followed: where a regular file
// behind links is replaced, or a new one created behind a dangling link.
bool followLinks(const Output& o, std::string& target, std::string& error) {
    std::string path = o.path;
    for (int i = 0; i <= maxLinks; ++i) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = path;
            return true;
        }
        std::error_code ec;
        const std::filesystem::path link = std::filesystem::read_symlink(path, ec);
        if (ec) {
            error = named(o) + ": cannot read the link " + path + ": " + ec.message();
            return false;
        }
        path = (std::filesystem::path(path).parent_path() / link).string();
    }
    error = because(o, ELOOP);
    return false;
}

// Root passes every permission check of the kernel; a file whose mode gives nobody the right
// to write it is still taken as meant to stay.
bool mayWrite(const std::string& path, const struct stat& st) {
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 &&
           (::geteuid() != 0 || (st.st_mode & 0222) != 0);
}

// What makes two outputs the same file: device and inode of an existing one, the real path of
// a new one; empty for a character device, which any number of outputs may share.
bool checkOne(Output& o, std::string& identity, std::string& error) {
    struct stat st {};
    if (::stat(o.path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            error = named(o) + " is a folder";
            return false;
        }
        o.exists = true;
        identity = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
        if (!S_ISREG(st.st_mode)) {
            // Renaming over a device or FIFO would replace the node itself with a plain file.
            o.direct = true;
            o.target = o.path;
            if (S_ISCHR(st.st_mode)) identity.clear();
            if (mayWrite(o.path, st)) return true;
            error = named(o) + ": no permission to write it";
            return false;
        }
        o.mode = st.st_mode & 07777;
        o.owner = st.st_uid;
        o.group = st.st_gid;
    } else if (errno != ENOENT && errno != ENOTDIR) {
        error = because(o, errno);
        return false;
    }
    if (!followLinks(o, o.target, error)) return false;
    // Built whole rather than assigned ".": g++ 12 at -O3 misreads that assignment as an
    // overlapping copy (-Wrestrict).
    const std::filesystem::path parent = std::filesystem::path(o.target).parent_path();
    const std::string folder = parent.empty() ? std::string(".") : parent.string();
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0 || !S_ISDIR(dir.st_mode)) {
        error = errno == EACCES ? because(o, EACCES)
                                : named(o) + ": the folder " + folder + " does not exist";
        return false;
    }
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        error = named(o) + ": no permission to write in the folder " + folder;
        return false;
    }
    if (!o.exists) {
        char real[PATH_MAX];
        if (::realpath(folder.c_str(), real) == nullptr) {
            error = because(o, errno);
            return false;
        }
        identity = std::string(real) + "/" + std::filesystem::path(o.target).filename().string();
        return true;
    }
    if (!mayWrite(o.target, st)) {
        error = named(o) + ": no permission to write it (mode " + std::to_string(o.mode >> 6 & 7) +
                std::to_string(o.mode >> 3 & 7) + std::to_string(o.mode & 7) + ")";
        return false;
    }
    // In a sticky folder only the file's owner, the folder's owner or root may replace it.
    const uid_t me = ::geteuid();
    if ((dir.st_mode & S_ISVTX) != 0 && me != 0 && me != st.st_uid && me != dir.st_uid) {
        error = named(o) + ": another user's file in a sticky folder cannot be replaced";
        return false;
    }
    return true;
}

bool openOne(Output& o, mode_t umask, std::string& error) {
    if (o.path.empty()) {
        o.file = stdout;
        return true;
    }
    int fd = -1;
    if (o.direct) {
        fd = ::open(o.path.c_str(), O_WRONLY | O_CLOEXEC);
    } else {
        o.slot = claimTempSlot();
        char* name = o.slot < 0 ? nullptr : tempSlotName(o.slot);
        // Beside the target, so that the final rename stays within one file system.
        if (name == nullptr || o.target.size() + 16 > std::size_t(TempNameSize)) {
            error = because(o, ENAMETOOLONG);
            return false;
        }
        std::strcpy(name, (o.target + ".tmpXXXXXX").c_str());
        fd = ::mkostemp(name, O_CLOEXEC);
        if (fd == -1) name[0] = '\0'; // nothing was created, so nothing is to be removed
    }
    if (fd == -1) {
        error = because(o, errno);
        return false;
    }
    if (!o.direct) {
        if (o.exists) {
            // The group where the user may set it (a member of it), and the owner too where the
            // user may (root); what is refused stays as the new file has it.
            (void)::fchown(fd, uid_t(-1), o.group);
            (void)::fchown(fd, o.owner, gid_t(-1));
        }
        // A new file is made as opening the name would make it; an existing one keeps its mode.
        if (::fchmod(fd, o.exists ? o.mode : 0666 & ~umask) != 0) {
            error = because(o, errno);
            ::close(fd); // the temporary file itself goes with the others
            return false;
        }
    }
    o.file = ::fdopen(fd, "w");
    if (o.file == nullptr) {
        error = because(o, errno);
        ::close(fd);
        return false;
    }
    return true;
}

} // namespace

bool checkOutputs(std::vector<Output>& outputs, std::string& error) {
    std::vector<std::pair<std::string, const Output*>> seen;
    for (Output& o : outputs) {
        std::string identity;
        struct stat st {};
        // Standard output redirected to a file that is also named would lose what it got.
        if (o.path.empty() && ::fstat(STDOUT_FILENO, &st) == 0 && S_ISREG(st.st_mode))
            identity = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
        else if (!o.path.empty() && !checkOne(o, identity, error))
            return false;
        if (identity.empty()) continue;
        for (const auto& [other, first] : seen)
            if (other == identity) {
                error = named(*first) + " and " + named(o) + " are the same file";
                return false;
            }
        seen.emplace_back(identity, &o);
    }
    return true;
}

bool openOutputs(std::vector<Output>& outputs, std::string& error) {
    const mode_t umask = ::umask(0);
    ::umask(umask);
    for (Output& o : outputs)
        if (!openOne(o, umask, error)) {
            abandonOutputs(outputs);
            return false;
        }
    return true;
}

bool writeOutput(Output& out, std::string_view text) {
    return out.file != nullptr && std::fwrite(text.data(), 1, text.size(), out.file) == text.size();
}

bool writeOutput(Output& out, const std::vector<std::string_view>& pieces) {
    // What is buffered comes first.
    if (out.file == nullptr || std::fflush(out.file) != 0) return false;
    std::vector<iovec> left;
    for (std::string_view piece : pieces)
        if (!piece.empty()) left.push_back({const_cast<char*>(piece.data()), piece.size()});
    for (std::size_t first = 0; first < left.size();) {
        const ssize_t n = ::writev(::fileno(out.file), left.data() + first,
                                   int(std::min<std::size_t>(left.size() - first, IOV_MAX)));
        // The only signals handled end the program, so nothing interrupts the write; a file, pipe
        // or terminal takes at least a byte.
        if (n == -1) return false;
        // A partial write leaves the rest of a piece, and the pieces after it.
        for (std::size_t done = std::size_t(n); done > 0;) {
            iovec& v = left[first];
            const std::size_t part = std::min(done, v.iov_len);
            v.iov_base = static_cast<char*>(v.iov_base) + part;
            v.iov_len -= part;
            done -= part;
            if (v.iov_len == 0) ++first;
        }
    }
    return true;
}

bool commitOutputs(std::vector<Output>& outputs, std::string& error) {
    bool ok = true;
    for (Output& o : outputs) {
        if (o.file == nullptr) continue;
        const bool written = std::fflush(o.file) == 0;
        const int cause = errno;
        const bool closed = o.file == stdout || std::fclose(o.file) == 0;
        o.file = nullptr;
        if (ok && (!written || !closed)) {
            error = o.path.empty() ? std::string("cannot write standard output: ") +
                                         std::strerror(written ? errno : cause)
                                   : "cannot write " + because(o, written ? errno : cause);
            ok = false;
        }
    }
    if (ok) {
        const SignalsHeld held;
        for (Output& o : outputs) {
            if (o.slot < 0) continue;
            if (std::rename(tempSlotName(o.slot), o.target.c_str()) != 0) {
                error = "cannot replace " + because(o, errno);
                ok = false;
                break;
            }
            releaseTempSlot(o.slot);
            o.slot = -1;
        }
    }
    if (!ok) abandonOutputs(outputs);
    return ok;
}

void abandonOutputs(std::vector<Output>& outputs) {
    for (Output& o : outputs) {
        if (o.file != nullptr && o.file != stdout) std::fclose(o.file);
        o.file = nullptr;
        if (o.slot >= 0) ::unlink(tempSlotName(o.slot));
        releaseTempSlot(o.slot);
        o.slot = -1;
    }
}

} // namespace sim
