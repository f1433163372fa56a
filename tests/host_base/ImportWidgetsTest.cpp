#include "importwidgets/CancelHook.h"
#include "importwidgets/QImportUnitSelector.h"

#include <QComboBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStringList>
#include <QVariant>
#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

namespace {

struct PollTarget {
    bool cancel_answer = false;
    int queries = 0;
    std::vector<double> reported;
};

bool askTarget(void* user) {
    auto* target = static_cast<PollTarget*>(user);
    ++target->queries;
    return target->cancel_answer;
}

void reportToTarget(void* user, double percent) {
    static_cast<PollTarget*>(user)->reported.push_back(percent);
}

QStringList comboTexts(QImportUnitSelector const& selector, char const* name) {
    QStringList texts;
    auto* combo = selector.findChild<QComboBox*>(QLatin1String(name));
    if (combo == nullptr) {
        return texts;
    }
    for (int i = 0; i < combo->count(); ++i) {
        texts << combo->itemText(i);
    }
    return texts;
}

} // namespace

TEST(CancelHook, ForwardsBothCallsWithTheUserPointer) {
    static_assert(std::is_trivially_copyable<CancelHook>::value, "the hook is passed by value");
    PollTarget target;
    CancelHook const hook(&askTarget, &reportToTarget, &target);
    EXPECT_EQ(hook.user(), &target);
    EXPECT_FALSE(hook.isCancelled());
    target.cancel_answer = true;
    CancelHook const copy = hook;
    EXPECT_TRUE(copy.isCancelled());
    EXPECT_EQ(target.queries, 2);

    hook.progress(12.5);
    copy.progress(100.0);
    EXPECT_EQ(target.reported, (std::vector<double>{12.5, 100.0}));
}

TEST(CancelHook, MissingFunctionsMeanNeverCancelledAndNoReport) {
    CancelHook const empty;
    EXPECT_FALSE(empty.isCancelled());
    empty.progress(50.0);

    PollTarget target;
    target.cancel_answer = true;
    CancelHook const only_progress(nullptr, &reportToTarget, &target);
    EXPECT_FALSE(only_progress.isCancelled());
    only_progress.progress(3.0);
    EXPECT_EQ(target.reported, std::vector<double>{3.0});

    CancelHook const only_cancel(&askTarget, nullptr, &target);
    only_cancel.progress(4.0);
    EXPECT_TRUE(only_cancel.isCancelled());
    EXPECT_EQ(target.reported.size(), 1u);
}

TEST(QImportUnitSelector, OffersTheUnitTextsAndKeepsTheChoice) {
    QImportUnitSelector selector;
    QStringList const xy{"Metres", "Feet", "Kms", "Miles", "Inches"};
    EXPECT_EQ(comboTexts(selector, "xyUnitCombo"), xy);
    EXPECT_EQ(comboTexts(selector, "zUnitCombo"), QStringList(xy) << "Seconds"
                                                                  << "Milliseconds");
    EXPECT_EQ(selector.getXYUnit(), QStringLiteral("Metres"));
    EXPECT_EQ(selector.getZUnit(), QStringLiteral("Metres"));

    QSignalSpy changed(&selector, &QImportUnitSelector::selectionChanged);
    EXPECT_TRUE(selector.setXYUnit(QStringLiteral("Feet")));
    EXPECT_TRUE(selector.setZUnit(QStringLiteral("Milliseconds")));
    EXPECT_EQ(selector.getXYUnit(), QStringLiteral("Feet"));
    EXPECT_EQ(selector.getZUnit(), QStringLiteral("Milliseconds"));
    EXPECT_EQ(changed.count(), 2);

    EXPECT_FALSE(selector.setXYUnit(QStringLiteral("Seconds"))) << "time is no horizontal unit";
    EXPECT_FALSE(selector.setZUnit(QStringLiteral("feet"))) << "texts match case-sensitively";
    EXPECT_EQ(selector.getXYUnit(), QStringLiteral("Feet"));
    EXPECT_EQ(selector.getZUnit(), QStringLiteral("Milliseconds"));
}

TEST(QImportUnitSelector, OrientationFollowsTheRadioButtons) {
    QImportUnitSelector selector;
    EXPECT_EQ(selector.getOrientation(), QImportUnitSelector::ZPositiveUp);
    selector.setOrientation(QImportUnitSelector::ZPositiveDown);
    EXPECT_EQ(selector.getOrientation(), QImportUnitSelector::ZPositiveDown);

    auto* up = selector.findChild<QRadioButton*>(QStringLiteral("zUpRadio"));
    auto* down = selector.findChild<QRadioButton*>(QStringLiteral("zDownRadio"));
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    EXPECT_TRUE(down->isChecked());
    EXPECT_FALSE(up->isChecked()) << "the two directions exclude each other";
    up->click();
    EXPECT_EQ(selector.getOrientation(), QImportUnitSelector::ZPositiveUp);
}

TEST(QImportUnitSelector, DynamicPropertyShowsOrHidesTheXYChoice) {
    QImportUnitSelector selector;
    auto* xy = selector.findChild<QComboBox*>(QStringLiteral("xyUnitCombo"));
    ASSERT_NE(xy, nullptr);
    EXPECT_TRUE(selector.isXYSelectorShown());

    selector.setProperty("showXYSelector", false);
    EXPECT_FALSE(selector.isXYSelectorShown());
    EXPECT_TRUE(xy->isHidden());

    selector.setProperty("showXYSelector", true);
    EXPECT_TRUE(selector.isXYSelectorShown());
    EXPECT_FALSE(xy->isHidden());

    selector.showXYSelector(false);
    EXPECT_TRUE(xy->isHidden());
    selector.setProperty("showXYSelector", QVariant());
    EXPECT_FALSE(xy->isHidden()) << "removing the property restores the default";

    selector.setProperty("somethingElse", false);
    EXPECT_TRUE(selector.isXYSelectorShown());
}
