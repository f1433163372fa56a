// The wizard's and the sheets' operations one by one, outside a full run.
#include "WizardTestKit.h"

#include "base/WizardProgress.h"
#include "base/brkProductInfo.h"
#include "housekeeping/AbstractCommand.h"
#include "housekeeping/CommandManager.h"
#include "housekeeping/DataSource.h"
#include "housekeeping/gui/AbstractMainWindow.h"
#include "utilities/UrlUtilities.h"

namespace quarro {
namespace test {
namespace {

using housekeeping::DocumentId;
using import::QImportWizard;
using import::QImportWizardSummarySheet;

// A change that leaves nothing behind once undone: gives a document a history and nothing else.
class NoteCommand : public housekeeping::AbstractCommand {
public:
    explicit NoteCommand(DocumentId const& id)
        : AbstractCommand(id, "note") {}
    void do_command() override {}
    void undo_command() override {}
};

class WizardPartsTest : public WizardFixture {
protected:
    static boost::shared_ptr<housekeeping::DataSource> sourceFor(QString const& path) {
        return boost::make_shared<housekeeping::DataSource>(
            utilities::filesystem_to_url(path),
            boost::shared_ptr<housekeeping::AbstractDataInformation>());
    }
    static void addObjects(DocumentId const& id, int count) {
        for (int i = 0; i < count; ++i) {
            document(id)->add_object(boost::make_shared<model::PointSet>());
        }
    }
    static bool logged(QString const& text) {
        return housekeeping::ErrorProtocol::instance().lines().join('\n').contains(text);
    }
};

TEST_F(WizardPartsTest, BeforeItRunsTheWizardKeepsTheChoiceAndTheFilesItself) {
    QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    EXPECT_FALSE(wizard.inserting() || wizard.importing() || wizard.cancelled());
    EXPECT_EQ(wizard.questionCheck(), nullptr);
    EXPECT_EQ(wizard.count_geos(DocumentId::null()), 0u);

    // Without a check box the choice lives in the wizard and is stored as "hide".
    EXPECT_TRUE(wizard.get_show_summary());
    wizard.set_show_summary(false);
    EXPECT_FALSE(wizard.get_show_summary());
    wizard.save_summary_settings();
    EXPECT_TRUE(QSettings().value(QStringLiteral("qimportwizard/PTShide_summary")).toBool());

    QString native;
    std::string const url =
        QImportWizard::urlFromString(QStringLiteral("/data/wells/a.pts"), native);
    EXPECT_EQ(native, QDir::toNativeSeparators(QStringLiteral("/data/wells/a.pts")));
    EXPECT_EQ(url, "file:///data/wells/a.pts");

    wizard.urls(QStringList{"x", "y"});
    wizard.data_source(sourceFor(QStringLiteral("/data/b.pts")));
    EXPECT_EQ(wizard.urls(), QStringList{"/data/b.pts"});
}

TEST_F(WizardPartsTest, TheDocumentIsFoundOnceAndABlankFirstOneIsReused) {
    {
        QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
        DocumentId const made = wizard.find_document_id();
        EXPECT_EQ(documents().num_documents(), 1u);
        EXPECT_EQ(wizard.find_document_id(), made);
        EXPECT_EQ(documents().num_documents(), 1u);
        addObjects(made, 2);
        EXPECT_EQ(wizard.count_geos(DocumentId::null()), 2u);
    }
    documents().destroy_all();
    DocumentId const blank = documents().create_document();
    QImportWizard reusing("PTS", nullptr, Qt::WindowFlags());
    EXPECT_EQ(reusing.find_document_id(), blank);
    EXPECT_EQ(documents().num_documents(), 1u);

    // A blank document that is not the first, or one with a history, is not reused.
    DocumentId const second = documents().create_document();
    QImportWizard not_first("PTS", nullptr, Qt::WindowFlags());
    DocumentId const made = not_first.find_document_id();
    EXPECT_NE(made, second);
    EXPECT_NE(made, blank);
    documents().destroy_all();
    DocumentId const changed = documents().create_document();
    housekeeping::CommandManager::instance().insert(boost::make_shared<NoteCommand>(changed), true);
    housekeeping::CommandManager::instance().undo();
    ASSERT_TRUE(document(changed)->is_blank());
    QImportWizard with_history("PTS", nullptr, Qt::WindowFlags());
    EXPECT_NE(with_history.find_document_id(), changed);

    // A target document is the import's document; its own count wins over the argument.
    addObjects(changed, 3);
    QImportWizard inserting("PTS", nullptr, Qt::WindowFlags());
    inserting.insert_into_doc(changed);
    std::size_t const before = documents().num_documents();
    EXPECT_EQ(inserting.find_document_id(), changed);
    EXPECT_EQ(documents().num_documents(), before);
    EXPECT_EQ(inserting.count_geos(with_history.find_document_id()), 3u);
}

TEST_F(WizardPartsTest, TheSheetsAreTheirOwnPages) {
    QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    import::QImportWizardDefaultLoaderSheet loader(&wizard);
    QImportWizardSummarySheet summary(&wizard);
    EXPECT_EQ(summary.helpkey(), QStringLiteral("QUARRO_IMPORT_INTRODUCTION"));
    EXPECT_EQ(loader.title(), QStringLiteral("Loading..."));
    EXPECT_EQ(summary.title(), QStringLiteral("Import Summary"));

    // The summary is available behind the loader only once loading has finished.
    EXPECT_TRUE(loader.isAvailable());
    EXPECT_FALSE(loader.isComplete());
    EXPECT_TRUE(summary.isAvailable());
    summary.setPreviousStep(&loader);
    EXPECT_FALSE(summary.isAvailable());
    summary.setPreviousStep(&summary);
    EXPECT_TRUE(summary.isAvailable());
    EXPECT_TRUE(logged(QStringLiteral("\"m_previous_step != this\" failed in")));
    EXPECT_TRUE(logged(QStringLiteral("(import/src/QImportWizard:801)")));
}

TEST_F(WizardPartsTest, TheSummaryCountsObjectsAndTime) {
    QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    DocumentId const id = wizard.find_document_id();
    QImportWizardSummarySheet summary(&wizard);
    summary.startup();
    addObjects(id, 12);
    summary.register_success(id, sourceFor(QStringLiteral("/d/a.pts")), 1.5,
                             QStringLiteral("reader says<br />"));
    summary.activate();
    EXPECT_EQ(summary.text(), QStringLiteral("/d/a.pts: <b>OK</b><br />\nreader says<br />"
                                             "<hr /><br />Loaded 12 objects in 1.50 secs<br />"));

    // Times add up over the files; objects count from what the document held at start-up.
    QImportWizardSummarySheet three(&wizard);
    three.startup();
    addObjects(id, 1);
    for (double seconds : {1.25, 2.0, 0.5}) {
        three.register_success(id, boost::shared_ptr<housekeeping::DataSource>(), seconds,
                               QString());
    }
    three.activate();
    EXPECT_EQ(three.text(), QStringLiteral("<hr /><br />Loaded 1 objects in 3.75 secs<br />"));

    // A failure's reason follows without a line break; a cancel names the file and hides totals.
    QImportWizardSummarySheet cancelled(&wizard);
    cancelled.register_failure(sourceFor(QStringLiteral("/d/b.pts")), QStringLiteral("why"));
    cancelled.register_cancel(sourceFor(QStringLiteral("/d/c.pts")));
    cancelled.register_comment(QStringLiteral("<i>note</i>"));
    cancelled.activate();
    EXPECT_EQ(cancelled.text(),
              QStringLiteral("/d/b.pts: <b><font color='red'>Failed</font></b><br />why"
                             "c.pts: <b>Canceled</b><br /><i>note</i>"));
}

TEST_F(WizardPartsTest, TheTotalsDependOnTheTargetAndTheProduct) {
    DocumentId const target = documents().create_document();
    addObjects(target, 4);
    QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.insert_into_doc(target);
    QImportWizardSummarySheet nothing_new(&wizard);
    nothing_new.startup();
    nothing_new.register_success(target, sourceFor(QStringLiteral("/d/a.pts")), 0.0, QString());
    nothing_new.activate();
    EXPECT_FALSE(nothing_new.text().contains(QStringLiteral("<hr />")))
        << "an insert that brought nothing gets no totals";

    std::string const product = brkBase::brkProductInfo::instance().product_name();
    brkBase::brkProductInfo::instance().set_product_name("Tavelo");
    QImportWizardSummarySheet tavelo(&wizard);
    tavelo.startup();
    addObjects(target, 1);
    tavelo.register_success(target, sourceFor(QStringLiteral("/d/a.pts")), 0.0, QString());
    tavelo.activate();
    brkBase::brkProductInfo::instance().set_product_name(product);
    EXPECT_TRUE(tavelo.text().endsWith(
        QStringLiteral("<hr /><br />Loaded 1 objects in 0.00 secs<br />"
                       "<br />3DViews and SectionViews will not appear in Tavelo.<br />")));
}

TEST_F(WizardPartsTest, ClosingInCancelModeKeepsTheLastDocumentAndClearsBusyMarks) {
    housekeeping::gui::AbstractMainWindow window;
    QImportWizard alone("PTS", nullptr, Qt::WindowFlags());
    DocumentId const only = alone.find_document_id();
    documents().document_busy(only, true);
    alone.get_progress()->start(true);
    alone.close();
    EXPECT_TRUE(alone.get_progress()->cancelled());
    EXPECT_TRUE(documents().document_exists(only)) << "the only document stays";
    EXPECT_FALSE(documents().document_busy(only));
    EXPECT_EQ(window.notifications(), QList<int>{7});

    addObjects(only, 1);
    QImportWizard second("PTS", nullptr, Qt::WindowFlags());
    DocumentId const made = second.find_document_id();
    second.close();
    EXPECT_FALSE(documents().document_exists(made));
    EXPECT_TRUE(documents().document_exists(only));

    // A target document is never destroyed, only released.
    documents().create_document();
    QImportWizard inserting("PTS", nullptr, Qt::WindowFlags());
    inserting.insert_into_doc(only);
    documents().document_busy(only, true);
    inserting.close();
    EXPECT_TRUE(documents().document_exists(only));
    EXPECT_FALSE(documents().document_busy(only));
}

TEST_F(WizardPartsTest, SummaryModeWithoutASummarySheetIsLoggedNotFatal) {
    QImportWizard wizard("PTS", nullptr, Qt::WindowFlags());
    wizard.set_summary_mode();
    EXPECT_TRUE(logged(QStringLiteral("\"m_summary_sheet\" failed in")));
    EXPECT_TRUE(logged(QStringLiteral("(import/src/QImportWizard:217)")));
    EXPECT_TRUE(wizard.is_close_button_mode());
}

} // namespace
} // namespace test
} // namespace quarro
