#include "model/doc_compare.h"

#include <algorithm>

namespace velmar {
namespace {

template <std::size_t N> bool SameText(const FixStr<N>& a, const FixStr<N>& b) {
    return TrimFixStr(a) == TrimFixStr(b);
}

template <std::size_t N, std::size_t Count>
bool SameTexts(const std::array<FixStr<N>, Count>& a, const std::array<FixStr<N>, Count>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), SameText<N>);
}

// Every field but ChEmpty; the offset by its useful part.
bool SameChannel(ChannelInfo a, ChannelInfo b) {
    if (!SameText(a.Offset, b.Offset))
        return false;
    a.Offset = b.Offset;
    a.ChEmpty = b.ChEmpty;
    return a == b;
}

bool SameChannels(const Document& doc) {
    const auto working = doc.ChList.begin();
    const auto workingEnd = working + UsedChannelCount(doc.Doc.ChCount);
    for (int i = 0; i < UsedChannelCount(doc.SavedDoc.ChCount); ++i) {
        const ChannelInfo& saved = doc.SavedChList[i];
        const auto match = std::find_if(
            working, workingEnd, [&](const ChannelInfo& ch) { return ch.ChNo == saved.ChNo; });
        if (match == workingEnd || !SameChannel(*match, saved))
            return false;
    }
    return true;
}

// The option words, emergency channels, label and the common channel fields
// that the settings windows edit.
bool SameOptFeatures(const OptFeaturesRecord& a, const OptFeaturesRecord& b) {
    const ChannelInfo& x = a.OptChannel;
    const ChannelInfo& y = b.OptChannel;
    return a.Words == b.Words && a.EmgCh == b.EmgCh && a.EmgChMode == b.EmgChMode &&
           SameText(a.RadioLabel, b.RadioLabel) && x.RxTone == y.RxTone && x.TxTone == y.TxTone &&
           x.FmPower == y.FmPower && x.AmPower == y.AmPower && x.AmFm == y.AmFm &&
           x.AmFmLock == y.AmFmLock && x.AmPower4W == y.AmPower4W && x.AmPower15W == y.AmPower15W &&
           x.FmPower4W == y.FmPower4W && x.FmPower15W == y.FmPower15W &&
           x.FmPower50W == y.FmPower50W && x.NbAnl == y.NbAnl && x.BusyLock == y.BusyLock &&
           x.SqlMode == y.SqlMode && x.RepLock == y.RepLock && x.Rep == y.Rep && x.Tsq == y.Tsq;
}

bool SameDtmfCode(const DtmfCode& a, const DtmfCode& b) {
    return a.Length == b.Length && SameText(a.Code, b.Code);
}

bool SameDtmf(const DtmfSettingsRecord& a, const DtmfSettingsRecord& b) {
    // The ID code counts only in its first IdCodeLen characters.
    const std::size_t idLength = std::clamp<int>(a.IdCodeLen, 0, a.IdCode.size());
    const auto idA = std::string_view(a.IdCode.data(), idLength);
    const auto idB = std::string_view(b.IdCode.data(), idLength);
    return a.DtmfSpeed == b.DtmfSpeed && a.FirstDigitTime == b.FirstDigitTime &&
           a.FirstDigitDelay == b.FirstDigitDelay && a.StarHashTime == b.StarHashTime &&
           a.DKeySet == b.DKeySet && a.SideTone == b.SideTone && a.CallAlert == b.CallAlert &&
           a.GroupCode == b.GroupCode && a.AutoResetTime == b.AutoResetTime &&
           a.IdCodeLen == b.IdCodeLen && TrimFixStr(idA) == TrimFixStr(idB) &&
           SameDtmfCode(a.BotCode, b.BotCode) && SameDtmfCode(a.EotCode, b.EotCode) &&
           SameDtmfCode(a.StunCode, b.StunCode) && SameDtmfCode(a.KillCode, b.KillCode) &&
           std::equal(a.MemCodes.begin(), a.MemCodes.end(), b.MemCodes.begin(), SameDtmfCode);
}

bool SameTestFreList(const DocRecord& a, const DocRecord& b) {
    return std::equal(a.TestFreList.begin(), a.TestFreList.end(), b.TestFreList.begin(),
                      [](const TestFrePair& x, const TestFrePair& y) {
                          return SameText(x.RxFre, y.RxFre) && SameText(x.TxFre, y.TxFre);
                      });
}

} // namespace

bool IsDocUnchanged(const Document& doc) {
    const DocRecord& d = doc.Doc;
    const DocRecord& s = doc.SavedDoc;
    return d.ExtOption == s.ExtOption && d.ChCount == s.ChCount && SameChannels(doc) &&
           SameText(d.ModelInfo.Name, s.ModelInfo.Name) &&
           d.ModelInfo.BandCode == s.ModelInfo.BandCode && SameTexts(d.EmbMsg, s.EmbMsg) &&
           d.KeySettings == s.KeySettings && d.ScanSettings == s.ScanSettings &&
           d.AlertSettings == s.AlertSettings && SameOptFeatures(d.OptFeatures, s.OptFeatures) &&
           SameDtmf(d.DtmfSettings, s.DtmfSettings) && SameTestFreList(d, s) &&
           SameTexts(d.GroupNames, s.GroupNames) && d.ResetFlags == s.ResetFlags &&
           d.ToneTips == s.ToneTips;
}

} // namespace velmar
