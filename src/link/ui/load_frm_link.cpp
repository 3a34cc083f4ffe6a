#include "link/ui/load_frm_link.h"

#include "link/link_globals.h"
#include "link/ui/com_port_map.h"
#include "link/ui/port_list_view.h"
#include "shell/ui/app_context.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmar {

namespace {

constexpr int TextIntro = 9054;
constexpr int TextSteps[] = {9050, 9051, 9052, 9053};
constexpr const char* CannotOpen = "Cannot Open Communication Port.";
constexpr const char* Absent = "absent";

} // namespace

LoadFrmLink::LoadFrmLink(AppContext& app, LinkGlobals& link, ComPortMap& ports, QWidget* parent)
    : QDialog(parent), app_(app), link_(link), ports_(ports), engine_(link), port_(ports),
      Text1_(new QPlainTextEdit(this)), Label1_(new QLabel(QStringLiteral("Com Port"), this)),
      Combo1_(new QComboBox(this)), Label2_(new QLabel(this)),
      Command1_(new QPushButton(QStringLiteral("&OK"), this)),
      Command2_(new QPushButton(QStringLiteral("&Cancel"), this)) {
    setObjectName("LoadFrmLink");
    Text1_->setObjectName("Text1");
    Label1_->setObjectName("Label1");
    Combo1_->setObjectName("Combo1");
    Label2_->setObjectName("Label2");
    Command1_->setObjectName("Command1");
    Command2_->setObjectName("Command2");
    setWindowTitle(QStringLiteral("Initial Setup"));

    QString instructions = app.Text(TextIntro) + "\r\n\r\n";
    for (int id : TextSteps)
        instructions += app.Text(id) + (id == TextSteps[3] ? "" : "\r\n");
    Text1_->setPlainText(instructions);
    Text1_->setReadOnly(true);

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(Label1_);
    portRow->addWidget(Combo1_);
    portRow->addWidget(Label2_, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(Command1_);
    buttonRow->addWidget(Command2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Text1_);
    layout->addLayout(portRow);
    layout->addLayout(buttonRow);
    resize(420, 300);
    Command1_->setDefault(true);

    port_.SetEngine(DriveEngine(engine_));
    connect(&port_, &SerialLink::messageRequested, this, &LoadFrmLink::Message);
    connect(Combo1_, &QComboBox::activated, this, &LoadFrmLink::Combo1Click);
    connect(Command1_, &QPushButton::clicked, this, &LoadFrmLink::Command1Click);
    connect(Command2_, &QPushButton::clicked, this, &QDialog::reject);
    ReCommTimer_.setInterval(ReCommMs);
    connect(&ReCommTimer_, &QTimer::timeout, this, &LoadFrmLink::ReCommTimerTick);
    EndTimer_.setInterval(EndMs);
    EndTimer_.setSingleShot(true);
    connect(&EndTimer_, &QTimer::timeout, this, &LoadFrmLink::EndTimerTick);

    // The radio answered: the first run is over.
    connect(&port_, &SerialLink::finished, this, [this](bool linked) {
        if (!linked)
            return;
        app_.Settings.IsFirstRun = false;
        EndTimer_.start();
    });

    ShowPortDevices(Combo1_, Label2_);
    FillCombo();
    ReCommTimer_.start();
}

LoadFrmLink::~LoadFrmLink() {
    port_.SetEngine({});
}

// The port the box shows is comPort, the port OK opens. A port the box shows
// stays while its device is missing; a box without a selection shows the
// entry of comPort, else the first one (comPort follows).
void LoadFrmLink::FillCombo() {
    std::vector<int> present;
    if (app_.Settings.IsVista) {
        for (int number = 1; number <= ComPortMap::HighestNumber; ++number)
            present.push_back(number);
    } else {
        present = PresentPortNumbers(ports_);
    }
    std::int16_t& comPort = app_.Settings.comPort;
    int shown = 0;
    if (Combo1_->currentIndex() >= 0) {
        shown = comPort;
    } else if (comPort > 0 && !present.empty()) {
        const bool listed = std::find(present.begin(), present.end(), comPort) != present.end();
        comPort = static_cast<std::int16_t>(listed ? comPort : present.front());
        shown = comPort;
    }
    ShowPortList(Combo1_, PortList(present, shown, QString::fromLatin1(Absent), ports_));
}

void LoadFrmLink::Combo1Click(int index) {
    const auto number =
        index < 0 ? std::optional<int>(1) : PortNumberOfName(Combo1_->itemText(index));
    app_.Settings.comPort = static_cast<std::int16_t>(number.value_or(1));
}

void LoadFrmLink::ReCommTimerTick() {
    if (!app_.Settings.IsVista)
        FillCombo();
}

bool LoadFrmLink::initComm2() {
    const PortOpenResult opened = port_.Open(app_.Settings.comPort);
    if (opened.Ok())
        return true;
    const QString text = PortOpenFailureText(QString::fromLatin1(CannotOpen), opened);
    app_.Messages().Show(text.toStdString(), MsgButtons::Ok, MsgIcon::Critical);
    return false;
}

void LoadFrmLink::Command1Click() {
    if (app_.Settings.comPort < 1)
        app_.Settings.comPort = 1;
    // A port already open from an earlier press goes on as it is.
    if (!port_.IsOpen() && !initComm2())
        return;
    port_.Carry(engine_.Start());
}

void LoadFrmLink::Message(const ShowMessage& message) {
    app_.Messages().Show(MessageBoxText(message, app_.Texts), message.Buttons, message.Icon);
}

void LoadFrmLink::EndTimerTick() {
    ReCommTimer_.stop();
    EndTimer_.stop();
    accept();
}

void LoadFrmLink::done(int result) {
    ReCommTimer_.stop();
    EndTimer_.stop();
    port_.Close();
    QDialog::done(result);
}

bool RunFirstRunLink(AppContext& app, LinkGlobals& link) {
    ComPortMap ports(DefaultComPortMapPath());
    LoadFrmLink dialog(app, link, ports);
    dialog.exec();
    return !app.Settings.IsFirstRun;
}

} // namespace velmar
