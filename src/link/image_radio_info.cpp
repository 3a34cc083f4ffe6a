#include "link/image_conversion.h"

namespace velmar {
namespace {

// The text at `offset` … `offset` + N − 1 of the block as a blank-padded field.
template <std::size_t N> FixStr<N> BlockField(const RadioInfoBlock& block, std::size_t offset) {
    return MakeFixStr<N>(ImageText(block.Range(RadioInfoBlock::FirstAddress + offset, N)));
}

} // namespace

void DecodeRadioInfo(const RadioInfoBlock& block, RadioInfoRecord& info) {
    info.AreaCode = ImageText(block.Range(RadioInfoBlock::FirstAddress, 4));
    info.BatchNo = BlockField<8>(block, 16);
    info.CustomerCode = BlockField<4>(block, 32);
    info.SerialNo = BlockField<16>(block, 48);
    info.FactoryDate = BlockField<16>(block, 64);
    info.RepairDate = BlockField<16>(block, 80);
    info.RepairReason = BlockField<96>(block, 96);
    info.DealerCode = BlockField<16>(block, 192);
    info.StockInDate = BlockField<16>(block, 208);
    info.SaleDate = BlockField<16>(block, 224);
    info.Handler = BlockField<16>(block, 240);
}

} // namespace velmar
