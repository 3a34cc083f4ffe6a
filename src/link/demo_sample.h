#pragma once
// The memory of the demo radio, shipped as data/demo/sample.img and loaded by
// velmar-demo into velmar-vradio: a radio of the default model and band as its
// owner programmed it, so that a first read fills the channel grid and every
// settings window. It is made here from a description in code, through the
// same BuildImage as a write; a link test fails when the shipped file drifts.
// Regenerate with: velmar-make-demo-sample <source>/data
#include <cstdint>
#include <string_view>
#include <vector>

namespace velmar {

// The sample's place below the data folder and the program folder.
inline constexpr std::string_view DemoSampleFile = "demo/sample.img";

// The memory file as velmar-vradio --image reads it: the radio image
// (0x0000 … 0x2BFF), then the identification block (0x3000 … 0x30FF).
std::vector<std::uint8_t> BuildDemoSample();

} // namespace velmar
