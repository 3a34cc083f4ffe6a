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

std::vector<RadioInfoLine> RadioInfoLines(const RadioInfoShown& shown) {
    const auto& box = shown.Boxes;
    return {
        {21002, 0, box[0]},  {21005, 0, shown.Model}, {21006, 0, shown.Band}, {21003, 0, box[6]},
        {21004, 0, box[7]},  {21007, 0, box[1]},      {21008, 0, box[2]},     {21010, 0, box[5]},
        {21009, 0, box[3]},  {21011, 21012, box[4]},  {21013, 0, box[8]},     {21014, 0, box[9]},
        {21015, 0, box[10]}, {21016, 0, box[11]},
    };
}

} // namespace velmar
