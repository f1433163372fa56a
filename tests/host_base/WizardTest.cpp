// The wizard frame: start-up order, navigation, closing, sheets added and removed, the progress
// area.
#include "base/Wizard.h"
#include "ModalDialogHelper.h"
#include "base/AbstractSheet.h"
#include "base/WizardProgress.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <thread>
#include <vector>

using quarro::test::ModalDialogHelper;

namespace {

// The log outlives the wizard: sheets are deleted by the frame after the subclass part is gone.
using EventLog = std::shared_ptr<QStringList>;

// A sheet that writes every call of the frame into the log, with a label as its page.
class RecordingSheet : public brkBase::AbstractSheet {
public:
    RecordingSheet(brkBase::Wizard* wizard, QString const& name, EventLog log)
        : AbstractSheet(wizard)
        , m_wizard(wizard)
        , m_name(name)
        , m_log(std::move(log)) {
        auto* page = new QLabel(QStringLiteral("Page of sheet ") + name);
        page->setWindowTitle(QStringLiteral("Sheet ") + name);
        setWidget(page);
    }
    ~RecordingSheet() override {
        note("delete");
        // A page handed back by remove_sheet belongs to nobody but its sheet.
        if (widget() != nullptr && widget()->parent() == nullptr) {
            delete widget();
        }
    }

    void startup() override { note("startup"); }
    void shutdown() override { note("shutdown"); }
    void resume() override { note("resume"); }
    void suspend() override { note("suspend"); }
    void activate() override {
        note("activate");
        m_visible_at_activation = m_wizard->isVisible();
    }
    void deactivate() override { note("deactivate"); }
    void restart() override { note("restart"); }
    bool isComplete() const override { return m_complete; }
    bool isAvailable() const override { return m_available; }

    bool m_complete = true;
    bool m_available = true;
    bool m_visible_at_activation = false;

private:
    void note(char const* what) { *m_log << QString::fromLatin1(what) + QLatin1Char(':') + m_name; }

    brkBase::Wizard* m_wizard;
    QString m_name;
    EventLog m_log;
};

// A wizard frame with the named sheets, recording the frame's start-up and close steps.
class RecordingWizard : public brkBase::Wizard {
public:
    RecordingWizard(QStringList const& sheet_names, EventLog log)
        : Wizard(nullptr, Qt::WindowFlags())
        , m_sheet_names(sheet_names)
        , m_log(std::move(log)) {}

    RecordingSheet* sheet(int index) const { return m_made.at(index); }

    // Makes closeEvent refuse, as a subclass with unsaved work might.
    bool m_refuse_close = false;

protected:
    void populate_sheets() override {
        *m_log << QStringLiteral("populate");
        for (QString const& name : m_sheet_names) {
            m_made.push_back(new RecordingSheet(this, name, m_log));
            add_sheet(m_made.back());
        }
    }
    void setupQuestionCheck() override {
        *m_log << QStringLiteral("question");
        EXPECT_EQ(m_question_check->parent(), this) << "the frame made the box first";
        m_question_check->show();
    }
    void closeEvent(QCloseEvent* event) override {
        *m_log << QStringLiteral("closeEvent");
        if (m_refuse_close) {
            event->ignore();
            return;
        }
        Wizard::closeEvent(event);
    }

private:
    QStringList m_sheet_names;
    EventLog m_log;
    std::vector<RecordingSheet*> m_made;
};

QStringList afterClear(EventLog const& log, std::function<void()> const& act) {
    log->clear();
    act();
    return *log;
}

// Runs the wizard with exec() as the application would; user() acts once the first sheet is up and
// is expected to close the dialog.
int runModal(RecordingWizard& wizard, std::function<void()> const& user) {
    ModalDialogHelper helper;
    bool acted = false;
    helper.expect([&](QWidget* dialog) {
        EXPECT_EQ(dialog, &wizard);
        EXPECT_TRUE(ModalDialogHelper::waitFor([&] { return wizard.currentSheet() != nullptr; }));
        user();
        acted = true;
        if (wizard.isVisible()) {
            ADD_FAILURE() << "the flow left the wizard open";
            wizard.done(QDialog::Rejected);
        }
    });
    int const result = wizard.exec();
    EXPECT_TRUE(acted);
    EXPECT_TRUE(helper.unexpected().isEmpty())
        << helper.unexpected().join(QLatin1Char('\n')).toStdString();
    return result;
}

} // namespace

