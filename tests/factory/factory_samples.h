#pragma once
// The factory information the factory tests start from: a radio made on
// 5 March 2026, since repaired and sold, with a programming password.
#include "factory/factory_info.h"

namespace velmar {

inline const TodayDate March5th2026{2026, 3, 5, "2026/3/5"};

inline FactoryInfo FilledInfo() {
    FactoryInfo info;
    InitFactoryData(info, March5th2026);
    info.BandCode = 5;
    info.FactoryMode = false;
    info.AreaCode = "0755";
    info.SerialNumber = "2026030500000041";
    info.MaintainedDate = "2026/4/1";
    info.MaintainedDescription = "Replaced the PA";
    info.DealerCode = "D-17";
    info.StockDate = "2026/3/9";
    info.SellDate = "2026/3/20";
    info.Seller = "Lin";
    info.ProgramPassword = "1234";
    return info;
}

} // namespace velmar
