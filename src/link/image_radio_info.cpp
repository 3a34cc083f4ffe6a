#include "link/image_conversion.h"

#include <algorithm>

namespace velmar {
namespace {

// Hands every text of the identification block to visit(offset, width, field)
// with its offset from 0x3000, for reading and writing alike.
template <class Info, class Visit> void ForEachInfoText(Info& info, Visit&& visit) {
    visit(0, 4, info.AreaCode);
    visit(16, 8, info.BatchNo);
    visit(32, 4, info.CustomerCode);
    visit(48, 16, info.SerialNo);
    visit(64, 16, info.FactoryDate);
    visit(80, 16, info.RepairDate);
    visit(96, 96, info.RepairReason);
    visit(192, 16, info.DealerCode);
    visit(208, 16, info.StockInDate);
    visit(224, 16, info.SaleDate);
    visit(240, 16, info.Handler);
}

std::string FieldText(const std::string& text) {
    return text;
}
template <std::size_t N> std::string FieldText(const FixStr<N>& field) {
    return TrimFixStr(field);
}

void SetField(std::string& field, const std::string& text) {
    field = text;
}
template <std::size_t N> void SetField(FixStr<N>& field, const std::string& text) {
    field = MakeFixStr<N>(text);
}

} // namespace

void DecodeRadioInfo(const RadioInfoBlock& block, RadioInfoRecord& info) {
    ForEachInfoText(info, [&](std::size_t offset, std::size_t width, auto& field) {
        SetField(field, ImageText(block.Range(RadioInfoBlock::FirstAddress + offset, width)));
    });
}

void EncodeRadioInfo(const RadioInfoRecord& info, RadioInfoBlock& block) {
    ForEachInfoText(info, [&](std::size_t offset, std::size_t width, const auto& field) {
        const std::string text = FieldText(field);
        const auto target = block.Range(RadioInfoBlock::FirstAddress + offset, width);
        std::fill(target.begin(), target.end(), 0x00);
        std::copy_n(text.begin(), std::min(text.size(), width), target.begin());
    });
}

} // namespace velmar
