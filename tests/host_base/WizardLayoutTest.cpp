#include "ModalDialogHelper.h"
#include "TestApplication.h"
#include "base/AbstractSheet.h"
#include "base/Wizard.h"
#include "base/WizardProgress.h"
#include "importwidgets/QImportUnitSelector.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using quarro::test::ModalDialogHelper;

namespace {

// A sheet with a real page: what the application's import dialogs look like.
class PageSheet : public brkBase::AbstractSheet {
public:
    PageSheet(brkBase::Wizard* wizard, QWidget* page, QString const& title)
        : AbstractSheet(wizard) {
        page->setWindowTitle(title);
        setWidget(page);
    }
};

class ShowcaseWizard : public brkBase::Wizard {
public:
    ShowcaseWizard()
        : Wizard(nullptr, Qt::WindowFlags()) {}

protected:
    void populate_sheets() override {
        setWindowTitle(QStringLiteral("Import Wizard"));
        auto* log = new QTextBrowser;
        log->setHtml(QStringLiteral("Loading /data/wells/north_field.las ...<br />"
                                    "Loading /data/wells/south_field.las ...<br />"));
        add_sheet(new PageSheet(this, log, QStringLiteral("Loading...")));

        auto* units_page = new QWidget;
        auto* layout = new QVBoxLayout(units_page);
        layout->addWidget(new QImportUnitSelector(units_page));
        layout->addStretch(1);
        auto* units = new PageSheet(this, units_page, QStringLiteral("Coordinates and units"));
        units->description(QStringLiteral(
            "Choose the units of the file's coordinates and the direction of its Z axis. "
            "<a href=\"https://example.org/units\">More about units</a>"));
        add_sheet(units);
    }

    void setupQuestionCheck() override {
        m_question_check->setText(QStringLiteral("Show import summary"));
        m_question_check->setChecked(true);
        m_question_check->show();
    }
};

// Where to put the pictures: QUARRO_WIZARD_SCREENSHOT names the first one (to look at them), the
// scratch folder takes them otherwise.
QString shotPath(QString const& suffix) {
    QString const wanted = qEnvironmentVariable("QUARRO_WIZARD_SCREENSHOT");
    QString const base =
        wanted.isEmpty() ? QDir(quarro::test::scratchDirectory()).filePath("wizard.png") : wanted;
    QFileInfo const info(base);
    return info.dir().filePath(info.completeBaseName() + suffix + QStringLiteral(".png"));
}

void expectNothingClipped(QWidget& wizard) {
    for (QAbstractButton* button : wizard.findChildren<QAbstractButton*>()) {
        if (!button->isVisible()) {
            continue;
        }
        EXPECT_GE(button->width(), button->minimumSizeHint().width())
            << button->objectName().toStdString() << " \"" << button->text().toStdString()
            << "\" is clipped";
    }
    for (QLabel* label : wizard.findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap()) {
            continue;
        }
        EXPECT_GE(label->width(), label->minimumSizeHint().width())
            << "label \"" << label->text().toStdString() << "\" is clipped";
    }
}

void grabTo(QWidget& wizard, QString const& path) {
    QImage const shot = wizard.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    EXPECT_EQ(shot.size(), wizard.size() * wizard.devicePixelRatioF());
    EXPECT_TRUE(shot.save(path)) << path.toStdString();
}

} // namespace

TEST(WizardLayout, ShowsEverythingUnclippedWhileLoadingAndOnAForm) {
    ShowcaseWizard wizard;
    wizard.show();
    ASSERT_TRUE(ModalDialogHelper::waitFor([&] { return wizard.currentSheet() != nullptr; }));
    brkBase::WizardProgress* const progress = wizard.get_progress();
    progress->start(true);
    progress->set_caption(QStringLiteral("Reading file 2 of 3"));
    progress->set_value(50);
    QCoreApplication::processEvents();
    expectNothingClipped(wizard);
    grabTo(wizard, shotPath(QString()));

    progress->finish();
    wizard.activate_next_sheet();
    QCoreApplication::processEvents();
    EXPECT_EQ(wizard.currentSheet(), wizard.sheets().back());
    expectNothingClipped(wizard);
    grabTo(wizard, shotPath(QStringLiteral("-units")));
    wizard.close();
}
