#pragma once
#include "shell/message_sink.h"

#include <string>

class QWidget;

namespace velmar {

// Shows the core's messages as modal message boxes over `parent`, captioned
// with the application title.
class QtMessageSink : public MessageSink {
public:
    QtMessageSink(QWidget* parent, std::string caption);
    MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon) override;

private:
    QWidget* parent_;
    std::string caption_;
};

} // namespace velmar
