// VelmarSetFactory, the factory information tool: one window that reads and
// writes a radio's factory information block.
#include "factory/ui/frm_main.h"
#include "link/ui/com_port_map.h"
#include "link/ui/serial_ports.h"
#include "shell/system_locale.h"
#include "shell/ui/qt_message_sink.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    using namespace velmar;
    QApplication app(argc, argv);
    app.setApplicationName("VelmarSetFactory");
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName("velmar-setfactory");
    app.setWindowIcon(QIcon::fromTheme("velmar-setfactory"));

    // Chinese texts and GBK bytes on a Chinese (PRC) system, English and
    // Windows-1252 on any other.
    const std::uint32_t localeId = LocaleIdFromPosixName(UserLocaleName());
    ComPortMap ports(DefaultComPortMapPath());
    QtMessageSink messages(nullptr, "KAVROSetFactory");

    factory::FactoryToolContext context;
    context.Locations =
        LocateFiles(QCoreApplication::applicationDirPath().toStdString(), UserConfigHome());
    context.Language = FactoryLanguageForLocale(localeId);
    context.CodePage = AnsiCodePageForLocale(localeId);
    context.Messages = &messages;
    context.Ports = &ports;
    context.ListPorts = [&ports] { return PresentPortNumbers(ports); };
    context.Today = [codePage = context.CodePage] { return factory::TodayFromClock(codePage); };

    factory::FrmMain frmMain(context);
    messages.SetParent(&frmMain);
    frmMain.show();
    return app.exec();
}
