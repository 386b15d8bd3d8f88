// Writing the CSV through a temporary file that is renamed into place at the end.
#include "tools/sim/output.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace sim {

bool openOutput(const std::string& path, Output& out, std::string& error) {
    out = Output{};
    if (path.empty()) {
        out.file = stdout;
        return true;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "--out " + path + " is a folder";
        return false;
    }
    // Beside the target, so that the final rename stays within one file system.
    const std::string temp = path + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = "cannot create " + temp + ": " + std::strerror(errno);
        return false;
    }
    out.file = ::fdopen(fd, "w");
    if (out.file == nullptr) {
        error = "cannot write " + temp + ": " + std::strerror(errno);
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    }
    out.path = path;
    out.tempPath = temp;
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
    if (out.tempPath.empty()) {
        const bool ok = std::fflush(out.file) == 0;
        if (!ok) error = std::string("cannot write standard output: ") + std::strerror(errno);
        out.file = nullptr;
        return ok;
    }
    const bool written = std::fflush(out.file) == 0;
    const bool closed = std::fclose(out.file) == 0;
    out.file = nullptr;
    if (!written || !closed) {
        error = "cannot write " + out.tempPath + ": " + std::strerror(errno);
        abandonOutput(out);
        return false;
    }
    if (std::rename(out.tempPath.c_str(), out.path.c_str()) != 0) {
        error = "cannot rename " + out.tempPath + " to " + out.path + ": " + std::strerror(errno);
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
