#include "link/image_compare.h"

#include "channels/ch_info_edit_rules.h"
#include "channels/channel_values.h"
#include "channels/frequency_codec.h"
#include "channels/tone_list.h"
#include "link/image_channel.h"
#include "link/image_conversion.h"
#include "model/document.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

namespace velmar {

namespace {

constexpr int kChannelCount = kMaxChannels;
constexpr int kTextChannel = 15001;
constexpr int kTextYes = 28004;
constexpr int kTextNo = 28005;

// Names of the areas outside the channel records.
constexpr int kTextUnusedMemory = 32105;
constexpr int kTextUsedChannels = 32106;
constexpr int kTextScanList = 32107;
constexpr int kTextCommonChannel = 32108;
constexpr int kTextEmergencyChannels = 32109;
constexpr int kTextEmergencyModes = 32110;
constexpr int kTextOptionalFeatures = 12002;
constexpr int kTextEmbeddedMessage = 12006;
constexpr int kTextModelInformation = 13000;
constexpr int kTextToneTips = 12014;
constexpr int kTextGroupNames = 14051;
constexpr int kTextResetMode = 12015;
// Names of the fields the detail editor has no caption for.
constexpr int kTextInUse = 32111;
constexpr int kTextSqlMode = 32112;
constexpr int kTextOtherRecordBytes = 32113;

struct NamedArea {
    std::uint16_t First;
    std::uint16_t Last;
    int NameTextId;
};

// The radio's memory map outside the channel records; what lies between is
// not used by the program.
constexpr NamedArea kNamedAreas[] = {
    {0x2810, 0x2851, kTextUsedChannels},     {0x2860, 0x28A2, kTextScanList},
    {0x28B0, 0x28B9, kTextOptionalFeatures}, {0x28D0, 0x28DF, kTextCommonChannel},
    {0x2900, 0x2905, kTextOptionalFeatures}, {0x2908, 0x2922, kTextEmergencyChannels},
    {0x2928, 0x2942, kTextEmergencyModes},   {0x29A0, 0x29DF, kTextEmbeddedMessage},
    {0x29E0, 0x29EF, kTextModelInformation}, {0x2A10, 0x2B0F, kTextToneTips},
    {0x2B10, 0x2B77, kTextGroupNames},       {0x2B80, 0x2B81, kTextResetMode},
};

// The fields of a channel record besides the frequency, in the order a
// difference is reported.
struct RecordField {
    int Code;
    std::int16_t ChannelInfo::*Member;
};
constexpr RecordField kRecordFields[] = {
    {ChField::RxTone, &ChannelInfo::RxTone},
    {ChField::TxTone, &ChannelInfo::TxTone},
    {ChField::Tsq, &ChannelInfo::Tsq},
    {ChField::BusyLock, &ChannelInfo::BusyLock},
    {ChField::AmFm, &ChannelInfo::AmFm},
    {ChField::AmFmLock, &ChannelInfo::AmFmLock},
    {ChField::NbAnl, &ChannelInfo::NbAnl},
    {ChField::SqlMode, &ChannelInfo::SqlMode},
    {ChField::Rep, &ChannelInfo::Rep},
    {ChField::RepLock, &ChannelInfo::RepLock},
    {ChField::RbTone, &ChannelInfo::RbTone},
    {ChField::RbLock, &ChannelInfo::RbLock},
    {ChField::AmPower, &ChannelInfo::AmPower},
    {ChField::AmPower4W, &ChannelInfo::AmPower4W},
    {ChField::AmPower15W, &ChannelInfo::AmPower15W},
    {ChField::FmPower, &ChannelInfo::FmPower},
    {ChField::FmPower4W, &ChannelInfo::FmPower4W},
    {ChField::FmPower15W, &ChannelInfo::FmPower15W},
    {ChField::FmPower50W, &ChannelInfo::FmPower50W},
};

bool IsTone(int code) {
    return code == ChField::RxTone || code == ChField::TxTone;
}

// The frequency display needs no band or messages for a record's value.
struct NoTexts : TextLookup {
    std::string GetText(int) const override { return {}; }
};
struct NoMessages : MessageSink {
    MsgAnswer Show(const std::string&, MsgButtons, MsgIcon) override { return MsgAnswer::Ok; }
};

std::string FrequencyText(RecordFrequency frequency) {
    static const NoTexts texts;
    static NoMessages messages;
    const std::string shown =
        FreStoreToShow(TrimFixStr(RecordToFrequency(frequency)), {0, 0, messages, texts});
    return shown.empty() ? "-" : shown;
}

std::string ValueText(int code, std::int16_t value) {
    if (IsTone(code))
        return value >= 0 && value < kToneCount ? ToneList()[static_cast<std::size_t>(value)]
                                                : std::to_string(value);
    return std::to_string(value);
}

std::string HexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t b : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%s%02X", text.empty() ? "" : " ", b);
        text += hex;
    }
    return text;
}

