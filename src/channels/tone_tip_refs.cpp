#include "channels/tone_tip_refs.h"

#include <algorithm>

#include "channels/channel_list.h"

namespace velmar {

bool IsToneTipValid(const DocRecord& doc, int n) {
    if (n < 1 || n > static_cast<int>(doc.ToneTips.size()))
        return false;
    const ToneTip& tip = doc.ToneTips[n - 1];
    return tip.Repeat >= 1 && std::any_of(tip.Items.begin(), tip.Items.end(),
                                          [](const ToneItem& item) { return item.Length > 0; });
}

int CountToneTips(const DocRecord& doc) {
    int count = 0;
    for (int n = 1; n <= static_cast<int>(doc.ToneTips.size()); ++n)
        count += IsToneTipValid(doc, n) ? 1 : 0;
    return count;
}

int FirstToneTip(const DocRecord& doc) {
    for (int n = 1; n <= static_cast<int>(doc.ToneTips.size()); ++n)
        if (IsToneTipValid(doc, n))
            return n;
    return 0;
}

void CheckToneTipRefs(Document& document, ChannelViews& views) {
    const auto first = static_cast<std::int16_t>(FirstToneTip(document.Doc));
    const auto repair = [&](ChannelInfo& channel) {
        if (!IsToneTipValid(document.Doc, channel.RbTone))
            channel.RbTone = first;
    };
    for (int i = 0; i < UsedChCount(document); ++i)
        repair(document.ChList[i]);
    repair(document.Doc.OptFeatures.OptChannel);
    views.ShowRB();
    views.ShowRBOpt();
}

} // namespace velmar
