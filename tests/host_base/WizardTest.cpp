#include "RecordingWizard.h"

#include "ModalDialogHelper.h"
#include "base/WizardProgress.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>
#include <QTreeWidgetItem>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using quarro::test::EventLog;
using quarro::test::ModalDialogHelper;
using quarro::test::RecordingSheet;
using quarro::test::RecordingWizard;

namespace {

EventLog makeLog() {
    return std::make_shared<QStringList>();
}

// Runs the wizard with exec() as the application would; user() acts once the first sheet is up
// and is expected to close the dialog.
int runModal(RecordingWizard& wizard, std::function<void()> const& user) {
    ModalDialogHelper helper;
    bool acted = false;
    helper.expect([&](QWidget* dialog) {
        EXPECT_EQ(dialog, &wizard);
        EXPECT_TRUE(ModalDialogHelper::waitFor([&] { return wizard.currentSheet() != nullptr; }))
            << "the first sheet was never activated";
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

// A sheet that is its own page, as the import library's sheets are.
class WidgetSheet : public QWidget, public brkBase::AbstractSheet {
public:
    WidgetSheet(brkBase::Wizard* wizard, bool* deleted)
        : AbstractSheet(wizard)
        , m_deleted(deleted) {
        setWindowTitle(QStringLiteral("Widget sheet"));
        setWidget(this);
    }
    ~WidgetSheet() override {
        setWidget(nullptr);
        *m_deleted = true;
    }

private:
    bool* m_deleted;
};

} // namespace

TEST(WizardFrame, StartsUpInOrderThenActivatesTheFirstSheetOnScreen) {
    EventLog log = makeLog();
    {
        RecordingWizard wizard({"A", "B"}, log);
        EXPECT_EQ(wizard.questionCheck(), nullptr);
        EXPECT_TRUE(wizard.sheets().empty());
        QStringList at_first_activation;
        int const result = runModal(wizard, [&] {
            at_first_activation = *log;
            EXPECT_TRUE(wizard.sheet(0)->m_visible_at_activation);
            EXPECT_EQ(wizard.currentSheet(), wizard.sheet(0));
            EXPECT_EQ(wizard.sheet(0)->previousStep(), nullptr);
            ASSERT_NE(wizard.questionCheck(), nullptr);
            EXPECT_TRUE(wizard.questionCheck()->isVisible());
            auto* title = wizard.findChild<QLabel*>(QStringLiteral("wizardTitle"));
            ASSERT_NE(title, nullptr);
            EXPECT_EQ(title->text(), QStringLiteral("Sheet A"));
            auto* stack = wizard.findChild<QStackedWidget*>(QStringLiteral("sheetStack"));
            ASSERT_NE(stack, nullptr);
            EXPECT_EQ(stack->currentWidget(), wizard.sheet(0)->widget());
            wizard.cancelButton()->click();
        });
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(at_first_activation,
                  QStringList({"startup:begin", "populate", "question:made", "startup:A",
                               "startup:B", "startup:end", "activate:A"}));
        EXPECT_EQ(log->mid(at_first_activation.size()),
                  QStringList({"closeEvent", "shutdown:A", "shutdown:B"}));
        log->clear();
    }
    EXPECT_EQ(*log, QStringList({"delete:A", "delete:B"})) << "the frame deletes its sheets";
}

TEST(WizardFrame, StartsUpOnceAndLeavesTheQuestionHiddenByDefault) {
    EventLog log = makeLog();
    RecordingWizard wizard({"A"}, log, false);
    wizard.show();
    ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return wizard.currentSheet() != nullptr; }));
    wizard.hide();
    wizard.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(log->count(QStringLiteral("startup:begin")), 1);
    EXPECT_EQ(log->count(QStringLiteral("populate")), 1);
    EXPECT_EQ(log->count(QStringLiteral("activate:A")), 1);
    EXPECT_EQ(wizard.sheets().size(), 1u);
    ASSERT_NE(wizard.questionCheck(), nullptr);
    EXPECT_TRUE(wizard.questionCheck()->isHidden());

    wizard.journalButton()->click();
    EXPECT_EQ(wizard.m_journal_clicks, 1);
    wizard.close();
}

