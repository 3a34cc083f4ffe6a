#include "link/radio_check.h"

#include "model/band_table.h"
#include "model/fixed_text.h"

namespace velmar {

int BandGroup(int bandCode) {
    return bandCode / 8;
}

ModelCheck CheckRadioModel(const RadioIdentity& radio, std::string_view modelName,
                           std::string_view bandText, bool checkBand,
                           const VersionTable& versions) {
    if (TrimFixStr(modelName) != radio.Model)
        return ModelCheck::ModelDiffers;
    if (!versions.IsCompatible(ProgramVersion, radio.Version))
        return ModelCheck::FirmwareIncompatible;
    const int documentBand = BandTextToCode(bandText);
    if (!checkBand || documentBand == radio.Band)
        return ModelCheck::Pass;
    const int group = BandGroup(documentBand);
    return group == BandGroup(radio.Band) && group <= 3 ? ModelCheck::BandSameGroup
                                                        : ModelCheck::BandOtherGroup;
}

} // namespace velmar
