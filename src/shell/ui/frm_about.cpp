#include "shell/ui/frm_about.h"

#include "shell/ui/app_context.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmar {

namespace {

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

} // namespace

FrmAbout::FrmAbout(AppContext& app, QWidget* parent)
    : QDialog(parent), lblTitle(MakeLabel("lblTitle", app.Text(24001), this)),
      lblVersion(MakeLabel("lblVersion", app.Text(24002), this)),
      lblDescription(MakeLabel("lblDescription", app.Text(24003), this)),
      lblDisclaimer(MakeLabel("lblDisclaimer", app.Text(24004), this)),
      cmdOK(new QPushButton(app.Text(24005), this)) {
    setObjectName("frmAbout");
    setWindowTitle(app.Text(24000));
    cmdOK->setObjectName("cmdOK");
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addWidget(lblVersion);
    layout->addSpacing(6);
    layout->addWidget(lblDescription);
    layout->addWidget(rule);
    layout->addWidget(lblDisclaimer);
    layout->addSpacing(6);
    layout->addLayout(buttonRow);
    setMinimumWidth(380);
}

} // namespace velmar
