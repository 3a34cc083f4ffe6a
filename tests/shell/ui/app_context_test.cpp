// The child-window registry of the application context.
#include "shell/ui/ui_test_support.h"

#include <QMdiArea>
#include <QMdiSubWindow>

using namespace velmar;
using namespace velmar::test;

class AppContextTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        install_ = std::make_unique<TestInstall>();
        sink_ = ScriptedSink{};
        app_ = MakeContext(*install_, sink_);
        area_ = std::make_unique<QMdiArea>();
        area_->resize(900, 700);
        area_->show();
        app_->SetChildArea(area_.get());
    }
    void cleanup() {
        area_.reset();
        app_.reset();
    }

    void anOpenWindowIsReusedNotMadeAgain() {
        int made = 0;
        const auto factory = [&made] {
            ++made;
            return new QWidget;
        };
        QWidget* first = app_->ShowChildForm("FrmEmbMsg", factory);
        QCOMPARE(first->objectName(), QString("FrmEmbMsg"));
        QCOMPARE(app_->ShowChildForm("FrmEmbMsg", factory), first);
        QCOMPARE(made, 1);
        QCOMPARE(app_->FindForm("FrmEmbMsg"), first);
        QCOMPARE(area_->activeSubWindow()->widget(), first);
        QVERIFY(!app_->FindForm("FrmOptFeatures"));
    }

    void closedWindowsAreGoneAtOnce() {
        QPointer<QWidget> grid = app_->ShowChildForm("frmCommChInfo", [] { return new QWidget; });
        QPointer<QWidget> emb = app_->ShowChildForm("FrmEmbMsg", [] { return new QWidget; });
        app_->UnloadFormsByName("FrmEmbMsg");
        QVERIFY(!app_->FindForm("FrmEmbMsg")); // before its deferred deletion
        QCOMPARE(app_->FindForm("frmCommChInfo"), grid.data());

        AppContext::CloseForm(grid); // as the window's own Close button does
        QVERIFY(!app_->FindForm("frmCommChInfo"));
        FlushDeferredDeletes();
        QVERIFY(grid.isNull() && emb.isNull());
        QVERIFY(area_->subWindowList().isEmpty()); // no empty frame stays behind
    }

    void closeAllClosesEveryChild() {
        for (const char* name : {"frmCommChInfo", "FrmEmbMsg", "FrmOptFeatures"})
            app_->ShowChildForm(name, [] { return new QWidget; });
        QCOMPARE(app_->OpenForms().size(), size_t{3});
        app_->CloseCurAllWindows();
        QVERIFY(app_->OpenForms().empty());
        // A window of the same name can be opened again at once.
        QVERIFY(app_->ShowChildForm("FrmEmbMsg", [] { return new QWidget; }));
        QCOMPARE(app_->OpenForms().size(), size_t{1});
    }

    void cascadeKeepsTheSizeEachWindowChose() {
        const auto sized = [](int w, int h) {
            return [w, h] {
                auto* form = new QWidget;
                form->resize(w, h);
                return form;
            };
        };
        QWidget* first = app_->ShowChildForm("A", sized(400, 300));
        QWidget* second = app_->ShowChildForm("B", sized(250, 200));
        app_->CascadeChildWindows();
        QCOMPARE(first->size(), QSize(400, 300));
        QCOMPARE(second->size(), QSize(250, 200));
        const QPoint firstAt = first->parentWidget()->pos();
        const QPoint secondAt = second->parentWidget()->pos();
        QVERIFY(secondAt.x() > firstAt.x() && secondAt.y() > firstAt.y());
    }

    void withoutAnAreaWindowsAreTopLevel() {
        app_->SetChildArea(nullptr);
        QWidget* form = app_->ShowChildForm("FrmEmbMsg", [] { return new QWidget; });
        QVERIFY(form->isWindow());
        QVERIFY(form->isVisible());
        AppContext::CloseForm(form);
        QVERIFY(!app_->FindForm("FrmEmbMsg"));
    }

private:
    std::unique_ptr<TestInstall> install_;
    ScriptedSink sink_;
    std::unique_ptr<AppContext> app_;
    std::unique_ptr<QMdiArea> area_;
};

QTEST_MAIN(AppContextTest)
#include "app_context_test.moc"
