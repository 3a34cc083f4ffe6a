#include "settings/ui/frm_opt_features.h"

#include "settings/ui/form_parts.h"
#include "shell/ui/app_context.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace velmar {

namespace {

constexpr int kTextCaption = 16000;

// Window geometry in twips, with the main-version rows present.
constexpr int kClientWidth = 11115;
constexpr int kClientHeight = 4590;
constexpr int kMargin = 120;
constexpr int kFrame1Top = 60;
constexpr int kFrame1Height = 4020;
constexpr int kFirstRowTop = 300; // inside a frame
constexpr int kRowPitch = 360;
constexpr int kListWidth = 1575;
constexpr int kListHeight = 330;
constexpr int kLabelGap = 100;
constexpr int kLeftListLeast = 1900; // left edge of the left lists inside Frame1
constexpr int kCommonListLeast = 1300;
constexpr int kColumnGap = 400;
constexpr int kCheckGap = 120;
constexpr int kFrame3Top = 660;
constexpr int kFrame3Height = 3240;
constexpr int kButtonTop = 4140;
constexpr int kButtonHeight = 375;

// The control of `index`; nullptr for an index the window does not have.
template <class Control> Control* ControlAt(const std::map<int, Control*>& controls, int index) {
    const auto found = controls.find(index);
    return found == controls.end() ? nullptr : found->second;
}

} // namespace

FrmOptFeatures::FrmOptFeatures(AppContext& app, QWidget* parent)
    : QWidget(parent), app_(app), mainVersion_(app.Settings.IsMainVersion),
      frame1_(new QGroupBox(this)), frame3_(new QGroupBox(frame1_)),
      enterMovesFocus_(new EnterMovesFocus(this)) {
    setObjectName(FormName);
    setFont(QFont("Arial", 9));
    frame1_->setObjectName("Frame1");
    frame3_->setObjectName("Frame3");

    // FillOptLists and ApplyOptTexts: every row with its caption and entries.
    for (const OptRow& row : OptLeftRows())
        BuildRow(frame1_, row);
    auto* useCommon =
        new QCheckBox(QString::fromStdString(kUseCommonChBox.Label.Text(app_.Texts)), frame1_);
    useCommon->setObjectName("Check1_7");
    checks_[CheckUseCommonCh] = useCommon;
    for (const OptRow& row : OptCommonRows())
        BuildRow(frame3_, row);
    setWindowTitle(app_.Text(kTextCaption));
    commandClose_ = AddCloseHelpButtons(this, app_);

    for (auto& [index, combo] : combos_) {
        enterMovesFocus_->Watch(combo);
        connect(combo, &QComboBox::currentIndexChanged, this,
                [this, index = index](int) { ComboChanged(index); });
    }
    for (auto& [index, check] : checks_) {
        enterMovesFocus_->Watch(check);
        connect(check, &QCheckBox::toggled, this,
                [this, index = index](bool) { CheckChanged(index); });
    }

    ShowOptFeat();
    // Without the main-version marker the ECHO, roger-beep function and power
    // rows are absent and the window is lower.
    if (!mainVersion_) {
        for (const auto* rows : {&OptLeftRows(), &OptCommonRows()})
            for (const OptRow& row : *rows) {
                if (!row.MainVersionOnly)
                    continue;
                combos_[row.Combo]->hide();
                labels_[row.Combo]->hide();
                for (const OptCheckBox& box : row.Checks)
                    checks_[box.Check]->hide();
            }
    }
    ApplyGeometry();
}

FrmOptFeatures* FrmOptFeatures::ShowForm(AppContext& app) {
    return static_cast<FrmOptFeatures*>(
        app.ShowChildForm(FormName, [&app] { return new FrmOptFeatures(app); }));
}

