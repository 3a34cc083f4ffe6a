#include "channels/printed_channel_list.h"

#include "channels/channel_list.h"
#include "channels/combo_lists.h"
#include "channels/csv_row.h"
#include "channels/stored_fre_text.h"
#include "channels/tone_list.h"
#include "model/fixed_text.h"
#include "shell/filled_text.h"
#include "shell/text_encoding.h"

#include <algorithm>
#include <utility>

namespace velmar {

namespace {

// The grid's texts: column headers, the tone list's "none", the scan choices.
constexpr int kTextNumber = 14001;
constexpr int kTextRxFre = 14002;
constexpr int kTextDecode = 14005;
constexpr int kTextEncode = 14006;
constexpr int kTextScan = 14008;
constexpr int kTextNone = 14013;
constexpr int kTextScanAdd = 14017;
constexpr int kTextScanSkip = 14018;
constexpr int kTextGroup = 14050;

std::string ToneText(int index, const TextLookup& texts) {
    if (index <= 0 || index >= kToneCount)
        return texts.GetText(kTextNone);
    return ToneList()[index];
}

std::string PowerText(const ChannelInfo& ch) {
    const CsvPowerLevel* level = PowerLevelOf(ch.AmFm, PowerValueOf(ch));
    return level ? std::to_string(level->Watts) + " W" : std::string();
}

std::string ModulationText(const ChannelInfo& ch) {
    return ch.AmFm == kModulationAm || ch.AmFm == kModulationFm ? kModulationNames[ch.AmFm]
                                                                : std::string();
}

std::string FromAnsi(std::string_view bytes, bool ansiIsGbk) {
    return ansiIsGbk ? GbkToUtf8(bytes) : Windows1252ToUtf8(bytes);
}

} // namespace

std::vector<PrintedLine> PrintedChannelLines(const Document& doc, const TextLookup& texts,
                                             bool ansiIsGbk) {
    std::vector<PrintedLine> lines;
    for (int group = 0; group <= kMemGroup; ++group) {
        bool labelled = false;
        for (int pos = 1; pos <= GroupSize(group); ++pos) {
            const int index = FindChIndex(doc, GroupStartNo(group) + pos);
            if (index < 0)
                continue;
            const ChannelInfo& ch = doc.ChList[index];
            const std::optional<std::string> rx = StoredFreText(ch.RxFre);
            if (!rx)
                continue;
            if (!std::exchange(labelled, true))
                lines.push_back({true,
                                 {texts.GetText(kTextGroup) + " " +
                                  FromAnsi(GroupShowName(doc.Doc, group), ansiIsGbk)}});
            lines.push_back({false,
                             {std::to_string(ch.ChNo), *rx, ToneText(ch.RxTone, texts),
                              ToneText(ch.TxTone, texts), ModulationText(ch), PowerText(ch),
                              texts.GetText(ch.ScanSkip != 0 ? kTextScanSkip : kTextScanAdd)}});
        }
    }
    return lines;
}

std::vector<PrintedPage> PrintedChannelPages(const Document& doc, const TextLookup& texts,
                                             bool ansiIsGbk, int linesPerPage) {
    linesPerPage = std::max(linesPerPage, 2);
    const std::string title = texts.GetText(PrintText::Title) + "  " +
                              FromAnsi(TrimFixStr(doc.ModelName), ansiIsGbk) + " [" + doc.BandText +
                              "]  " + FileNameOfPath(doc.DocFileName);
    const std::vector<std::string> headers = {texts.GetText(kTextNumber),
                                              texts.GetText(kTextRxFre),
                                              texts.GetText(kTextDecode),
                                              texts.GetText(kTextEncode),
                                              texts.GetText(PrintText::Modulation),
                                              texts.GetText(PrintText::Power),
                                              texts.GetText(kTextScan)};

    std::vector<PrintedPage> pages(1);
    const PrintedLine* label = nullptr; // of the group the lines belong to
    const std::vector<PrintedLine> lines = PrintedChannelLines(doc, texts, ansiIsGbk);
    for (const PrintedLine& line : lines) {
        std::vector<PrintedLine>* page = &pages.back().Lines;
        // A label needs a channel below it on the same page.
        const int room = line.IsGroup ? 2 : 1;
        if (static_cast<int>(page->size()) + room > linesPerPage) {
            page = &pages.emplace_back().Lines;
            if (!line.IsGroup && label)
                page->push_back(*label);
        }
        if (line.IsGroup)
            label = &line;
        page->push_back(line);
    }
    const std::string pageText = texts.GetText(PrintText::Page);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        pages[i].Title = title;
        pages[i].Headers = headers;
        pages[i].Footer =
            FilledText(pageText, {std::to_string(i + 1), std::to_string(pages.size())});
    }
    return pages;
}

} // namespace velmar
