#include "demo_setup.h"

#include "link/demo_sample.h"
#include "link/ui/com_port_map.h"
#include "shell/startup.h"

#include <cstdlib>
#include <filesystem>

namespace velmar::demo {

namespace fs = std::filesystem;

DemoFolder DemoFolder::OfUser() {
    const std::string folder = UserStateHome() + "/velmar/demo";
    return {folder, folder + "/config", folder + "/radio.img", folder + "/vradio",
            folder + "/demo.lock"};
}

void UsePrivateConfig(const DemoFolder& demo) {
    ::setenv("XDG_CONFIG_HOME", demo.Config.c_str(), 1);
    ::setenv(UserConfigVariable, "1", 1);
}

std::string PrepareMemory(const FileLocations& at, const DemoFolder& demo, bool reset) {
    std::error_code ec;
    if (!reset && fs::exists(demo.Memory, ec))
        return {};
    const fs::path sample = fs::path(at.ProgramFolder) / std::string(DemoSampleFile);
    const std::string part = demo.Memory + ".part";
    fs::copy_file(sample, part, fs::copy_options::overwrite_existing, ec);
    if (!ec)
        fs::rename(part, demo.Memory, ec);
    if (ec)
        return "cannot copy the sample memory " + sample.string() + " to " + demo.Memory + ": " +
               ec.message();
    return {};
}

std::optional<int> AssignPort(const FileLocations& at, const DemoFolder& demo) {
    ComPortMap ports(DefaultComPortMapPath());
    ports.Refresh({demo.Link}); // a new device gets the lowest free number
    const auto number = ports.NumberOf(demo.Link);
    if (!number)
        return std::nullopt;
    ShellSettings settings;
    settings.comPort = static_cast<std::int16_t>(*number);
    if (!WriteComPort(settings, at.PrepareForWriting(MySetupFile)))
        return std::nullopt;
    return number;
}

} // namespace velmar::demo
