#pragma once
#include "link/radio_backups.h"

#include <QDialog>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace velmar {

class AppContext;

// The backups of the radio's memory to choose from (modal): one row each,
// model and date and time, newest first, the newest chosen at the start. OK
// or a double click takes the chosen one, Cancel none.
class FrmRestoreBackup : public QDialog {
    Q_OBJECT
public:
    FrmRestoreBackup(AppContext& app, std::vector<BackupEntry> backups, QWidget* parent = nullptr);

    // The backup of the current row; nullptr when there is none.
    const BackupEntry* Chosen() const;

    QTreeWidget* List1() const { return List1_; }
    QPushButton* CommandOK() const { return CommandOK_; }
    QPushButton* CommandCancel() const { return CommandCancel_; }

private:
    std::vector<BackupEntry> backups_;
    QLabel* Label1_;
    QTreeWidget* List1_;
    QPushButton* CommandOK_;
    QPushButton* CommandCancel_;
};

} // namespace velmar
