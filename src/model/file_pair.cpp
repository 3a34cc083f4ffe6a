#include "model/file_pair.h"

#include "shell/file_io.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <unistd.h>
#include <vector>

namespace velmar {
namespace {

namespace fs = std::filesystem;

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    return true;
}

// A temporary file beside `target` holding `bytes`, flushed to disk; its
// path, or nothing when it could not be written (then it is gone again).
// Created with the usual permissions (0666 less the umask), as the file it
// replaces would be.
std::optional<std::string> WriteTemporary(const std::string& target,
                                          std::span<const std::uint8_t> bytes) {
    static std::atomic<unsigned> serial = 0;
    const fs::path path(target);
    const std::string stem = "." + path.filename().string() + ".tmp" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string temp =
            (path.parent_path() / (stem + "-" + std::to_string(++serial))).string();
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return std::nullopt;
        const bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
        if (::close(fd) != 0 || !written) {
            ::unlink(temp.c_str());
            return std::nullopt;
        }
        return temp;
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> ReadExisting(const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool Rename(const std::string& from, const std::string& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

// Makes the renames in the folder durable.
void SyncFolder(const std::string& fileInFolder) {
    const fs::path folder = fs::path(fileInFolder).parent_path();
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Puts the previous channel file back, or removes the new one when there was
// none before.
void RestoreChannelFile(const std::string& channelPath,
                        const std::optional<std::vector<std::uint8_t>>& previous) {
    if (!previous) {
        ::unlink(channelPath.c_str());
        return;
    }
    if (const auto temp = WriteTemporary(channelPath, *previous)) {
        if (!Rename(*temp, channelPath))
            ::unlink(temp->c_str());
    }
}

} // namespace

bool WriteFilePair(const std::string& dataFile, std::span<const std::uint8_t> dataBytes,
                   const std::string& channelFile, std::span<const std::uint8_t> channelBytes) {
    const auto dataReplaced = ReplaceableFile(dataFile);
    const auto channelReplaced = ReplaceableFile(channelFile);
    if (!dataReplaced || !channelReplaced)
        return false;
    const std::string& dataPath = *dataReplaced;
    const std::string& channelPath = *channelReplaced;
    const auto tempChannel = WriteTemporary(channelPath, channelBytes);
    const auto tempData = tempChannel ? WriteTemporary(dataPath, dataBytes) : std::nullopt;
    if (!tempData) {
        if (tempChannel)
            ::unlink(tempChannel->c_str());
        return false;
    }
    const auto previousChannel = ReadExisting(channelPath);
    if (!Rename(*tempChannel, channelPath)) {
        ::unlink(tempChannel->c_str());
        ::unlink(tempData->c_str());
        return false;
    }
    if (!Rename(*tempData, dataPath)) {
        ::unlink(tempData->c_str());
        RestoreChannelFile(channelPath, previousChannel);
        SyncFolder(channelPath);
        return false;
    }
    SyncFolder(dataPath);
    return true;
}

} // namespace velmar
