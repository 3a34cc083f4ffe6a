#include "settings/ui/frm_emb_msg.h"

#include "settings/ui/form_parts.h"
#include "shell/ui/app_context.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>

namespace velmar {

namespace {

constexpr int kTextCaption = 20000;

// Geometry in twips.
constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 2880;
constexpr int kBoxLeft = 345;
constexpr int kBoxTop = 120;
constexpr int kBoxWidth = 3975;
constexpr int kBoxHeight = 375;
constexpr int kBoxPitch = 480;
constexpr int kButtonTop = 2160;
constexpr int kButtonHeight = 375;

// A line's bytes shown one character per byte, so that a line read from a
// file comes back byte for byte unless it is edited.
QString LineText(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

EmbMsgLineEdit::EmbMsgLineEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(static_cast<int>(kEmbMsgLineLength));
    setDragEnabled(false);
    setAcceptDrops(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void EmbMsgLineEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        return;
    }
    if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut) ||
        event->matches(QKeySequence::Copy))
        return;
    for (const QChar c : event->text())
        if (!IsEmbMsgKeyAllowed(c.unicode()))
            return;
    QLineEdit::keyPressEvent(event);
}

void EmbMsgLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton)
        return; // would paste the mouse selection
    QLineEdit::mouseReleaseEvent(event);
}

void EmbMsgLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    event->accept(); // no menu: it offers paste
}

FrmEmbMsg::FrmEmbMsg(AppContext& app, QWidget* parent) : QWidget(parent), app_(app) {
    setObjectName(FormName);
    setWindowTitle(app_.Text(kTextCaption));
    // Opening the window rewrites every line in its stored form.
    NormalizeEmbMsg(app_.Doc.Doc);
    for (int k = 0; k < kEmbMsgLines; ++k) {
        auto* box = new EmbMsgLineEdit(this);
        box->setObjectName("Text1_" + QString::number(k));
        box->setText(LineText(TrimFixStr(app_.Doc.Doc.EmbMsg[k])));
        box->setGeometry(Tw(this, kBoxLeft), Tw(this, kBoxTop + k * kBoxPitch), Tw(this, kBoxWidth),
                         Tw(this, kBoxHeight));
        connect(box, &QLineEdit::textEdited, this, [this, k] { LineChanged(k); });
        text1_[k] = box;
    }
    commandClose_ = AddCloseHelpButtons(this, app_);
    const int buttonWidth = ButtonWidth(commandClose_);
    commandClose_->setGeometry(Tw(this, kBoxLeft + kBoxWidth) - buttonWidth, Tw(this, kButtonTop),
                               buttonWidth, Tw(this, kButtonHeight));
    setFixedSize(Tw(this, kClientWidth), Tw(this, kClientHeight));
}

FrmEmbMsg* FrmEmbMsg::ShowForm(AppContext& app) {
    return static_cast<FrmEmbMsg*>(
        app.ShowChildForm(FormName, [&app] { return new FrmEmbMsg(app); }));
}

void FrmEmbMsg::ReShowDocument() {
    for (int k = 0; k < kEmbMsgLines; ++k)
        text1_[k]->setText(LineText(TrimFixStr(app_.Doc.Doc.EmbMsg[k])));
}

void FrmEmbMsg::LineChanged(int k) {
    // Typing into a line is one step until the focus leaves it.
    const UndoStep step(app_, {StepText::EmbMsgLine, {NumberArg(k + 1)}},
                        "EmbMsg" + std::to_string(k));
    const QByteArray bytes = text1_[k]->text().toLatin1();
    app_.Doc.Doc.EmbMsg[k] = EmbMsgStoredLine(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

} // namespace velmar
