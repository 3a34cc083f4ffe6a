#include "shell/ui/placeholder_form.h"

#include "shell/ui/app_context.h"
#include "shell/ui/twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace velmar {

PlaceholderForm::PlaceholderForm(const QString& caption, const QString& closeText, QWidget* parent)
    : QWidget(parent) {
    setWindowTitle(caption);
    auto* heading = new QLabel(caption, this);
    heading->setAlignment(Qt::AlignCenter);
    auto* commandClose = new QPushButton(closeText, this);
    commandClose->setObjectName("CommandClose");
    connect(commandClose, &QPushButton::clicked, this, [this] { AppContext::CloseForm(this); });

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(commandClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading, 1);
    layout->addLayout(buttonRow);
    resize(TwipsToPixels(6800, this), TwipsToPixels(6400, this));
}

} // namespace velmar
