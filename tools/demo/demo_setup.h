#pragma once
// The demo's own folder: the radio's memory, the stable path of its port, and
// the private configuration Velmar runs with.
#include "shell/file_locations.h"

#include <optional>
#include <string>

namespace velmar::demo {

struct DemoFolder {
    std::string Folder; // $XDG_STATE_HOME/velmar/demo, else ~/.local/state/velmar/demo
    std::string Config; // the XDG_CONFIG_HOME of the programs the demo starts
    std::string Memory; // the radio's memory (velmar-vradio --image)
    std::string Link;   // the radio's device under a name that stays (--link)
    std::string Lock;   // held while a demo runs

    static DemoFolder OfUser();
};

// Gives the demo run a configuration of its own: XDG_CONFIG_HOME = Config and
// every written file there (VELMAR_USER_CONFIG), for this process and the
// programs it starts.
void UsePrivateConfig(const DemoFolder& demo);

// Copies the shipped sample to Memory when there is no memory yet or `reset`
// asks for it. Empty on success, else why not.
std::string PrepareMemory(const FileLocations& at, const DemoFolder& demo, bool reset);

// Gives the radio's link a COM number in the private port map (the one it had
// before, else the lowest free one) and makes it the port of Velmar's
// mysetup.ini, so that the first-run and the port dialogs choose it. Nothing
// when no number is free or a file cannot be written.
std::optional<int> AssignPort(const FileLocations& at, const DemoFolder& demo);

} // namespace velmar::demo
