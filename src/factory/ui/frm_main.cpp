#include "factory/ui/frm_main.h"

#include "factory/factory_setup.h"
#include "factory/ui/factory_text_box.h"
#include "factory/ui/factory_window_texts.h"
#include "factory/ui/serial_key_filter.h"
#include "link/ui/port_list_view.h"
#include "model/band_table.h"
#include "shell/ini_file.h"
#include "shell/ui/twips.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmar::factory {

namespace {

// Text1(i) that are edited on several lines, and that are shown only.
constexpr int DescriptionBox = 4;
constexpr int FirmwareVersionBox = 5;

QString FromUtf8(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// A new control with the name it has in the form.
template <class Control> Control* Named(const QString& name) {
    auto* control = new Control;
    control->setObjectName(name);
    return control;
}

} // namespace

TodayDate TodayFromClock(AnsiCodePage codePage) {
    const QDate today = QDate::currentDate();
    const QString shortDate = QLocale::system().toString(today, QLocale::ShortFormat);
    return {today.year(), today.month(), today.day(),
            Utf8ToAnsi(shortDate.toStdString(), codePage)};
}

FrmMain::FrmMain(FactoryToolContext context, QWidget* parent)
    : QWidget(parent), ctx_(std::move(context)), serial_(*ctx_.Ports) {
    setObjectName("FrmMain");
    setWindowTitle("KAVROSetFactory");

    InitFactoryData(info_, ctx_.Today());
    BuildControls();
    SetLanguageTexts();
    LoadPortChoice();
    FillBandList();
    ShowByData();

    ReShowComPortTimer.setObjectName("ReShowComPortTimer");
    ReShowComPortTimer.setInterval(ReShowComPortMs);
    connect(&ReShowComPortTimer, &QTimer::timeout, this, &FrmMain::ReShowComPortTimerTick);
    ReShowComPortTimer.start();

    connect(&serial_, &SerialLink::messageRequested, this, &FrmMain::ShowLinkMessage);
    connect(&serial_, &SerialLink::finished, this, &FrmMain::OperationFinished);
}

FrmMain::~FrmMain() = default;

// ---- controls ---------------------------------------------------------------

void FrmMain::BuildControls() {
    const auto& fields = FactoryTextFields;
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        const QString name = QString("Text1_%1").arg(i);
        QWidget* box = i == DescriptionBox ? static_cast<QWidget*>(Named<QPlainTextEdit>(name))
                                           : Named<QLineEdit>(name);
        Text1[i] = new FactoryTextBox(box, fields[i].Width, ctx_.CodePage);
        // Room for a field's whole text (up to sixteen characters on one line).
        const auto shown = static_cast<int>(std::min<std::size_t>(fields[i].Width, 16));
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(shown + 1, '0')) + 12);
    }
    auto* serialBox = Text1[1]->Widget();
    serialBox->installEventFilter(new SerialKeyFilter(serialBox));
    Text1[3]->SetFillOnFocus([this] {
        return QString::fromStdString(AnsiToUtf8(ctx_.Today().ShortDate, ctx_.CodePage));
    });
    auto* firmware = Text1[FirmwareVersionBox]->Widget();
    firmware->setEnabled(false);
    QPalette palette = firmware->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    firmware->setPalette(palette);
    auto* description = static_cast<QPlainTextEdit*>(Text1[DescriptionBox]->Widget());
    description->setTabChangesFocus(true);
    description->setFixedHeight(description->fontMetrics().lineSpacing() * 3 +
                                2 * description->frameWidth() + 8);

    for (std::size_t i = 0; i < Label1.size(); ++i)
        Label1[i] = Named<QLabel>(QString("Label1_%1").arg(i));
    Label2 = Named<QLabel>("Label2");
    Label3 = Named<QLabel>("Label3");
    Label4 = Named<QLabel>("Label4");
    for (QLabel* label : Label1)
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    for (std::size_t i = 0; i < Combo1.size(); ++i)
        Combo1[i] = Named<QComboBox>(QString("Combo1_%1").arg(i));
    Combo1[0]->addItem("KAVRO");
    Combo2 = Named<QComboBox>("Combo2");
    Combo2->setMinimumContentsLength(6);
    connect(Combo2, &QComboBox::activated, this, &FrmMain::Combo2Click);
    ShowPortDevices(Combo2, Label4);

    for (std::size_t i = 0; i < Check.size(); ++i) {
        Check[i] = Named<QCheckBox>(QString("Check%1").arg(i + 1));
        Check[i]->hide();
    }
    Check5 = Named<QCheckBox>("Check5");

    Command1 = Named<QPushButton>("Command1");
    Command2 = Named<QPushButton>("Command2");
    Command3 = Named<QPushButton>("Command3");
    connect(Command1, &QPushButton::clicked, this,
            [this] { StartOperation(FactoryLinkType::Read); });
    connect(Command2, &QPushButton::clicked, this, [this] {
        GetDataByShow();
        StartOperation(FactoryLinkType::Write);
    });
    connect(Command3, &QPushButton::clicked, this, &QWidget::close);
    LayOutControls();
}

