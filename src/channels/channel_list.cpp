#include "channels/channel_list.h"

#include <algorithm>
#include <vector>

namespace velmar {

FreContext FreContextOf(const Document& document, const ChannelEnv& env) {
    return {document.BandLow, document.BandHigh, env.Messages, env.Texts};
}

int UsedChCount(const Document& document) {
    return std::clamp<int>(document.Doc.ChCount, 0, kMaxChannels);
}

int FindChIndex(const Document& document, int chNo) {
    const int count = UsedChCount(document);
    for (int i = 0; i < count; ++i)
        if (document.ChList[i].ChNo == chNo)
            return i;
    return -1;
}

bool AddCh(Document& document, int chNo, std::string_view freText) {
    const int count = UsedChCount(document);
    if (chNo < 1 || chNo > kMaxChannels || count >= kMaxChannels ||
        FindChIndex(document, chNo) >= 0)
        return false;
    ChannelInfo channel = NewChannelInfo(chNo);
    channel.RxFre = MakeFixStr<8>(FreShowToStore(freText, document.BandLow));
    document.ChList[count] = channel;
    document.Doc.ChCount = static_cast<std::int16_t>(count + 1);
    return true;
}

void DeleteChAt(Document& document, int index) {
    const int count = UsedChCount(document);
    if (index < 0 || index >= count)
        return;
    std::copy(document.ChList.begin() + index + 1, document.ChList.begin() + count,
              document.ChList.begin() + index);
    document.Doc.ChCount = static_cast<std::int16_t>(count - 1);
}

void DeleteChByNo(Document& document, int chNo) {
    DeleteChAt(document, FindChIndex(document, chNo));
}

int FindChInGroup(const Document& document, int group, int pos) {
    if (pos < 1 || pos > GroupSize(group))
        return 0;
    return FindChIndex(document, GroupStartNo(group) + pos) >= 0 ? pos : 0;
}

void FillChNoList(ComboList& combo, const Document& document, int group) {
    std::vector<int> positions;
    for (int i = 0; i < UsedChCount(document); ++i) {
        const int pos = document.ChList[i].ChNo - GroupStartNo(group);
        if (pos > 0 && pos <= GroupSize(group))
            positions.push_back(pos);
    }
    std::sort(positions.begin(), positions.end());
    combo.Entries.clear();
    combo.Selected = -1;
    for (int pos : positions)
        combo.Entries.push_back(std::to_string(pos));
}

std::string GroupShowName(const DocRecord& doc, int group) {
    if (group < 0 || group > kMemGroup)
        group = 0;
    const std::string label = std::to_string(group) + " -- ";
    if (group == kVfoGroup)
        return label + "VFO";
    if (group == kMemGroup)
        return label + "MEM";
    return label + TrimFixStr(doc.GroupNames[group]);
}

void CheckGroupChRefs(Document& document, ChannelViews& views, int group) {
    if (group >= 0 && group < kOrdinaryGroups) {
        for (int n = 0; n < 2; ++n) {
            auto& position = document.Doc.OptFeatures.EmgCh[2 * group + n];
            position = static_cast<std::int16_t>(FindChInGroup(document, group, position));
        }
    }
    views.ReshowByCh();
}

} // namespace velmar
