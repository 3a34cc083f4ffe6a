#pragma once
// The radio in factory mode, as the tests and the virtual radio play it: the
// radio side of the line (link/radio_sim.h) opened by the factory keyword. It
// answers reads of the model block (0x29E0) and of the factory block
// (0x3010 … 0x30FF), stores written blocks and acknowledges "END"; the cable
// echo and faults (wrong checksum, 0x0A, silence) are set on the RadioSim.
#include "factory/factory_image.h"
#include "factory/factory_setup.h"
#include "link/radio_sim.h"

#include <string_view>

namespace velmar {

// A radio that opens factory mode on `keyword`, behind an echoing cable or not.
RadioSimConfig FactoryRadioConfig(bool echo = false,
                                  std::string_view keyword = DefaultFactoryHandshake);

// Puts both factory blocks into the radio's memory, as a radio that was
// written before holds them.
void LoadFactoryImage(RadioSim& radio, const FactoryImage& image);

// Both factory blocks as the radio holds them now.
FactoryImage FactoryImageOf(const RadioSim& radio);

} // namespace velmar
