#pragma once
// The template data files shipped in the "Init" folder, made from the initial
// values so that they always match the program.
#include <cstdint>
#include <string>
#include <vector>

namespace velmar {

struct TemplateFile {
    std::string Name; // file name within the "Init" folder
    std::vector<std::uint8_t> Bytes;
};

// "KAVRO_1_NEW.dat" and ".fre": a new document of the default model and band,
// with its two channels. "KAVRO_1.dat" and ".fre": the same settings and no
// channels, for the initialise-settings command.
std::vector<TemplateFile> BuildTemplateFiles();

} // namespace velmar
