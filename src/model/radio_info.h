#pragma once
// Identification data of the radio last read; shown, never stored in a file.
#include <cstdint>
#include <string>

#include "model/fixed_text.h"

namespace velmar {

struct RadioInfoRecord {
    std::int16_t BandCode = 0;
    FixStr<16> Reserved{}; // carried but not shown
    FixStr<16> SerialNo{};
    FixStr<16> FactoryDate{};
    FixStr<16> RepairDate{};
    FixStr<96> RepairReason{};
    std::string VersionText = "V1.02";
    std::string ModelText;
    std::string AreaCode;
    FixStr<8> BatchNo{};
    FixStr<4> CustomerCode{};
    FixStr<16> DealerCode{};
    FixStr<16> StockInDate{};
    FixStr<16> SaleDate{};
    FixStr<16> Handler{};
    friend bool operator==(const RadioInfoRecord&, const RadioInfoRecord&) = default;
};

} // namespace velmar
