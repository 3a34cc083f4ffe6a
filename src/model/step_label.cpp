#include "model/step_label.h"

namespace velmar {

namespace {

// `format` with "%1", "%2" … replaced by `args` in turn.
std::string FillIn(std::string format, const std::vector<std::string>& args) {
    for (std::size_t i = args.size(); i-- > 0;) {
        const std::string marker = "%" + std::to_string(i + 1);
        for (std::size_t at = format.find(marker); at != std::string::npos;
             at = format.find(marker, at + args[i].size()))
            format.replace(at, marker.size(), args[i]);
    }
    return format;
}

std::string Framed(const StepLabel* label, int plainId, int stepId, const TextLookup& texts) {
    if (!label)
        return texts.GetText(plainId);
    return FillIn(texts.GetText(stepId), {StepLabelText(*label, texts)});
}

} // namespace

std::string StepLabelText(const StepLabel& label, const TextLookup& texts) {
    std::vector<std::string> args;
    for (const LabelArg& arg : label.Args)
        args.push_back(arg.IsText ? texts.GetText(arg.Value) : std::to_string(arg.Value));
    return FillIn(texts.GetText(label.TextId), args);
}

std::string UndoEntryText(const StepLabel* label, bool redo, const TextLookup& texts) {
    return redo ? Framed(label, StepText::RedoEntry, StepText::RedoStepEntry, texts)
                : Framed(label, StepText::UndoEntry, StepText::UndoStepEntry, texts);
}

std::string UndoTipText(const StepLabel* label, bool redo, const TextLookup& texts) {
    return redo ? Framed(label, StepText::RedoTip, StepText::RedoStepTip, texts)
                : Framed(label, StepText::UndoTip, StepText::UndoStepTip, texts);
}

} // namespace velmar
