#pragma once
// Where the radio keeps its factory information in the block 0x3000 … 0x30FF.
// The factory tool writes these places and the editor's radio-information
// read shows them, so both take the layout from here.
#include <cstddef>
#include <cstdint>

namespace velmar::info_block {

struct Field {
    std::uint16_t Address;
    std::size_t Width; // bytes in the radio; texts are padded with 0x00
};

inline constexpr std::uint16_t FactoryModeAddress = 0x3010; // bit 0: factory mode
inline constexpr Field AreaCode{0x3011, 4};
inline constexpr Field ManufactureCode{0x3020, 8}; // the production batch
inline constexpr Field UserCode{0x3030, 4};        // the customer code
inline constexpr Field ProgramPassword{0x303C, 4};
inline constexpr Field SerialNumber{0x3040, 16};
inline constexpr Field ProducedDate{0x3050, 16};
inline constexpr Field MaintainedDate{0x3060, 16};        // the repair date
inline constexpr Field MaintainedDescription{0x3070, 80}; // the repair reason
inline constexpr Field DealerCode{0x30C0, 16};
inline constexpr Field StockDate{0x30D0, 16};
inline constexpr Field SellDate{0x30E0, 16};
inline constexpr Field Seller{0x30F0, 16};

} // namespace velmar::info_block
