#include "factory/ui/factory_window_texts.h"

namespace velmar {
namespace {

constexpr FactoryWindowTexts English{
    "&Read",
    "&Write",
    "E&xit",
    "Area Code",
    "Com Port:",
    {"Radio Type", "Frequency", "Serial Number", "Producted Date", "Maintained Date",
     "Maintained Description", "Version", "Manufacture Code", "User Code", "Dealer Code",
     "Stock Date", "Sell Date", "Seller", "Program PassWord"},
    "Machine Configuration",
    "Dealer Information",
    {"DTMF", "Scramber", "Faint", "Kill"},
    "Factory",
    "Frequencys is different. Overwrite?",
    "Frequencys is different.The difference of frequecy is too much,can be use mutually! ",
    "absent",
};

constexpr FactoryWindowTexts Chinese{
    "读出(&R)",
    "写入(&W)",
    "退出(&X)",
    "销售区号",
    "串口选择:",
    {"机型", "频段", "序列号", "出厂日期", "维修日期", "维修原因", "固件版本", "生产批号",
     "客户代码", "经销商代码", "入库时间", "销售时间", "经手人", "写频密码"},
    "机器配置",
    "经销商信息",
    {"DTMF", "扰频", "遥晕", "遥毙"},
    "工厂模式",
    "频段类型不同。是否覆盖？",
    "频段类型不同。频率相差太大，不能互用！",
    "未连接",
};

} // namespace

const FactoryWindowTexts& WindowTexts(FactoryLanguage language) {
    return language == FactoryLanguage::Chinese ? Chinese : English;
}

} // namespace velmar
