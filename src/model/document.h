#pragma once
// The one open document: working copies that the editors change in place, the
// snapshot as last opened or saved, and the model and file globals that go
// with it. One instance per process, passed by reference.
#include <array>
#include <string>

#include "model/channel_info.h"
#include "model/doc_record.h"
#include "model/radio_info.h"

namespace velmar {

using ChannelList = std::array<ChannelInfo, kMaxChannels>;

// A channel count as an index bound: 0 … 529 whatever the record holds.
inline int UsedChannelCount(std::int16_t chCount) {
    return chCount < 0 ? 0 : (chCount > kMaxChannels ? kMaxChannels : chCount);
}

struct Document {
    DocRecord Doc;      // working document; Doc.ChCount entries of ChList are used
    DocRecord SavedDoc; // snapshot; SavedDoc.ChCount entries of SavedChList are used
    ChannelList ChList{};
    ChannelList SavedChList{};

    std::string ModelName = "KAVRO";
    std::string BandText = "25.615 - 30.105 MHz";
    double BandLow = 25.615; // MHz, from BandText (ParseBandLimits)
    double BandHigh = 30.105;

    std::string DocFileName = "new.dat"; // full path of the data file
    bool IsNewDocument = true;
    bool InitSettingsMode = false; // set while "initialise settings" builds its document

    RadioInfoRecord RadioInfo;
};

} // namespace velmar
