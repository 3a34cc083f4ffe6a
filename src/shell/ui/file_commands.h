#pragma once
#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace velmar {

class AppContext;
class FileChooser;

// How the question about unsaved changes ended.
enum class UnsavedChoice {
    Unchanged, // nothing to save: no question
    Saved,     // Yes, and the document was saved
    NotSaved,  // Yes, but the save was cancelled or failed
    Discarded, // No
    Cancelled, // Cancel
};

// The document side of the File commands: the questions, the file dialogs and
// the data files. Windows are the main window's business.
class FileCommands {
public:
    FileCommands(AppContext& app, QWidget* dialogParent, FileChooser& chooser);

    void SetChooser(FileChooser& chooser) { chooser_ = &chooser; }
    FileChooser& Chooser() const { return *chooser_; }

    // Text 9001 + " (*.dat)".
    QString Filter() const;

    // When the document was changed: text 9006 with Yes, No and Cancel; Yes
    // runs Save.
    UnsavedChoice AskToSaveChanges();
    // Text 9026 with OK and Cancel: true for OK.
    bool ConfirmNewDocument();
    // Save As for a document never saved; otherwise "name" + text 9007 with OK
    // and Cancel, then the data files. True when the files were written.
    bool Save();
    // The save dialog proposing DocFileName, then the data files.
    bool SaveAs();
    // The open dialog; nothing when cancelled.
    std::optional<std::string> ChooseFileToOpen();
    // Reads the data file into the document; on failure shows why and leaves
    // the document as it was.
    bool OpenFile(const std::string& fileName);

private:
    bool SaveTo(const std::string& fileName);

    AppContext& app_;
    QWidget* parent_;
    FileChooser* chooser_;
};

} // namespace velmar
