#include "shell/ui/app_context.h"

#include "model/new_document.h"
#include "shell/text_encoding.h"
#include "shell/ui/menu_keys.h"

#include <QDate>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

namespace velmar {

namespace {

// The MDI frame around a child window, or nullptr for a top-level one.
QMdiSubWindow* FrameOf(QWidget* form) {
    return qobject_cast<QMdiSubWindow*>(form->parentWidget());
}

// A closed window stays hidden until its deferred deletion.
bool IsOpen(QWidget* form) {
    QMdiSubWindow* frame = FrameOf(form);
    return !(frame ? frame->isHidden() : form->isHidden());
}

} // namespace

AppContext::AppContext(FileLocations locations)
    : Locations(std::move(locations)), Texts(Locations.LanguageFolder(), Settings),
      boxSink_(nullptr, Texts) {}

AppContext::~AppContext() = default;

QString AppContext::Text(int id) const {
    return QString::fromStdString(Texts.GetText(id));
}

QString AppContext::FromAnsi(std::string_view bytes) const {
    return QString::fromStdString(AnsiIsGbk ? GbkToUtf8(bytes) : Windows1252ToUtf8(bytes));
}

MessageSink& AppContext::Messages() {
    return injectedSink_ ? *injectedSink_ : boxSink_;
}

void AppContext::SetMessageSink(MessageSink* sink) {
    injectedSink_ = sink;
}

void AppContext::SetDialogParent(QWidget* parent) {
    boxSink_.SetParent(parent);
}

void AppContext::InitNewDocument() {
    velmar::InitNewDocument(Doc, Locations.ProgramFolder, QDate::currentDate().month(), Texts,
                            Messages());
}

void AppContext::SetChildArea(QMdiArea* area) {
    childArea_ = area;
}

QWidget* AppContext::ShowChildForm(const QString& name, const std::function<QWidget*()>& factory) {
    if (QWidget* open = FindForm(name)) {
        if (QMdiSubWindow* frame = FrameOf(open)) {
            if (frame->isMinimized())
                frame->showNormal();
            childArea_->setActiveSubWindow(frame);
        } else {
            open->raise();
            open->activateWindow();
        }
        return open;
    }
    QWidget* form = factory();
    if (!form)
        return nullptr;
    form->setObjectName(name);
    form->setAttribute(Qt::WA_DeleteOnClose);
    forms_.emplace_back(form);
    if (childArea_) {
        const bool sized = form->testAttribute(Qt::WA_Resized);
        const QSize formSize = form->size();
        QMdiSubWindow* frame = childArea_->addSubWindow(form);
        frame->setAttribute(Qt::WA_DeleteOnClose);
        GiveMenuKeysToMainWindow(*frame);
        frame->show();
        // A window that chose its size keeps it inside the frame.
        if (sized)
            frame->resize(formSize.grownBy(frame->contentsMargins()));
        CascadeChildWindows();
        childArea_->setActiveSubWindow(frame);
    } else {
        form->show();
    }
    return form;
}

QWidget* AppContext::FindForm(const QString& name) const {
    for (const QPointer<QWidget>& form : forms_)
        if (form && IsOpen(form) && form->objectName() == name)
            return form;
    return nullptr;
}

std::vector<QWidget*> AppContext::OpenForms() const {
    std::vector<QWidget*> open;
    for (const QPointer<QWidget>& form : forms_)
        if (form && IsOpen(form))
            open.push_back(form);
    return open;
}

void AppContext::CloseForm(QWidget* form) {
    if (!form)
        return;
    if (QMdiSubWindow* frame = FrameOf(form))
        frame->close();
    else
        form->close();
}

void AppContext::UnloadFormsByName(const QString& name) {
    for (QWidget* form : OpenForms())
        if (form->objectName() == name)
            CloseForm(form);
}

void AppContext::CloseCurAllWindows() {
    for (QWidget* form : OpenForms())
        CloseForm(form);
    std::erase_if(forms_, [](const QPointer<QWidget>& form) { return form.isNull(); });
}

void AppContext::CascadeChildWindows() {
    if (!childArea_)
        return;
    // Unlike QMdiArea::cascadeSubWindows, which shrinks every window to its
    // size hint.
    const int step = childArea_->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const int areaHeight = childArea_->viewport()->height();
    int offset = 0;
    for (QMdiSubWindow* frame : childArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (frame->isHidden() || frame->isMinimized())
            continue;
        if (frame->isMaximized())
            frame->showNormal();
        if (offset > 0 && offset + frame->height() > areaHeight)
            offset = 0;
        frame->move(offset, offset);
        frame->raise();
        offset += step;
    }
}

} // namespace velmar
