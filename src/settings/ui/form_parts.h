#pragma once
// Pieces every settings window is built from: geometry in twips, labels
// placed to the left of their control, the Close and Help buttons, Enter
// moving the focus on, and lists filled from the core's entries.
#include <QObject>
#include <QString>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;
class QWidget;

namespace velmar {

class AppContext;
struct ComboList;

// Twips (15 to the pixel at 96 dpi) in pixels on the widget's screen.
int Tw(const QWidget* widget, int twips);

// A label named `name` ("Label1_4") with its caption, sized to its text.
QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& caption);

// Places `label` with its right edge `gapTwips` to the left of `control`,
// centred on the control's height; the label keeps the width its text needs.
void PlaceLabelLeftOf(QLabel* label, const QWidget* control, int gapTwips);

// The widest text of these labels in pixels.
int WidestLabel(const std::vector<QLabel*>& labels);

// The editor windows' buttons: CommandClose (text 9023), which closes the
// window, and CommandHelp (text 9025), which stays hidden. Returns CommandClose.
QPushButton* AddCloseHelpButtons(QWidget* form, AppContext& app);

// The width of a command button: the windows' usual 1215 twips, wider when
// its caption needs it.
int ButtonWidth(const QPushButton* button);

// A drop-down list that takes no typed text, named `name`.
QComboBox* MakeList(QWidget* parent, const QString& name);

// Replaces the entries of `combo` by those of `list` and selects as it does,
// without the box reporting a change.
void ShowList(QComboBox* combo, const ComboList& list);
// The entries as a list of display texts (UTF-8 in).
void FillList(QComboBox* combo, const std::vector<std::string>& entries);
// Selects entry `index`, the first entry when there is no such entry, without
// the box reporting a change.
void SelectIndexQuietly(QComboBox* combo, int index);

// Enter in a watched list or check box moves the focus to the next control;
// the key goes no further.
class EnterMovesFocus : public QObject {
public:
    explicit EnterMovesFocus(QObject* parent) : QObject(parent) {}
    void Watch(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace velmar
