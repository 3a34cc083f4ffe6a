#include "model/snapshot.h"

#include <algorithm>

#include "model/band_table.h"
#include "shell/version_table.h"

namespace velmar {
namespace {

ModelInfoRecord CurrentModelInfo(const Document& doc) {
    return {MakeFixStr<7>(doc.ModelName), static_cast<std::int16_t>(BandTextToCode(doc.BandText))};
}

void CopyUsedChannels(const ChannelList& from, ChannelList& to, std::int16_t chCount) {
    std::copy_n(from.begin(), UsedChannelCount(chCount), to.begin());
}

} // namespace

void SnapshotDocument(Document& doc) {
    doc.Doc.ModelInfo = CurrentModelInfo(doc);
    doc.Doc.Version = MakeFixStr<4>(ProgramVersion);
    doc.SavedDoc = doc.Doc;
    CopyUsedChannels(doc.ChList, doc.SavedChList, doc.Doc.ChCount);
}

void AdoptDocument(Document& doc) {
    doc.Doc = doc.SavedDoc;
    const ModelInfoRecord& model = doc.Doc.ModelInfo;
    doc.ModelName = TrimFixStr(model.Name);
    doc.BandText = BandCodeToText(model.BandCode);
    doc.RadioInfo.BandCode = model.BandCode;
    const BandLimits limits = ParseBandLimits(doc.BandText);
    doc.BandLow = limits.Low;
    doc.BandHigh = limits.High;
    CopyUsedChannels(doc.SavedChList, doc.ChList, doc.Doc.ChCount);
}

void AdoptSettings(Document& doc) {
    doc.Doc = doc.SavedDoc;
    doc.Doc.ModelInfo = CurrentModelInfo(doc);
    doc.SavedDoc = doc.Doc;
}

} // namespace velmar
