#pragma once
#include "channels/clipboard.h"
#include "channels/ui/channel_session.h"
#include "model/step_label.h"
#include "shell/ui/file_chooser.h"
#include "shell/ui/file_commands.h"
#include "shell/ui/main_window_api.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <utility>
#include <vector>

class QLabel;
class QMenu;
class QSplitter;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace velmar {

class AppContext;
class BackgroundArea;
class FrmCommChInfo;
class RadioCommands;

// The main window: a frame of child windows with the menus, the toolbar, the
// tree of editors and the status bar. Closing it ends the program.
//
// Menu entries and toolbar buttons are QActions named as the menus name them
// ("mnuFileNew", "MnuCHCut") and as the toolbar keys them ("NewFile",
// "BtnCHCut"); tree nodes keep their key ("N1") in Qt::UserRole.
class FrmMain : public QMainWindow, public MainWindowApi {
    Q_OBJECT
public:
    explicit FrmMain(AppContext& app, QWidget* parent = nullptr);
    ~FrmMain() override;

    // MainWindowApi
    void ShowCHInfo(bool show) override;
    void LoadTree() override;
    void ShowMainTxt() override;

    // Re-applies every text of the window and rebuilds the tree.
    void Change_Language();
    void CloseCurAllWindows();
    // The channel grid, when open, commits its open cell edit.
    void SetSaveEditData();
    // The picture PIC/BK_<language>.jpg behind the child windows.
    void LoadBKPic();
    // Closes every child window; NewDocTimer then makes the new document, as
    // one undo step named `label`.
    void LoadNewDoc(const StepLabel& label = {StepText::NewDocument, {}});
    // A new document, the texts again, the channel grid, the caption.
    void LoadNewDoc2();

    // File commands.
    void FileNew();
    void InitSettings(); // New, from the initialise-settings template
    void FileOpen();
    bool FileSave();
    bool FileSaveAs();
    // The data file named on the command line, once the window is up.
    void OpenFileAtStart(const QString& path);

    // Edit > Undo and Redo. A receive frequency typed but not yet stored is
    // dropped first: the box shows the stored value again and the document
    // keeps its last step.
    void EditUndo();
    void EditRedo();

    // The channel grid runs `command` on its current row, out of the
    // menu's event handler (TimerCHEdit).
    void StartChEditCommand(ChEditCommand command);
    // After the language dialog: a changed language rebuilds the texts, closes
    // every child window and opens the channel grid again. Runs whenever the
    // window is activated.
    void CheckLanguageChange();

    // The file dialogs the File commands use (the platform's by default).
    void SetFileChooser(FileChooser& chooser) { files_.SetChooser(chooser); }
    BackgroundArea* ChildArea() const { return mdiArea_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    using Command = std::function<void()>;

    void BuildMenus();
    // File > Restore radio backup and Settings > Verify after writing.
    void AddRadioMemoryEntries(QMenu* file, QMenu* settings);
    void BuildToolbar();
    void BuildTreePane();
    void BuildStatusBar();
    // File: CSV import and export, print, preview and PDF, the recent
    // documents (frm_main_file_extras.cpp).
    void BuildFileExtras(QMenu* mnuFile);
    void ImportChannelsCsv();
    void ExportChannelsCsv();
    void PrintChannelList();
    void PreviewChannelList();
    void ExportChannelListPdf();
    // The document's file heads the recent list (after Open and Save).
    void RememberDocument();
    void ShowRecentFiles();
    void OpenRecentFile(const QString& path);
    // Closes the child windows and reads the file, as one undo step; on
    // success the channel grid shows it.
    bool OpenDocument(const std::string& fileName);
    QMenu* AddMenu(const char* name, int textId);
    QAction* AddEntry(QMenu* menu, const char* name, int textId, const QKeySequence& shortcut,
                      Command command);
    QAction* AddButton(const char* key, int tooltipId, const QIcon& icon, Command command);
    void AddTreeNode(QTreeWidgetItem* root, const char* key, int textId);
    void WidenTreePaneToFit();

    void ApplyTexts();
    void ShowStatusPanels();
    void UpdateUndoActions();
    bool DiscardPendingEntry();
    void FillWindowMenu();
    void TreeNodeClicked(QTreeWidgetItem* node);
    void ShowTreePane(bool show);

    // Read, write, radio information, password and port (made on first use).
    RadioCommands& Radio();
    FrmCommChInfo* ChannelGrid() const; // nullptr while it is closed
    void OpenChannelGrid();
    // An editor window of the settings, by its class.
    void ShowLanguageDialog();
    void ShowAboutBox();
    void NewDocTimerTick();
    void TimerCHEditTick();
    void FitFirstStartPlacement();

    AppContext& app_;
    QtFileChooser platformChooser_;
    FileCommands files_;
    ChannelSession session_;  // the channel clipboard and cursor, for the whole run
    int EditCommand = 0;      // the ChEditCommand waiting for TimerCHEdit
    bool firstStart_ = false; // no placement stored: FitFirstStartPlacement on the first show
    QTimer NewDocTimer;
    QTimer TimerCHEdit;

    BackgroundArea* mdiArea_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QWidget* Picture1 = nullptr;
    QToolBar* Toolbar1 = nullptr;
    QTreeWidget* TreeView1 = nullptr;
    QToolBar* tbToolBar = nullptr;
    QLabel* Label1 = nullptr;
    std::vector<QLabel*> statusPanels_;
    QMenu* MnuCHEdit = nullptr;
    QMenu* mnuWindow = nullptr;
    QAction* mnuTreeView = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QAction* undoButton_ = nullptr;
    QAction* redoButton_ = nullptr;
    std::vector<QAction*> windowListEntries_;
    std::vector<std::pair<QAction*, int>> captionIds_; // menus and entries
    std::vector<std::pair<QAction*, int>> tooltipIds_; // toolbar buttons
    std::vector<QAction*> chEditButtons_;              // toolbar buttons 11 ... 19
    QAction* recentSeparator_ = nullptr;
    std::vector<QAction*> recentEntries_; // the recent documents, newest first
};

} // namespace velmar
