#include "model/step_label.h"

#include "shell/filled_text.h"

namespace velmar {

namespace {

std::string Framed(const StepLabel* label, int plainId, int stepId, const TextLookup& texts) {
    if (!label)
        return texts.GetText(plainId);
    return FilledText(texts.GetText(stepId), {StepLabelText(*label, texts)});
}

} // namespace

std::string StepLabelText(const StepLabel& label, const TextLookup& texts) {
    std::vector<std::string> args;
    for (const LabelArg& arg : label.Args)
        args.push_back(arg.IsText ? texts.GetText(arg.Value) : std::to_string(arg.Value));
    return FilledText(texts.GetText(label.TextId), args);
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
