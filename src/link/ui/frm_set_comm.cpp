#include "link/ui/frm_set_comm.h"

#include "link/ui/com_port_map.h"
#include "link/ui/serial_ports.h"
#include "shell/startup.h"
#include "shell/ui/app_context.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace velmar {

namespace {

constexpr int TextCaption = 22000;
constexpr int TextFrame = 22001;
constexpr int TextPort = 22002;
constexpr int TextOK = 9017;
constexpr int TextCancel = 9018;
// Two columns of eight, numbers running down, each button with its device.
constexpr int Rows = 8;

} // namespace

FrmSetComm::FrmSetComm(AppContext& app, ComPortMap& ports, QWidget* parent)
    : QDialog(parent), app_(app), ports_(ports), Frame1_(new QGroupBox(this)),
      CommandOK_(new QPushButton(this)), CommandCancel_(new QPushButton(this)) {
    setObjectName("FrmSetComm");
    Frame1_->setObjectName("Frame1");
    CommandOK_->setObjectName("CommandOK");
    CommandCancel_->setObjectName("CommandCancel");
    setWindowTitle(app.Text(TextCaption));
    Frame1_->setTitle(app.Text(TextFrame));
    CommandOK_->setText(app.Text(TextOK));
    CommandCancel_->setText(app.Text(TextCancel));

    auto* grid = new QGridLayout(Frame1_);
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < PortCount; ++i) {
        auto* option = new QRadioButton(app.Text(TextPort) + QString::number(i + 1), Frame1_);
        option->setObjectName(QStringLiteral("Option1_%1").arg(i));
        group->addButton(option, i);
        auto* device = new QLabel(Frame1_);
        device->setObjectName(QStringLiteral("Label1_%1").arg(i));
        grid->addWidget(option, i % Rows, 2 * (i / Rows));
        grid->addWidget(device, i % Rows, 2 * (i / Rows) + 1);
        Option1_[static_cast<std::size_t>(i)] = option;
        Label1_[static_cast<std::size_t>(i)] = device;
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(CommandOK_, QDialogButtonBox::AcceptRole);
    buttons->addButton(CommandCancel_, QDialogButtonBox::RejectRole);
    connect(CommandOK_, &QPushButton::clicked, this, &FrmSetComm::CommandOKClick);
    connect(CommandCancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1_);
    layout->addWidget(buttons);

    EnablePresentPorts();
    Select(app.Settings.comPort - 1);
    ReCommTimer_.setInterval(ReCommMs);
    connect(&ReCommTimer_, &QTimer::timeout, this, &FrmSetComm::ReCommTimerTick);
    ReCommTimer_.start();
}

void FrmSetComm::EnablePresentPorts() {
    const bool every = app_.Settings.IsVista;
    const std::vector<int> present = every ? std::vector<int>{} : PresentPortNumbers(ports_);
    for (int i = 0; i < PortCount; ++i) {
        const bool enabled =
            every || std::find(present.begin(), present.end(), i + 1) != present.end();
        Option1(i)->setEnabled(enabled);
        Label1(i)->setEnabled(enabled);
        Label1(i)->setText(PortDeviceName(ports_, i + 1));
    }
}

// A port plugged in or pulled out while the dialog is open shows within a
// second; the selection stays.
void FrmSetComm::ReCommTimerTick() {
    const int selected = SelectedIndex();
    EnablePresentPorts();
    Select(selected);
}

int FrmSetComm::SelectedIndex() const {
    for (int i = PortCount - 1; i >= 0; --i)
        if (Option1(i)->isChecked())
            return i;
    return -1;
}

void FrmSetComm::Select(int index) {
    if (index >= 0 && index < PortCount)
        Option1(index)->setChecked(true);
}

void FrmSetComm::CommandOKClick() {
    if (const int selected = SelectedIndex(); selected >= 0) {
        app_.Settings.comPort = static_cast<std::int16_t>(selected + 1);
        WriteComPort(app_.Settings, app_.Locations.PrepareForWriting(MySetupFile));
    }
    accept();
}

void FrmSetComm::done(int result) {
    ReCommTimer_.stop();
    QDialog::done(result);
}

} // namespace velmar
