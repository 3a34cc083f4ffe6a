#pragma once
#include "link/frames.h"
#include "shell/version_table.h"

#include <string_view>

namespace velmar {

// How a radio compares with the document it is read into or written from.
enum class ModelCheck {
    Pass,
    ModelDiffers,         // text 9012
    FirmwareIncompatible, // CompatMessage, firmware kind
    BandSameGroup,        // write only: text 9014, the user may go on
    BandOtherGroup,       // write only: text 9030
};

// `CheckRadioModel`: the radio's model must equal the document's model name
// (cut at its first NUL, trailing blanks dropped) and its firmware must be
// compatible with this program; a write also compares the band codes.
ModelCheck CheckRadioModel(const RadioIdentity& radio, std::string_view modelName,
                           std::string_view bandText, bool checkBand, const VersionTable& versions);

// Bands belong to groups of eight codes; a write across bands of one group
// (up to group 3) needs only the user's confirmation.
int BandGroup(int bandCode);

} // namespace velmar
