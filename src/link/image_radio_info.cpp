#include "link/image_conversion.h"
#include "link/info_block_layout.h"

#include <algorithm>

namespace velmar {
namespace {

// Hands every text of the identification block to visit(field, text) with
// the place the factory tool writes it, for reading and writing alike.
template <class Info, class Visit> void ForEachInfoText(Info& info, Visit&& visit) {
    visit(info_block::AreaCode, info.AreaCode);
    visit(info_block::ManufactureCode, info.BatchNo);
    visit(info_block::UserCode, info.CustomerCode);
    visit(info_block::SerialNumber, info.SerialNo);
    visit(info_block::ProducedDate, info.FactoryDate);
    visit(info_block::MaintainedDate, info.RepairDate);
    visit(info_block::MaintainedDescription, info.RepairReason);
    visit(info_block::DealerCode, info.DealerCode);
    visit(info_block::StockDate, info.StockInDate);
    visit(info_block::SellDate, info.SaleDate);
    visit(info_block::Seller, info.Handler);
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

// The block is read where the factory tool writes it.
void DecodeRadioInfo(const RadioInfoBlock& block, RadioInfoRecord& info) {
    ForEachInfoText(info, [&](info_block::Field place, auto& field) {
        SetField(field, ImageText(block.Range(place.Address, place.Width)));
    });
}

void EncodeRadioInfo(const RadioInfoRecord& info, RadioInfoBlock& block) {
    ForEachInfoText(info, [&](info_block::Field place, const auto& field) {
        const std::string text = FieldText(field);
        const auto target = block.Range(place.Address, place.Width);
        std::fill(target.begin(), target.end(), 0x00);
        std::copy_n(text.begin(), std::min(text.size(), place.Width), target.begin());
    });
}

} // namespace velmar
