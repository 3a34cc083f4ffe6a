#include "link/ui/frm_restore_backup.h"

#include "shell/ui/app_context.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

namespace velmar {

namespace {

constexpr int TextCaption = 9130;
constexpr int TextChoose = 9131;
constexpr int TextModel = 9132;
constexpr int TextTaken = 9133;
constexpr int TextOK = 9017;
constexpr int TextCancel = 9018;

// "2026-12-10 14:25:01", with " (2)" for a second backup of the same second.
QString TakenText(const BackupEntry& entry) {
    const std::tm& t = entry.Taken;
    QString text = QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", t.tm_year + 1900,
                                     t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    if (entry.Copy > 1)
        text += QString(" (%1)").arg(entry.Copy);
    return text;
}

} // namespace

FrmRestoreBackup::FrmRestoreBackup(AppContext& app, std::vector<BackupEntry> backups,
                                   QWidget* parent)
    : QDialog(parent), backups_(std::move(backups)), Label1_(new QLabel(this)),
      List1_(new QTreeWidget(this)), CommandOK_(new QPushButton(this)),
      CommandCancel_(new QPushButton(this)) {
    setObjectName("FrmRestoreBackup");
    Label1_->setObjectName("Label1");
    List1_->setObjectName("List1");
    CommandOK_->setObjectName("CommandOK");
    CommandCancel_->setObjectName("CommandCancel");

    setWindowTitle(app.Text(TextCaption));
    Label1_->setText(app.Text(TextChoose));
    List1_->setHeaderLabels({app.Text(TextModel), app.Text(TextTaken)});
    List1_->setRootIsDecorated(false);
    List1_->setUniformRowHeights(true);
    List1_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const BackupEntry& entry : backups_) {
        auto* row = new QTreeWidgetItem(List1_);
        row->setText(0, QString::fromStdString(entry.Model));
        row->setText(1, TakenText(entry));
        row->setToolTip(1, QString::fromStdString(entry.Path));
    }
    if (List1_->topLevelItemCount() > 0)
        List1_->setCurrentItem(List1_->topLevelItem(0));
    CommandOK_->setText(app.Text(TextOK));
    CommandCancel_->setText(app.Text(TextCancel));
    CommandOK_->setDefault(true);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CommandOK_, QDialogButtonBox::AcceptRole);
    buttons->addButton(CommandCancel_, QDialogButtonBox::RejectRole);
    connect(CommandOK_, &QPushButton::clicked, this, [this] {
        if (Chosen())
            accept();
    });
    connect(CommandCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(List1_, &QTreeWidget::itemActivated, this, [this] {
        if (Chosen())
            accept();
    });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1_);
    layout->addWidget(List1_);
    layout->addWidget(buttons);
    resize(420, 300);
    List1_->setFocus();
}

const BackupEntry* FrmRestoreBackup::Chosen() const {
    const int row = List1_->indexOfTopLevelItem(List1_->currentItem());
    if (row < 0 || row >= static_cast<int>(backups_.size()))
        return nullptr;
    return &backups_[static_cast<std::size_t>(row)];
}

} // namespace velmar
