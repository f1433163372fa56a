#include "RecordingWizard.h"

#include "ModalDialogHelper.h"
#include "base/WizardProgress.h"

#include <QLabel>
#include <QProgressBar>
#include <gtest/gtest.h>

#include <thread>

using quarro::test::ModalDialogHelper;
using quarro::test::RecordingWizard;

namespace {

struct ProgressArea {
    explicit ProgressArea(QWidget& wizard)
        : area(wizard.findChild<QWidget*>(QStringLiteral("progressArea")))
        , caption(wizard.findChild<QLabel*>(QStringLiteral("progressCaption")))
        , bar(wizard.findChild<QProgressBar*>(QStringLiteral("progressBar"))) {}
    QWidget* area;
    QLabel* caption;
    QProgressBar* bar;
};

} // namespace

TEST(WizardProgress, CancelsOnlyRunningWork) {
    RecordingWizard wizard({}, std::make_shared<QStringList>());
    brkBase::WizardProgress* const progress = wizard.get_progress();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->wizard(), &wizard);

    progress->cancel_progress();
    EXPECT_FALSE(progress->cancelled()) << "no work runs, nothing to cancel";
    progress->start(true);
    progress->cancel_progress();
    EXPECT_TRUE(progress->cancelled());
    EXPECT_TRUE(progress->is_running()) << "the work itself decides when it stops";
}

TEST(WizardProgress, ShowsEveryChangeInTheFrame) {
    RecordingWizard wizard({}, std::make_shared<QStringList>());
    ProgressArea const shown(wizard);
    ASSERT_NE(shown.area, nullptr);
    ASSERT_NE(shown.caption, nullptr);
    ASSERT_NE(shown.bar, nullptr);
    EXPECT_TRUE(shown.area->isHidden()) << "no progress runs yet";

    brkBase::WizardProgress* const progress = wizard.get_progress();
    progress->set_caption(QStringLiteral("Reading file 2 of 4"));
    progress->start(true);
    EXPECT_FALSE(shown.area->isHidden());
    EXPECT_EQ(shown.caption->text(), QStringLiteral("Reading file 2 of 4"));
    progress->set_value(130);
    EXPECT_EQ(shown.bar->value(), 100);
    progress->set_value(25);
    EXPECT_EQ(shown.bar->value(), 25);

    progress->set_determinate(false);
    EXPECT_EQ(shown.bar->maximum(), 0) << "busy indicator";
    progress->pause();
    EXPECT_EQ(shown.bar->maximum(), 100) << "a paused bar stops moving";

    progress->finish();
    EXPECT_TRUE(shown.area->isHidden());
}

TEST(WizardProgress, ChangesFromAWorkerThreadReachTheFrameThroughTheEventLoop) {
    RecordingWizard wizard({}, std::make_shared<QStringList>());
    ProgressArea const shown(wizard);
    brkBase::WizardProgress* const progress = wizard.get_progress();
    progress->start(true);
    std::thread worker([progress] {
        progress->set_caption(QStringLiteral("Reading in the background"));
        progress->set_value(70);
    });
    worker.join();
    EXPECT_EQ(progress->value(), 70);
    EXPECT_TRUE(ModalDialogHelper::waitFor([&] { return shown.bar->value() == 70; }));
    EXPECT_EQ(shown.caption->text(), QStringLiteral("Reading in the background"));
}
