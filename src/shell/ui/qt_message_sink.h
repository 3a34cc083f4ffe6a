#pragma once
#include "shell/message_sink.h"
#include "shell/text_lookup.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <string>

namespace velmar {

// Shows the core's messages as modal message boxes over `parent`, captioned
// with the application title.
class QtMessageSink : public MessageSink {
public:
    // A fixed caption, for messages shown before the language texts exist.
    QtMessageSink(QWidget* parent, std::string caption);
    // Captioned with text 12000 of the language current when the box shows.
    QtMessageSink(QWidget* parent, const TextLookup& texts);

    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override;
    void SetParent(QWidget* parent) { parent_ = parent; }

private:
    QPointer<QWidget> parent_;
    std::function<std::string()> caption_;
};

} // namespace velmar
