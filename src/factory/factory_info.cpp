#include "factory/factory_info.h"

#include "model/band_table.h"

#include <cstdio>

namespace velmar {

void InitFactoryData(FactoryInfo& info, const TodayDate& today) {
    info = FactoryInfo{};
    char serial[32];
    std::snprintf(serial, sizeof serial, "%04d%02d%02d00000001", today.Year, today.Month,
                  today.Day);
    info.SerialNumber = serial;
    info.ProducedDate = today.ShortDate;
    char code[16];
    std::snprintf(code, sizeof code, "%02d-1-E-1", today.Month);
    info.ManufactureCode = code;
}

std::string FactoryBandText(int bandCode) {
    for (const BandEntry& band : BandTable)
        if (band.Code == bandCode)
            return std::string(band.Text);
    return {};
}

bool SameBandFamily(int newCode, int oldCode) {
    if (newCode < 0 || oldCode < 0)
        return false;
    return newCode / 8 == oldCode / 8 && newCode / 8 <= 3;
}

} // namespace velmar
