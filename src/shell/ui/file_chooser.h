#pragma once
#include <QString>
#include <optional>

class QWidget;

namespace velmar {

// The file dialogs of the File commands; a test answers them itself.
// Nothing (nullopt) means the user cancelled.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // `filter` in the form "Data files (*.dat)".
    virtual std::optional<QString> ChooseFileToOpen(QWidget* parent, const QString& filter) = 0;
    virtual std::optional<QString> ChooseFileToSave(QWidget* parent, const QString& filter,
                                                    const QString& proposedName) = 0;
};

// The platform's file dialogs. A name typed without an extension gets the
// filter's (".dat" when the filter names none).
class QtFileChooser : public FileChooser {
public:
    std::optional<QString> ChooseFileToOpen(QWidget* parent, const QString& filter) override;
    std::optional<QString> ChooseFileToSave(QWidget* parent, const QString& filter,
                                            const QString& proposedName) override;
};

} // namespace velmar
