#include "shell/ui/qt_message_sink.h"

#include <QMessageBox>
#include <QString>
#include <utility>

namespace velmar {

namespace {

QMessageBox::StandardButtons ToQt(MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return QMessageBox::Ok;
    case MsgButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MsgButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon ToQt(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// A box closed with Escape or its close button counts as its "no" answer.
MsgAnswer FromQt(int button, MsgButtons buttons) {
    switch (button) {
    case QMessageBox::Ok:
        return MsgAnswer::Ok;
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    }
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
}

} // namespace

QtMessageSink::QtMessageSink(QWidget* parent, std::string caption)
    : parent_(parent), caption_([caption = std::move(caption)] { return caption; }) {}

QtMessageSink::QtMessageSink(QWidget* parent, const TextLookup& texts)
    : parent_(parent), caption_([&texts] { return texts.GetText(12000); }) {}

MsgAnswer QtMessageSink::Show(const std::string& text, MsgButtons buttons, MsgIcon icon) {
    QMessageBox box(ToQt(icon), QString::fromStdString(caption_()), QString::fromStdString(text),
                    ToQt(buttons), parent_);
    return FromQt(box.exec(), buttons);
}

} // namespace velmar
