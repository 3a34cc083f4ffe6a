// Velmar, the radio programming editor: start-up, then the main window.
#include "shell/file_locations.h"
#include "shell/language_texts.h"
#include "shell/shell_settings.h"
#include "shell/startup.h"
#include "shell/system_locale.h"
#include "shell/ui/qt_message_sink.h"
#include "shell/version_table.h"

#include <QApplication>
#include <QLocale>
#include <QMainWindow>
#include <QString>

int main(int argc, char** argv) {
    using namespace velmar;
    QApplication app(argc, argv);
    app.setApplicationName("Velmar");
    // Numbers in texts use "." for the whole run, in Qt's widgets as well.
    QLocale::setDefault(QLocale::c());

    const FileLocations locations =
        LocateFiles(QCoreApplication::applicationDirPath().toStdString(), UserConfigHome());
    ShellSettings settings;
    VersionTable versions;

    StartupHooks hooks;
    // The first-run link dialog comes with the radio link; until then a first
    // run cannot succeed and ends the program.
    hooks.RunFirstRunLink = [](ShellSettings&) { return false; };

    const StartupResult started =
        RunStartup(settings, versions, locations, LocaleIdFromPosixName(UserLocaleName()), hooks);
    if (started.Outcome == StartupOutcome::VersionTableUnusable) {
        QtMessageSink(nullptr, "Velmar").Show(started.Error, MsgButtons::Ok, MsgIcon::Critical);
        return 1;
    }
    if (started.Outcome == StartupOutcome::FirstRunNotLinked)
        return 0;

    const LanguageTexts texts(locations.LanguageFolder(), settings);
    const QString title = QString::fromStdString(texts.GetText(12000));

    QMainWindow frame;
    frame.setWindowTitle(title);
    frame.resize(800, 600);
    frame.show();
    const int result = app.exec();

    // Kept for the next run whatever happens to it; a failure changes nothing.
    WriteSettingRecord(locations.PrepareForWriting(SettingFile), settings.SettingBytes);
    return result;
}