TEST(WizardFrame, StartsUpInOrderAndNextAndBackFollowCompletenessAvailabilityAndHistory) {
    EventLog log = std::make_shared<QStringList>();
    {
        RecordingWizard wizard({"A", "B", "C"}, log);
        QStringList at_first_activation;
        int const result = runModal(wizard, [&] {
            at_first_activation = *log;
            RecordingSheet *const a = wizard.sheet(0), *const b = wizard.sheet(1),
                                  *const c = wizard.sheet(2);
            EXPECT_TRUE(a->m_visible_at_activation);
            EXPECT_TRUE(wizard.questionCheck()->isVisible());
            QLabel const* title = wizard.findChild<QLabel*>(QStringLiteral("wizardTitle"));
            EXPECT_EQ(title->text(), QStringLiteral("Sheet A"));
            EXPECT_EQ(
                wizard.findChild<QStackedWidget*>(QStringLiteral("sheetStack"))->currentWidget(),
                a->widget());
            EXPECT_FALSE(wizard.backButton()->isEnabled());
            b->m_available = false;
            wizard.nextButton()->click();
            EXPECT_EQ(wizard.currentSheet(), c) << "Next skips a sheet that is not available";
            EXPECT_FALSE(wizard.nextButton()->isEnabled()) << "nothing after the last sheet";
            EXPECT_EQ(afterClear(log, [&] { wizard.backButton()->click(); }),
                      QStringList({"deactivate:C", "resume:A"}));

            b->m_available = true;
            a->m_complete = false;
            a->update();
            EXPECT_FALSE(wizard.nextButton()->isEnabled()) << "an incomplete sheet holds the user";
            a->m_complete = true;
            a->update();
            EXPECT_EQ(afterClear(log, [&] { QTest::keyClick(&wizard, Qt::Key_Return); }),
                      QStringList({"suspend:A", "activate:B"}));
            EXPECT_EQ(title->text(), QStringLiteral("Sheet B"));
            EXPECT_TRUE(wizard.backButton()->isEnabled());
            // A sheet that closed itself (like a finished loader) cannot be gone back to.
            a->m_available = false;
            b->update();
            EXPECT_FALSE(wizard.backButton()->isEnabled());
            log->clear();
            wizard.cancelButton()->click();
        });
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(at_first_activation, QStringList({"populate", "question", "startup:A",
                                                    "startup:B", "startup:C", "activate:A"}));
        EXPECT_EQ(*log, QStringList({"closeEvent", "shutdown:A", "shutdown:B", "shutdown:C"}));
        log->clear();
    }
    EXPECT_EQ(*log, QStringList({"delete:A", "delete:B", "delete:C"}))
        << "the frame deletes its sheets";
}

// Work running when the user cancels holds the dialog (the work is stopped); when it closes
// otherwise, running work is stopped as the dialog goes.
TEST(WizardFrame, EveryWayOutGoesThroughCloseEventAndStopsRunningWork) {
    struct Way {
        char const* name;
        std::function<void(RecordingWizard&)> act;
        bool work_holds_it;
    };
    std::vector<Way> const ways{
        {"Cancel", [](RecordingWizard& w) { w.cancelButton()->click(); }, true},
        {"Escape", [](RecordingWizard& w) { QTest::keyClick(&w, Qt::Key_Escape); }, true},
        {"handler close",
         [](RecordingWizard& w) {
             EXPECT_EQ(static_cast<brkBase::AbstractSheetHandler&>(w).close(), !w.m_refuse_close);
         },
         false},
    };
    for (Way const& way : ways) {
        SCOPED_TRACE(way.name);
        EventLog log = std::make_shared<QStringList>();
        RecordingWizard wizard({"A"}, log);
        brkBase::WizardProgress* const progress = wizard.get_progress();
        auto const user = [&] {
            progress->start(true);
            if (way.work_holds_it) {
                way.act(wizard);
                EXPECT_TRUE(progress->cancelled());
                EXPECT_TRUE(wizard.isVisible()) << "running work goes first";
                progress->finish();
            }
            wizard.m_refuse_close = true;
            way.act(wizard);
            EXPECT_TRUE(wizard.isVisible()) << "a refused close keeps the dialog";
            wizard.m_refuse_close = false;
            way.act(wizard);
        };
        EXPECT_EQ(runModal(wizard, user), QDialog::Rejected);
        EXPECT_EQ(log->count(QStringLiteral("closeEvent")), 2);
        EXPECT_EQ(log->count(QStringLiteral("shutdown:A")), 1);
        EXPECT_TRUE(progress->cancelled());
    }
}

