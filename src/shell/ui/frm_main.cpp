#include "shell/ui/frm_main.h"

#include "channels/ui/frm_ch_info_edit.h"
#include "channels/ui/frm_comm_ch_info.h"
#include "link/ui/radio_commands.h"
#include "link/verify_setting.h"
#include "settings/ui/frm_emb_msg.h"
#include "settings/ui/frm_model_info.h"
#include "settings/ui/frm_opt_features.h"
#include "settings/ui/frm_reset_mode.h"
#include "settings/ui/frm_tone_tips.h"
#include "shell/startup.h"
#include "shell/ui/app_context.h"
#include "shell/ui/background_area.h"
#include "shell/ui/document_undo.h"
#include "shell/ui/frm_about.h"
#include "shell/ui/frm_set_language.h"
#include "shell/ui/menu_keys.h"
#include "shell/ui/twips.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>
#include <tuple>
#include <utility>

namespace velmar {

namespace {

constexpr int TextTitle = 12000;
constexpr int TextFile = 12009;
constexpr int TextPort = 12008;

// The largest child windows, in twips: the optional features are the widest,
// the radio information the tallest.
constexpr int WidestChildTwips = 11115;
constexpr int TallestChildTwips = 7530;

// Width of the tree pane at start and at least, in twips.
constexpr int TreePaneTwips = 2800;
constexpr int TreePaneMinTwips = 300;

// The nodes below the tree's root, top to bottom. A click on a node does
// what its entry of the Edit menu does; a node whose entry the menu lacks is
// left out.
struct TreeNodeEntry {
    const char* Key;
    int TextId;
    const char* MenuEntry;
};
constexpr TreeNodeEntry TreeNodes[] = {
    {"N1", 12001, "mnuChannelInfo"}, {"N2", 12002, "mnuOptFeature"},
    {"N13", 12015, "mnuResetInit"},  {"N12", 12014, "mnuToneTips"},
    {"N6", 12006, "mnuEmbeddedMsg"}, {"N7", 12007, "MnuLocalInfo"},
};

QIcon ToolIcon(const QWidget* widget, const char* themeName, QStyle::StandardPixmap fallback) {
    return QIcon::fromTheme(themeName, widget->style()->standardIcon(fallback));
}

} // namespace

FrmMain::FrmMain(AppContext& app, QWidget* parent)
    : QMainWindow(parent), app_(app), files_(app, this, platformChooser_) {
    setObjectName("frmMain");
    app_.MainWindow = this;
    app_.SetDialogParent(this);

    NewDocTimer.setSingleShot(true);
    NewDocTimer.setInterval(100);
    connect(&NewDocTimer, &QTimer::timeout, this, &FrmMain::NewDocTimerTick);
    TimerCHEdit.setSingleShot(true);
    TimerCHEdit.setInterval(20);
    connect(&TimerCHEdit, &QTimer::timeout, this, &FrmMain::TimerCHEditTick);

    mdiArea_ = new BackgroundArea(this);
    app_.SetChildArea(mdiArea_);
    BuildTreePane();
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName("CommandMove");
    splitter_->setChildrenCollapsible(false);
    splitter_->addWidget(Picture1);
    splitter_->addWidget(mdiArea_);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({TwipsToPixels(TreePaneTwips, this), TwipsToPixels(9700, this)});
    setCentralWidget(splitter_);

    BuildMenus();
    new MenuKeysFirst(*this);
    BuildToolbar();
    BuildStatusBar();
    Label1 = new QLabel(this); // holds the model name shown in the tree's root
    Label1->setObjectName("Label1");
    Label1->hide();

    const std::optional<QRect> placement = LoadMainPlacement(app_.Text(TextTitle), this);
    setGeometry(placement.value_or(DefaultMainPlacement(this)));
    firstStart_ = !placement;
    connect(&app_.History, &DocumentUndo::Changed, this, &FrmMain::UpdateUndoActions);
    LoadNewDoc2();          // applies the texts and builds the tree as well
    app_.History.Restart(); // the first document is where undo ends
    ShowCHInfo(false);
}

FrmMain::~FrmMain() {
    if (app_.MainWindow == this)
        app_.MainWindow = nullptr;
    app_.SetDialogParent(nullptr);
}

// ---------------------------------------------------------------- building

QMenu* FrmMain::AddMenu(const char* name, int textId) {
    QMenu* menu = menuBar()->addMenu(QString());
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    captionIds_.emplace_back(menu->menuAction(), textId);
    return menu;
}

QAction* FrmMain::AddEntry(QMenu* menu, const char* name, int textId, const QKeySequence& shortcut,
                           Command command) {
    QAction* entry = menu->addAction(QString());
    entry->setObjectName(name);
    entry->setShortcut(shortcut);
    connect(entry, &QAction::triggered, this, std::move(command));
    captionIds_.emplace_back(entry, textId);
    return entry;
}

QAction* FrmMain::AddButton(const char* key, int tooltipId, const QIcon& icon, Command command) {
    QAction* button = tbToolBar->addAction(icon, QString());
    button->setObjectName(key);
    connect(button, &QAction::triggered, this, std::move(command));
    tooltipIds_.emplace_back(button, tooltipId);
    return button;
}

void FrmMain::BuildMenus() {
    const QKeySequence none;
    QMenu* mnuFile = AddMenu("mnuFile", 10000);
    AddEntry(mnuFile, "mnuFileNew", 10001, Qt::CTRL | Qt::Key_N, [this] { FileNew(); });
    AddEntry(mnuFile, "mnuFileOpen", 10002, Qt::CTRL | Qt::Key_O, [this] { FileOpen(); });
    AddEntry(mnuFile, "mnuFileSave", 10003, Qt::CTRL | Qt::Key_S, [this] { FileSave(); });
    AddEntry(mnuFile, "mnuFileSaveAs", 10004, none, [this] { FileSaveAs(); });
    BuildFileExtras(mnuFile);
    mnuFile->addSeparator();
    AddEntry(mnuFile, "mnuFileExit", 10006, none, [this] { close(); });

    QMenu* mnuModel = AddMenu("mnuModel", 10100);
    AddEntry(mnuModel, "mnuModelInfo", 10101, none, [this] {
        SetSaveEditData(); // an entry typed before belongs to the old document
        FrmModelInfo::ShowModal(app_, this);
    });

    MnuCHEdit = AddMenu("MnuCHEdit", 10800);
    AddEntry(MnuCHEdit, "MnuCHCut", 10801, Qt::CTRL | Qt::Key_X,
             [this] { StartChEditCommand(ChEditCommand::Cut); });
    AddEntry(MnuCHEdit, "MnuCHCopy", 10802, Qt::CTRL | Qt::Key_C,
             [this] { StartChEditCommand(ChEditCommand::Copy); });
    AddEntry(MnuCHEdit, "MnuCHPaste", 10803, Qt::CTRL | Qt::Key_V,
             [this] { StartChEditCommand(ChEditCommand::Paste); });
    AddEntry(MnuCHEdit, "MnuCHInsert", 10804, Qt::CTRL | Qt::Key_I,
             [this] { StartChEditCommand(ChEditCommand::Insert); });
    AddEntry(MnuCHEdit, "MnuCHDelete", 10805, Qt::Key_Delete,
             [this] { StartChEditCommand(ChEditCommand::Delete); });
    AddEntry(MnuCHEdit, "MnuCHMoveUp", 10806, Qt::CTRL | Qt::Key_U,
             [this] { StartChEditCommand(ChEditCommand::MoveUp); });
    AddEntry(MnuCHEdit, "MnuCHMoveDown", 10807, Qt::CTRL | Qt::Key_D,
             [this] { StartChEditCommand(ChEditCommand::MoveDown); });

    QMenu* mnuEdit = AddMenu("mnuEdit", 10200);
    mnuUndo = AddEntry(mnuEdit, "mnuUndo", StepText::UndoEntry, Qt::CTRL | Qt::Key_Z,
                       [this] { EditUndo(); });
    mnuRedo = AddEntry(mnuEdit, "mnuRedo", StepText::RedoEntry, Qt::CTRL | Qt::Key_Y,
                       [this] { EditRedo(); });
    mnuRedo->setShortcuts({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z});
    mnuEdit->addSeparator();
    AddEntry(mnuEdit, "mnuChannelInfo", 10201, none, [this] { OpenChannelGrid(); });
    AddEntry(mnuEdit, "mnuOptFeature", 10202, none, [this] { FrmOptFeatures::ShowForm(app_); });
    AddEntry(mnuEdit, "mnuResetInit", 10222, none, [this] { FrmResetMode::ShowForm(app_); });
    if (app_.Settings.IsMainVersion)
        AddEntry(mnuEdit, "mnuToneTips", 10221, none, [this] { FrmToneTips::ShowForm(app_); });
    AddEntry(mnuEdit, "mnuEmbeddedMsg", 10206, none, [this] { FrmEmbMsg::ShowForm(app_); });
    AddEntry(mnuEdit, "MnuLocalInfo", 10207, none, [this] { Radio().ReadRMGDataFromRadio(); });

    QMenu* mnuProgram = AddMenu("mnuProgram", 10300);
    AddEntry(mnuProgram, "mnuReadFromRadio", 10301, Qt::CTRL | Qt::Key_R,
             [this] { Radio().ReadFromRadio(); });
    AddEntry(mnuProgram, "mnuWriteToRadio", 10302, Qt::CTRL | Qt::Key_W,
             [this] { Radio().WriteToRadio(); });
    AddEntry(mnuProgram, "MnuProPassWord", 10303, Qt::CTRL | Qt::Key_P,
             [this] { Radio().ShowPassWord(); });

    QMenu* mnuSet = AddMenu("mnuSet", 10400);
    AddEntry(mnuSet, "mnuComm", 10401, none, [this] { Radio().ShowSetComm(); });
    AddEntry(mnuSet, "mnuLanguage", 10402, none, [this] { ShowLanguageDialog(); });
    AddEntry(mnuSet, "MnuInit", 10403, none, [this] { InitSettings(); });
    AddRadioMemoryEntries(mnuFile, mnuSet);

    QMenu* mnuView = AddMenu("mnuView", 10500);
    mnuTreeView = AddEntry(mnuView, "mnuTreeView", 10501, none,
                           [this] { ShowTreePane(mnuTreeView->isChecked()); });
    QAction* toolbarEntry = AddEntry(mnuView, "mnuViewToolbar", 10502, none, [] {});
    QAction* statusEntry = AddEntry(mnuView, "mnuViewStatusBar", 10503, none, [] {});
    for (QAction* entry : {mnuTreeView, toolbarEntry, statusEntry}) {
        entry->setCheckable(true);
        entry->setChecked(true);
    }
    connect(toolbarEntry, &QAction::toggled, this, [this](bool on) { tbToolBar->setVisible(on); });
    connect(statusEntry, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    mnuWindow = AddMenu("mnuWindow", 10600);
    AddEntry(mnuWindow, "mnuWindowCascade", 10601, none, [this] { app_.CascadeChildWindows(); });
    AddEntry(mnuWindow, "mnuCloseAll", 10602, none, [this] { CloseCurAllWindows(); });
    connect(mnuWindow, &QMenu::aboutToShow, this, &FrmMain::FillWindowMenu);

    QMenu* mnuHelp = AddMenu("mnuHelp", 10700);
    AddEntry(mnuHelp, "mnuHelpAbout", 10702, none, [this] { ShowAboutBox(); });
}

// Restore goes in a group of its own above the recent documents; the verify
// setting is read from mysetup.ini here and stored there on every change.
void FrmMain::AddRadioMemoryEntries(QMenu* file, QMenu* settings) {
    const QKeySequence none;
    QAction* restore =
        AddEntry(file, "mnuFileRestore", 10020, none, [this] { Radio().RestoreBackup(); });
    file->insertAction(recentSeparator_, restore);
    file->insertSeparator(restore);

    app_.Settings.VerifyAfterWrite = ReadVerifyAfterWrite(app_.Locations.ReadPath(MySetupFile));
    settings->addSeparator();
    QAction* verify = AddEntry(settings, "mnuVerifyAfterWrite", 10410, none, [] {});
    verify->setCheckable(true);
    verify->setChecked(app_.Settings.VerifyAfterWrite);
    connect(verify, &QAction::toggled, this, [this](bool on) {
        app_.Settings.VerifyAfterWrite = on;
        if (!WriteVerifyAfterWrite(app_.Locations.PrepareForWriting(MySetupFile), on))
            app_.Messages().Show(app_.Texts.GetText(9002), MsgButtons::Ok, MsgIcon::Warning);
    });
}

void FrmMain::BuildToolbar() {
    tbToolBar = addToolBar(QString());
    tbToolBar->setObjectName("tbToolBar");
    tbToolBar->setMovable(false);
    tbToolBar->toggleViewAction()->setVisible(false);

    AddButton("NewFile", 11000, ToolIcon(this, "document-new", QStyle::SP_FileIcon),
              [this] { LoadNewDoc(); });
    AddButton("OpenFile", 11001, ToolIcon(this, "document-open", QStyle::SP_DialogOpenButton),
              [this] { FileOpen(); });
    AddButton("SaveFile", 11002, ToolIcon(this, "document-save", QStyle::SP_DialogSaveButton),
              [this] { FileSave(); });
    tbToolBar->addSeparator();
    undoButton_ =
        AddButton("Undo", StepText::UndoTip, ToolIcon(this, "edit-undo", QStyle::SP_ArrowBack),
                  [this] { EditUndo(); });
    redoButton_ =
        AddButton("Redo", StepText::RedoTip, ToolIcon(this, "edit-redo", QStyle::SP_ArrowForward),
                  [this] { EditRedo(); });
    tbToolBar->addSeparator();
    AddButton("Print", 11003, ToolIcon(this, "document-print", QStyle::SP_FileDialogContentsView),
              [this] { PrintChannelList(); });
    tbToolBar->addSeparator();
    AddButton("ReadRadio", 11004, ToolIcon(this, "go-down", QStyle::SP_ArrowDown),
              [this] { Radio().ReadFromRadio(); });
    AddButton("CommSet", 11005, ToolIcon(this, "preferences-system", QStyle::SP_ComputerIcon),
              [this] { Radio().ShowSetComm(); });
    AddButton("WriteRadio", 11006, ToolIcon(this, "go-up", QStyle::SP_ArrowUp),
              [this] { Radio().WriteToRadio(); });
    tbToolBar->addSeparator();
    chEditButtons_ = {
        AddButton("BtnCHCut", 11010, ToolIcon(this, "edit-cut", QStyle::SP_DialogDiscardButton),
                  [this] { StartChEditCommand(ChEditCommand::Cut); }),
        AddButton("BtnCHCopy", 11011, ToolIcon(this, "edit-copy", QStyle::SP_FileLinkIcon),
                  [this] { StartChEditCommand(ChEditCommand::Copy); }),
        AddButton("BtnCHPaste", 11012, ToolIcon(this, "edit-paste", QStyle::SP_DialogApplyButton),
                  [this] { StartChEditCommand(ChEditCommand::Paste); }),
        tbToolBar->addSeparator(),
        AddButton("BtnCHInsert", 11013, ToolIcon(this, "list-add", QStyle::SP_FileDialogNewFolder),
                  [this] { StartChEditCommand(ChEditCommand::Insert); }),
        AddButton("BtnCHDelete", 11014, ToolIcon(this, "edit-delete", QStyle::SP_TrashIcon),
                  [this] { StartChEditCommand(ChEditCommand::Delete); }),
        AddButton("BtnCHMoveUp", 11015, ToolIcon(this, "go-up", QStyle::SP_ArrowUp),
                  [this] { StartChEditCommand(ChEditCommand::MoveUp); }),
        AddButton("BtnCHMoveDown", 11016, ToolIcon(this, "go-down", QStyle::SP_ArrowDown),
                  [this] { StartChEditCommand(ChEditCommand::MoveDown); }),
        tbToolBar->addSeparator(),
    };
    AddButton("About", 11007, ToolIcon(this, "help-about", QStyle::SP_MessageBoxInformation),
              [this] { ShowAboutBox(); });
}

void FrmMain::BuildTreePane() {
    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setMinimumWidth(TwipsToPixels(TreePaneMinTwips, this));

    // The title strip with its one button, which hides the pane.
    Toolbar1 = new QToolBar(Picture1);
    Toolbar1->setObjectName("Toolbar1");
    Toolbar1->setIconSize(QSize(12, 12));
    auto* stretch = new QWidget(Toolbar1);
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    Toolbar1->addWidget(stretch);
    QAction* hidePane =
        Toolbar1->addAction(style()->standardIcon(QStyle::SP_TitleBarCloseButton), QString());
    hidePane->setObjectName(QString::fromUtf8("删除"));
    connect(hidePane, &QAction::triggered, this, [this] { ShowTreePane(false); });

    TreeView1 = new QTreeWidget(Picture1);
    TreeView1->setObjectName("TreeView1");
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    connect(TreeView1, &QTreeWidget::itemClicked, this, &FrmMain::TreeNodeClicked);
    connect(TreeView1, &QTreeWidget::itemActivated, this, &FrmMain::TreeNodeClicked);

    auto* layout = new QVBoxLayout(Picture1);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Toolbar1);
    layout->addWidget(TreeView1);
}

void FrmMain::BuildStatusBar() {
    QStatusBar* sbStatusBar = statusBar();
    sbStatusBar->setObjectName("sbStatusBar");
    for (int panel = 1; panel <= 3; ++panel) {
        auto* label = new QLabel(sbStatusBar);
        label->setObjectName(QString("Panel%1").arg(panel));
        label->setContentsMargins(4, 0, 4, 0);
        sbStatusBar->addWidget(label, panel == 1 ? 1 : 0);
        statusPanels_.push_back(label);
    }
}

// ---------------------------------------------------------------- texts

void FrmMain::ApplyTexts() {
    ShowMainTxt(); // the caption and the status panels
    LoadBKPic();
    for (const auto& [action, id] : captionIds_)
        action->setText(app_.Text(id));
    for (const auto& [button, id] : tooltipIds_) {
        button->setText(app_.Text(id));
        button->setToolTip(app_.Text(id));
    }
    UpdateUndoActions();
}

// The entries say what they would undo or redo.
void FrmMain::UpdateUndoActions() {
    const DocumentUndo& history = app_.History;
    mnuUndo->setText(history.UndoText());
    mnuUndo->setEnabled(history.CanUndo());
    mnuRedo->setText(history.RedoText());
    mnuRedo->setEnabled(history.CanRedo());
    for (auto [button, tip, enabled] :
         {std::tuple{undoButton_, history.UndoTip(), history.CanUndo()},
          std::tuple{redoButton_, history.RedoTip(), history.CanRedo()}}) {
        button->setText(tip);
        button->setToolTip(tip);
        button->setEnabled(enabled);
    }
}

void FrmMain::Change_Language() {
    ApplyTexts();
    LoadTree();
}

void FrmMain::ShowStatusPanels() {
    const Document& doc = app_.Doc;
    statusPanels_[1]->setText(app_.FromAnsi(doc.ModelName) + "[" +
                              QString::fromStdString(doc.BandText) + "]");
    statusPanels_[2]->setText(app_.Text(TextPort) + QString::number(app_.Settings.comPort));
}

void FrmMain::ShowMainTxt() {
    const Document& doc = app_.Doc;
    const QString fileName = QFileInfo(QFile::decodeName(doc.DocFileName.c_str())).fileName();
    setWindowTitle(app_.Text(TextTitle) + "[" + app_.FromAnsi(doc.ModelName) + ":" +
                   QString::fromStdString(doc.BandText) + "][" + app_.Text(TextFile) + ":" +
                   fileName + "]");
    Label1->setText(app_.FromAnsi(doc.ModelName));
    if (QTreeWidgetItem* root = TreeView1->topLevelItem(0))
        root->setText(0, Label1->text());
    ShowStatusPanels();
}

void FrmMain::LoadTree() {
    TreeView1->clear();
    auto* root = new QTreeWidgetItem(TreeView1, {Label1->text()});
    root->setData(0, Qt::UserRole, QStringLiteral("N0"));
    root->setIcon(0, style()->standardIcon(QStyle::SP_ComputerIcon));
    for (const TreeNodeEntry& node : TreeNodes)
        if (findChild<QAction*>(node.MenuEntry))
            AddTreeNode(root, node.Key, node.TextId);
    root->setExpanded(true);
    WidenTreePaneToFit();
}

// The pane grows so that no node text is cut; it never shrinks by itself.
void FrmMain::WidenTreePaneToFit() {
    const QAbstractItemView* view = TreeView1; // the column hint is public there
    const int needed = view->sizeHintForColumn(0) + TreeView1->indentation() +
                       2 * TreeView1->frameWidth() +
                       TreeView1->verticalScrollBar()->sizeHint().width();
    QList<int> sizes = splitter_->sizes();
    if (sizes.size() == 2 && sizes[0] < needed) {
        sizes[1] -= needed - sizes[0];
        sizes[0] = needed;
        splitter_->setSizes(sizes);
    }
}

void FrmMain::AddTreeNode(QTreeWidgetItem* root, const char* key, int textId) {
    auto* node = new QTreeWidgetItem(root, {app_.Text(textId)});
    node->setData(0, Qt::UserRole, QString(key));
    node->setIcon(0, style()->standardIcon(QStyle::SP_FileDialogDetailedView));
}

void FrmMain::LoadBKPic() {
    const QString path = QString::fromStdString(app_.Locations.ProgramFolder) + "/PIC/BK_" +
                         QString::number(app_.Settings.CurrentLanguage) + ".jpg";
    mdiArea_->SetPicture(QImageReader(path).read());
}

// ---------------------------------------------------------------- panes and windows

void FrmMain::ShowCHInfo(bool show) {
    MnuCHEdit->menuAction()->setVisible(show);
    // Hidden entries keep their shortcuts off as well.
    for (QAction* entry : MnuCHEdit->actions())
        entry->setVisible(show);
    for (QAction* button : chEditButtons_)
        button->setVisible(show);
}

void FrmMain::ShowTreePane(bool show) {
    Picture1->setVisible(show);
    mnuTreeView->setChecked(show);
}

void FrmMain::FillWindowMenu() {
    for (QAction* entry : windowListEntries_) {
        mnuWindow->removeAction(entry);
        entry->deleteLater();
    }
    windowListEntries_.clear();
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty())
        return;
    windowListEntries_.push_back(mnuWindow->addSeparator());
    int number = 0;
    for (QMdiSubWindow* window : windows) {
        QAction* entry =
            mnuWindow->addAction(QString("&%1 %2").arg(++number).arg(window->windowTitle()));
        entry->setCheckable(true);
        entry->setChecked(window == mdiArea_->activeSubWindow());
        connect(entry, &QAction::triggered, this,
                [this, window] { mdiArea_->setActiveSubWindow(window); });
        windowListEntries_.push_back(entry);
    }
}

