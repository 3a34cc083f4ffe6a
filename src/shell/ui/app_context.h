#pragma once
#include "model/document.h"
#include "shell/file_locations.h"
#include "shell/language_texts.h"
#include "shell/message_sink.h"
#include "shell/shell_settings.h"
#include "shell/ui/document_undo.h"
#include "shell/ui/qt_message_sink.h"
#include "shell/version_table.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <string_view>
#include <vector>

class QMdiArea;

namespace velmar {

class MainWindowApi;

// Everything one run of the editor keeps: the state start-up decided, the
// open document, where messages go, and the open child windows. One instance
// per process (velmar_main), a fresh one per test; windows get it by
// reference.
class AppContext {
public:
    explicit AppContext(FileLocations locations);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
    ~AppContext();

    FileLocations Locations;
    ShellSettings Settings; // Settings.EditPrefs: the editing preferences
    VersionTable Versions;
    LanguageTexts Texts; // the language file Settings.LanguageFile names
    Document Doc;
    DocumentUndo History{*this};         // undo and redo of Doc
    MainWindowApi* MainWindow = nullptr; // set while frmMain exists
    // The ANSI code page of record texts: GBK on a Chinese (zh_CN) system,
    // Windows-1252 otherwise; chosen once at start-up.
    bool AnsiIsGbk = false;

    // Text `id` of the current language as a QString.
    QString Text(int id) const;
    // Record text bytes (ModelName, channel names ...) for display.
    QString FromAnsi(std::string_view bytes) const;

    // Where every message box goes: the injected sink when there is one, else
    // a message box over the main window captioned with text 12000.
    MessageSink& Messages();
    void SetMessageSink(MessageSink* sink); // nullptr: back to message boxes
    void SetDialogParent(QWidget* parent);  // the main window

    // A new document from the initial values and the template (start-up, New).
    void InitNewDocument();

    // --- Child windows, known by their form name ("frmCommChInfo") ---
    // With an area set they are MDI children, otherwise top-level windows.
    void SetChildArea(QMdiArea* area);
    // An open window of that name comes to the front; otherwise `factory`
    // makes one, which gets `name` as its object name and is shown. Returns
    // the window (the factory's widget, not its MDI frame).
    QWidget* ShowChildForm(const QString& name, const std::function<QWidget*()>& factory);
    // The open window of that name, or nullptr.
    QWidget* FindForm(const QString& name) const;
    // Closes every open window of that name.
    void UnloadFormsByName(const QString& name);
    // Closes every open child window.
    void CloseCurAllWindows();
    // Arranges the child windows in cascade, oldest first, each keeping its
    // size. A new child window is cascaded with the others.
    void CascadeChildWindows();
    // Closes one child window together with its MDI frame; a child's own
    // Close button calls this rather than QWidget::close.
    static void CloseForm(QWidget* form);
    // The open child windows, oldest first.
    std::vector<QWidget*> OpenForms() const;

private:
    QPointer<QMdiArea> childArea_;
    std::vector<QPointer<QWidget>> forms_;
    QtMessageSink boxSink_;
    MessageSink* injectedSink_ = nullptr;
};

} // namespace velmar
