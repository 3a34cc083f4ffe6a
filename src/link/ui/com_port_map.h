#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmar {

// What "COM" + n stands for on this machine: a per-user map from the port
// number n to a device path, kept in a small INI file (section "ComPorts",
// keys "COM1" …). A device seen for the first time gets the lowest free
// number and keeps it from then on; an entry can also be set by hand to any
// device, for example the pseudo-terminal of a virtual radio. The file is
// shared by the editor and the factory tool, so it is read again before every
// use.
class ComPortMap {
public:
    static constexpr int HighestNumber = 255;

    explicit ComPortMap(std::string iniPath);

    const std::string& Path() const { return path_; }

    // Reads the file again; a missing or unreadable file gives an empty map,
    // lines that do not name a port number 1 … 255 are skipped.
    void Load();

    // The device of port `number`, whether it exists now or not.
    std::optional<std::string> Device(int number) const;
    // The number of the entry whose device is `device` (the same file after
    // following links), or nothing.
    std::optional<int> NumberOf(const std::string& device) const;
    const std::map<int, std::string>& Entries() const { return entries_; }

    // Points port `number` at `device` and saves; false when the number is
    // out of range, the path cannot be stored in the file or the file cannot
    // be written.
    bool Set(int number, const std::string& device);

    // Gives the devices of `systemDevices` (stable names, see
    // SystemSerialDevices) that have no entry yet the lowest free numbers,
    // saves when it added any, and returns the numbers whose device exists
    // now, ascending. Ports that do not exist are not listed.
    std::vector<int> Refresh(const std::vector<std::string>& systemDevices);

private:
    bool Save() const;

    std::string path_;
    std::map<int, std::string> entries_;
};

// The map's file in the user's config folder, shared by both programs.
std::string DefaultComPortMapPath();

} // namespace velmar