// Captions stand right-aligned 50 twips left of their fields, two fields to a
// row; the dealer's fields have a frame of their own.
void FrmMain::LayOutControls() {
    const int captionGap = TwipsToPixels(50, this);
    auto fieldGrid = [captionGap](QGroupBox* frame) {
        auto* grid = new QGridLayout(frame);
        grid->setHorizontalSpacing(captionGap);
        grid->setColumnMinimumWidth(2, 3 * captionGap);
        grid->setColumnStretch(1, 1);
        grid->setColumnStretch(4, 1);
        return grid;
    };
    auto place = [](QGridLayout* grid, int row, int pair, QLabel* caption, QWidget* field) {
        grid->addWidget(caption, row, pair * 3);
        grid->addWidget(field, row, pair * 3 + 1);
    };
    auto box = [this](int i) { return Text1[static_cast<std::size_t>(i)]->Widget(); };

    Frame1 = Named<QGroupBox>("Frame1");
    Frame2 = Named<QGroupBox>("Frame2");
    QGridLayout* machine = fieldGrid(Frame1);
    place(machine, 0, 0, Label1[0], Combo1[0]);
    place(machine, 0, 1, Label1[1], Combo1[1]);
    place(machine, 1, 0, Label2, box(0));
    place(machine, 1, 1, Label1[2], box(1));
    place(machine, 2, 0, Label1[3], box(2));
    place(machine, 2, 1, Label1[4], box(3));
    place(machine, 3, 0, Label1[6], box(5));
    place(machine, 3, 1, Label1[7], box(6));
    place(machine, 4, 0, Label1[8], box(7));
    place(machine, 4, 1, Label1[13], box(12));
    machine->addWidget(Label1[5], 5, 0, Qt::AlignRight | Qt::AlignTop);
    machine->addWidget(box(DescriptionBox), 5, 1, 1, 4);
    machine->addWidget(Check5, 6, 1);
    for (std::size_t i = 0; i < Check.size(); ++i)
        machine->addWidget(Check[i], 7, static_cast<int>(i));

    QGridLayout* dealer = fieldGrid(Frame2);
    place(dealer, 0, 0, Label1[9], box(8));
    place(dealer, 0, 1, Label1[10], box(9));
    place(dealer, 1, 0, Label1[11], box(10));
    place(dealer, 1, 1, Label1[12], box(11));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Label3);
    buttons->addWidget(Combo2);
    buttons->addWidget(Label4, 1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addLayout(buttons);

    // Tab follows the fields row by row, as they stand.
    QWidget* order[] = {Combo1[0], Combo1[1], box(0),   box(1),   box(2),  box(3), box(6),
                        box(7),    box(12),   box(4),   Check5,   box(8),  box(9), box(10),
                        box(11),   Combo2,    Command1, Command2, Command3};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void FrmMain::SetLanguageTexts() {
    const FactoryWindowTexts& texts = WindowTexts(ctx_.Language);
    Command1->setText(FromUtf8(texts.Read));
    Command2->setText(FromUtf8(texts.Write));
    Command3->setText(FromUtf8(texts.Exit));
    Label2->setText(FromUtf8(texts.AreaCode));
    Label3->setText(FromUtf8(texts.ComPort));
    for (std::size_t i = 0; i < Label1.size(); ++i)
        Label1[i]->setText(FromUtf8(texts.FieldCaptions[i]));
    Frame1->setTitle(FromUtf8(texts.MachineConfiguration));
    Frame2->setTitle(FromUtf8(texts.DealerInformation));
    for (std::size_t i = 0; i < Check.size(); ++i)
        Check[i]->setText(FromUtf8(texts.OptionCaptions[i]));
    Check5->setText(FromUtf8(texts.FactoryMode));
}

// ---- the serial port ----------------------------------------------------------

// The port of the settings file when it is present, else the first one
// present, else none (0).
void FrmMain::LoadPortChoice() {
    const FactorySetup setup = ReadFactorySetup(ctx_.Locations.ReadPath(FactorySetupLocation));
    handshake_ = setup.FactoryHandshake;
    if (setup.HandshakeRefused)
        ctx_.Messages->Show(MessageText(MsgBadHandshakeSetting, ctx_.Language), MsgButtons::Ok,
                            MsgIcon::Warning);
    const std::vector<int> present = ctx_.ListPorts();
    comPort_ = setup.comPort;
    if (present.empty())
        comPort_ = 0;
    else if (comPort_ < 1 || std::find(present.begin(), present.end(), comPort_) == present.end())
        comPort_ = present.front();
    ShowPortList(present);
    if (comPort_ != 0)
        SaveComPort();
}

void FrmMain::SaveComPort() const {
    WriteIniValue(ctx_.Locations.PrepareForWriting(FactorySetupLocation), FactorySetupSection,
                  ComPortKey, std::to_string(comPort_));
}

void FrmMain::ShowPortList(const std::vector<int>& present) {
    velmar::ShowPortList(
        Combo2,
        PortList(present, comPort_, FromUtf8(WindowTexts(ctx_.Language).Absent), *ctx_.Ports));
}

bool FrmMain::InComPorts(int port) const {
    return Combo2->findText(PortName(port)) >= 0;
}

// The chosen port stays chosen while its device is missing; with none chosen
// the first port that comes is taken.
void FrmMain::ReShowComPortTimerTick() {
    const std::vector<int> present = ctx_.ListPorts();
    if (comPort_ == 0 && !present.empty())
        comPort_ = present.front();
    ShowPortList(present);
}

void FrmMain::Combo2Click(int index) {
    const QString name = Combo2->itemText(index);
    if (name.size() <= 3)
        return;
    if (const auto number = PortNumberOfName(name)) {
        comPort_ = *number;
        SaveComPort();
    }
}

// ---- fields -------------------------------------------------------------------

void FrmMain::FillBandList() {
    Combo1[1]->clear();
    Combo1[1]->addItem(QString::fromUtf8(FactoryBandText(1)), 1);
    Combo1[1]->setCurrentIndex(0);
}

// Selects the entry of `data` (the text when `data` is not valid); a value
// the list does not offer, as a radio of another model or band brings, is
// added so that the window shows what the radio holds.
void FrmMain::SelectComboEntry(QComboBox* combo, const QString& text, const QVariant& data) {
    int index = data.isValid() ? combo->findData(data) : combo->findText(text);
    if (index < 0) {
        combo->addItem(text, data);
        index = combo->count() - 1;
    }
    combo->setCurrentIndex(index);
}

void FrmMain::ShowByData() {
    for (std::size_t i = 0; i < Text1.size(); ++i)
        Text1[i]->Show(info_.*FactoryTextFields[i].Text);
    SelectComboEntry(Combo1[0], QString::fromStdString(AnsiToUtf8(info_.RadioType, ctx_.CodePage)),
                     {});
    SelectComboEntry(Combo1[1], QString::fromUtf8(FactoryBandText(info_.BandCode)), info_.BandCode);
    for (std::size_t i = 0; i < Check.size(); ++i)
        Check[i]->setChecked(info_.OptionFlags[i] != 0);
    Check5->setChecked(info_.FactoryMode);
}

void FrmMain::GetDataByShow() {
    for (std::size_t i = 0; i < Check.size(); ++i)
        info_.OptionFlags[i] = Check[i]->isChecked() ? 1 : 0;
    info_.FactoryMode = Check5->isChecked();
    info_.RadioType = Utf8ToAnsi(Combo1[0]->currentText().toStdString(), ctx_.CodePage);

    const int code = Combo1[1]->currentData().toInt();
    if (code != info_.BandCode) {
        const FactoryWindowTexts& texts = WindowTexts(ctx_.Language);
        const QVariant oldBand = info_.BandCode;
        if (SameBandFamily(code, info_.BandCode)) {
            if (ctx_.Messages->Show(texts.BandQuestion, MsgButtons::OkCancel, MsgIcon::Warning) ==
                MsgAnswer::Ok)
                info_.BandCode = code;
            else
                Combo1[1]->setCurrentIndex(Combo1[1]->findData(oldBand));
        } else {
            Combo1[1]->setCurrentIndex(Combo1[1]->findData(oldBand));
            ctx_.Messages->Show(texts.BandRefusal, MsgButtons::Ok, MsgIcon::None);
        }
    }

    for (std::size_t i = 0; i < Text1.size(); ++i)
        if (i != FirmwareVersionBox)
            info_.*FactoryTextFields[i].Text = Text1[i]->Take();
}

// ---- reading and writing ------------------------------------------------------

void FrmMain::StartOperation(FactoryLinkType type) {
    if (Busy())
        return;
    const PortOpenResult opened = serial_.Open(comPort_);
    if (!opened.Ok()) {
        const QString headline =
            QString::fromStdString(MessageText(MsgCannotOpenPort, ctx_.Language));
        ctx_.Messages->Show(PortOpenFailureText(headline, opened).toStdString(), MsgButtons::Ok,
                            MsgIcon::Critical);
        return;
    }
    // The engine of the last operation goes only once the link drives the new one.
    auto exchange = std::make_unique<FactoryExchange>(
        type, FactoryLinkContext{link_, info_, image_, handshake_, ctx_.Language});
    serial_.SetEngine(DriveEngine(*exchange));
    exchange_ = std::move(exchange);
    Command1->setEnabled(false);
    Command2->setEnabled(false);
    serial_.Carry(exchange_->Start());
}

// The port is closed. A read brought new fields, a write a new serial number;
// a failed operation leaves the boxes as the user left them.
void FrmMain::OperationFinished(bool success) {
    if (success)
        ShowByData();
    Command1->setEnabled(true);
    Command2->setEnabled(true);
}

void FrmMain::ShowLinkMessage(const ShowMessage& message) {
    ctx_.Messages->Show(message.Literal, message.Buttons, message.Icon);
}

void FrmMain::closeEvent(QCloseEvent* event) {
    ReShowComPortTimer.stop();
    serial_.SetEngine({});
    serial_.Close();
    event->accept();
}

} // namespace velmar::factory
