#pragma once
#include <QWidget>

namespace velmar {

// Stands in for an editor window that is not part of the program yet: a
// child window with the editor's caption and a Close button.
class PlaceholderForm : public QWidget {
    Q_OBJECT
public:
    PlaceholderForm(const QString& caption, const QString& closeText, QWidget* parent = nullptr);
};

} // namespace velmar
