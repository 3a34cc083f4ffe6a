// The File menu's entries beyond the data files: the channel list as CSV,
// printing and PDF, and the list of recent documents.
#include "shell/ui/frm_main.h"

#include "channels/channel_csv.h"
#include "channels/ui/channel_list_printer.h"
#include "channels/ui/open_channel_views.h"
#include "shell/file_io.h"
#include "shell/filled_text.h"
#include "shell/ui/app_context.h"
#include "shell/ui/document_undo.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>

namespace velmar {

namespace {

constexpr int TextFileError = 9002;
constexpr int TextCsvFiles = 9110;
constexpr int TextPdfFiles = 9111;
constexpr int TextReplaceOrMerge = 9112;
constexpr int TextImported = 9113;
constexpr int TextRefused = 9114;
constexpr int TextRefusedRow = 9115;
constexpr int TextImportStep = 32204;

constexpr int MaxRecentFiles = 8;

// The recent documents live in the per-user settings store, newest first.
QSettings RecentStore() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, "Velmar", "Velmar");
}

QStringList LoadRecentFiles() {
    return RecentStore().value("RecentFiles/Files").toStringList();
}

std::string ToPath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

} // namespace

void FrmMain::BuildFileExtras(QMenu* mnuFile) {
    const QKeySequence none;
    mnuFile->addSeparator();
    AddEntry(mnuFile, "mnuFileImportCsv", 10010, none, [this] { ImportChannelsCsv(); });
    AddEntry(mnuFile, "mnuFileExportCsv", 10011, none, [this] { ExportChannelsCsv(); });
    mnuFile->addSeparator();
    AddEntry(mnuFile, "mnuFilePrint", 10012, none, [this] { PrintChannelList(); });
    AddEntry(mnuFile, "mnuFilePrintPreview", 10013, none, [this] { PreviewChannelList(); });
    AddEntry(mnuFile, "mnuFileExportPdf", 10014, none, [this] { ExportChannelListPdf(); });
    recentSeparator_ = mnuFile->addSeparator();
    for (int i = 0; i < MaxRecentFiles; ++i) {
        QAction* entry = mnuFile->addAction(QString());
        entry->setObjectName(QString("mnuRecentFile%1").arg(i + 1));
        connect(entry, &QAction::triggered, this,
                [this, entry] { OpenRecentFile(entry->data().toString()); });
        recentEntries_.push_back(entry);
    }
    ShowRecentFiles();
}

// ---------------------------------------------------------------- CSV

void FrmMain::ExportChannelsCsv() {
    SetSaveEditData();
    const std::optional<QString> chosen = files_.Chooser().ChooseFileToSave(
        this, app_.Text(TextCsvFiles) + " (*.csv)",
        QFileInfo(QFile::decodeName(app_.Doc.DocFileName.c_str())).completeBaseName() + ".csv");
    if (!chosen)
        return;
    if (!WriteFileAtomically(ToPath(*chosen), WriteChannelCsv(app_.Doc, app_.AnsiIsGbk)))
        app_.Messages().Show(app_.Texts.GetText(TextFileError), MsgButtons::Ok, MsgIcon::Critical);
}