void FrmOptFeatures::BuildRow(QWidget* frame, const OptRow& row) {
    const QString suffix = QString::number(row.Combo);
    labels_[row.Combo] =
        MakeLabel(frame, "Label1_" + suffix, QString::fromStdString(row.Label.Text(app_.Texts)));
    QComboBox* combo = MakeList(frame, "Combo1_" + suffix);
    FillList(combo, OptListEntries(row.Combo, app_.Texts));
    combos_[row.Combo] = combo;
    for (const OptCheckBox& box : row.Checks) {
        auto* check = new QCheckBox(QString::fromStdString(box.Label.Text(app_.Texts)), frame);
        check->setObjectName("Check1_" + QString::number(box.Check));
        checks_[box.Check] = check;
    }
}

void FrmOptFeatures::ApplyGeometry() {
    const int lower = mainVersion_ ? 0 : kOptMainVersionRowsTwips;
    const int listHeight = std::min(Tw(this, kListHeight), Tw(this, kRowPitch) - 2);

    // Lays out the visible rows of a frame with their lists at `listLeft`, as
    // wide as the widest entry needs; returns the right edge of the widest row.
    const auto layRows = [&](const std::vector<OptRow>& rows, int listLeft) {
        int listWidth = Tw(this, kListWidth);
        for (const OptRow& row : rows)
            listWidth = std::max(listWidth, combos_[row.Combo]->sizeHint().width());
        int right = 0;
        int top = Tw(this, kFirstRowTop);
        for (const OptRow& row : rows) {
            QComboBox* combo = combos_[row.Combo];
            if (combo->isHidden())
                continue;
            combo->setGeometry(listLeft, top, listWidth, listHeight);
            PlaceLabelLeftOf(labels_[row.Combo], combo, kLabelGap);
            int x = combo->geometry().right() + 1 + Tw(this, kCheckGap);
            for (const OptCheckBox& box : row.Checks) {
                QCheckBox* check = checks_[box.Check];
                check->adjustSize();
                check->move(x, top + (listHeight - check->height()) / 2);
                x += check->width() + Tw(this, kCheckGap);
            }
            right = std::max(right, x);
            top += Tw(this, kRowPitch);
        }
        return right;
    };
    const auto widestLabel = [&](const std::vector<OptRow>& rows) {
        std::vector<QLabel*> labels;
        for (const OptRow& row : rows)
            labels.push_back(labels_[row.Combo]);
        return WidestLabel(labels);
    };

    // Left lists far enough right for the widest caption.
    const int leftListLeft =
        std::max(Tw(this, kLeftListLeast),
                 Tw(this, kMargin) + widestLabel(OptLeftRows()) + Tw(this, kLabelGap));
    const int rightLeft = layRows(OptLeftRows(), leftListLeft) + Tw(this, kColumnGap);
    QCheckBox* useCommon = checks_[CheckUseCommonCh];
    useCommon->adjustSize();
    useCommon->move(rightLeft, Tw(this, kFirstRowTop));

    const int commonListLeft =
        std::max(Tw(this, kCommonListLeast),
                 Tw(this, kMargin) + widestLabel(OptCommonRows()) + Tw(this, kLabelGap));
    const int commonRight =
        std::max(layRows(OptCommonRows(), commonListLeft), useCommon->width() + Tw(this, kMargin));

    // The frames fill the window's width, which grows when the captions need it.
    const int clientWidth =
        std::max(Tw(this, kClientWidth), rightLeft + commonRight + Tw(this, 3 * kMargin));
    const int frame1Width = clientWidth - Tw(this, 2 * kMargin);
    frame1_->setGeometry(Tw(this, kMargin), Tw(this, kFrame1Top), frame1Width,
                         Tw(this, kFrame1Height - lower));
    frame3_->setGeometry(rightLeft, Tw(this, kFrame3Top),
                         frame1Width - rightLeft - Tw(this, kMargin),
                         Tw(this, kFrame3Height - lower));

    const int buttonWidth = ButtonWidth(commandClose_);
    commandClose_->setGeometry(frame1_->geometry().right() + 1 - buttonWidth,
                               Tw(this, kButtonTop - lower), buttonWidth, Tw(this, kButtonHeight));
    setFixedSize(clientWidth, Tw(this, kClientHeight - lower));
}

