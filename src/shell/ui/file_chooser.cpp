#include "shell/ui/file_chooser.h"

#include <QFileDialog>

namespace velmar {

namespace {

std::optional<QString> RunDialog(QFileDialog& dialog) {
    dialog.setDefaultSuffix("dat");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtFileChooser::ChooseFileToOpen(QWidget* parent, const QString& filter) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return RunDialog(dialog);
}

std::optional<QString> QtFileChooser::ChooseFileToSave(QWidget* parent, const QString& filter,
                                                       const QString& proposedName) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(proposedName);
    return RunDialog(dialog);
}

} // namespace velmar