void FrmMain::CloseCurAllWindows() {
    app_.CloseCurAllWindows();
}

void FrmMain::TreeNodeClicked(QTreeWidgetItem* node) {
    const QString key = node->data(0, Qt::UserRole).toString();
    for (const TreeNodeEntry& entry : TreeNodes)
        if (key == entry.Key)
            if (QAction* menuEntry = findChild<QAction*>(entry.MenuEntry))
                menuEntry->trigger();
}

RadioCommands& FrmMain::Radio() {
    return RadioCommands::Of(app_, this);
}

FrmCommChInfo* FrmMain::ChannelGrid() const {
    return qobject_cast<FrmCommChInfo*>(app_.FindForm(kChannelGridForm));
}

void FrmMain::OpenChannelGrid() {
    app_.ShowChildForm(kChannelGridForm, [this] { return new FrmCommChInfo(app_, session_); });
}

void FrmMain::SetSaveEditData() {
    if (FrmCommChInfo* grid = ChannelGrid())
        grid->SetEditDisable();
    // A menu key leaves the focus in the detail editor's frequency box.
    if (FrmCHInfoEdit* editor = FindChInfoEdit(app_))
        editor->StoreRxEntry();
}

void FrmMain::EditUndo() {
    if (!DiscardPendingEntry())
        app_.History.Undo();
}

