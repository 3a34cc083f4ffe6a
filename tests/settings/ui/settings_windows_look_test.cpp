// Every settings window in English and in Chinese: each caption fits its
// control and stays inside its window. With VELMAR_GRAB_DIR set, each window
// is also saved there as a PNG, to be looked at.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>
#include <functional>

#include "settings/ui/frm_emb_msg.h"
#include "settings/ui/frm_model_info.h"
#include "settings/ui/frm_opt_features.h"
#include "settings/ui/frm_radio_info.h"
#include "settings/ui/frm_reset_mode.h"
#include "settings/ui/frm_tone_tips.h"
#include "settings/ui/tone_output.h"
#include "settings_ui_fixture.h"

namespace velmar {

namespace {

class SilentToneOutput : public ToneOutput {
public:
    void StartTone(int, int) override {}
    void StopTone() override {}
};

// The widget lies inside its parent, or says where it does not.
QString OutsideParent(const QWidget* widget) {
    const QWidget* parent = widget->parentWidget();
    if (!parent || parent->rect().contains(widget->geometry()))
        return {};
    return QString("%1 at %2,%3 %4x%5 leaves its parent of %6x%7")
        .arg(widget->objectName())
        .arg(widget->x())
        .arg(widget->y())
        .arg(widget->width())
        .arg(widget->height())
        .arg(parent->width())
        .arg(parent->height());
}

// Every shown caption of the window is whole: labels, check boxes and buttons
// as wide as their text needs, lists as wide as their entries, all inside
// their parents.
QStringList ClippedCaptions(const QWidget& form) {
    QStringList faults;
    for (const QWidget* widget : form.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&form) || widget->objectName().isEmpty())
            continue;
        const bool hasCaption =
            qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget) ||
            qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTabBar*>(widget);
        if (!hasCaption)
            continue;
        if (widget->width() < widget->sizeHint().width())
            faults << QString("%1 is %2 wide, its text needs %3")
                          .arg(widget->objectName())
                          .arg(widget->width())
                          .arg(widget->sizeHint().width());
        const QString outside = OutsideParent(widget);
        if (!outside.isEmpty())
            faults << outside;
    }
    return faults;
}

void Grab(QWidget& form, const QString& name) {
    const QString folder = qEnvironmentVariable("VELMAR_GRAB_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    form.grab().save(QDir(folder).filePath(name + ".png"));
}

} // namespace

class SettingsWindowsLookTest : public QObject {
    Q_OBJECT

private:
    using MakeForm = std::function<std::unique_ptr<QWidget>(AppContext&)>;

    void CheckInBothLanguages(const QString& name, const MakeForm& make, bool mainVersion = true) {
        for (bool chinese : {false, true}) {
            auto app = MakeApp({.chinese = chinese, .mainVersion = mainVersion});
            std::unique_ptr<QWidget> form = make(*app);
            const QString shot = name + (chinese ? "_zh" : "_en");
            Grab(*form, shot);
            const QStringList faults = ClippedCaptions(*form);
            QVERIFY2(faults.isEmpty(), qPrintable(shot + ": " + faults.join("; ")));
        }
    }

private slots:
    void OptionalFeatures() {
        CheckInBothLanguages("FrmOptFeatures",
                             [](AppContext& app) { return std::make_unique<FrmOptFeatures>(app); });
        CheckInBothLanguages(
            "FrmOptFeatures_basic",
            [](AppContext& app) { return std::make_unique<FrmOptFeatures>(app); }, false);
    }

    void ModelInformation() {
        CheckInBothLanguages("FrmModelInfo",
                             [](AppContext& app) { return std::make_unique<FrmModelInfo>(app); });
    }

    void RadioInformation() {
        CheckInBothLanguages("FrmRadioInfo", [](AppContext& app) {
            RadioInfoRecord& info = app.Doc.RadioInfo;
            info.SerialNo = MakeFixStr<16>("KV2412000153");
            info.FactoryDate = MakeFixStr<16>("2024-12-03");
            info.RepairReason = MakeFixStr<96>("Display replaced");
            info.AreaCode = "001A";
            return std::make_unique<FrmRadioInfo>(app);
        });
    }

    void EmbeddedMessage() {
        CheckInBothLanguages("FrmEmbMsg", [](AppContext& app) {
            app.Doc.Doc.EmbMsg[0] = MakeFixStr<16>("HELLO");
            return std::make_unique<FrmEmbMsg>(app);
        });
    }

    void ToneTips() {
        static SilentToneOutput silent;
        CheckInBothLanguages("FrmToneTips", [](AppContext& app) {
            return std::make_unique<FrmToneTips>(app, silent);
        });
    }

    void ResetMode() {
        CheckInBothLanguages("FrmResetMode",
                             [](AppContext& app) { return std::make_unique<FrmResetMode>(app); });
    }
};

} // namespace velmar

QTEST_MAIN(velmar::SettingsWindowsLookTest)
#include "settings_windows_look_test.moc"
