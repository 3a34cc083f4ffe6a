#include "shell/ui/file_commands.h"

#include "model/data_file.h"
#include "model/doc_compare.h"
#include "shell/ui/app_context.h"
#include "shell/ui/file_chooser.h"

#include <QFileInfo>

namespace velmar {

namespace {

constexpr int TextDataFiles = 9001;
constexpr int TextSaveChanges = 9006;
constexpr int TextSaveToFile = 9007;
constexpr int TextReplaceByNew = 9026;

// File names stay bytes of the platform's own encoding from dialog to disk.
std::string ToPath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

} // namespace

FileCommands::FileCommands(AppContext& app, QWidget* dialogParent, FileChooser& chooser)
    : app_(app), parent_(dialogParent), chooser_(&chooser) {}

QString FileCommands::Filter() const {
    return app_.Text(TextDataFiles) + " (*.dat)";
}

UnsavedChoice FileCommands::AskToSaveChanges() {
    if (IsDocUnchanged(app_.Doc))
        return UnsavedChoice::Unchanged;
    switch (app_.Messages().Show(app_.Texts.GetText(TextSaveChanges), MsgButtons::YesNoCancel,
                                 MsgIcon::Warning)) {
    case MsgAnswer::Yes:
        return Save() ? UnsavedChoice::Saved : UnsavedChoice::NotSaved;
    case MsgAnswer::No:
        return UnsavedChoice::Discarded;
    default:
        return UnsavedChoice::Cancelled;
    }
}

bool FileCommands::ConfirmNewDocument() {
    return app_.Messages().Show(app_.Texts.GetText(TextReplaceByNew), MsgButtons::OkCancel,
                                MsgIcon::Warning) == MsgAnswer::Ok;
}

bool FileCommands::Save() {
    if (app_.Doc.IsNewDocument)
        return SaveAs();
    const QString name = QFileInfo(QFile::decodeName(app_.Doc.DocFileName.c_str())).fileName();
    const std::string question =
        "\"" + name.toStdString() + "\"" + app_.Texts.GetText(TextSaveToFile);
    if (app_.Messages().Show(question, MsgButtons::OkCancel, MsgIcon::Question) != MsgAnswer::Ok)
        return false;
    return SaveTo(app_.Doc.DocFileName);
}

bool FileCommands::SaveAs() {
    const std::optional<QString> chosen = chooser_->ChooseFileToSave(
        parent_, Filter(), QFile::decodeName(app_.Doc.DocFileName.c_str()));
    return chosen && SaveTo(ToPath(*chosen));
}

std::optional<std::string> FileCommands::ChooseFileToOpen() {
    const std::optional<QString> chosen = chooser_->ChooseFileToOpen(parent_, Filter());
    if (!chosen)
        return std::nullopt;
    return ToPath(*chosen);
}

bool FileCommands::OpenFile(const std::string& fileName) {
    if (!OpenDocumentFile(app_.Doc, fileName, app_.Versions, app_.Texts, app_.Messages()))
        return false;
    app_.History.FileWritten(); // the snapshot is what the file holds
    return true;
}

// A save is no undo step: the saved file holds for every state of the document.
bool FileCommands::SaveTo(const std::string& fileName) {
    if (!SaveDocumentFile(app_.Doc, fileName, app_.Texts, app_.Messages()))
        return false;
    app_.History.FileWritten();
    return true;
}

} // namespace velmar