void FrmMain::EditRedo() {
    if (!DiscardPendingEntry())
        app_.History.Redo();
}

// A frequency being typed is the latest change the user sees; the first
// undo key drops it, as in a spreadsheet cell.
bool FrmMain::DiscardPendingEntry() {
    FrmCommChInfo* grid = ChannelGrid();
    FrmCHInfoEdit* editor = FindChInfoEdit(app_);
    return (grid && grid->DiscardEntry()) || (editor && editor->DiscardEntry());
}

void FrmMain::StartChEditCommand(ChEditCommand command) {
    SetSaveEditData();
    EditCommand = static_cast<int>(command);
    TimerCHEdit.start();
}

void FrmMain::TimerCHEditTick() {
    TimerCHEdit.stop();
    if (FrmCommChInfo* grid = ChannelGrid())
        grid->RunEditCommand(EditCommand);
}

// ---------------------------------------------------------------- dialogs and language

void FrmMain::ShowLanguageDialog() {
    FrmSetLanguage dialog(app_, this);
    dialog.exec();
    CheckLanguageChange();
}

void FrmMain::ShowAboutBox() {
    FrmAbout about(app_, this);
    about.exec();
}

void FrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (std::exchange(firstStart_, false))
        FitFirstStartPlacement();
}

// The work area makes room for the largest child windows, each in its frame
// and one cascade step away from the corner (the channel grid is open beside
// them), as far as the screen allows; the whole window lies on the screen.
void FrmMain::FitFirstStartPlacement() {
    const QList<QMdiSubWindow*> frames = mdiArea_->subWindowList();
    const QMargins frame = frames.isEmpty() ? QMargins() : frames.first()->contentsMargins();
    const int step = mdiArea_->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize room =
        QSize(TwipsToPixels(WidestChildTwips, this), TwipsToPixels(TallestChildTwips, this))
            .grownBy(frame) +
        QSize(step, step);
    const QSize shortfall = (room - mdiArea_->viewport()->size()).expandedTo(QSize(0, 0));

    const QMargins border = windowHandle() ? windowHandle()->frameMargins() : QMargins();
    const QRect screenArea = screen()->availableGeometry().marginsRemoved(border);
    QRect placed(geometry().topLeft(), (size() + shortfall).boundedTo(screenArea.size()));
    // Into the screen's area, but never beyond its top left corner.
    placed.moveRight(std::min(placed.right(), screenArea.right()));
    placed.moveBottom(std::min(placed.bottom(), screenArea.bottom()));
    placed.moveLeft(std::max(placed.left(), screenArea.left()));
    placed.moveTop(std::max(placed.top(), screenArea.top()));
    setGeometry(placed);
}

void FrmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        CheckLanguageChange();
}

void FrmMain::CheckLanguageChange() {
    ShellSettings& settings = app_.Settings;
    if (settings.CurrentLanguage == settings.PreviousLanguage)
        return;
    settings.PreviousLanguage = settings.CurrentLanguage;
    Change_Language();
    CloseCurAllWindows();
    OpenChannelGrid();
}

// ---------------------------------------------------------------- documents

void FrmMain::LoadNewDoc(const StepLabel& label) {
    // Closing the windows stores their open entries, as steps of their own.
    CloseCurAllWindows();
    // The step ends when NewDocTimer has made the document.
    if (!NewDocTimer.isActive())
        app_.History.Begin(label);
    NewDocTimer.start();
}

void FrmMain::LoadNewDoc2() {
    app_.InitNewDocument();
    Change_Language();
    OpenChannelGrid();
    ShowMainTxt();
}

void FrmMain::NewDocTimerTick() {
    NewDocTimer.stop();
    LoadNewDoc2();
    app_.CascadeChildWindows();
    app_.Doc.InitSettingsMode = false;
    app_.History.End();
}

void FrmMain::FileNew() {
    SetSaveEditData();
    files_.AskToSaveChanges(); // whatever the answer, the next question decides
    if (files_.ConfirmNewDocument())
        LoadNewDoc(
            {app_.Doc.InitSettingsMode ? StepText::InitSettings : StepText::NewDocument, {}});
    else
        app_.Doc.InitSettingsMode = false;
}

