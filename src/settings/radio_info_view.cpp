#include "settings/radio_info_view.h"

#include "channels/combo_lists.h"
#include "model/band_table.h"
#include "settings/model_choice.h"

namespace velmar {

RadioInfoShown ShowByData(const RadioInfoRecord& info) {
    RadioInfoShown shown;
    shown.Model = FindComboText(ComboList{ModelList(), -1}, info.ModelText);
    shown.Band = BandCodeToText(info.BandCode);
    shown.Boxes = {
        info.AreaCode.substr(0, kAreaCodeShown), // Text1(0)
        TrimFixStr(info.SerialNo),               // Text1(1)
        TrimFixStr(info.FactoryDate),            // Text1(2)
        TrimFixStr(info.RepairDate),             // Text1(3)
        TrimFixStr(info.RepairReason),           // Text1(4)
        info.VersionText,                        // Text1(5)
        TrimFixStr(info.BatchNo),                // Text1(6)
        TrimFixStr(info.CustomerCode),           // Text1(7)
        TrimFixStr(info.DealerCode),             // Text1(8)
        TrimFixStr(info.StockInDate),            // Text1(9)
        TrimFixStr(info.SaleDate),               // Text1(10)
        TrimFixStr(info.Handler),                // Text1(11)
    };
    return shown;
}

} // namespace velmar
