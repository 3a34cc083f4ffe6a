#include "settings/ui/form_parts.h"

#include "channels/combo_lists.h"
#include "shell/ui/app_context.h"
#include "shell/ui/twips.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

namespace velmar {

namespace {
constexpr int kTextClose = 9023;
constexpr int kTextHelp = 9025;
constexpr int kButtonWidth = 1215;
} // namespace

int Tw(const QWidget* widget, int twips) {
    return TwipsToPixels(twips, widget);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->adjustSize();
    return label;
}

void PlaceLabelLeftOf(QLabel* label, const QWidget* control, int gapTwips) {
    label->adjustSize();
    const QRect target = control->geometry();
    label->move(target.left() - Tw(control, gapTwips) - label->width(),
                target.top() + (target.height() - label->height()) / 2);
}

int WidestLabel(const std::vector<QLabel*>& labels) {
    int widest = 0;
    for (const QLabel* label : labels)
        widest = std::max(widest, label->sizeHint().width());
    return widest;
}

QPushButton* AddCloseHelpButtons(QWidget* form, AppContext& app) {
    auto* commandClose = new QPushButton(app.Text(kTextClose), form);
    commandClose->setObjectName("CommandClose");
    QObject::connect(commandClose, &QPushButton::clicked, form,
                     [form] { AppContext::CloseForm(form); });
    auto* commandHelp = new QPushButton(app.Text(kTextHelp), form);
    commandHelp->setObjectName("CommandHelp");
    commandHelp->hide(); // there is no help viewer
    return commandClose;
}

int ButtonWidth(const QPushButton* button) {
    return std::max(Tw(button, kButtonWidth), button->sizeHint().width());
}

QComboBox* MakeList(QWidget* parent, const QString& name) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(false);
    combo->setMaxVisibleItems(16);
    return combo;
}

void ShowList(QComboBox* combo, const ComboList& list) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    for (const std::string& entry : list.Entries)
        combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(list.Selected);
}

void FillList(QComboBox* combo, const std::vector<std::string>& entries) {
    ShowList(combo, ComboList{entries, -1});
}

void SelectIndexQuietly(QComboBox* combo, int index) {
    const QSignalBlocker quiet(combo);
    const bool inList = index >= 0 && index < combo->count();
    combo->setCurrentIndex(inList ? index : (combo->count() > 0 ? 0 : -1));
}

void EnterMovesFocus::Watch(QWidget* control) {
    control->installEventFilter(this);
}

bool EnterMovesFocus::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    if (auto* control = qobject_cast<QWidget*>(watched)) {
        QWidget* next = control->nextInFocusChain();
        while (next != control && !(next->isVisibleTo(control->window()) && next->isEnabled() &&
                                    (next->focusPolicy() & Qt::TabFocus)))
            next = next->nextInFocusChain();
        next->setFocus(Qt::TabFocusReason);
    }
    return true;
}

} // namespace velmar
