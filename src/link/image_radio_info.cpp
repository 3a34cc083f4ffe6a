#include "link/image_conversion.h"
#include "link/info_block_layout.h"

namespace velmar {
namespace {

std::string FieldText(const RadioInfoBlock& block, info_block::Field field) {
    return ImageText(block.Range(field.Address, field.Width));
}

// A field of the block as a blank-padded text of N characters.
template <std::size_t N>
FixStr<N> BlockField(const RadioInfoBlock& block, info_block::Field field) {
    return MakeFixStr<N>(FieldText(block, field));
}

} // namespace

// The block is read where the factory tool writes it.
void DecodeRadioInfo(const RadioInfoBlock& block, RadioInfoRecord& info) {
    info.AreaCode = FieldText(block, info_block::AreaCode);
    info.BatchNo = BlockField<8>(block, info_block::ManufactureCode);
    info.CustomerCode = BlockField<4>(block, info_block::UserCode);
    info.SerialNo = BlockField<16>(block, info_block::SerialNumber);
    info.FactoryDate = BlockField<16>(block, info_block::ProducedDate);
    info.RepairDate = BlockField<16>(block, info_block::MaintainedDate);
    info.RepairReason = BlockField<96>(block, info_block::MaintainedDescription);
    info.DealerCode = BlockField<16>(block, info_block::DealerCode);
    info.StockInDate = BlockField<16>(block, info_block::StockDate);
    info.SaleDate = BlockField<16>(block, info_block::SellDate);
    info.Handler = BlockField<16>(block, info_block::Seller);
}

} // namespace velmar