std::span<const std::uint8_t, kChannelRecordSize> Record(const RadioImage& image, int chNo) {
    return image.Range(ChannelAddress(chNo), kChannelRecordSize).first<kChannelRecordSize>();
}

// The fields a read takes from the record of `chNo`.
ChannelInfo DecodeRecord(const RadioImage& image, int chNo) {
    ChannelInfo channel;
    ReadChannelSettings(Record(image, chNo).subspan<4, kChannelSettingsSize>(), channel);
    return channel;
}

void CompareRecord(const RadioImage& expected, const RadioImage& actual, int chNo,
                   std::vector<ChannelDifference>& out) {
    const auto e = Record(expected, chNo);
    const auto a = Record(actual, chNo);
    if (std::equal(e.begin(), e.end(), a.begin()))
        return;
    const std::size_t before = out.size();
    const RecordFrequency ef = ReadRecordFrequency(e), af = ReadRecordFrequency(a);
    if (!(ef == af))
        out.push_back({chNo, ChField::RxFre, FrequencyText(ef), FrequencyText(af)});
    const ChannelInfo ec = DecodeRecord(expected, chNo), ac = DecodeRecord(actual, chNo);
    for (const RecordField& field : kRecordFields)
        if (ec.*field.Member != ac.*field.Member)
            out.push_back({chNo, field.Code, ValueText(field.Code, ec.*field.Member),
                           ValueText(field.Code, ac.*field.Member)});
    if (out.size() == before)
        out.push_back({chNo, kFieldOtherRecordBytes, HexBytes(e), HexBytes(a)});
}

// In use and scanned as a read of the image shows them: by channel number.
struct ListedChannels {
    std::array<bool, kChannelCount + 1> Used{};
    std::array<bool, kChannelCount + 1> Scanned{};
};

ListedChannels ListChannels(const RadioImage& image) {
    auto doc = std::make_unique<Document>();
    ParseImage(image, *doc);
    ListedChannels listed;
    for (int i = 0; i < UsedChannelCount(doc->Doc.ChCount); ++i) {
        const ChannelInfo& ch = doc->ChList[static_cast<std::size_t>(i)];
        if (ch.ChNo >= 1 && ch.ChNo <= kChannelCount) {
            listed.Used[static_cast<std::size_t>(ch.ChNo)] = true;
            listed.Scanned[static_cast<std::size_t>(ch.ChNo)] = ch.ScanSkip == 0;
        }
    }
    return listed;
}

std::string YesNo(bool yes) {
    return std::to_string(yes ? 1 : 0);
}

bool Differs(const RadioImage& expected, const RadioImage& actual, std::uint16_t first,
             std::uint16_t last) {
    return !std::equal(expected.bytes.begin() + first, expected.bytes.begin() + last + 1,
                       actual.bytes.begin() + first);
}

// Who each address belongs to: 1 … 529 a channel record, 0 nobody (not
// used by the program), otherwise minus the text id of a named area.
std::array<int, RadioImage::Size> AddressOwners() {
    std::array<int, RadioImage::Size> owners{};
    for (int chNo = 1; chNo <= kChannelCount; ++chNo)
        std::fill_n(owners.begin() + ChannelAddress(chNo), kChannelRecordSize, chNo);
    for (const NamedArea& area : kNamedAreas)
        std::fill(owners.begin() + area.First, owners.begin() + area.Last + 1, -area.NameTextId);
    return owners;
}

} // namespace

