#include "link/ui/com_port_map.h"

#include "shell/file_io.h"
#include "shell/file_locations.h"
#include "shell/ini_file.h"

#include <charconv>
#include <filesystem>
#include <stdexcept>

namespace velmar {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view MapSection = "ComPorts";

std::string KeyOf(int number) {
    return "COM" + std::to_string(number);
}

// "COM12" (any case) → 12; nothing for other keys.
std::optional<int> NumberOfKey(std::string_view key) {
    if (key.size() < 4 || (key.substr(0, 3) != "COM" && key.substr(0, 3) != "com"))
        return std::nullopt;
    int number = 0;
    const char* first = key.data() + 3;
    const char* last = key.data() + key.size();
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last || number < 1 || number > ComPortMap::HighestNumber)
        return std::nullopt;
    return number;
}

// The file a path names after following its links; the path itself when it
// does not exist.
std::string Resolved(const std::string& path) {
    std::error_code ec;
    const fs::path target = fs::canonical(path, ec);
    return ec ? path : target.string();
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

} // namespace

ComPortMap::ComPortMap(std::string iniPath) : path_(std::move(iniPath)) {
    Load();
}

void ComPortMap::Load() {
    entries_.clear();
    const auto text = ReadWholeFile(path_);
    if (!text)
        return;
    const IniDocument ini = IniDocument::Parse(*text);
    for (const std::string& key : ini.Keys(MapSection)) {
        const auto number = NumberOfKey(key);
        const auto device = ini.Get(MapSection, key);
        if (number && device && !device->empty() && !entries_.contains(*number))
            entries_[*number] = *device;
    }
}

bool ComPortMap::Save() const {
    const auto old = ReadWholeFile(path_);
    IniDocument ini = IniDocument::Parse(old.value_or(""));
    try {
        for (const auto& [number, device] : entries_)
            ini.Set(MapSection, KeyOf(number), device);
    } catch (const std::invalid_argument&) {
        return false;
    }
    return WriteFileAtomically(path_, ini.Text());
}

std::optional<std::string> ComPortMap::Device(int number) const {
    const auto found = entries_.find(number);
    if (found == entries_.end())
        return std::nullopt;
    return found->second;
}

std::optional<int> ComPortMap::NumberOf(const std::string& device) const {
    const std::string wanted = Resolved(device);
    for (const auto& [number, path] : entries_)
        if (path == device || Resolved(path) == wanted)
            return number;
    return std::nullopt;
}

bool ComPortMap::Set(int number, const std::string& device) {
    if (number < 1 || number > HighestNumber || device.empty())
        return false;
    Load();
    const auto previous = Device(number);
    entries_[number] = device;
    if (Save())
        return true;
    // Keep the map as the file holds it.
    if (previous)
        entries_[number] = *previous;
    else
        entries_.erase(number);
    return false;
}

std::vector<int> ComPortMap::Refresh(const std::vector<std::string>& systemDevices) {
    Load();
    bool added = false;
    int candidate = 1;
    for (const std::string& device : systemDevices) {
        if (NumberOf(device))
            continue;
        while (candidate <= HighestNumber && entries_.contains(candidate))
            ++candidate;
        if (candidate > HighestNumber)
            break;
        entries_[candidate] = device;
        added = true;
    }
    if (added)
        Save();
    std::vector<int> present;
    for (const auto& [number, device] : entries_)
        if (Exists(device))
            present.push_back(number);
    return present;
}

std::string DefaultComPortMapPath() {
    return UserConfigHome() + "/velmar/comports.ini";
}

} // namespace velmar