TEST(WizardFrame, AddsInsertsAndRemovesSheets) {
    EventLog log = std::make_shared<QStringList>();
    RecordingWizard wizard({}, log);
    auto* a = new RecordingSheet(&wizard, QStringLiteral("A"), log);
    auto* b = new RecordingSheet(&wizard, QStringLiteral("B"), log);
    auto* c = new RecordingSheet(&wizard, QStringLiteral("C"), log);
    wizard.add_sheet(a);
    wizard.add_sheet(c);
    wizard.insert_sheet(b, c);
    wizard.add_sheet(a);
    wizard.add_sheet(nullptr);
    EXPECT_EQ(wizard.sheets(), (std::vector<brkBase::AbstractSheet*>{a, b, c}));
    wizard.remove_sheet(b);
    EXPECT_EQ(wizard.sheets(), (std::vector<brkBase::AbstractSheet*>{a, c}));
    EXPECT_EQ(b->widget()->parent(), nullptr) << "a removed sheet takes its page along";
    delete b;

    wizard.show();
    ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return wizard.currentSheet() == a; }));
    log->clear();
    wizard.hide();
    wizard.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(log->isEmpty()) << "showing the wizard again starts nothing again";
    std::unique_ptr<QTreeWidgetItem> item(brkBase::Wizard::make_sheet_item(c));
    c->m_available = false;
    wizard.activate_sheet(item.get());
    EXPECT_EQ(wizard.currentSheet(), a) << "a sheet that is not available cannot be chosen";
    c->m_available = true;
    wizard.activate_sheet(item.get());
    EXPECT_EQ(wizard.currentSheet(), c);
    log->clear();
    wizard.add_sheet(new RecordingSheet(&wizard, QStringLiteral("E"), log));
    EXPECT_EQ(*log, QStringList{"startup:E"}) << "a sheet added after start-up is started";
    EXPECT_EQ(afterClear(log, [&] { wizard.remove_sheet(c); }),
              QStringList({"deactivate:C", "resume:A"}))
        << "removing the current sheet goes back";
    EXPECT_EQ(wizard.currentSheet(), a);
    delete c;
    EXPECT_EQ(afterClear(log, [&] { wizard.restart(); }),
              QStringList({"deactivate:A", "restart:A", "restart:E", "activate:A"}));
    wizard.close();
}

TEST(WizardProgress, ShowsChangesFromAnyThreadAndCancelsOnlyRunningWork) {
    RecordingWizard wizard({}, std::make_shared<QStringList>());
    auto* area = wizard.findChild<QWidget*>(QStringLiteral("progressArea"));
    auto* caption = wizard.findChild<QLabel*>(QStringLiteral("progressCaption"));
    auto* bar = wizard.findChild<QProgressBar*>(QStringLiteral("progressBar"));
    ASSERT_TRUE(area != nullptr && caption != nullptr && bar != nullptr);
    EXPECT_TRUE(area->isHidden()) << "no progress runs yet";
    brkBase::WizardProgress* const progress = wizard.get_progress();
    progress->cancel_progress();
    EXPECT_FALSE(progress->cancelled()) << "no work runs, nothing to cancel";

    progress->set_caption(QStringLiteral("Reading file 2 of 4"));
    progress->start(true);
    EXPECT_FALSE(area->isHidden());
    EXPECT_EQ(caption->text(), QStringLiteral("Reading file 2 of 4"));
    progress->set_determinate(false);
    EXPECT_EQ(bar->maximum(), 0) << "busy indicator";

    std::thread worker([progress] {
        progress->set_caption(QStringLiteral("Reading in the background"));
        progress->set_value(70);
    });
    worker.join();
    EXPECT_TRUE(ModalDialogHelper::waitFor([&] { return bar->value() == 70; }));
    EXPECT_EQ(caption->text(), QStringLiteral("Reading in the background"));

    progress->cancel_progress();
    EXPECT_TRUE(progress->cancelled() && progress->is_running())
        << "the work itself decides when it stops";
    progress->finish();
    EXPECT_TRUE(area->isHidden());
}