ImageComparison CompareImages(const RadioImage& expected, const RadioImage& actual) {
    ImageComparison result;
    for (std::size_t address = 0; address < RadioImage::Size; address += BlockSize)
        if (Differs(expected, actual, static_cast<std::uint16_t>(address),
                    static_cast<std::uint16_t>(address + BlockSize - 1)))
            ++result.DifferingBlocks;
    if (result.Equal())
        return result;

    const ListedChannels e = ListChannels(expected), a = ListChannels(actual);
    bool usedListExplained = false, scanListExplained = false;
    for (int chNo = 1; chNo <= kChannelCount; ++chNo) {
        const auto n = static_cast<std::size_t>(chNo);
        if (e.Used[n] != a.Used[n]) {
            result.Channels.push_back({chNo, kFieldInUse, YesNo(e.Used[n]), YesNo(a.Used[n])});
            // A channel out of use leaves the scan list as well.
            usedListExplained = scanListExplained = true;
        }
        if (e.Used[n] && a.Used[n] && e.Scanned[n] != a.Scanned[n]) {
            result.Channels.push_back(
                {chNo, ChField::ScanSkip, YesNo(!e.Scanned[n]), YesNo(!a.Scanned[n])});
            scanListExplained = true;
        }
        CompareRecord(expected, actual, chNo, result.Channels);
    }

    // Runs of addresses with one owner outside the channel records.
    static const std::array<int, RadioImage::Size> owners = AddressOwners();
    for (std::size_t first = 0; first < RadioImage::Size;) {
        std::size_t last = first;
        while (last + 1 < RadioImage::Size && owners[last + 1] == owners[first])
            ++last;
        const int owner = owners[first];
        const int textId = owner == 0 ? kTextUnusedMemory : -owner;
        const bool explained = (textId == kTextUsedChannels && usedListExplained) ||
                               (textId == kTextScanList && scanListExplained);
        if (owner <= 0 && !explained &&
            Differs(expected, actual, static_cast<std::uint16_t>(first),
                    static_cast<std::uint16_t>(last)))
            result.Areas.push_back(
                {textId, static_cast<std::uint16_t>(first), static_cast<std::uint16_t>(last)});
        first = last + 1;
    }
    return result;
}

std::string ChannelFieldName(int field, const TextLookup& texts) {
    switch (field) {
    case kFieldInUse:
        return texts.GetText(kTextInUse);
    case kFieldOtherRecordBytes:
        return texts.GetText(kTextOtherRecordBytes);
    case ChField::SqlMode:
        return texts.GetText(kTextSqlMode);
    default:
        break;
    }
    for (const ChEditRowDef& row : kChEditRows)
        if (row.Code == field)
            return row.Caption.Text(texts);
    for (const ChEditCheckDef& check : kChEditChecks) {
        if (check.Code != field)
            continue;
        // A power level is named with its row: "AM Power 4W".
        for (const ChEditRowDef& row : kChEditRows)
            if (row.Row == check.Row && (row.Row == RowAmPower || row.Row == RowFmPower))
                return row.Caption.Text(texts) + " " + check.Caption.Text(texts);
        return check.Caption.Text(texts);
    }
    return std::to_string(field);
}

std::vector<std::string> DifferenceLines(const ImageComparison& comparison,
                                         const TextLookup& texts) {
    std::vector<std::string> lines;
    for (const ChannelDifference& d : comparison.Channels) {
        const bool yesNo = d.Field == kFieldInUse || d.Field == ChField::ScanSkip;
        const auto value = [&](const std::string& v) {
            return yesNo ? texts.GetText(v == "1" ? kTextYes : kTextNo) : v;
        };
        lines.push_back(texts.GetText(kTextChannel) + " " + std::to_string(d.ChNo) + ": " +
                        ChannelFieldName(d.Field, texts) + ": " + texts.GetText(kTextExpected) +
                        " " + value(d.Expected) + ", " + texts.GetText(kTextInTheRadio) + " " +
                        value(d.Actual));
    }
    for (const AreaDifference& area : comparison.Areas) {
        char range[32];
        std::snprintf(range, sizeof range, " (0x%04X-0x%04X)", area.First, area.Last);
        lines.push_back(texts.GetText(area.NameTextId) + range);
    }
    return lines;
}

std::string ComparisonSummary(const ImageComparison& comparison, const TextLookup& texts) {
    if (comparison.Equal())
        return texts.GetText(kTextImagesEqual);
    return texts.GetText(kTextDifferingBlocks) + " " + std::to_string(comparison.DifferingBlocks) +
           "/" + std::to_string(RadioImage::Size / BlockSize);
}

std::vector<int> DifferingChannels(const ImageComparison& comparison) {
    std::vector<int> numbers;
    for (const ChannelDifference& d : comparison.Channels)
        numbers.push_back(d.ChNo);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    return numbers;
}

std::string ComparisonBrief(const ImageComparison& comparison, const TextLookup& texts) {
    std::string text = ComparisonSummary(comparison, texts);
    const auto addLine = [&](int headingId, const std::vector<std::string>& items) {
        if (items.empty())
            return;
        text += "\n" + texts.GetText(headingId);
        for (std::size_t i = 0; i < items.size(); ++i)
            text += (i == 0 ? " " : ", ") + items[i];
    };
    std::vector<std::string> channels;
    for (int chNo : DifferingChannels(comparison))
        channels.push_back(std::to_string(chNo));
    addLine(kTextDifferingChannels, channels);
    std::vector<std::string> areas;
    for (const AreaDifference& area : comparison.Areas)
        areas.push_back(texts.GetText(area.NameTextId));
    addLine(kTextDifferingAreas, areas);
    return text;
}

} // namespace velmar
