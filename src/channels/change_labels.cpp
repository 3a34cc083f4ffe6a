#include "channels/change_labels.h"

#include <utility>

#include "channels/channel_values.h"

namespace velmar {

namespace {

// The name of each field the windows change, by field code.
constexpr std::pair<int, int> kFieldTexts[] = {
    {ChField::RxFre, 32301},     {ChField::TxFre, 32302},      {ChField::RxTone, 32303},
    {ChField::TxTone, 32304},    {ChField::ScanSkip, 32305},   {ChField::OptSignal, 32306},
    {ChField::ChSpacing, 32307}, {ChField::BusyLock, 32308},   {ChField::RbTone, 32309},
    {ChField::AmFm, 32310},      {ChField::AmPower, 32311},    {ChField::FmPower, 32312},
    {ChField::Rep, 32313},       {ChField::Tsq, 32314},        {ChField::NbAnl, 32315},
    {ChField::AmFmLock, 32316},  {ChField::AmPower4W, 32317},  {ChField::AmPower15W, 32318},
    {ChField::FmPower4W, 32319}, {ChField::FmPower15W, 32320}, {ChField::FmPower50W, 32321},
    {ChField::RepLock, 32322},   {ChField::RbLock, 32323},
};
constexpr int kTextOtherSetting = 32329;

} // namespace

StepLabel ChannelValueLabel(int code, int chNo) {
    int field = kTextOtherSetting;
    for (const auto& [fieldCode, textId] : kFieldTexts)
        if (fieldCode == code)
            field = textId;
    return {StepText::FieldOfChannel, {TextArg(field), NumberArg(chNo)}};
}

StepLabel ChEditLabel(ChEditCommand command, int chNo) {
    int text = StepText::PasteChannel;
    switch (command) {
    case ChEditCommand::Cut:
        text = StepText::CutChannel;
        break;
    case ChEditCommand::Copy:
    case ChEditCommand::Paste:
        text = StepText::PasteChannel;
        break;
    case ChEditCommand::Insert:
        text = StepText::InsertChannel;
        break;
    case ChEditCommand::Delete:
        text = StepText::DeleteChannel;
        break;
    case ChEditCommand::MoveUp:
        text = StepText::MoveChannelUp;
        break;
    case ChEditCommand::MoveDown:
        text = StepText::MoveChannelDown;
        break;
    }
    return {text, {NumberArg(chNo)}};
}

StepLabel GroupNameLabel(int group) {
    return {StepText::GroupName, {NumberArg(group)}};
}

StepLabel GroupValidLabel(int group) {
    return {StepText::GroupValid, {NumberArg(group)}};
}

StepLabel EmergencyChannelLabel(int group, bool mode) {
    return {mode ? StepText::EmergencyMode : StepText::EmergencyChannel, {NumberArg(group)}};
}

} // namespace velmar
