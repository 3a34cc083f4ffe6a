#include "shell/file_io.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace velmar {

namespace fs = std::filesystem;

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string content{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return content;
}

namespace {

bool WriteAllAndSync(int fd, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = ::write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return ::fsync(fd) == 0;
}

} // namespace

std::optional<std::string> ReplaceableFile(const std::string& path) {
    std::error_code ec;
    fs::path resolved(path);
    if (fs::is_symlink(resolved, ec)) {
        resolved = fs::weakly_canonical(resolved, ec);
        if (ec)
            return std::nullopt;
    }
    const fs::file_status status = fs::status(resolved, ec);
    if (fs::exists(status) && !fs::is_regular_file(status))
        return std::nullopt;
    return resolved.string();
}

bool WriteFileAtomically(const std::string& path, std::string_view content) {
    const auto replaced = ReplaceableFile(path);
    if (!replaced)
        return false;
    const fs::path target(*replaced);
    std::error_code ec;
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);

    // The temporary name carries the process id so two programs writing the
    // same file never share a temporary.
    const std::string temp = target.string() + ".tmp" + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = WriteAllAndSync(fd, content);
    const bool closed = ::close(fd) == 0;
    if (written && closed)
        fs::rename(temp, target, ec);
    if (!written || !closed || ec) {
        fs::remove(temp, ec);
        return false;
    }
    return true;
}

} // namespace velmar
