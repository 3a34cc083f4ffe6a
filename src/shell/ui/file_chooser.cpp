#include "shell/ui/file_chooser.h"

#include <QFileDialog>

namespace velmar {

namespace {

// A name typed without an extension gets the filter's ("Data files (*.dat)").
std::optional<QString> RunDialog(QFileDialog& dialog, const QString& filter) {
    const qsizetype star = filter.indexOf("(*.");
    dialog.setDefaultSuffix(star < 0 ? QString("dat")
                                     : filter.mid(star + 3).section(')', 0, 0).section(' ', 0, 0));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtFileChooser::ChooseFileToOpen(QWidget* parent, const QString& filter) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunDialog(dialog, filter);
}

std::optional<QString> QtFileChooser::ChooseFileToSave(QWidget* parent, const QString& filter,
                                                       const QString& proposedName) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(proposedName);
    return RunDialog(dialog, filter);
}

} // namespace velmar