TEST(WizardFrame, NextAndBackFollowCompletenessAvailabilityAndHistory) {
    EventLog log = makeLog();
    RecordingWizard wizard({"A", "B", "C"}, log);
    runModal(wizard, [&] {
        RecordingSheet* const a = wizard.sheet(0);
        RecordingSheet* const b = wizard.sheet(1);
        RecordingSheet* const c = wizard.sheet(2);
        EXPECT_TRUE(wizard.nextButton()->isEnabled());
        EXPECT_FALSE(wizard.backButton()->isEnabled());
        EXPECT_TRUE(wizard.nextButton()->isDefault()) << "Return means Next, not Journal";

        b->m_available = false;
        wizard.nextButton()->click();
        EXPECT_EQ(wizard.currentSheet(), c) << "Next skips a sheet that is not available";
        EXPECT_EQ(c->previousStep(), a);
        EXPECT_FALSE(wizard.nextButton()->isEnabled()) << "nothing after the last sheet";
        EXPECT_TRUE(wizard.backButton()->isEnabled());

        log->clear();
        wizard.backButton()->click();
        EXPECT_EQ(wizard.currentSheet(), a);
        EXPECT_EQ(*log, QStringList({"deactivate:C", "resume:A"}));
        EXPECT_FALSE(wizard.backButton()->isEnabled());

        b->m_available = true;
        a->m_complete = false;
        a->update();
        EXPECT_FALSE(wizard.nextButton()->isEnabled()) << "an incomplete sheet holds the user";
        a->m_complete = true;
        a->update();
        EXPECT_TRUE(wizard.nextButton()->isEnabled());

        log->clear();
        QTest::keyClick(&wizard, Qt::Key_Return);
        EXPECT_EQ(wizard.currentSheet(), b);
        EXPECT_EQ(*log, QStringList({"suspend:A", "activate:B"}));
        auto* title = wizard.findChild<QLabel*>(QStringLiteral("wizardTitle"));
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->text(), QStringLiteral("Sheet B"));

        // A sheet that closed itself (like a finished loader) cannot be gone back to.
        a->m_available = false;
        b->update();
        EXPECT_FALSE(wizard.backButton()->isEnabled());
        wizard.cancelButton()->click();
    });
}