void FrmMain::ImportChannelsCsv() {
    SetSaveEditData();
    const std::optional<QString> chosen =
        files_.Chooser().ChooseFileToOpen(this, app_.Text(TextCsvFiles) + " (*.csv)");
    if (!chosen)
        return;
    const std::optional<std::string> csv = ReadWholeFile(ToPath(*chosen));
    if (!csv) {
        app_.Messages().Show(app_.Texts.GetText(TextFileError), MsgButtons::Ok, MsgIcon::Critical);
        return;
    }
    const MsgAnswer answer = app_.Messages().Show(app_.Texts.GetText(TextReplaceOrMerge),
                                                  MsgButtons::YesNoCancel, MsgIcon::Question);
    if (answer != MsgAnswer::Yes && answer != MsgAnswer::No)
        return;
    CsvImportResult result;
    {
        const UndoStep step(app_, {TextImportStep, {}});
        OpenChannelViews views(app_);
        const ChannelEnv env{app_.Messages(), app_.Texts, views,
                             app_.Settings.EditPrefs.ShowTxOffset};
        result = ReadChannelCsv(*csv, app_.Doc, env,
                                answer == MsgAnswer::Yes ? CsvImportMode::ReplaceList
                                                         : CsvImportMode::MergeByNumber);
        ShowMainTxt();
        LoadTree();
    }
    QString summary = app_.Text(TextImported) + " " + QString::number(result.Imported);
    if (!result.Refused.empty()) {
        summary += "\n" + app_.Text(TextRefused) + " " + QString::number(result.Refused.size());
        for (const CsvRefusedRow& row : result.Refused)
            summary +=
                "\n" + QString::fromStdString(FilledText(app_.Texts.GetText(TextRefusedRow),
                                                         {std::to_string(row.Row), row.Reason}));
    }
    app_.Messages().Show(summary.toStdString(), MsgButtons::Ok,
                         result.Refused.empty() ? MsgIcon::Information : MsgIcon::Warning);
}

// ---------------------------------------------------------------- printing

void FrmMain::PrintChannelList() {
    SetSaveEditData();
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName("PrintDialog");
    if (dialog.exec() == QDialog::Accepted && !PaintChannelList(printer, app_))
        app_.Messages().Show(app_.Texts.GetText(TextFileError), MsgButtons::Ok, MsgIcon::Critical);
}

void FrmMain::PreviewChannelList() {
    SetSaveEditData();
    QPrinter printer;
    QPrintPreviewDialog preview(&printer, this);
    preview.setObjectName("PrintPreview");
    preview.setWindowTitle(app_.Text(10013).remove('&').remove("..."));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PaintChannelList(*target, app_); });
    preview.exec();
}

void FrmMain::ExportChannelListPdf() {
    SetSaveEditData();
    const std::optional<QString> chosen = files_.Chooser().ChooseFileToSave(
        this, app_.Text(TextPdfFiles) + " (*.pdf)",
        QFileInfo(QFile::decodeName(app_.Doc.DocFileName.c_str())).completeBaseName() + ".pdf");
    if (chosen && !WriteChannelListPdf(*chosen, app_))
        app_.Messages().Show(app_.Texts.GetText(TextFileError), MsgButtons::Ok, MsgIcon::Critical);
}

// ---------------------------------------------------------------- recent documents

void FrmMain::RememberDocument() {
    if (app_.Doc.IsNewDocument)
        return;
    const QString path =
        QFileInfo(QFile::decodeName(app_.Doc.DocFileName.c_str())).absoluteFilePath();
    QStringList files = LoadRecentFiles();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > MaxRecentFiles)
        files.removeLast();
    RecentStore().setValue("RecentFiles/Files", files);
    ShowRecentFiles();
}

void FrmMain::ShowRecentFiles() {
    const QStringList files = LoadRecentFiles();
    recentSeparator_->setVisible(!files.isEmpty());
    for (int i = 0; i < static_cast<int>(recentEntries_.size()); ++i) {
        QAction* entry = recentEntries_[i];
        const bool used = i < files.size();
        entry->setVisible(used);
        entry->setData(used ? files[i] : QString());
        QString shown = used ? files[i] : QString();
        entry->setText(QString("&%1 %2").arg(i + 1).arg(shown.replace('&', "&&")));
    }
}

void FrmMain::OpenRecentFile(const QString& path) {
    SetSaveEditData();
    if (files_.AskToSaveChanges() == UnsavedChoice::Cancelled)
        return;
    OpenDocument(ToPath(path));
}

void FrmMain::OpenFileAtStart(const QString& path) {
    // A file that cannot be read leaves the new document in its grid.
    if (!OpenDocument(ToPath(QFileInfo(path).absoluteFilePath())))
        OpenChannelGrid();
}

} // namespace velmar
