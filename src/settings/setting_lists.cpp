#include "settings/setting_lists.h"

namespace velmar {

std::string Caption::Text(const TextLookup& texts) const {
    return TextId != 0 ? texts.GetText(TextId) : std::string(Fixed);
}

std::vector<std::string> CaptionEntries(const TextLookup& texts,
                                        std::initializer_list<Caption> captions) {
    std::vector<std::string> entries;
    for (const Caption& caption : captions)
        entries.push_back(caption.Text(texts));
    return entries;
}

std::vector<std::string> NumberEntries(int first, int last, int step) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; n += step)
        entries.push_back(std::to_string(n));
    return entries;
}

} // namespace velmar