TEST(WizardFrame, CancelStopsRunningWorkAndKeepsTheDialogOpen) {
    EventLog log = makeLog();
    RecordingWizard wizard({"A", "B"}, log);
    int const result = runModal(wizard, [&] {
        brkBase::WizardProgress* const progress = wizard.get_progress();
        ASSERT_NE(progress, nullptr);
        progress->start(true);
        wizard.cancelButton()->click();
        EXPECT_TRUE(progress->cancelled());
        EXPECT_TRUE(wizard.isVisible());

        progress->start(true);
        QTest::keyClick(&wizard, Qt::Key_Escape);
        EXPECT_TRUE(progress->cancelled()) << "Escape is the Cancel button";
        EXPECT_TRUE(wizard.isVisible());
        EXPECT_FALSE(log->contains(QStringLiteral("closeEvent")));

        progress->finish();
        wizard.cancelButton()->click();
        EXPECT_FALSE(wizard.isVisible()) << "without running work Cancel closes";
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(log->count(QStringLiteral("closeEvent")), 1);
}

TEST(WizardFrame, CloseButtonModeClosesEvenWhileWorkRuns) {
    EventLog log = makeLog();
    RecordingWizard wizard({"A"}, log);
    int const result = runModal(wizard, [&] {
        wizard.set_close_button_mode();
        EXPECT_EQ(wizard.cancelButton()->text(), QStringLiteral("Close"));
        wizard.set_cancel_button_mode();
        EXPECT_EQ(wizard.cancelButton()->text(), QStringLiteral("Cancel"));
        EXPECT_FALSE(wizard.is_close_button_mode());

        wizard.set_close_button_mode();
        wizard.get_progress()->start(false);
        wizard.cancelButton()->click();
        EXPECT_FALSE(wizard.isVisible());
    });
    EXPECT_EQ(result, QDialog::Rejected);
    EXPECT_EQ(log->count(QStringLiteral("closeEvent")), 1);
    EXPECT_TRUE(wizard.get_progress()->cancelled()) << "work left running is told to stop";
}

TEST(WizardFrame, EveryWayOutGoesThroughCloseEvent) {
    std::vector<std::pair<char const*, std::function<void(RecordingWizard&)>>> const ways{
        {"Escape", [](RecordingWizard& w) { QTest::keyClick(&w, Qt::Key_Escape); }},
        {"reject", [](RecordingWizard& w) { w.reject(); }},
        {"handler close",
         [](RecordingWizard& w) {
             brkBase::AbstractSheetHandler& handler = w;
             EXPECT_EQ(handler.close(), !w.m_refuse_close);
         }},
    };
    for (auto const& way : ways) {
        SCOPED_TRACE(way.first);
        EventLog log = makeLog();
        RecordingWizard wizard({"A"}, log);
        int const result = runModal(wizard, [&] {
            wizard.m_refuse_close = true;
            way.second(wizard);
            EXPECT_TRUE(wizard.isVisible()) << "a refused close keeps the dialog";
            wizard.m_refuse_close = false;
            way.second(wizard);
            EXPECT_FALSE(wizard.isVisible());
        });
        EXPECT_EQ(result, QDialog::Rejected);
        EXPECT_EQ(log->count(QStringLiteral("closeEvent")), 2);
        EXPECT_EQ(log->count(QStringLiteral("shutdown:A")), 1);
    }
}

TEST(WizardFrame, AddsInsertsAndRemovesSheets) {
    EventLog log = makeLog();
    bool widget_sheet_deleted = false;
    {
        RecordingWizard wizard({}, log);
        auto* a = new RecordingSheet(&wizard, QStringLiteral("A"), log);
        auto* b = new RecordingSheet(&wizard, QStringLiteral("B"), log);
        auto* c = new RecordingSheet(&wizard, QStringLiteral("C"), log);
        auto* own_page = new WidgetSheet(&wizard, &widget_sheet_deleted);
        wizard.add_sheet(a);
        wizard.add_sheet(c);
        wizard.insert_sheet(b, c);
        wizard.insert_sheet(own_page, nullptr);
        wizard.add_sheet(a);
        wizard.add_sheet(nullptr);
        EXPECT_EQ(wizard.sheets(), (std::vector<brkBase::AbstractSheet*>{a, b, c, own_page}));

        wizard.remove_sheet(b);
        EXPECT_EQ(wizard.sheets(), (std::vector<brkBase::AbstractSheet*>{a, c, own_page}));
        EXPECT_EQ(b->widget()->parent(), nullptr) << "a removed sheet takes its page along";
        delete b;

        wizard.activate_sheet(nullptr, true);
        EXPECT_EQ(wizard.currentSheet(), nullptr);

        wizard.show();
        ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return wizard.currentSheet() == a; }));

        std::unique_ptr<QTreeWidgetItem> item(brkBase::Wizard::make_sheet_item(c));
        EXPECT_EQ(item->text(0), QStringLiteral("Sheet C"));
        c->m_available = false;
        wizard.activate_sheet(item.get());
        EXPECT_EQ(wizard.currentSheet(), a) << "a sheet that is not available cannot be chosen";
        c->m_available = true;
        wizard.activate_sheet(item.get());
        EXPECT_EQ(wizard.currentSheet(), c);
        EXPECT_EQ(c->previousStep(), a);

        log->clear();
        auto* late = new RecordingSheet(&wizard, QStringLiteral("E"), log);
        wizard.add_sheet(late);
        EXPECT_EQ(*log, QStringList{"startup:E"}) << "a sheet added after start-up is started";

        log->clear();
        wizard.remove_sheet(c);
        EXPECT_EQ(wizard.currentSheet(), a) << "removing the current sheet goes back";
        EXPECT_EQ(*log, QStringList({"deactivate:C", "resume:A"}));
        delete c;

        log->clear();
        wizard.restart();
        EXPECT_EQ(wizard.currentSheet(), a);
        EXPECT_EQ(*log, QStringList({"deactivate:A", "restart:A", "restart:E", "activate:A"}));
        wizard.close();
    }
    EXPECT_TRUE(widget_sheet_deleted);
}