void FrmOptFeatures::ShowOptFeat() {
    OptLoading = true;
    const DocRecord& doc = app_.Doc.Doc;
    for (auto& [index, combo] : combos_)
        SelectIndexQuietly(combo, OptShownIndex(doc, index));
    for (auto& [index, check] : checks_)
        check->setChecked(OptCheckValue(doc, index) == 1);
    ShowDecodeLists();
    ShowRBOpt();
    ShowPowerLists();
    EnablePublic(checks_[CheckUseCommonCh]->isChecked());
    OptLoading = false;
}

void FrmOptFeatures::ShowDecodeLists() {
    decodeLists_ = LoadDecodeLists(app_.Doc.Doc, app_.Texts);
    ShowList(combos_[ComboBusyLock], decodeLists_.BusyLock);
}

void FrmOptFeatures::ShowPowerLists() {
    ApplyPowerLevels(app_.Doc.Doc);
    const ChannelInfo& common = app_.Doc.Doc.OptFeatures.OptChannel;
    const auto show = [&](int combo, const PowerLevels& levels) {
        const std::vector<std::string> full = OptListEntries(combo, app_.Texts);
        ComboList shown{{}, levels.Shown};
        for (int level : levels.Offered)
            shown.Entries.push_back(full[level]);
        ShowList(combos_[combo], shown);
    };
    show(ComboAmPower, AmPowerLevels(common));
    show(ComboFmPower, FmPowerLevels(common));
}

void FrmOptFeatures::ShowRBOpt() {
    rogerBeep_ =
        velmar::RogerBeepList(app_.Doc.Doc, app_.Doc.Doc.OptFeatures.OptChannel.RbTone, app_.Texts);
}

void FrmOptFeatures::SaveOptFeat(int rID) {
    DocRecord& doc = app_.Doc.Doc;
    int value = -1;
    if (rID >= kOptCheckBase) {
        if (const QCheckBox* check = Check1(rID - kOptCheckBase))
            value = check->isChecked() ? 1 : 0;
    } else if (const QComboBox* combo = Combo1(rID)) {
        value = combo->currentIndex();
        // The power lists store the level's place in the full level list.
        if ((rID == ComboAmPower || rID == ComboFmPower) && value >= 0) {
            const ChannelInfo& common = doc.OptFeatures.OptChannel;
            const PowerLevels levels =
                rID == ComboAmPower ? AmPowerLevels(common) : FmPowerLevels(common);
            value = value < static_cast<int>(levels.Offered.size()) ? levels.Offered[value] : -1;
        }
    }
    velmar::SaveOptFeat(doc, rID, value);
}

void FrmOptFeatures::EnablePublic(bool rEnbl) {
    frame3_->setEnabled(rEnbl);
    for (QWidget* control : frame3_->findChildren<QWidget*>())
        control->setEnabled(rEnbl);
}

void FrmOptFeatures::ComboChanged(int index) {
    if (OptLoading)
        return;
    const UndoStep step(app_, {StepText::OptFeatures, {}});
    SaveOptFeat(index);
    if (index == ComboDecode) {
        DecodeToneChanged(decodeLists_, app_.Doc.Doc, combos_[ComboDecode]->isEnabled(),
                          app_.Texts);
        ShowList(combos_[ComboBusyLock], decodeLists_.BusyLock);
    }
}

void FrmOptFeatures::CheckChanged(int index) {
    if (OptLoading)
        return;
    const UndoStep step(app_, {StepText::OptFeatures, {}});
    SaveOptFeat(kOptCheckBase + index);
    if (index == CheckUseCommonCh)
        EnablePublic(checks_[CheckUseCommonCh]->isChecked());
    if (index >= CheckAmPower4W && index <= CheckFmPower50W)
        ShowPowerLists();
}

QComboBox* FrmOptFeatures::Combo1(int index) const {
    return ControlAt(combos_, index);
}

QCheckBox* FrmOptFeatures::Check1(int index) const {
    return ControlAt(checks_, index);
}

QLabel* FrmOptFeatures::Label1(int index) const {
    return ControlAt(labels_, index);
}

} // namespace velmar