void FrmMain::InitSettings() {
    app_.Doc.InitSettingsMode = true;
    FileNew();
}

void FrmMain::FileOpen() {
    SetSaveEditData();
    if (files_.AskToSaveChanges() == UnsavedChoice::Cancelled)
        return;
    if (const std::optional<std::string> chosen = files_.ChooseFileToOpen())
        OpenDocument(*chosen);
}

bool FrmMain::OpenDocument(const std::string& fileName) {
    CloseCurAllWindows();
    const UndoStep step(app_, {StepText::Open, {}});
    if (!files_.OpenFile(fileName))
        return false;
    OpenChannelGrid();
    Change_Language(); // the caption as well
    app_.CascadeChildWindows();
    RememberDocument();
    return true;
}

bool FrmMain::FileSave() {
    SetSaveEditData();
    const bool saved = files_.Save();
    ShowMainTxt();
    if (saved)
        RememberDocument();
    return saved;
}

bool FrmMain::FileSaveAs() {
    SetSaveEditData();
    const bool saved = files_.SaveAs();
    ShowMainTxt();
    if (saved)
        RememberDocument();
    return saved;
}

void FrmMain::closeEvent(QCloseEvent* event) {
    if (!isMinimized())
        SaveMainPlacement(app_.Text(TextTitle), geometry(), this);
    SetSaveEditData();
    const UnsavedChoice choice = files_.AskToSaveChanges();
    ShowMainTxt();
    // A save that did not happen keeps the program open: closing now would
    // lose the changes the user just asked to keep.
    if (choice == UnsavedChoice::Cancelled || choice == UnsavedChoice::NotSaved) {
        event->ignore();
        return;
    }
    if (auto* radio = findChild<RadioCommands*>(QString(), Qt::FindDirectChildrenOnly))
        radio->Port().Close();
    WriteSettingRecord(app_.Locations.PrepareForWriting(SettingFile), app_.Settings.SettingBytes);
    event->accept();
}

} // namespace velmar
