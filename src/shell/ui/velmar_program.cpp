#include "shell/ui/velmar_program.h"

#include "link/link_globals.h"
#include "link/ui/load_frm_link.h"
#include "link/ui/radio_commands.h"
#include "shell/startup.h"
#include "shell/system_locale.h"
#include "shell/ui/app_context.h"
#include "shell/ui/frm_main.h"
#include "shell/ui/qt_message_sink.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>

namespace velmar {

int RunVelmar(QApplication& app, const QString& programFolder, const QString& documentFile) {
    app.setApplicationName("Velmar");
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("velmar");
    app.setWindowIcon(QIcon::fromTheme("velmar"));
    // Numbers in texts use "." for the whole run, in Qt's widgets as well.
    QLocale::setDefault(QLocale::c());
    QIcon::setFallbackThemeName("Adwaita");

    AppContext context(LocateFiles(programFolder.toStdString(), UserConfigHome()));
    const std::uint32_t localeId = LocaleIdFromPosixName(UserLocaleName());
    context.AnsiIsGbk = localeId == LocaleChinaChinese;

    StartupHooks hooks;
    LinkGlobals firstRunLink; // the cable the first run finds is the one used later
    hooks.RunFirstRunLink = [&](ShellSettings&) { return RunFirstRunLink(context, firstRunLink); };
    hooks.ResetProcessState = [&context] { context.Doc.InitSettingsMode = false; };
    hooks.InitNewDocument = [&context] { context.InitNewDocument(); };

    const StartupResult started =
        RunStartup(context.Settings, context.Versions, context.Locations, localeId, hooks);
    if (started.Outcome == StartupOutcome::VersionTableUnusable) {
        QtMessageSink(nullptr, "Velmar").Show(started.Error, MsgButtons::Ok, MsgIcon::Critical);
        return 1;
    }
    if (started.Outcome == StartupOutcome::FirstRunNotLinked)
        return 0;

    FrmMain frmMain(context);
    RadioCommands::Of(context, &frmMain).Link() = firstRunLink;
    frmMain.show();
    if (!documentFile.isEmpty())
        frmMain.OpenFileAtStart(documentFile);
    return app.exec();
}

QString DocumentArgument(const QStringList& arguments) {
    for (qsizetype i = 1; i < arguments.size(); ++i)
        if (!arguments[i].startsWith('-'))
            return arguments[i];
    return {};
}

} // namespace velmar
